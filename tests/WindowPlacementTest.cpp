#include <gtest/gtest.h>

#include <climits>

#include "common/WindowPlacement.h"

void PrintTo(const TBounds& b, std::ostream* out) { *out << b.left << "," << b.top << " " << b.width << "x" << b.height; }

TEST(WindowPlacement, KeepsWhatIsReachableAndMovesTheRestOntoThePrimaryScreen) {
  // A primary screen with a panel at the top, and a second screen to its right.
  const std::vector<TBounds> one = {{0, 30, 1920, 1050}};
  const std::vector<TBounds> two = {{0, 30, 1920, 1050}, {1920, 0, 1280, 1024}};
  struct Case {
    const char* what;
    const std::vector<TBounds>& screens;
    TBounds stored;
    TBounds placed;
  };
  const Case cases[] = {
      {"the defaults", one, {0, 0, 800, 600}, {0, 30, 800, 600}},  // the title bar under the panel
      {"half the title bar on the screen", one, {0, 18, 800, 600}, {0, 18, 800, 600}},
      {"on the primary screen", one, {100, 200, 800, 600}, {100, 200, 800, 600}},
      {"mostly off to the right", one, {1900, 200, 800, 600}, {1120, 200, 800, 600}},  // 20 pixels are too few to grab
      {"grabbable at the right edge", one, {1872, 200, 800, 600}, {1872, 200, 800, 600}},
      {"an unplugged monitor", one, {-5000, 100, 800, 600}, {0, 100, 800, 600}},
      {"on the second monitor", two, {2500, 500, 600, 400}, {2500, 500, 600, 400}},
      {"across both monitors", two, {1000, 100, 2000, 800}, {1000, 100, 2000, 800}},
      {"below the second monitor", two, {2500, 1040, 600, 400}, {1320, 680, 600, 400}},
      {"title bar above the screen", one, {10, -20, 800, 600}, {10, 30, 800, 600}},
      {"huge", one, {0, 40, INT_MAX, INT_MAX}, {0, 40, 1920, 1050}},
      {"huge over two", two, {0, 40, INT_MAX, INT_MAX}, {0, 40, 3200, 1080}},
      {"extreme corner", one, {INT_MIN, INT_MAX, 800, 600}, {0, 480, 800, 600}},
      {"extreme everything", two, {INT_MAX, INT_MIN, INT_MIN, INT_MAX}, {1920, 30, 0, 1050}},
      {"no width", one, {-100, 100, 0, 0}, {0, 100, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(PlaceWindow(c.stored, c.screens), c.placed);
  }
  EXPECT_EQ(PlaceWindow({-5000, 5, 10, 10}, {}), (TBounds{-5000, 5, 10, 10}));  // no screen to know better
}

TEST(WindowPlacement, SplitterPartsStayWithinTheTotal) {
  struct Case {
    int32_t total, second, first, kept;
  };
  const Case cases[] = {
      {600, 200, 400, 200}, {600, 0, 600, 0},           {600, 600, 0, 600},
      {600, 900, 0, 600},   {600, INT_MIN, 600, 0},     {600, INT_MAX, 0, 600},
      {0, 200, 0, 0},       {-5, 200, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitterParts(c.total, c.second), std::make_pair(c.first, c.kept)) << c.total << " " << c.second;
  }
}
