#include "gamedef/PluginList.h"

#include <algorithm>
#include <filesystem>

#include "common/FilePath.h"
#include "common/Text.h"
#include "gamedef/IniFile.h"

bool TPluginList::Scan(const std::u16string& folder) {
  items_.clear();
  const std::string native = NativePath(folder);
  std::error_code error;
  if (!std::filesystem::is_directory(native, error)) return false;
  std::vector<std::u16string> names;
  for (const auto& entry : std::filesystem::directory_iterator(native, error)) {
    std::u16string name = FromUtf8(entry.path().filename().string());
    if (entry.is_regular_file(error) && name.size() >= 4 && name.compare(name.size() - 4, 4, u".ini") == 0) {
      names.push_back(std::move(name));
    }
  }
  std::sort(names.begin(), names.end());
  const std::u16string prefix = FromUtf8(native.empty() || native.back() == '/' ? native : native + "/");
  for (const std::u16string& name : names) {
    const std::u16string path = prefix + name;
    std::u16string gameName = TIniFile(path).ReadString(u"System", u"Name", u"");
    if (!gameName.empty()) items_.push_back({std::move(gameName), path});
  }
  return true;
}

const TPluginItem* TPluginList::FindByName(std::u16string_view name) const {
  const auto found = std::find_if(items_.begin(), items_.end(), [&](const TPluginItem& item) { return item.Name == name; });
  return found == items_.end() ? nullptr : &*found;
}
