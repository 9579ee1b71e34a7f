#pragma once
// Card records: the values of one card by key.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The key of a card value. Every card repeats the same few keys, so each
// distinct key text is held once and shared by all cards that use it (a
// reference-counted entry of one table). Cards are built and read on the
// user-interface thread only.
class TValueKey {
 public:
  explicit TValueKey(std::u16string_view text);
  TValueKey(const TValueKey& other);
  TValueKey& operator=(const TValueKey& other);
  ~TValueKey();

  std::u16string_view Text() const;
  friend bool operator==(const TValueKey& a, const TValueKey& b) { return a.node_ == b.node_; }

  struct Node;  // an entry of the shared table

 private:
  Node* node_;
};

// A card: an ordered map from key to value text, keys in code-unit order. A
// missing key reads as the empty text. A record is a value: copying it copies
// all its values.
class TCardItem {
 public:
  // The stored value, or the empty text; the view lives until the card changes.
  std::u16string_view Value(std::u16string_view key) const;
  // The stored value without its markup tags (never fails, see PlainText).
  std::u16string PlainValue(std::u16string_view key) const;
  void SetValue(std::u16string_view key, std::u16string_view value);
  void SetValue(const TValueKey& key, std::u16string_view value);
  void Clear();

  // The stored values in key order.
  std::size_t Count() const { return entries_.size(); }
  std::u16string_view KeyAt(std::size_t index) const { return entries_[index].key.Text(); }
  std::u16string_view ValueAt(std::size_t index) const;

 private:
  struct Entry {
    TValueKey key;
    uint32_t offset;
    uint32_t length;
  };
  std::vector<Entry>::iterator LowerBound(std::u16string_view key);

  std::vector<Entry> entries_;  // ordered by key text
  std::u16string chars_;        // the values, one after the other
};
