#pragma once
// A scratch folder per test, removed afterwards, and small file helpers.

#include <string>
#include <string_view>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The path of a file in the folder, as the model takes it.
  std::u16string Path(std::string_view name) const;
  std::string NativePath(std::string_view name) const;
  // Writes the bytes and answers the path.
  std::u16string Write(std::string_view name, std::string_view bytes) const;
  std::string Read(std::string_view name) const;
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;  // ends with "/"
};

// While alive, file permissions bind this process even when it runs as root
// (the overriding capabilities leave the effective set), so that tests can
// make writes fail with read-only folders.
class HonourFilePermissions {
 public:
  HonourFilePermissions();
  ~HonourFilePermissions();
  HonourFilePermissions(const HonourFilePermissions&) = delete;
  HonourFilePermissions& operator=(const HonourFilePermissions&) = delete;

 private:
  unsigned saved_[2] = {};
};

// The path of a file under tests/fixtures.
std::u16string FixturePath(std::string_view name);
