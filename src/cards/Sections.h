#pragma once
// Column sections: the columns of the card list and of the deck list, read
// from the game definition and written back when the user changes them.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TIniFile;
class TCardParams;

class TSectionItem {
 public:
  // Keys are the comma-list split of keyText; the width is kept as given.
  TSectionItem(std::u16string name, std::u16string_view keyText, int32_t width, bool visible);

  const std::vector<std::u16string>& Keys() const { return keys_; }
  int32_t Width() const { return width_; }
  void SetWidth(int32_t width) { width_ = width < 0 ? 0 : width; }
  const std::u16string& Name() const { return name_; }
  void SetName(std::u16string name) { name_ = std::move(name); }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }

 private:
  std::vector<std::u16string> keys_;
  int32_t width_;
  std::u16string name_;
  bool visible_;
};

class TSectionList {
 public:
  // Appends the sections named by the pattern with n = 0, 1, ... up to the
  // first without Key, and answers Count. A pattern that is not one integer
  // conversion names no section.
  int32_t Load(const std::u16string& fileName, std::u16string_view pattern);
  int32_t Load(TIniFile& file, std::u16string_view pattern);
  // Writes Key, Width and Visibled of every section (Name is never written).
  // A failed write throws EIniFileException and ends the save there.
  void Save(const std::u16string& fileName, std::u16string_view pattern) const;
  void Save(TIniFile& file, std::u16string_view pattern) const;

  void Add(std::unique_ptr<TSectionItem> section) { items_.push_back(std::move(section)); }
  void Clear() { items_.clear(); }
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  TSectionItem* Item(int32_t index) const { return items_[static_cast<std::size_t>(index)].get(); }
  int32_t VisibleCount() const;
  // The n-th visible section, or none when there are not that many.
  TSectionItem* VisibleItem(int32_t n) const;

 private:
  std::vector<std::unique_ptr<TSectionItem>> items_;
};

// Completion after loading: a card list without sections, and a deck list
// without visible ones, get columns generated from the schema (the card key
// first, then every parameter that is neither the card key nor a text key);
// empty captions (and "0" in the card list) are filled in from the schema.
void CompleteCardSections(TSectionList& sections, const TCardParams& params, std::u16string_view uniqueKey,
                          const std::vector<std::u16string>& textKeys);
void CompleteDeckSections(TSectionList& sections, const TCardParams& params, std::u16string_view uniqueKey,
                          const std::vector<std::u16string>& textKeys);
