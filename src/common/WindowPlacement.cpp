#include "common/WindowPlacement.h"

#include <algorithm>

namespace {

struct Span {
  int64_t begin;
  int64_t end;
};

int64_t Overlap(Span a, Span b) { return std::max<int64_t>(0, std::min(a.end, b.end) - std::max(a.begin, b.begin)); }

Span Horizontal(const TBounds& b) { return {b.left, int64_t{b.left} + b.width}; }
Span Vertical(const TBounds& b) { return {b.top, int64_t{b.top} + b.height}; }

// Enough of the title bar (the strip along the window's top edge) lies on the screen to grab it.
bool TitleBarOn(const TBounds& window, const TBounds& screen) {
  const Span bar{window.top, int64_t{window.top} + kTitleBarHeight};
  return Overlap(Horizontal(window), Horizontal(screen)) >= std::clamp(window.width, 1, kGripWidth) &&
         Overlap(bar, Vertical(screen)) >= kTitleBarHeight / 2;
}

// An edge moved as little as it must for a window of `size` to lie within [begin, end).
int32_t Within(int32_t edge, int32_t size, Span room) {
  return static_cast<int32_t>(std::clamp<int64_t>(edge, room.begin, std::max(room.begin, room.end - size)));
}

}  // namespace

TBounds PlaceWindow(const TBounds& stored, const std::vector<TBounds>& screens) {
  if (screens.empty()) return stored;
  Span across = Horizontal(screens.front());
  Span down = Vertical(screens.front());
  for (const TBounds& screen : screens) {
    across = {std::min(across.begin, Horizontal(screen).begin), std::max(across.end, Horizontal(screen).end)};
    down = {std::min(down.begin, Vertical(screen).begin), std::max(down.end, Vertical(screen).end)};
  }
  TBounds placed = stored;
  placed.width = static_cast<int32_t>(std::clamp<int64_t>(stored.width, 0, across.end - across.begin));
  placed.height = static_cast<int32_t>(std::clamp<int64_t>(stored.height, 0, down.end - down.begin));
  if (std::any_of(screens.begin(), screens.end(), [&](const TBounds& screen) { return TitleBarOn(placed, screen); })) {
    return placed;
  }
  const TBounds& primary = screens.front();
  placed.width = std::min(placed.width, primary.width);
  placed.height = std::min(placed.height, primary.height);
  placed.left = Within(placed.left, placed.width, Horizontal(primary));
  placed.top = Within(placed.top, placed.height, Vertical(primary));
  return placed;
}

std::pair<int32_t, int32_t> SplitterParts(int32_t total, int32_t second) {
  total = std::max(0, total);
  second = std::clamp(second, 0, total);
  return {total - second, second};
}
