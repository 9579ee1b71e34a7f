#include "deck/Deck.h"

#include <algorithm>
#include <limits>

#include "common/SectionPattern.h"
#include "gamedef/IniFile.h"

int32_t TDeckLayer::Add(std::u16string_view key, int32_t cardLimit) {
  if (totalCount_ >= totalLimit_) return -1;
  const int32_t found = IndexOf(key);
  const int32_t count = found < 0 ? 0 : entries_[static_cast<std::size_t>(found)].Count();
  const int32_t limit = cardLimit != 0 ? cardLimit : itemLimit_;
  if (count >= limit) return -2;
  if (found < 0) entries_.emplace_back(std::u16string(key));
  const int32_t index = found < 0 ? EntryCount() - 1 : found;
  entries_[static_cast<std::size_t>(index)].SetCount(count + 1);
  ++totalCount_;
  changed_ = true;
  return index;
}

int32_t TDeckLayer::AddCopies(std::u16string_view key, int32_t copies, int32_t cardLimit) {
  const int32_t found = IndexOf(key);
  const int64_t count = found < 0 ? 0 : entries_[static_cast<std::size_t>(found)].Count();
  const int64_t limit = cardLimit != 0 ? cardLimit : itemLimit_;
  const int64_t added = std::min({int64_t{copies}, int64_t{totalLimit_} - totalCount_, limit - count});
  if (added <= 0) return 0;
  if (found < 0) entries_.emplace_back(std::u16string(key));
  TDeckItem& entry = found < 0 ? entries_.back() : entries_[static_cast<std::size_t>(found)];
  entry.SetCount(static_cast<int32_t>(count + added));
  totalCount_ += static_cast<int32_t>(added);
  changed_ = true;
  return static_cast<int32_t>(added);
}

void TDeckLayer::SetEntries(std::vector<TDeckItem> entries, bool changed) {
  entries_ = std::move(entries);
  totalCount_ = 0;
  for (const TDeckItem& entry : entries_) totalCount_ += entry.Count();
  changed_ = changed;
}

int32_t TDeckLayer::Remove(int32_t index) {
  TDeckItem& entry = entries_[static_cast<std::size_t>(index)];
  entry.SetCount(entry.Count() - 1);
  --totalCount_;
  changed_ = true;
  if (entry.Count() > 0) return 1;
  entries_.erase(entries_.begin() + index);
  return 0;
}

int32_t TDeckLayer::Swap(int32_t a, int32_t b) {
  if (a < 0 || b < 0 || a >= EntryCount() || b >= EntryCount()) return -1;
  std::swap(entries_[static_cast<std::size_t>(a)], entries_[static_cast<std::size_t>(b)]);
  return 0;
}

int32_t TDeckLayer::IndexOf(std::u16string_view key) const {
  const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const TDeckItem& item) { return item.Key() == key; });
  return found == entries_.end() ? -1 : static_cast<int32_t>(found - entries_.begin());
}

void TDeckLayer::Clear() {
  entries_.clear();
  totalCount_ = 0;
  selectedRow_ = -1;
  changed_ = false;
}

bool TDeckData::Load(const std::u16string& fileName) {
  TIniFile file(fileName);
  return Load(file);
}

bool TDeckData::Load(TIniFile& file) {
  layerSectionFormat_ = file.ReadString(u"System", u"DeckLayerFormat", u"DeckLayer%02d");
  const auto names = SectionPattern::Parse(layerSectionFormat_);
  for (int32_t n = 0; names && n < std::numeric_limits<int32_t>::max(); ++n) {
    const std::u16string section = names->Format(n);
    std::u16string name = file.ReadString(section, u"Name", u"");
    const int32_t totalLimit = file.ReadInteger(section, u"TotalLimit", -1);
    const int32_t itemLimit = file.ReadInteger(section, u"ItemLimit", -1);
    if (name.empty() || totalLimit == -1 || itemLimit == -1) break;
    layers_.emplace_back(std::move(name), totalLimit, itemLimit);
  }
  return true;
}

bool TDeckData::IsChanged() const {
  return std::any_of(layers_.begin(), layers_.end(), [](const TDeckLayer& layer) { return layer.IsChanged(); });
}

void TDeckData::SetChanged(bool changed) {
  for (TDeckLayer& layer : layers_) layer.SetChanged(changed);
}

void TDeckData::ClearEntries() {
  for (TDeckLayer& layer : layers_) layer.Clear();
  SetChanged(false);
}
