#include "cards/ImageArchive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unzip.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "common/CodePage.h"
#include "common/FilePath.h"
#include "common/Text.h"

namespace {

// The general purpose flag that marks an entry name in UTF-8.
constexpr uLong kUtf8NameFlag = 1u << 11;

// An entry name as it is looked up, in both encodings that archives use.
struct EntryName {
  std::string cp932;
  std::string utf8;
};

std::FILE* Stream(voidpf stream) { return static_cast<std::FILE*>(stream); }

// The archive reader's file functions: C library streams, read-only, no text
// translation. Only a regular file is read, and it is opened without blocking
// so that a pipe named as an archive cannot stall the lookup.
voidpf OpenArchive(voidpf, const char* path, int) {
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  std::FILE* stream = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? fdopen(fd, "rb") : nullptr;
  if (stream == nullptr) close(fd);
  return stream;
}

uLong ReadArchive(voidpf, voidpf stream, void* buffer, uLong size) { return std::fread(buffer, 1, size, Stream(stream)); }

long TellArchive(voidpf, voidpf stream) { return std::ftell(Stream(stream)); }

long SeekArchive(voidpf, voidpf stream, uLong offset, int origin) {
  int whence = SEEK_SET;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET: whence = SEEK_SET; break;
    case ZLIB_FILEFUNC_SEEK_CUR: whence = SEEK_CUR; break;
    case ZLIB_FILEFUNC_SEEK_END: whence = SEEK_END; break;
    default: return -1;
  }
  return std::fseek(Stream(stream), static_cast<long>(offset), whence);
}

int CloseArchive(voidpf, voidpf stream) { return std::fclose(Stream(stream)); }

int ArchiveError(voidpf, voidpf stream) { return std::ferror(Stream(stream)); }

using Archive = std::unique_ptr<void, int (*)(unzFile)>;

Archive OpenZip(const std::u16string& path) {
  // The reader never writes, so it has no write function.
  zlib_filefunc_def functions{OpenArchive, ReadArchive, nullptr, TellArchive, SeekArchive, CloseArchive, ArchiveError,
                              nullptr};
  return Archive(unzOpen2(NativePath(path).c_str(), &functions), unzClose);
}

