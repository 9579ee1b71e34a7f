#include "cards/CardItem.h"

#include <algorithm>

#include "cards/Markup.h"
#include "common/Text.h"

TCardItem::TCardItem(std::shared_ptr<const TCardKeys> keys, const std::vector<std::u16string_view>& values)
    : keys_(std::move(keys)) {
  std::size_t characters = 0;
  for (std::u16string_view value : values) characters += value.size();
  spans_.reserve(values.size());
  chars_.reserve(characters);
  for (std::u16string_view value : values) {
    spans_.push_back(Span{static_cast<uint32_t>(chars_.size()), static_cast<uint32_t>(value.size())});
    chars_.append(value);
  }
}

std::size_t TCardItem::LowerBound(std::u16string_view key) const {
  if (keys_ == nullptr) return 0;
  return static_cast<std::size_t>(std::lower_bound(keys_->begin(), keys_->end(), key) - keys_->begin());
}

std::u16string_view TCardItem::Value(std::u16string_view key) const {
  const std::size_t index = LowerBound(key);
  if (index == spans_.size() || (*keys_)[index] != key) return {};
  return ValueAt(index);
}

std::u16string_view TCardItem::ValueAt(std::size_t index) const {
  return std::u16string_view(chars_).substr(spans_[index].offset, spans_[index].length);
}

std::u16string TCardItem::PlainValue(std::u16string_view key) const { return PlainText(Value(key)); }

void TCardItem::SetValue(std::u16string_view key, std::u16string_view value) {
  const std::size_t index = LowerBound(key);
  if (index == spans_.size() || (*keys_)[index] != key) {
    // A new key: this card gets a list of keys of its own.
    auto keys = std::make_shared<TCardKeys>(keys_ != nullptr ? *keys_ : TCardKeys());
    keys->insert(keys->begin() + static_cast<std::ptrdiff_t>(index), std::u16string(key));
    keys_ = std::move(keys);
    spans_.insert(spans_.begin() + static_cast<std::ptrdiff_t>(index), Span{0, 0});
  }
  Span& span = spans_[index];
  // A value that fits where the old one stood replaces it in place.
  if (value.size() > span.length) {
    span.offset = static_cast<uint32_t>(chars_.size());
    chars_.append(value);
  } else {
    chars_.replace(span.offset, value.size(), value);
  }
  span.length = static_cast<uint32_t>(value.size());
}

void TCardItem::Clear() {
  keys_.reset();
  spans_.clear();
  chars_.clear();
}

int32_t CardLimit(const TCardItem& card) { return TextToInt(card.PlainValue(u"Limit")); }
