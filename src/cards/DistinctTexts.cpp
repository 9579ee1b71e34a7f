#include "cards/DistinctTexts.h"

#include <algorithm>

#include "common/Text.h"

namespace {

constexpr std::size_t kChunkChars = 32 * 1024;

}  // namespace

uint32_t DistinctTexts::Hash(std::u16string_view text) {
  const std::size_t hash = IgnoreCaseHash{}(text);
  return static_cast<uint32_t>(hash ^ (hash >> 32));
}

void DistinctTexts::Add(std::u16string_view text) { Add(text, Hash(text)); }

void DistinctTexts::Add(std::u16string_view text, uint32_t hash) {
  if (texts_.size() * 2 >= slots_.size()) Grow();
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = hash & mask;
  for (; slots_[at].index != 0; at = (at + 1) & mask) {
    if (slots_[at].hash == hash && EqualsIgnoreCase(texts_[slots_[at].index - 1], text)) return;
  }
  texts_.push_back(Store(text));
  hashes_.push_back(hash);
  slots_[at] = Slot{hash, static_cast<uint32_t>(texts_.size())};
  sortedIsCurrent_ = false;
}

void DistinctTexts::AddAll(DistinctTexts&& other) {
  if (texts_.empty()) {
    *this = std::move(other);  // the chunks move whole, so the views stay valid
    return;
  }
  for (std::size_t i = 0; i < other.texts_.size(); ++i) Add(other.texts_[i], other.hashes_[i]);
}

std::u16string_view DistinctTexts::Store(std::u16string_view text) {
  if (chunks_.empty() || chunks_.back().capacity() - chunks_.back().size() < text.size()) {
    chunks_.emplace_back();
    chunks_.back().reserve(std::max(kChunkChars, text.size()));
  }
  std::u16string& chunk = chunks_.back();
  const std::size_t start = chunk.size();
  chunk.append(text);  // within the reserved capacity: the chunk does not move
  return std::u16string_view(chunk).substr(start, text.size());
}

void DistinctTexts::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(std::max<std::size_t>(16, old.size() * 2), Slot{0, 0});
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.index == 0) continue;
    std::size_t at = slot.hash & mask;
    while (slots_[at].index != 0) at = (at + 1) & mask;
    slots_[at] = slot;
  }
}

const std::vector<std::u16string_view>& DistinctTexts::Sorted() const {
  if (!sortedIsCurrent_) {
    sorted_ = texts_;
    std::sort(sorted_.begin(), sorted_.end(),
              [](std::u16string_view a, std::u16string_view b) { return CompareIgnoreCase(a, b) < 0; });
    sortedIsCurrent_ = true;
  }
  return sorted_;
}
