#pragma once
// The catalogue of game definitions: every ".ini" file of the Plugin folder
// with a System/Name, by name.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The error of a missing game definition folder.
inline constexpr std::u16string_view kPathNotFound = u"指定されたパスが見つかりません";

struct TPluginItem {
  std::u16string Name;      // System/Name, never empty
  std::u16string FileName;  // full path of the game definition file
};

class TPluginList {
 public:
  // Rebuilds the catalogue from the folder's own files, in file-name order,
  // taking those whose extension is exactly ".ini" and whose System/Name is
  // not empty. False (and empty) when the folder does not exist.
  bool Scan(const std::u16string& folder);

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  const TPluginItem& Item(int32_t index) const { return items_[static_cast<std::size_t>(index)]; }
  // The first entry whose name equals the text exactly, or none.
  const TPluginItem* FindByName(std::u16string_view name) const;

 private:
  std::vector<TPluginItem> items_;
};
