#pragma once
// Where a window opens when its stored bounds may come from another desktop
// (a monitor that was unplugged) or from a damaged settings file: worked out
// apart from any window, in 64-bit arithmetic, so that no stored number can
// overflow it.

#include <cstdint>
#include <utility>
#include <vector>

struct TBounds {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;

  friend bool operator==(const TBounds&, const TBounds&) = default;
};

// The window's outer bounds made reachable on the screens (their available
// areas, the primary screen first). The size is cut to the room of all
// screens together; a window whose title bar lies on some screen stays
// exactly where it is, one whose title bar is on none moves onto the primary
// screen (as little as it must) and is cut to its size.
TBounds PlaceWindow(const TBounds& stored, const std::vector<TBounds>& screens);

// The height of a title bar, and how much of it the pointer needs to grab it.
inline constexpr int32_t kTitleBarHeight = 24;
inline constexpr int32_t kGripWidth = 48;

// The two parts of a splitter of `total` pixels whose second part should be
// `second` pixels: each part between 0 and the total.
std::pair<int32_t, int32_t> SplitterParts(int32_t total, int32_t second);
