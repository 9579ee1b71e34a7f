// The card image window: the picture at its natural size, placed by the press
// point once its timer fires, kept on the screen, and hidden again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <functional>

#include "ImageFixtures.h"
#include "QtPrint.h"
#include "TestFiles.h"
#include "ui/CardImage.h"

namespace {

constexpr TRgb kCardColour{40, 120, 200};

// A window over an archive with a 300 × 420 card picture, a picture wider
// than the screen and an entry that is no picture.
class CardImage : public testing::Test {
 protected:
  CardImage() {
    WriteZip(folder_.NativePath("cards.zip"), {{"card.jpg", MakeJpeg(300, 420, kCardColour)},
                                               {"wide.jpg", MakeJpeg(Screen().width() + 100, 50, kCardColour)},
                                               {"broken.jpg", "not a picture"}});
    window_.SetArchives({folder_.Path("cards.zip")});
  }

  void FireTimer() { QMetaObject::invokeMethod(&window_.Timer(), "timeout"); }

  // Pops the card picture up at the press point, shown as its timer fires.
  void PopUp(int x = 100, int y = 150) {
    window_.ShowCardImage(x, y, u"card.jpg", true);
    ASSERT_TRUE(window_.Timer().isActive());
    FireTimer();
    ASSERT_TRUE(window_.isVisible());
  }

  static QRect Screen() { return QGuiApplication::primaryScreen()->geometry(); }

  TempFolder folder_;
  TfmCardImage window_;
};

}  // namespace

TEST_F(CardImage, StartsHiddenAndBorderless) {
  EXPECT_FALSE(window_.isVisible());
  EXPECT_TRUE(window_.isWindow());
  EXPECT_TRUE(window_.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_FALSE(window_.Timer().isActive());
  EXPECT_TRUE(window_.Timer().isSingleShot());
  EXPECT_EQ(window_.Timer().interval(), 1000);
}

TEST_F(CardImage, ShowsThePictureAtItsSizeByThePressPointWhenTheTimerFires) {
  window_.ShowCardImage(100, 150, u"CARD.JPG", true);
  EXPECT_FALSE(window_.isVisible());
  EXPECT_TRUE(window_.Timer().isActive());
  FireTimer();
  EXPECT_TRUE(window_.isVisible());
  EXPECT_FALSE(window_.Timer().isActive());
  EXPECT_EQ(window_.geometry(), QRect(90, 140, 300, 420));
  const QColor painted = window_.grab().toImage().pixelColor(150, 210);
  EXPECT_NEAR(painted.red(), kCardColour.r, 4);
  EXPECT_NEAR(painted.green(), kCardColour.g, 4);
  EXPECT_NEAR(painted.blue(), kCardColour.b, 4);
}

TEST_F(CardImage, IsKeptOnTheScreen) {
  const QRect screen = Screen();
  struct Case {
    const char16_t* entry;
    QPoint press, topLeft;
  };
  const Case cases[] = {
      {u"card.jpg", {screen.right() - 4, 150}, {screen.right() + 1 - 300, 140}},  // 5 pixels from the right edge
      {u"card.jpg", {5, 3}, {0, 0}},
      {u"card.jpg", {100, screen.bottom()}, {90, screen.bottom() + 1 - 420}},
      {u"wide.jpg", {5, 5}, {-100, 0}},  // wider than the screen: its right edge on the screen's
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.press.x());
    window_.ShowCardImage(c.press.x(), c.press.y(), c.entry, true);
    FireTimer();
    EXPECT_EQ(window_.pos(), c.topLeft);
  }
}

TEST_F(CardImage, AFailedLookupHidesTheWindow) {
  for (const char16_t* entry : {u"missing.jpg", u"broken.jpg", u""}) {
    PopUp();
    window_.ShowCardImage(100, 150, entry, true);
    EXPECT_FALSE(window_.isVisible());
    EXPECT_FALSE(window_.Timer().isActive());
  }
  EXPECT_FALSE(window_.LoadImage(u"missing.jpg"));
  EXPECT_TRUE(window_.LoadImage(u"card.jpg"));
  EXPECT_FALSE(window_.isVisible());  // shown only by the timer
}

TEST_F(CardImage, AClickAKeyOrThePointerLeavingHidesIt) {
  const std::function<void(QWidget&)> dismissals[] = {
      [](QWidget& w) { QTest::mouseClick(&w, Qt::LeftButton); },
      [](QWidget& w) { QTest::mouseClick(&w, Qt::RightButton); },
      [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Space); },
      [](QWidget& w) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&w, &leave);
      },
  };
  for (const auto& dismiss : dismissals) {
    PopUp();
    dismiss(window_);
    EXPECT_FALSE(window_.isVisible());
  }
}

TEST_F(CardImage, HidingBeforeTheTimerFiresKeepsItHidden) {
  window_.ShowCardImage(100, 150, u"card.jpg", true);
  window_.ShowCardImage(0, 0, u"", false);
  EXPECT_FALSE(window_.Timer().isActive());
  EXPECT_FALSE(window_.isVisible());
  PopUp();
  window_.ShowCardImage(0, 0, u"", false);
  EXPECT_FALSE(window_.isVisible());
}
