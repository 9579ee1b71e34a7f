#pragma once
// The make-up of a deck by one card parameter: how many copies carry each
// value. Number parameters count per number, in numeric order, with the
// average; every other parameter counts per value, letter case ignored, in the
// order of its values.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TCardListReference;
class TCardParamItem;
class TDeckData;

struct TStatsGroup {
  std::u16string value;  // as the first card of the group has it (markup removed)
  int64_t copies = 0;

  friend bool operator==(const TStatsGroup&, const TStatsGroup&) = default;
};

struct TDeckStats {
  std::vector<TStatsGroup> groups;  // numbers first in numeric order, then other values
  bool numeric = false;             // a number parameter
  int64_t copies = 0;
  std::optional<double> average;    // of the copies whose value is a number
};

// The stats of one layer, or of the whole deck for layer -1. A card that the
// catalogue does not hold counts with the empty value.
TDeckStats ComputeDeckStats(const TDeckData& deck, int32_t layer, const TCardListReference& cards,
                            const TCardParamItem& param);
