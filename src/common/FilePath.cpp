#include "common/FilePath.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

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
