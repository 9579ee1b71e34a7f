#include "ui/MarkupRender.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "cards/Markup.h"
#include "ui/CellDelegate.h"

namespace {

QString ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

// The card text box as the main window has it, with a text colour of its own
// so that it is told apart from the tags' black.
class CardTextBox : public ::testing::Test {
 protected:
  CardTextBox() {
    box.setReadOnly(true);
    box.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    QPalette palette = box.palette();
    palette.setColor(QPalette::Text, QColor(0x0000FF));
    box.setPalette(palette);
  }

  // The character at position as "b #0000ff 9": styles, colour, point size.
  std::string Describe(int position) const {
    QTextCursor cursor(box.document());
    cursor.setPosition(position + 1);
    const QTextCharFormat format = cursor.charFormat();
    const QColor color = format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color()
                                                                           : box.palette().color(QPalette::Text);
    const qreal size = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : box.font().pointSizeF();
    const std::string styles = std::string(format.fontWeight() >= QFont::Bold ? "b" : "") +
                               (format.fontItalic() ? "i" : "") + (format.fontUnderline() ? "u" : "");
    return styles + " " + color.name().toStdString() + " " + std::to_string(qRound(size));
  }

  QTextEdit box;
  TRTFtoHtml markup;
};

TEST_F(CardTextBox, ShowsTheFormattingOfTags) {
  struct Case {
    std::u16string markup;
    QString text;
    std::vector<std::pair<int, std::string>> formats;  // character position, format
  };
  // One box for all, in this order: nothing of one card may stay for the next.
  const Case cases[] = {
      {u"<b>Bold</b> word", QStringLiteral("Bold word"), {{0, "b #0000ff 9"}, {3, "b #0000ff 9"}, {5, " #0000ff 9"}}},
      // The bold tag's colour is the box's own, not the enclosing red.
      {u"<font color=red>Red <b>Bold</b></font>", QStringLiteral("Red Bold"), {{0, " #ff0000 9"}, {4, "b #0000ff 9"}}},
      {u"<font color=Red>Black</font>", QStringLiteral("Black"), {{0, " #000000 9"}}},
      {u"<big>Big</big> x", QStringLiteral("Big x"), {{0, " #0000ff 10"}, {4, " #0000ff 9"}}},
      {u"<font size=14>Big</font>", QStringLiteral("Big"), {{2, " #0000ff 14"}}},
      {u"<big size=2147483647>Huge</big>", QStringLiteral("Huge"), {{0, " #0000ff 1638"}}},
      {u"<i><u>a</u>b</i>", QStringLiteral("ab"), {{0, "iu #0000ff 9"}, {1, "i #0000ff 9"}}},
      {u"a<br>b", QStringLiteral("a\nb"), {}},
      {u"a<br></br>b", QStringLiteral("a\nb"), {}},
      {u"a<br>b<br>c", QStringLiteral("a\nb\nc"), {}},
      {u"<b>Bold", QStringLiteral("Bold"), {{0, " #0000ff 9"}}},
      // The ">" comes first: the "<" and the "b" after it go, the rest stays as it is.
      {u"Power > 3 <b>Bold</b>", QStringLiteral("Power > 3 >Bold</b>"), {{0, " #0000ff 9"}, {11, " #0000ff 9"}}},
  };
  for (const Case& c : cases) {
    QTextCursor caret(box.document());  // as if the user had clicked into the previous card's text
    caret.setPosition(std::min(1, box.document()->characterCount() - 1));
    box.setTextCursor(caret);
    RenderTo(&box, c.markup, markup);
    EXPECT_EQ(box.toPlainText(), c.text) << c.text.toStdString();
    for (const auto& [position, format] : c.formats) {
      EXPECT_EQ(Describe(position), format) << c.text.toStdString() << " at " << position;
    }
  }
}

TEST_F(CardTextBox, IndentsTheNoteParagraph) {
  RenderTo(&box, u"Head\n<blocknote>Note text</blocknote>", markup);
  const QTextBlock head = box.document()->firstBlock();
  const QTextBlockFormat note = head.next().blockFormat();
  EXPECT_EQ(head.blockFormat().textIndent(), 0);
  EXPECT_NEAR(note.textIndent(), 10.0 * 96 / 72, 0.01);  // 10 points at 96 dpi
  EXPECT_EQ(note.leftMargin(), 0);
  EXPECT_EQ(note.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

// A run of columns with ink and the highest row inked in it.
struct InkRun {
  int left;
  int right;
  int top;
};

std::vector<InkRun> InkRuns(const QImage& image, const std::function<bool(QColor)>& ink) {
  std::vector<InkRun> runs;
  for (int x = 0; x < image.width(); ++x) {
    int top = -1;
    for (int y = image.height() - 1; y >= 0; --y) {
      if (ink(image.pixelColor(x, y))) top = y;
    }
    if (top < 0) continue;
    if (!runs.empty() && runs.back().right == x - 1) {
      runs.back().right = x;
      runs.back().top = std::min(runs.back().top, top);
    } else {
      runs.push_back({x, x, top});
    }
  }
  return runs;
}

bool Dark(QColor c) { return c.lightness() < 160; }
bool Red(QColor c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; }
bool Blue(QColor c) { return c.blue() > 200 && c.red() < 80 && c.green() < 80; }

class ListCell : public ::testing::Test {
 protected:
  // Paints the text into a cell of the given width at the left of an image
  // twice as wide, so that drawing beyond the cell shows.
  QImage Paint(std::u16string_view text, int width, const QColor& cellColor = Qt::black) {
    QImage image(2 * width, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    PaintCell(&painter, QRect(0, 0, width, image.height()), text, cellColor, markup);
    return image;
  }

  QFont font{QStringLiteral("DejaVu Sans"), 14};
  TRTFtoHtml markup;
};

TEST_F(ListCell, LongTextEndsInDots) {
  const std::u16string letters(60, u'H');
  const int letterWidth = QFontMetrics(font).horizontalAdvance(QLatin1Char('H'));
  const int middle = 15;
  // Without tags Qt elides the text; with one it is drawn character by character.
  for (const std::u16string& text : {letters, u"<u></u>" + letters}) {
    const std::vector<InkRun> runs = InkRuns(Paint(text, 150), Dark);
    ASSERT_GT(runs.size(), 4U) << ToQString(text).toStdString();
    // Three dots below the middle after a letter, and nothing beyond.
    for (std::size_t i = runs.size() - 3; i < runs.size(); ++i) EXPECT_GT(runs[i].top, middle) << i;
    EXPECT_LT(runs[runs.size() - 4].top, middle);
    EXPECT_LT(runs.back().right, 150 + letterWidth);
  }
}

TEST_F(ListCell, FontTagsColourTheText) {
  const QImage image = Paint(u"<font color=red>HH</font>HH", 200, Qt::blue);
  const std::vector<InkRun> red = InkRuns(image, Red);
  const std::vector<InkRun> blue = InkRuns(image, Blue);
  ASSERT_FALSE(red.empty());
  ASSERT_FALSE(blue.empty());
  EXPECT_LT(red.back().right, blue.front().left);
}

TEST_F(ListCell, UnparsableMarkupShowsTheTextAsProcessed) {
  EXPECT_EQ(Paint(u"a>b<b>c", 150), Paint(u"a>b>c", 150));
}

TEST(CellDelegate, PaintsTheSelectedPanelUnlessOwnerDrawn) {
  TRTFtoHtml markup;
  QStandardItemModel model(1, 1);
  model.setItem(0, 0, new QStandardItem(QStringLiteral("<font color=red>HH</font>HH")));
  TCellDelegate delegate(markup, nullptr);
  QStyleOptionViewItem option;
  option.rect = QRect(0, 0, 200, 30);
  option.state = QStyle::State_Enabled | QStyle::State_Active | QStyle::State_Selected;
  option.palette.setColor(QPalette::Highlight, QColor(0x00C000));
  option.palette.setColor(QPalette::HighlightedText, QColor(0x0000FF));
  option.font = QFont(QStringLiteral("DejaVu Sans"), 14);
  const auto paint = [&](bool ownerDraw) {
    delegate.SetOwnerDraw(ownerDraw);
    QImage image(option.rect.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    delegate.paint(&painter, option, model.index(0, 0));
    return image;
  };
  const auto green = [](QColor c) { return c == QColor(0x00C000); };

  const QImage selected = paint(false);
  EXPECT_FALSE(InkRuns(selected, green).empty());
  EXPECT_FALSE(InkRuns(selected, Red).empty());
  EXPECT_FALSE(InkRuns(selected, Blue).empty());  // after the font tag: the selected text colour

  const QImage ownerDrawn = paint(true);
  EXPECT_TRUE(InkRuns(ownerDrawn, green).empty());
  EXPECT_FALSE(InkRuns(ownerDrawn, Red).empty());
}

}  // namespace
