#include "cards/CardItem.h"

#include <algorithm>
#include <unordered_map>

#include "cards/Markup.h"
#include "common/Text.h"

struct TValueKey::Node {
  std::u16string text;
  std::size_t references = 0;
};

namespace {

using KeyTable = std::unordered_map<std::u16string_view, TValueKey::Node*, TextHash, TextEqual>;

// Never destroyed, so that cards in static storage may outlive it safely.
KeyTable& Keys() {
  static KeyTable* table = new KeyTable;
  return *table;
}

}  // namespace

TValueKey::TValueKey(std::u16string_view text) {
  KeyTable& keys = Keys();
  const auto found = keys.find(text);
  if (found != keys.end()) {
    node_ = found->second;
  } else {
    node_ = new Node{std::u16string(text)};
    keys.emplace(node_->text, node_);
  }
  ++node_->references;
}

TValueKey::TValueKey(const TValueKey& other) : node_(other.node_) { ++node_->references; }

TValueKey& TValueKey::operator=(const TValueKey& other) {
  TValueKey copy(other);
  std::swap(node_, copy.node_);
  return *this;
}

TValueKey::~TValueKey() {
  if (--node_->references == 0) {
    Keys().erase(node_->text);
    delete node_;
  }
}

std::u16string_view TValueKey::Text() const { return node_->text; }

std::vector<TCardItem::Entry>::iterator TCardItem::LowerBound(std::u16string_view key) {
  return std::lower_bound(entries_.begin(), entries_.end(), key,
                          [](const Entry& entry, std::u16string_view text) { return entry.key.Text() < text; });
}

std::u16string_view TCardItem::Value(std::u16string_view key) const {
  const auto found = const_cast<TCardItem*>(this)->LowerBound(key);
  if (found == entries_.end() || found->key.Text() != key) return {};
  return std::u16string_view(chars_).substr(found->offset, found->length);
}

std::u16string_view TCardItem::ValueAt(std::size_t index) const {
  return std::u16string_view(chars_).substr(entries_[index].offset, entries_[index].length);
}

std::u16string TCardItem::PlainValue(std::u16string_view key) const { return PlainText(Value(key)); }

void TCardItem::SetValue(std::u16string_view key, std::u16string_view value) { SetValue(TValueKey(key), value); }

void TCardItem::SetValue(const TValueKey& key, std::u16string_view value) {
  auto found = LowerBound(key.Text());
  if (found == entries_.end() || !(found->key == key)) {
    found = entries_.insert(found, Entry{key, 0, 0});
  }
  // A value that fits where the old one stood replaces it in place.
  if (value.size() > found->length) {
    found->offset = static_cast<uint32_t>(chars_.size());
    chars_.append(value);
  } else {
    chars_.replace(found->offset, value.size(), value);
  }
  found->length = static_cast<uint32_t>(value.size());
}

void TCardItem::Clear() {
  entries_.clear();
  chars_.clear();
}
