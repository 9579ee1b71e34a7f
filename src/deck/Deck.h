#pragma once
// The deck: layers defined by the game definition, each holding card entries
// (a card key and a number of copies) within the layer's limits.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TIniFile;

class TDeckItem {
 public:
  explicit TDeckItem(std::u16string key, int32_t count = 0) : count_(count), key_(std::move(key)) {}
  const std::u16string& Key() const { return key_; }
  int32_t Count() const { return count_; }
  void SetCount(int32_t count) { count_ = count; }

  friend bool operator==(const TDeckItem&, const TDeckItem&) = default;

 private:
  int32_t count_ = 0;
  std::u16string key_;
};

class TDeckLayer {
 public:
  TDeckLayer(std::u16string name, int32_t totalLimit, int32_t itemLimit)
      : totalLimit_(totalLimit), itemLimit_(itemLimit), name_(std::move(name)) {}

  const std::u16string& Name() const { return name_; }
  int32_t TotalLimit() const { return totalLimit_; }
  int32_t ItemLimit() const { return itemLimit_; }

  int32_t EntryCount() const { return static_cast<int32_t>(entries_.size()); }
  const TDeckItem& Entry(int32_t index) const { return entries_[static_cast<std::size_t>(index)]; }
  const std::vector<TDeckItem>& Entries() const { return entries_; }
  // The layer's entries as they stood at another time (an undo), with its changed flag.
  void SetEntries(std::vector<TDeckItem> entries, bool changed);
  int32_t TotalCount() const { return totalCount_; }

  // Adds one copy: the entry's index, -1 when the total limit refuses, -2 when
  // the card's limit refuses (cardLimit, or the item limit when it is 0).
  int32_t Add(std::u16string_view key, int32_t cardLimit);
  // Adds up to `copies` copies, as that many Add (key, cardLimit) would up to
  // the first refusal, but at once (a deck file may ask for two billion): how
  // many were added.
  int32_t AddCopies(std::u16string_view key, int32_t copies, int32_t cardLimit = 0);
  // Takes one copy away: 1 when the entry remains, 0 when it went.
  int32_t Remove(int32_t index);
  // Exchanges two entries: 0, or -1 when either position is outside the
  // entries. A new order alone does not count as a change.
  int32_t Swap(int32_t a, int32_t b);
  int32_t IndexOf(std::u16string_view key) const;
  void Clear();

  int32_t SelectedRow() const { return selectedRow_; }
  void SetSelectedRow(int32_t row) { selectedRow_ = row; }
  bool IsChanged() const { return changed_; }
  void SetChanged(bool changed) { changed_ = changed; }

 private:
  std::vector<TDeckItem> entries_;
  int32_t totalLimit_;
  int32_t itemLimit_;
  int32_t totalCount_ = 0;
  std::u16string name_;
  int32_t selectedRow_ = -1;
  bool changed_ = false;
};

class TDeckData {
 public:
  // Appends one layer per layer section of the game definition; always true.
  // A DeckLayerFormat that is not one integer conversion defines no layer.
  bool Load(const std::u16string& fileName);
  bool Load(TIniFile& file);

  int32_t LayerCount() const { return static_cast<int32_t>(layers_.size()); }
  TDeckLayer& Layer(int32_t index) { return layers_[static_cast<std::size_t>(index)]; }
  const TDeckLayer& Layer(int32_t index) const { return layers_[static_cast<std::size_t>(index)]; }
  const std::u16string& LayerSectionFormat() const { return layerSectionFormat_; }

  bool IsChanged() const;
  void SetChanged(bool changed);
  void RemoveLayers() { layers_.clear(); }
  void ClearEntries();

 private:
  std::vector<TDeckLayer> layers_;
  std::u16string layerSectionFormat_;
};
