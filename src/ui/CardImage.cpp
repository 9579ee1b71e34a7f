#include "ui/CardImage.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <optional>

#include "cards/JpegPicture.h"

namespace {

// The edge moved onto the screen; a window larger than the screen keeps
// its far edge on it and so starts before the screen's start.
int ClampEdge(int edge, int screenStart, int screenSize, int windowSize) {
  if (edge < screenStart) edge = screenStart;
  if (edge > screenStart + screenSize - windowSize) edge = screenStart + screenSize - windowSize;
  return edge;
}

}  // namespace

TfmCardImage::TfmCardImage() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool) {
  resize(434, 320);
  timer1_.setSingleShot(true);
  timer1_.setInterval(1000);
  connect(&timer1_, &QTimer::timeout, this, &TfmCardImage::Timer1Timer);
}

bool TfmCardImage::LoadImage(const std::u16string& entryName) {
  Dismiss();
  if (!ExtractImageEntry(imageArchives_, entryName, imageTempFile_.Path())) return false;
  const std::optional<TJpegPicture> decoded = DecodeJpegFile(imageTempFile_.Path());
  if (!decoded) return false;
  picture_ = QImage(decoded->rgb.data(), decoded->width, decoded->height, decoded->width * 3, QImage::Format_RGB888)
                 .copy();
  resize(picture_.size());
  return true;
}

void TfmCardImage::ShowCardImage(int x, int y, const std::u16string& entryName, bool show) {
  if (!show) {
    Dismiss();
    return;
  }
  if (!LoadImage(entryName)) return;
  // The pointer starts inside the window, so that leaving it hides it.
  move(x - 10, y - 10);
  timer1_.start();
}

void TfmCardImage::Timer1Timer() {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  move(ClampEdge(x(), screen.x(), screen.width(), width()), ClampEdge(y(), screen.y(), screen.height(), height()));
  show();
  timer1_.stop();
}

void TfmCardImage::Dismiss() {
  hide();
  timer1_.stop();
}

void TfmCardImage::paintEvent(QPaintEvent*) { QPainter(this).drawImage(rect(), picture_); }

void TfmCardImage::mousePressEvent(QMouseEvent*) { hide(); }

void TfmCardImage::leaveEvent(QEvent*) { hide(); }

void TfmCardImage::keyPressEvent(QKeyEvent*) { hide(); }
