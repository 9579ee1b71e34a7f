#pragma once
// Fuzz input written to a file of this process's own, for the readers that take
// file names.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "common/Text.h"

class FuzzFile {
 public:
  explicit FuzzFile(const char* name) : path_("/tmp/velqorandis-fuzz-" + std::to_string(getpid()) + "-" + name) {}
  ~FuzzFile() { unlink(path_.c_str()); }

  // Writes the bytes and answers the path as the model takes it.
  std::u16string Write(const uint8_t* data, std::size_t size) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return Path();
  }
  std::u16string Path() const { return FromUtf8(path_); }

 private:
  std::string path_;
};
