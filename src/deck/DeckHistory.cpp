#include "deck/DeckHistory.h"

#include <algorithm>

namespace {

// The same cards in the same numbers: an order of its own does not count as a
// change of a layer, as moving an entry does not.
bool SameCards(std::vector<TDeckItem> a, std::vector<TDeckItem> b) {
  const auto byKey = [](const TDeckItem& x, const TDeckItem& y) { return x.Key() < y.Key(); };
  std::sort(a.begin(), a.end(), byKey);
  std::sort(b.begin(), b.end(), byKey);
  return a == b;
}

// The first row at which two versions of a layer differ.
int32_t FirstDifference(const std::vector<TDeckItem>& from, const std::vector<TDeckItem>& to) {
  const auto [at, ignored] = std::mismatch(to.begin(), to.end(), from.begin(), from.end());
  const auto row = static_cast<int32_t>(at - to.begin());
  return std::min(row, static_cast<int32_t>(to.size()) - 1);  // an entry that went: the row before it
}

}  // namespace

TDeckHistory::State TDeckHistory::Take(const TDeckData& deck) {
  State state;
  for (int32_t i = 0; i < deck.LayerCount(); ++i) {
    state.layers.push_back(deck.Layer(i).Entries());
    state.changed.push_back(deck.Layer(i).IsChanged());
  }
  return state;
}

void TDeckHistory::Reset(const TDeckData& deck) {
  states_.assign(1, Take(deck));
  current_ = 0;
  MarkSaved(deck);
}

void TDeckHistory::Record(const TDeckData& deck) {
  states_.resize(current_ + 1);
  if (savedStep_ && *savedStep_ > current_) savedStep_.reset();
  states_.push_back(Take(deck));
  current_ = states_.size() - 1;
}

void TDeckHistory::MarkSaved(const TDeckData& deck) {
  if (states_.empty()) states_.push_back(Take(deck));
  savedStep_ = current_;
  saved_ = states_[current_].layers;
  std::fill(states_[current_].changed.begin(), states_[current_].changed.end(), false);
}

std::optional<TDeckPlace> TDeckHistory::Undo(TDeckData& deck) {
  if (!CanUndo()) return std::nullopt;
  return MoveTo(current_ - 1, deck);
}

std::optional<TDeckPlace> TDeckHistory::Redo(TDeckData& deck) {
  if (!CanRedo()) return std::nullopt;
  return MoveTo(current_ + 1, deck);
}

TDeckPlace TDeckHistory::MoveTo(std::size_t step, TDeckData& deck) {
  const State& from = states_[current_];
  const State& to = states_[step];
  TDeckPlace place;
  bool placed = false;
  const auto layers = std::min<std::size_t>(to.layers.size(), static_cast<std::size_t>(deck.LayerCount()));
  for (std::size_t i = 0; i < layers; ++i) {
    const bool atSaved = savedStep_ == step;
    const bool changed = !atSaved && (to.changed[i] || i >= saved_.size() || !SameCards(to.layers[i], saved_[i]));
    if (!placed && to.layers[i] != from.layers[i]) {
      place = {static_cast<int32_t>(i), FirstDifference(from.layers[i], to.layers[i])};
      placed = true;
    }
    deck.Layer(static_cast<int32_t>(i)).SetEntries(to.layers[i], changed);
  }
  current_ = step;
  return place;
}
