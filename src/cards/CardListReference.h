#pragma once
// The card database: every card of the loaded game by card key, in code-unit
// order of the keys.

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "cards/CardItem.h"

class TCardListReference {
 public:
  using Map = std::map<std::u16string, TCardItem, std::less<>>;

  // The card stored under the key (compared exactly), or none. It stays valid
  // until the database is cleared.
  const TCardItem* Find(std::u16string_view cardKey) const;
  // Stores a copy; a card already under the key is replaced entirely.
  void Store(std::u16string_view cardKey, const TCardItem& card);
  void Clear() { cards_.clear(); }

  std::size_t Count() const { return cards_.size(); }
  Map::const_iterator begin() const { return cards_.begin(); }
  Map::const_iterator end() const { return cards_.end(); }

 private:
  Map cards_;
};
