#pragma once
// The card list result: the cards that the card list shows, in row order, as
// references into the card database.

#include <cstdint>
#include <string>
#include <vector>

class TCardItem;

class TCardListResult {
 public:
  void Clear() { cards_.clear(); }
  void Append(const TCardItem* card) { cards_.push_back(card); }
  int32_t Count() const { return static_cast<int32_t>(cards_.size()); }
  // Callers pass only 0 <= row < Count.
  const TCardItem* CardAt(int32_t row) const { return cards_[static_cast<std::size_t>(row)]; }

  // A stable sort by the cards' plain values for the keys, concatenated and
  // compared by code unit; equal cards keep their order in both directions.
  // Answers -1 and leaves the order for an empty key list, else 0.
  int32_t Sort(const std::vector<std::u16string>& keys, bool descending);

 private:
  std::vector<const TCardItem*> cards_;
};
