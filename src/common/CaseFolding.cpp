#include "common/CaseFolding.h"

namespace {

struct FoldRun {
  char32_t first;
  char32_t last;
  int32_t distance;
  int32_t step;  // 1: every code point of the run folds; 2: every other one
};

constexpr FoldRun kRuns[] = {
#include "common/CaseFoldingRuns.inc"
};

constexpr bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

constexpr std::array<char16_t, 0x10000> MakeFoldedUnits() {
  std::array<char16_t, 0x10000> units{};
  for (char32_t c = 0; c < 0x10000; ++c) units[c] = static_cast<char16_t>(IsSurrogate(c) ? 0xD800 : c);
  for (const FoldRun& run : kRuns) {
    for (char32_t c = run.first; c <= run.last && c < 0x10000; c += static_cast<char32_t>(run.step)) {
      units[c] = static_cast<char16_t>(static_cast<int32_t>(c) + run.distance);
    }
  }
  return units;
}

}  // namespace

constinit const std::array<char16_t, 0x10000> kFoldedUnits = MakeFoldedUnits();

char32_t FoldCase(char32_t c) {
  if (IsSurrogate(c)) return c;  // a lone half of a pair is itself
  if (c < 0x10000) return kFoldedUnits[c];
  for (const FoldRun& run : kRuns) {
    if (c >= run.first && c <= run.last && (c - run.first) % static_cast<char32_t>(run.step) == 0) {
      return static_cast<char32_t>(static_cast<int32_t>(c) + run.distance);
    }
  }
  return c;
}
