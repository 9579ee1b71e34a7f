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
  void Store(std::u16string_view cardKey, const TCardItem& card) { Store(cardKey, TCardItem(card)); }
  void Store(std::u16string_view cardKey, TCardItem&& card);
  // Stores every card of the other database, in its key order, as Store
  // would, and leaves the other one empty.
  void Absorb(TCardListReference&& other);
  void Clear() { cards_.clear(); }

  std::size_t Count() const { return cards_.size(); }
  Map::const_iterator begin() const { return cards_.begin(); }
  Map::const_iterator end() const { return cards_.end(); }

 private:
  Map::iterator PlaceFor(std::u16string_view cardKey);

  Map cards_;
};
