#include "TestFiles.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "common/Text.h"

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "velqorandis-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a scratch folder");
  folder_ = pattern + "/";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Read-only folders made by a test must not stop the cleaning.
  for (auto& entry : std::filesystem::recursive_directory_iterator(folder_, ignored)) {
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                               ignored);
  std::filesystem::remove_all(folder_, ignored);
}

std::u16string TempFolder::Path(std::string_view name) const { return FromUtf8(NativePath(name)); }

std::string TempFolder::NativePath(std::string_view name) const { return folder_ + std::string(name); }

std::u16string TempFolder::Write(std::string_view name, std::string_view bytes) const {
  std::filesystem::path path(NativePath(name));
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return Path(name);
}

std::string TempFolder::Read(std::string_view name) const {
  std::ifstream in(NativePath(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::u16string FixturePath(std::string_view name) { return FromUtf8(std::string(FIXTURE_DIR "/") + std::string(name)); }

namespace {

bool Capabilities(__user_cap_data_struct (&data)[2], bool set) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  return syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}

}  // namespace

HonourFilePermissions::HonourFilePermissions() {
  __user_cap_data_struct data[2] = {};
  if (!Capabilities(data, false)) return;
  saved_[0] = data[0].effective;
  saved_[1] = data[1].effective;
  data[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
  Capabilities(data, true);
}

HonourFilePermissions::~HonourFilePermissions() {
  __user_cap_data_struct data[2] = {};
  if (!Capabilities(data, false)) return;
  data[0].effective = saved_[0];
  data[1].effective = saved_[1];
  Capabilities(data, true);
}
