#include "common/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "common/FilePath.h"

namespace {

bool WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = write(fd, contents.data(), contents.size());
    if (written < 0) return false;
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The file a path finally names, following symbolic links.
std::string RealTarget(const std::string& path) {
  char resolved[PATH_MAX];
  struct stat info {};
  if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && realpath(path.c_str(), resolved) != nullptr) {
    return resolved;
  }
  return path;
}

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool ReplaceFileContents(std::u16string_view path, std::string_view contents) {
  const std::string target = RealTarget(NativePath(path));
  const std::size_t slash = target.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = folder + "." + base + ".XXXXXX";

  struct stat info {};
  const bool exists = stat(target.c_str(), &info) == 0;
  if (exists && !S_ISREG(info.st_mode)) return false;
  // The rename would replace a file that the user may not write; a trusted
  // save refuses it. The effective ids decide, as for an open for writing.
  if (exists && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;

  const int fd = mkstemp(temporary.data());
  if (fd < 0) return false;
  const mode_t mode = exists ? (info.st_mode & 07777) : NewFileMode();
  bool ok = WriteAll(fd, contents) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) unlink(temporary.c_str());
  return ok;
}
