#pragma once
// The card parameter schema of a game definition: the parameters that cards
// have, each with its display name and its kind of search criterion.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cards/DistinctTexts.h"

class TIniFile;

class TCardParamItem {
 public:
  // Kinds of search criterion; any other value offers none.
  enum : int32_t { kNone = 0, kText = 1, kRange = 2, kChoice = 3, kEndOfList = -1 };

  TCardParamItem(std::u16string key, std::u16string name, int32_t type);

  const std::u16string& Key() const { return key_; }
  const std::u16string& Name() const { return name_; }
  int32_t Type() const { return type_; }
  int32_t Index() const { return index_; }
  void SetIndex(int32_t index) { index_ = index; }
  int32_t Width() const { return width_; }
  void SetWidth(int32_t width) { width_ = width; }
  const std::u16string& Format() const { return format_; }
  void SetFormat(std::u16string format) { format_ = std::move(format); }

  // Every distinct value that the cards hold for this key, in ascending order
  // ignoring letter case. Values that differ only in letter case count as one,
  // in the form met first.
  const std::vector<std::u16string_view>& Values() const { return values_.Sorted(); }
  void AddValue(std::u16string_view value) { values_.Add(value); }
  // Adds values collected apart (in the order they were met), as AddValue would.
  void AddValues(DistinctTexts&& values) { values_.AddAll(std::move(values)); }

 private:
  std::u16string key_;
  std::u16string name_;
  int32_t type_;
  int32_t index_ = 0;
  int32_t width_ = 100;
  std::u16string format_;
  DistinctTexts values_;
};

class TCardParams {
 public:
  // Appends the parameters of the sections Param00, Param01, ... up to the
  // first one without Key or Name or with Type -1. Always true.
  bool Load(const std::u16string& fileName);
  bool Load(TIniFile& file);
  void Clear() { items_.clear(); }

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // The parameter at the position, or none outside 0 to Count - 1.
  TCardParamItem* Item(int32_t index) const;
  // The first parameter whose key equals the text exactly, or none.
  TCardParamItem* Find(std::u16string_view key) const;

 private:
  std::vector<std::unique_ptr<TCardParamItem>> items_;
};
