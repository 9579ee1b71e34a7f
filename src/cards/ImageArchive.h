#pragma once
// Card pictures are entries of zip archives. An entry is looked up by its name,
// letters a to z matching A to Z, the whole stored name (folder part included)
// compared as bytes: in UTF-8 for an entry whose language-encoding flag is set
// (as archivers on Linux write names that are not ASCII), in code page 932 for
// every other entry; an entry without the flag whose name is the UTF-8 one is
// taken only when no entry matches so. The found entry is copied into a
// temporary file, from which the picture is decoded.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A copy stops at this size: an entry that inflates beyond it is refused, so
// that a crafted archive cannot fill the disk.
inline constexpr std::size_t kMaxImageEntryBytes = std::size_t{64} << 20;
// Longer names (in the bytes they are compared in) match nothing, as in the
// archive reader's own name buffer.
inline constexpr std::size_t kMaxImageEntryNameBytes = 255;

// The entry names of one archive, to look many names up at once (the game
// definition checker); names match as for ExtractImageEntry.
class TImageArchiveIndex {
 public:
  // False when the archive cannot be opened or is no zip archive.
  bool Open(const std::u16string& archive);
  bool Holds(std::u16string_view entryName) const;

 private:
  std::vector<std::string> flagged_;    // UTF-8 names, a to z in lower case, sorted
  std::vector<std::string> unflagged_;  // names in their bytes, a to z in lower case, sorted
};

// A file of its own in the system's temporary folder, named "ini" and six
// characters, made at construction and deleted at destruction. When none can
// be made the path is empty and every copy into it fails.
class TImageTempFile {
 public:
  TImageTempFile();
  ~TImageTempFile();
  TImageTempFile(const TImageTempFile&) = delete;
  TImageTempFile& operator=(const TImageTempFile&) = delete;

  const std::u16string& Path() const { return path_; }

 private:
  std::u16string path_;
};

// Searches the archives in order for the entry and copies its content into
// the destination file, which is replaced. The first archive that holds the
// entry answers, even when its copy fails: true only when it was copied whole
// (no read error, no checksum error, not beyond kMaxImageEntryBytes). A
// missing or unreadable archive, or a file that is no zip archive, holds
// nothing.
bool ExtractImageEntry(const std::vector<std::u16string>& archives, std::u16string_view entryName,
                       const std::u16string& destination);
