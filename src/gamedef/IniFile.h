#pragma once
// Profile (INI) files: game definitions and the settings file are read and
// written by section and key through this class.
//
// Files are in code page 932, or in UTF-16LE when they begin with its
// byte-order mark. Section and key names match ignoring letter case, and the
// first occurrence of a section or key wins. A missing file reads as all
// defaults. The file is read once, at the first access, and indexed by section,
// so that a game definition that holds its own cards is not scanned per key.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/Text.h"

// A failed write: the message is "<file> に書き込めません".
// A write that failed: "FILE に書き込めません".
class EIniFileException : public std::runtime_error {
 public:
  explicit EIniFileException(std::u16string fileName);
  const std::u16string& FileName() const { return fileName_; }
  std::u16string Message() const { return fileName_ + u" に書き込めません"; }

 private:
  std::u16string fileName_;
};

class TIniFile {
 public:
  // What a write does with a file in code page 932 when the section, key or
  // value holds a character that the code page cannot hold: write "?" in its
  // place, or turn the whole file into UTF-16LE first (for files the program
  // owns; the bytes of a game definition stay as their author wrote them).
  enum class Encoding { kKeep, kWidenWhenNeeded };

  explicit TIniFile(std::u16string fileName, Encoding encoding = Encoding::kKeep);

  const std::u16string& FileName() const { return fileName_; }

  // The value with surrounding blanks and one pair of enclosing quotation
  // marks removed, cut to kMaxValueLength characters.
  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view defaultValue);
  // "0x" followed by hexadecimal digits, or a signed decimal; anything else
  // (absent, empty, malformed, out of range) gives the default.
  int32_t ReadInteger(std::u16string_view section, std::u16string_view key, int32_t defaultValue);
  bool ReadBool(std::u16string_view section, std::u16string_view key, bool defaultValue);
  // Whether the section holds the key, with any value, the empty one included.
  bool ValueExists(std::u16string_view section, std::u16string_view key);
  // Where an editor shows the section's header (without a key) or the key's
  // line in it, counting lines from 1; 0 when there is none.
  int32_t LineOf(std::u16string_view section, std::u16string_view key = {});

  // Each write replaces the file at once: only the key's line changes (or the
  // key, its section or the file is added), every other byte and the file's
  // encoding stay. A failed write throws EIniFileException.
  void WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  // Several keys of one section, as WriteString would write them one after
  // the other, with one replacement of the file.
  void WriteStrings(std::u16string_view section, const std::vector<std::pair<std::u16string, std::u16string>>& values);
  void WriteInteger(std::u16string_view section, std::u16string_view key, int32_t value);
  void WriteBool(std::u16string_view section, std::u16string_view key, bool value);

  static constexpr std::size_t kMaxValueLength = 2047;
  static constexpr std::size_t kMaxFileSize = std::size_t{1} << 30;

 private:
  // A section's lines as offsets, in code units of the file's text, from the
  // line after its header up to the next header.
  struct Range {
    std::size_t begin;
    std::size_t end;
  };
  struct KeyLine {
    std::size_t begin;  // start of the line
    std::size_t end;    // end of its text, before the line end
    std::u16string value;
  };

  void Load();
  void Widen();
  template <class Unit>
  void Index(std::basic_string_view<Unit> text);
  template <class Unit>
  std::optional<KeyLine> FindKey(std::basic_string_view<Unit> text, Range section, std::u16string_view key) const;
  template <class Unit>
  std::basic_string<Unit> Edited(std::basic_string_view<Unit> text, std::u16string_view section,
                                 std::u16string_view key, std::u16string_view value) const;
  std::optional<KeyLine> FindKey(std::u16string_view section, std::u16string_view key) const;
  int32_t LineAtOffset(std::size_t offset);

  std::u16string fileName_;
  Encoding encoding_;
  bool loaded_ = false;
  bool wide_ = false;     // UTF-16LE with byte-order mark
  std::string ansi_;      // the file as read, when in code page 932
  std::u16string units_;  // the code units after the byte-order mark, when UTF-16LE
  std::string oddByte_;   // a stray last byte of a UTF-16LE file, kept on writing
  std::unordered_map<std::u16string, Range, IgnoreCaseHash, IgnoreCaseEqual> sections_;
  std::vector<std::size_t> lineEnds_;  // offsets of the line feeds, found when a line number is first asked
};