// Copies the located entry into the stream. False on a read error, a checksum
// error, or content beyond kMaxImageEntryBytes, of which nothing more is written.
bool CopyEntry(unzFile zip, std::FILE* out) {
  if (unzOpenCurrentFile3(zip, nullptr, nullptr, 0, nullptr) != UNZ_OK) return false;
  char buffer[1 << 16];
  std::size_t total = 0;
  int read = 0;
  while ((read = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0) {
    const auto size = static_cast<std::size_t>(read);
    total += size;
    if (total > kMaxImageEntryBytes || std::fwrite(buffer, 1, size, out) != size) break;
  }
  const bool closed = unzCloseCurrentFile(zip) == UNZ_OK;
  return read == 0 && closed;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// The archive reader's own case rule: a to z match A to Z, every other byte must be equal.
bool SameName(std::string_view stored, std::string_view wanted) {
  return stored.size() == wanted.size() &&
         std::equal(stored.begin(), stored.end(), wanted.begin(), [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

// Makes the entry of that name the archive's current one. Info-ZIP's zip on
// Linux stores UTF-8 names without the flag; such an entry is taken when no
// entry matches in its own encoding, so code page 932 names keep precedence.
bool LocateEntry(unzFile zip, const EntryName& name) {
  unz64_file_pos unflaggedUtf8{};
  bool hasUnflaggedUtf8 = false;
  for (int status = unzGoToFirstFile(zip); status == UNZ_OK; status = unzGoToNextFile(zip)) {
    unz_file_info64 info{};
    char stored[kMaxImageEntryNameBytes + 1];
    if (unzGetCurrentFileInfo64(zip, &info, stored, sizeof stored, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
    if (info.size_filename > kMaxImageEntryNameBytes) continue;
    const std::string_view storedName(stored, info.size_filename);
    const bool flagged = (info.flag & kUtf8NameFlag) != 0;
    if (SameName(storedName, flagged ? name.utf8 : name.cp932)) return true;
    if (!flagged && !hasUnflaggedUtf8 && SameName(storedName, name.utf8)) {
      hasUnflaggedUtf8 = unzGetFilePos64(zip, &unflaggedUtf8) == UNZ_OK;
    }
  }
  return hasUnflaggedUtf8 && unzGoToFilePos64(zip, &unflaggedUtf8) == UNZ_OK;
}

enum class Lookup { kAbsent, kCopied, kFailed };

Lookup ExtractFrom(const std::u16string& archive, const EntryName& entryName, const std::u16string& destination) {
  const Archive zip = OpenZip(archive);
  if (!zip || !LocateEntry(zip.get(), entryName)) return Lookup::kAbsent;
  std::FILE* out = std::fopen(NativePath(destination).c_str(), "wb");
  if (out == nullptr) return Lookup::kFailed;
  const bool copied = CopyEntry(zip.get(), out);
  return std::fclose(out) == 0 && copied ? Lookup::kCopied : Lookup::kFailed;
}

std::string AsciiLowered(std::string_view name) {
  std::string lowered(name);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(), AsciiLower);
  return lowered;
}

bool Contains(const std::vector<std::string>& sorted, const std::string& name) {
  return std::binary_search(sorted.begin(), sorted.end(), name);
}

}  // namespace

bool TImageArchiveIndex::Open(const std::u16string& archive) {
  flagged_.clear();
  unflagged_.clear();
  const Archive zip = OpenZip(archive);
  if (!zip) return false;
  for (int status = unzGoToFirstFile(zip.get()); status == UNZ_OK; status = unzGoToNextFile(zip.get())) {
    unz_file_info64 info{};
    char stored[kMaxImageEntryNameBytes + 1];
    if (unzGetCurrentFileInfo64(zip.get(), &info, stored, sizeof stored, nullptr, 0, nullptr, 0) != UNZ_OK) break;
    if (info.size_filename > kMaxImageEntryNameBytes) continue;
    const std::string name = AsciiLowered(std::string_view(stored, info.size_filename));
    ((info.flag & kUtf8NameFlag) != 0 ? flagged_ : unflagged_).push_back(name);
  }
  std::sort(flagged_.begin(), flagged_.end());
  std::sort(unflagged_.begin(), unflagged_.end());
  return true;
}

bool TImageArchiveIndex::Holds(std::u16string_view entryName) const {
  if (entryName.find(u'\0') != std::u16string_view::npos) return false;
  const std::string utf8 = AsciiLowered(ToUtf8(entryName));
  return Contains(flagged_, utf8) || Contains(unflagged_, AsciiLowered(ToCp932(entryName))) || Contains(unflagged_, utf8);
}

TImageTempFile::TImageTempFile() {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) folder = "/tmp";
  std::string pattern = (folder / "iniXXXXXX").string();
  const int fd = mkstemp(pattern.data());
  if (fd < 0) return;
  close(fd);
  path_ = FromUtf8(pattern);
}

TImageTempFile::~TImageTempFile() {
  // A file that cannot be deleted is left behind.
  if (!path_.empty()) unlink(NativePath(path_).c_str());
}

bool ExtractImageEntry(const std::vector<std::u16string>& archives, std::u16string_view entryName,
                       const std::u16string& destination) {
  // A name with a NUL character cannot be stored in an archive.
  if (entryName.find(u'\0') != std::u16string_view::npos) return false;
  const EntryName name{ToCp932(entryName), ToUtf8(entryName)};
  for (const std::u16string& archive : archives) {
    const Lookup lookup = ExtractFrom(archive, name, destination);
    if (lookup != Lookup::kAbsent) return lookup == Lookup::kCopied;
  }
  return false;
}
