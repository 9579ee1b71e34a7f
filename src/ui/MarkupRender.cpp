#include "ui/MarkupRender.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>
#include <string>
#include <vector>

#include "cards/Markup.h"
#include "cards/MarkupLayout.h"

namespace {

// A cell's text is one line, vertically centred and not clipped to the cell.
constexpr int kCellTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;
constexpr int kCellMargin = 2;      // pixels left and right of an unformatted cell text
constexpr qreal kNoteIndent = 10;   // points: first-line indent of a note paragraph

QString ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

QColor ToQColor(TColor color) { return QColor(static_cast<QRgb>(color)); }

TColor ToColor(const QColor& color) { return color.rgb() & 0xFFFFFF; }

void ApplySpan(QTextCursor& cursor, const TCharSpan& span) {
  QTextCharFormat format;
  if (span.bold) format.setFontWeight(QFont::Bold);
  if (span.italic) format.setFontItalic(true);
  if (span.underline) format.setFontUnderline(true);
  format.setForeground(ToQColor(span.color));
  // A font cannot be smaller than a point, nor larger than can be drawn.
  if (span.size > 0) format.setFontPointSize(std::min(span.size, kMaxFontPoints));
  cursor.setPosition(static_cast<int>(span.start));
  cursor.setPosition(static_cast<int>(span.end), QTextCursor::KeepAnchor);
  cursor.mergeCharFormat(format);
}

void ApplyNoteFormat(QTextCursor& cursor, std::size_t position, qreal indent) {
  cursor.setPosition(static_cast<int>(position));
  QTextBlockFormat format = cursor.blockFormat();
  format.setAlignment(Qt::AlignLeft);
  format.setTextIndent(indent);
  format.setLeftMargin(0);
  cursor.setBlockFormat(format);
}

QFont CellFont(const QFont& base, const TCellStyle& style) {
  QFont font(base);
  font.setBold(style.bold);
  font.setItalic(style.italic);
  font.setUnderline(style.underline);
  return font;
}

void PaintPlainCell(QPainter* painter, const QRect& rect, const QString& text) {
  const QRect inner = rect.adjusted(kCellMargin, 0, -kCellMargin, 0);
  painter->drawText(inner, kCellTextFlags, painter->fontMetrics().elidedText(text, Qt::ElideRight, inner.width()));
}

void PaintMarkedCell(QPainter* painter, const QRect& rect, const QString& text, const std::vector<TCellChar>& chars,
                     const QColor& cellColor) {
  const QFont base = painter->font();
  const auto width = [&](std::size_t i) {
    return QFontMetrics(CellFont(base, chars[i].style), painter->device()).horizontalAdvance(text[chars[i].index]);
  };
  const int dotsWidth = QFontMetrics(base, painter->device()).horizontalAdvance(QStringLiteral("...."));
  const TCellFit fit = FitCell(chars.size(), width, dotsWidth, rect.left(), rect.left() + rect.width());
  int x = rect.left();
  for (std::size_t i = 0; i < fit.count; ++i) {
    const TCellStyle& style = chars[i].style;
    const int charWidth = width(i);
    painter->setFont(CellFont(base, style));
    painter->setPen(style.tagColor ? ToQColor(style.color) : cellColor);
    painter->drawText(QRect(x, rect.top(), charWidth, rect.height()), kCellTextFlags, QString(text[chars[i].index]));
    x += charWidth;
  }
  if (fit.ellipsis) {
    painter->setFont(CellFont(base, chars[fit.count].style));
    painter->setPen(cellColor);
    painter->drawText(QRect(x, rect.top(), dotsWidth, rect.height()), kCellTextFlags, QStringLiteral("..."));
  }
}

}  // namespace

void RenderTo(QTextEdit* box, std::u16string_view text, TRTFtoHtml& markup) {
  const QFont font = box->font();
  const TMarkupFont boxFont{ToColor(box->palette().color(QPalette::Text)),
                            font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize()};
  std::u16string plain;
  try {
    plain = markup.Parse(text, &boxFont);
  } catch (const EMarkupError& error) {
    plain = error.Text();  // shown as far as it was processed, with the tags met so far
  }
  const TTextBoxLayout layout = LayoutTextBox(markup.Tags(), plain.size());

  const QSignalBlocker blocker(box);
  box->setUpdatesEnabled(false);
  box->setPlainText(ToQString(plain));
  QTextCursor cursor(box->document());
  cursor.beginEditBlock();
  cursor.select(QTextCursor::Document);
  cursor.setCharFormat(QTextCharFormat());  // nothing of the previous card's formatting stays
  for (const TCharSpan& span : layout.spans) ApplySpan(cursor, span);
  const qreal indent = kNoteIndent * box->logicalDpiX() / 72;
  for (std::size_t note : layout.blocknotes) ApplyNoteFormat(cursor, note, indent);
  for (std::size_t feed : layout.lineFeeds) {
    cursor.setPosition(static_cast<int>(feed));
    cursor.insertBlock();
  }
  cursor.endEditBlock();
  box->setUpdatesEnabled(true);
}

void PaintCell(QPainter* painter, const QRect& rect, std::u16string_view text, const QColor& cellColor,
               TRTFtoHtml& markup) {
  std::u16string plain;
  bool marked = false;
  try {
    plain = markup.Parse(text);
    marked = !markup.Tags().empty();
  } catch (const EMarkupError& error) {
    plain = error.Text();  // drawn without formatting
  }
  painter->save();
  painter->setPen(cellColor);
  if (marked) {
    const QFont& font = painter->font();
    const TCellStyle start{font.bold(), font.italic(), font.underline()};
    PaintMarkedCell(painter, rect, ToQString(plain), LayoutCell(plain, markup.Tags(), start), cellColor);
  } else {
    PaintPlainCell(painter, rect, ToQString(plain));
  }
  painter->restore();
}
