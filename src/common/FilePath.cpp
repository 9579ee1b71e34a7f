#include "common/FilePath.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "common/Text.h"

namespace {

std::size_t FolderLength(std::u16string_view path) {
  const std::size_t last = path.find_last_of(u"\\/:");
  return last == std::u16string_view::npos ? 0 : last + 1;
}

}  // namespace

std::u16string FolderOf(std::u16string_view path) { return std::u16string(path.substr(0, FolderLength(path))); }

std::u16string FileNameOf(std::u16string_view path) { return std::u16string(path.substr(FolderLength(path))); }

std::string NativePath(std::u16string_view path) {
  std::string native = ToUtf8(path);
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

namespace {

// The name in the folder that matches ignoring letter case, or nothing.
std::string MatchIgnoringCase(const std::string& folder, const std::string& name) {
  const std::u16string wanted = FromUtf8(name);
  std::vector<std::string> matches;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
    const std::string entryName = entry.path().filename().string();
    if (EqualsIgnoreCase(FromUtf8(entryName), wanted)) matches.push_back(entryName);
  }
  return matches.empty() ? std::string() : *std::min_element(matches.begin(), matches.end());
}

}  // namespace

std::u16string ResolveIgnoringCase(std::u16string_view path) {
  const std::string native = NativePath(path);
  std::error_code error;
  if (native.empty() || std::filesystem::exists(native, error)) return FromUtf8(native);
  std::string resolved;
  std::size_t start = 0;
  if (native[0] == '/') {
    resolved = "/";
    start = 1;
  }
  while (start <= native.size()) {
    const std::size_t slash = std::min(native.find('/', start), native.size());
    const std::string part = native.substr(start, slash - start);
    std::string found = part;
    if (!part.empty() && part != "." && part != ".." && !std::filesystem::exists(resolved + part, error)) {
      found = MatchIgnoringCase(resolved, part);
      if (found.empty()) return FromUtf8(resolved + native.substr(start));
    }
    resolved += found;
    if (slash < native.size()) resolved += '/';
    start = slash + 1;
  }
  return FromUtf8(resolved);
}

std::u16string ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return FolderOf(FromUtf8(program.string()));
}

bool ReadWholeFile(std::u16string_view path, std::string& contents, std::size_t maxBytes) {
  contents.clear();
  const int fd = open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) <= maxBytes;
  if (ok) {
    contents.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < contents.size()) {
      const ssize_t got = read(fd, contents.data() + done, contents.size() - done);
      if (got < 0) {
        ok = false;
        break;
      }
      if (got == 0) break;  // the file shrank while being read
      done += static_cast<std::size_t>(got);
    }
    contents.resize(done);
  }
  close(fd);
  if (!ok) contents.clear();
  return ok;
}
