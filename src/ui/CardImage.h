#pragma once
// The card image window: a borderless window that shows a card's picture at
// its natural size next to the mouse pointer, a second after a click on a
// list row, and disappears as soon as the pointer leaves it, it is clicked or
// a key is pressed.

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "cards/ImageArchive.h"

class TfmCardImage : public QWidget {
  Q_OBJECT
 public:
  TfmCardImage();

  // The image archives, searched in this order (the game definition's).
  void SetArchives(std::vector<std::u16string> paths) { imageArchives_ = std::move(paths); }
  // Hides the window, then looks the entry up in the archives and decodes it,
  // sizing the window to the picture. False when no archive holds the entry
  // or it is no sound picture; the window then stays hidden.
  bool LoadImage(const std::u16string& entryName);
  // show: loads the picture and, when there is one, places the window's
  // top-left corner 10 pixels left of and above the screen point and arms the
  // timer that shows it. Not show: hides the window and disarms the timer.
  void ShowCardImage(int x, int y, const std::u16string& entryName, bool show);

  QTimer& Timer() { return timer1_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Dismiss();
  void Timer1Timer();

  std::vector<std::u16string> imageArchives_;
  TImageTempFile imageTempFile_;
  QImage picture_;
  QTimer timer1_;
};
