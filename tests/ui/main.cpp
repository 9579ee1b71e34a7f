// Window tests: one application object for all tests, set up as the program
// sets up its own, on the offscreen platform with two screens unless a display
// is asked for, with fixed 96 dpi so that font metrics repeat.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <string_view>

#include "app/Application.h"

int main(int argc, char** argv) {
  // Two screens side by side, as the offscreen platform's configuration gives them.
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform == nullptr || std::string_view(platform) == "offscreen") {
    setenv("QT_QPA_PLATFORM", "offscreen:configfile=" SCREENS_FILE, 1);
  }
  setenv("QT_FONT_DPI", "96", 1);
  QApplication application(argc, argv);
  ConfigureApplication();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
