#include "cards/CardListReference.h"

const TCardItem* TCardListReference::Find(std::u16string_view cardKey) const {
  const auto found = cards_.find(cardKey);
  return found == cards_.end() ? nullptr : &found->second;
}

void TCardListReference::Store(std::u16string_view cardKey, const TCardItem& card) {
  // Card data files usually list their cards in key order: try the end first.
  auto place = cards_.end();
  if (!cards_.empty() && !(std::prev(place)->first < cardKey)) place = cards_.lower_bound(cardKey);
  if (place != cards_.end() && place->first == cardKey) {
    place->second = card;
  } else {
    cards_.emplace_hint(place, cardKey, card);
  }
}
