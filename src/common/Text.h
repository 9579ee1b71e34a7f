#pragma once
// Text helpers shared by every part of the program. All texts are UTF-16.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/CaseFolding.h"

// Ordinal comparison: UTF-16 code units compared as unsigned numbers, the first
// difference decides and a proper prefix is smaller. Answers <0, 0 or >0.
// (std::u16string's own comparison is the same order, since char16_t is unsigned.)
int CompareOrdinal(std::u16string_view a, std::u16string_view b);

// Comparisons that ignore letter case, by the simple case folding of every
// script (common/CaseFolding.h).
int CompareIgnoreCase(std::u16string_view a, std::u16string_view b);
// The text with every letter case-folded; as long as the text.
std::u16string FoldedText(std::u16string_view text);
inline bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && (a == b || CompareIgnoreCase(a, b) == 0);
}

// Hash and equality ignoring letter case, for unordered containers of texts.
struct IgnoreCaseHash {
  using is_transparent = void;
  std::size_t operator()(std::u16string_view text) const {
    // Four code units per step, then a final mix of the bits.
    auto unit = [](char16_t c) -> uint64_t { return FoldedUnit(c); };
    uint64_t hash = 0x9E3779B97F4A7C15ull ^ text.size();
    std::size_t i = 0;
    for (; i + 4 <= text.size(); i += 4) {
      const uint64_t word = unit(text[i]) | unit(text[i + 1]) << 16 | unit(text[i + 2]) << 32 | unit(text[i + 3]) << 48;
      hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
      hash ^= hash >> 29;
    }
    for (; i < text.size(); ++i) hash = (hash ^ unit(text[i])) * 0xC4CEB9FE1A85EC53ull;
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDull;
    return static_cast<std::size_t>(hash ^ (hash >> 33));
  }
};
struct IgnoreCaseEqual {
  using is_transparent = void;
  bool operator()(std::u16string_view a, std::u16string_view b) const { return EqualsIgnoreCase(a, b); }
};

// Comma list, read and written the way the class library's comma text does it.
std::vector<std::u16string> ReadCommaList(std::u16string_view text);
std::u16string WriteCommaList(const std::vector<std::u16string>& items);

// Integer reading: leading white space (U+3000 included), an optional sign, then
// the ASCII digits up to the first other character. Text without such digits
// reads as 0; a number beyond 32 bits saturates.
int32_t TextToInt(std::u16string_view text);

// Decimal text of an integer.
std::u16string IntToText(int64_t value);

// UTF-8 for file names and the command-line tool; invalid sequences become U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);
