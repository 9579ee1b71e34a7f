#pragma once
// The distinct values of a card parameter: texts that differ only in letter case
// count as one, and the form met first stays. A game may hold 100,000 cards and
// as many distinct values per parameter, so the texts are collected by hashing
// into one flat table and packed storage, and put in order once, when asked.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class DistinctTexts {
 public:
  void Add(std::u16string_view text);
  // For adding a text a little later: its hash, and a hint to the processor
  // to fetch the place where it will be looked for.
  static uint32_t Hash(std::u16string_view text);
  void Prefetch(uint32_t hash) const {
    if (!slots_.empty()) __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
  }
  void Add(std::u16string_view text, uint32_t hash);
  // Adds the other collection's texts in the order they were met there.
  void AddAll(DistinctTexts&& other);

  // Ascending order ignoring letter case. The views stay valid as long as the
  // collection lives.
  const std::vector<std::u16string_view>& Sorted() const;
  std::size_t Count() const { return texts_.size(); }

 private:
  struct Slot {
    uint32_t hash;
    uint32_t index;  // position in texts_ plus 1; 0 for a free slot
  };
  std::u16string_view Store(std::u16string_view text);
  void Grow();

  std::vector<Slot> slots_;                   // open addressing, at most half full
  std::vector<std::u16string_view> texts_;    // in the order they were first met
  std::vector<uint32_t> hashes_;              // of each text, for adding them elsewhere
  std::vector<std::u16string> chunks_;        // the characters; chunks never move
  mutable std::vector<std::u16string_view> sorted_;
  mutable bool sortedIsCurrent_ = true;
};
