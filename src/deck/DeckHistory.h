#pragma once
// The undo history of the deck: the deck as it stood after each change, for
// as long as one game stays loaded. Undoing back to the deck as it was last
// saved or loaded clears the changed mark.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "deck/Deck.h"

// Where a step of the history changed the deck: the layer, and the entry row
// to select there (-1 when the layer has none left).
struct TDeckPlace {
  int32_t layer = 0;
  int32_t row = -1;

  friend bool operator==(const TDeckPlace&, const TDeckPlace&) = default;
};

class TDeckHistory {
 public:
  // Starts anew with the deck as it is, which counts as saved.
  void Reset(const TDeckData& deck);
  // The deck after a change becomes the newest step; steps that were undone are gone.
  void Record(const TDeckData& deck);
  // The deck as it is now matches its file (saved or loaded) or is a new deck.
  void MarkSaved(const TDeckData& deck);

  bool CanUndo() const { return current_ > 0; }
  bool CanRedo() const { return current_ + 1 < states_.size(); }
  // Puts the deck one step back or forward and answers where it changed;
  // nothing when there is no such step.
  std::optional<TDeckPlace> Undo(TDeckData& deck);
  std::optional<TDeckPlace> Redo(TDeckData& deck);

 private:
  using Layers = std::vector<std::vector<TDeckItem>>;
  struct State {
    Layers layers;
    std::vector<bool> changed;  // each layer's changed flag as the deck had it
  };

  static State Take(const TDeckData& deck);
  TDeckPlace MoveTo(std::size_t step, TDeckData& deck);

  std::vector<State> states_;
  std::size_t current_ = 0;
  std::optional<std::size_t> savedStep_;  // none when that step was undone and replaced
  Layers saved_;                          // the deck as saved, to tell a changed layer from an unchanged one
};
