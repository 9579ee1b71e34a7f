#include "gamedef/ProgramFolders.h"

#include <cstdlib>
#include <filesystem>

#include "common/FilePath.h"
#include "common/Text.h"

namespace {

// Where the bundled game definitions lie, seen from the executable's folder
// (the installation's bin and share folders); set by the build.
#ifndef VELQORANDIS_BUNDLED_PLUGIN
#define VELQORANDIS_BUNDLED_PLUGIN "../share/velqorandis/Plugin/"
#endif

std::filesystem::path Native(std::u16string_view path) { return NativePath(path); }

std::u16string BaseFolder(const char* variable, const char* fallbackUnderHome) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return FromUtf8(value);
  const char* home = std::getenv("HOME");
  return FromUtf8(std::string(home != nullptr ? home : "") + fallbackUnderHome);
}

}  // namespace

TProgramFolders PortableFolders(std::u16string_view folder) {
  return {std::u16string(folder) + u"Plugin/", std::u16string(folder) + u"Velqorandis.ini", {}};
}

TProgramFolders FindProgramFolders(std::u16string_view executableFolder, std::u16string_view dataHome,
                                   std::u16string_view configHome) {
  std::error_code error;
  if (std::filesystem::is_directory(Native(std::u16string(executableFolder) + u"Plugin"), error)) {
    return PortableFolders(executableFolder);
  }
  return {std::u16string(dataHome) + u"/velqorandis/Plugin/", std::u16string(configHome) + u"/velqorandis/Velqorandis.ini",
          std::u16string(executableFolder) + FromUtf8(VELQORANDIS_BUNDLED_PLUGIN)};
}

std::u16string XdgDataHome() { return BaseFolder("XDG_DATA_HOME", "/.local/share"); }

std::u16string XdgConfigHome() { return BaseFolder("XDG_CONFIG_HOME", "/.config"); }

bool PrepareUserFolders(const TProgramFolders& folders) {
  if (folders.bundled.empty()) return true;
  std::error_code error;
  std::filesystem::create_directories(Native(folders.plugin), error);
  std::filesystem::create_directories(Native(FolderOf(folders.settings)), error);
  if (!std::filesystem::is_directory(Native(folders.plugin), error) ||
      !std::filesystem::is_directory(Native(FolderOf(folders.settings)), error)) {
    return false;
  }
  std::error_code copyError;
  for (std::filesystem::directory_iterator entry(Native(folders.bundled), error), end; !error && entry != end;
       entry.increment(error)) {
    if (!entry->is_regular_file(copyError)) continue;
    // A game definition that the user already has (and may have changed) stays as it is.
    std::filesystem::copy_file(entry->path(), Native(folders.plugin) / entry->path().filename(),
                               std::filesystem::copy_options::skip_existing, copyError);
  }
  return true;
}
