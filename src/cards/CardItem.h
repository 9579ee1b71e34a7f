#pragma once
// Card records: the values of one card by key.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The keys of a card, distinct and in code-unit order. The cards of a game
// nearly all have the same keys, so cards share one list instead of each
// holding copies of its keys.
using TCardKeys = std::vector<std::u16string>;

// A card: an ordered map from key to value text, keys in code-unit order. A
// missing key reads as the empty text. A record is a value: copying it copies
// all its values.
class TCardItem {
 public:
  TCardItem() = default;
  // A card of the given keys with the values in the same order.
  TCardItem(std::shared_ptr<const TCardKeys> keys, const std::vector<std::u16string_view>& values);

  // The stored value, or the empty text; the view lives until the card changes.
  std::u16string_view Value(std::u16string_view key) const;
  // The stored value without its markup tags (never fails, see PlainText).
  std::u16string PlainValue(std::u16string_view key) const;
  void SetValue(std::u16string_view key, std::u16string_view value);
  void Clear();

  // The stored values in key order.
  std::size_t Count() const { return spans_.size(); }
  std::u16string_view KeyAt(std::size_t index) const { return (*keys_)[index]; }
  std::u16string_view ValueAt(std::size_t index) const;

 private:
  struct Span {
    uint32_t offset;
    uint32_t length;
  };
  // The position of the key in keys_, or of where it would go.
  std::size_t LowerBound(std::u16string_view key) const;

  std::shared_ptr<const TCardKeys> keys_;  // shared with other cards; never changed in place
  std::vector<Span> spans_;                // the value of each key, in chars_
  std::u16string chars_;                   // the values, one after the other
};

// A card's own copy limit, its plain "Limit" value read as an integer (0:
// none, the layer's item limit holds).
int32_t CardLimit(const TCardItem& card);
