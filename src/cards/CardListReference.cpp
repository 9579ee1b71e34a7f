#include "cards/CardListReference.h"

const TCardItem* TCardListReference::Find(std::u16string_view cardKey) const {
  const auto found = cards_.find(cardKey);
  return found == cards_.end() ? nullptr : &found->second;
}

TCardListReference::Map::iterator TCardListReference::PlaceFor(std::u16string_view cardKey) {
  // Card data files usually list their cards in key order: try the end first.
  if (cards_.empty() || std::prev(cards_.end())->first < cardKey) return cards_.end();
  return cards_.lower_bound(cardKey);
}

void TCardListReference::Absorb(TCardListReference&& other) {
  if (cards_.empty()) {
    cards_.swap(other.cards_);
    return;
  }
  while (!other.cards_.empty()) {
    auto node = other.cards_.extract(other.cards_.begin());
    const auto place = PlaceFor(node.key());
    if (place != cards_.end() && place->first == node.key()) {
      place->second = std::move(node.mapped());
    } else {
      cards_.insert(place, std::move(node));
    }
  }
}

void TCardListReference::Store(std::u16string_view cardKey, TCardItem&& card) {
  const auto place = PlaceFor(cardKey);
  if (place != cards_.end() && place->first == cardKey) {
    place->second = std::move(card);
  } else {
    cards_.emplace_hint(place, cardKey, std::move(card));
  }
}
