// Draws the sample game's card pictures and stores them in its picture
// archive, sample.zip: a frame in the card's attribute colour around a
// crystal, with the card's cost, name, kind and number. Cards whose number
// ends in 0 get no picture; the second set is stored without compression;
// two entries are stored in other letters' case than the cards name them.
// Usage: make_sample_images FOLDER (the folder of sample.ini)
#include <zip.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cstdio>
#include <string>

#include "common/CodePage.h"
#include "common/Text.h"
#include "gamedef/Plugin.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 280;

QString ToQString(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

QColor AttributeColour(std::u16string_view attribute) {
  struct Attribute {
    std::u16string_view name;
    QRgb rgb;
  };
  static constexpr Attribute attributes[] = {
      {u"焔", 0xD8442C}, {u"潮", 0x2C7FD8}, {u"翠", 0x3AA655}, {u"煌", 0xE0B030}, {u"冥", 0x7A4AB0}};
  for (const Attribute& a : attributes) {
    if (a.name == attribute) return QColor(a.rgb);
  }
  return QColor(0x808080);
}

// The text in the box, its font made smaller until it fits the width.
void DrawFitted(QPainter& painter, const QRectF& box, const QString& text, int pixelSize, Qt::Alignment alignment) {
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(pixelSize);
  while (pixelSize > 8 && QFontMetricsF(font).horizontalAdvance(text) > box.width()) font.setPixelSize(--pixelSize);
  painter.setFont(font);
  painter.drawText(box, alignment, text);
}

void DrawCrystal(QPainter& painter, const QRectF& art, const QColor& colour) {
  QRadialGradient glow(art.center(), art.width() * 0.7);
  glow.setColorAt(0, colour.lighter(170));
  glow.setColorAt(1, colour.darker(220));
  painter.setPen(QPen(colour.lighter(130), 2));
  painter.setBrush(glow);
  painter.drawRect(art);
  const QPointF c = art.center();
  const QPointF top(c.x(), c.y() - 55), right(c.x() + 30, c.y() - 12), bottom(c.x(), c.y() + 55),
      left(c.x() - 30, c.y() - 12);
  painter.setPen(QPen(Qt::white, 1.5));
  painter.setBrush(QColor(255, 255, 255, 150));
  painter.drawPolygon(QPolygonF{top, right, bottom, left});
  painter.drawLine(left, QPointF(c.x(), c.y() - 4));
  painter.drawLine(right, QPointF(c.x(), c.y() - 4));
  painter.drawLine(QPointF(c.x(), c.y() - 4), bottom);
}

QImage DrawCard(const TCardItem& card) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const QColor colour = AttributeColour(card.Value(u"Color"));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient backdrop(0, 0, 0, kHeight);
  backdrop.setColorAt(0, colour.darker(260));
  backdrop.setColorAt(1, colour.darker(420));
  painter.fillRect(image.rect(), backdrop);
  painter.setPen(QPen(colour, 6));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(3, 3, kWidth - 6, kHeight - 6), 10, 10);
  DrawCrystal(painter, QRectF(16, 46, kWidth - 32, 150), colour);

  const QRectF cost(11, 10, 30, 30);
  painter.setPen(QPen(Qt::white, 2));
  painter.setBrush(colour);
  painter.drawEllipse(cost);
  DrawFitted(painter, cost, ToQString(card.Value(u"Cost")), 17, Qt::AlignCenter);
  DrawFitted(painter, QRectF(48, 10, kWidth - 60, 30), ToQString(card.PlainValue(u"Name")), 15,
             Qt::AlignLeft | Qt::AlignVCenter);
  const std::u16string kind = card.PlainValue(u"Kind") + u" / " + card.PlainValue(u"Race");
  DrawFitted(painter, QRectF(16, 204, kWidth - 32, 22), ToQString(kind), 12, Qt::AlignLeft | Qt::AlignVCenter);
  DrawFitted(painter, QRectF(16, 246, 90, 20), ToQString(card.Value(u"No")), 11, Qt::AlignLeft | Qt::AlignVCenter);
  DrawFitted(painter, QRectF(kWidth - 106, 246, 90, 20), ToQString(card.Value(u"Power")), 13,
             Qt::AlignRight | Qt::AlignVCenter);
  return image;
}

QByteArray Jpeg(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG", 85);
  return bytes;
}

// The entry name: the card's Image value, two of them in other letters' case.
std::string EntryName(const std::u16string& image) {
  if (image == u"EV-002.jpg") return "ev-002.JPG";
  if (image == u"TW-003.jpg") return "TW-003.JPG";
  return ToCp932(image);
}

bool AddEntry(zipFile zip, const std::string& name, const QByteArray& bytes, bool stored) {
  zip_fileinfo info{};
  info.tmz_date = {0, 0, 12, 26, 11, 2011};  // fixed, so that the archive is the same at every run
  return zipOpenNewFileInZip(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, stored ? 0 : Z_DEFLATED,
                             Z_BEST_COMPRESSION) == ZIP_OK &&
         zipWriteInFileInZip(zip, bytes.constData(), static_cast<unsigned>(bytes.size())) == ZIP_OK &&
         zipCloseFileInZip(zip) == ZIP_OK;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample_images FOLDER\n");
    return 2;
  }
  const std::u16string folder = FromUtf8(argv[1]) + u"/";
  TPlugin plugin(folder);
  if (!plugin.Load(folder + u"sample.ini")) {
    std::fprintf(stderr, "cannot load %s/sample.ini\n", argv[1]);
    return 1;
  }
  const std::string archive = ToUtf8(folder + u"sample.zip");
  zipFile zip = zipOpen(archive.c_str(), APPEND_STATUS_CREATE);  // a failed open fails every step below
  bool ok = true;
  int pictures = 0;
  for (const auto& [key, card] : plugin.Cards()) {
    const std::u16string image = card.PlainValue(u"Image");
    if (image.empty() || key.ends_with(u'0')) continue;
    ok = AddEntry(zip, EntryName(image), Jpeg(DrawCard(card)), image.starts_with(u"TW-"));
    if (!ok) break;
    ++pictures;
  }
  ok = zipClose(zip, nullptr) == ZIP_OK && ok;
  if (!ok) {
    std::fprintf(stderr, "cannot write %s\n", archive.c_str());
    return 1;
  }
  std::printf("%d pictures in %s\n", pictures, archive.c_str());
  return 0;
}
