// Window tests: one application object for all tests, set up as the program
// sets up its own, on the offscreen platform unless a display is asked for,
// with fixed 96 dpi so that font metrics repeat.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "app/Application.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_FONT_DPI", "96", 1);
  QApplication application(argc, argv);
  ConfigureApplication(application);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
