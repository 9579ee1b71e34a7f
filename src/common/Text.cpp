#include "common/Text.h"

#include <algorithm>
#include <limits>

int CompareOrdinal(std::u16string_view a, std::u16string_view b) {
  const int c = a.compare(b);
  return (c > 0) - (c < 0);
}

namespace {

// The code point at text[i], a surrogate pair taken whole; i moves past it.
char32_t NextCodePoint(std::u16string_view text, std::size_t& i) {
  const char16_t c = text[i++];
  if (c >= 0xD800 && c <= 0xDBFF && i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
    return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i++] - 0xDC00);
  }
  return c;
}

}  // namespace

std::u16string FoldedText(std::u16string_view text) {
  std::u16string folded;
  folded.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const char32_t c = FoldCase(NextCodePoint(text, i));
    if (c < 0x10000) {
      folded += static_cast<char16_t>(c);
    } else {
      folded += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      folded += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return folded;
}

int CompareIgnoreCase(std::u16string_view a, std::u16string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const char32_t x = FoldCase(NextCodePoint(a, i));
    const char32_t y = FoldCase(NextCodePoint(b, j));
    if (x != y) return x < y ? -1 : 1;
  }
  return (i < a.size()) - (j < b.size());
}

namespace {

// The comma-text rule skips and splits at every character from 1 to 32.
bool IsCommaBlank(char16_t c) { return c >= 1 && c <= 32; }

// Reads a quoted item starting at the opening mark; a doubled mark stands for
// one. An item without its closing mark runs to the end of the text.
std::u16string ReadQuotedItem(std::u16string_view text, std::size_t& pos) {
  std::u16string item;
  ++pos;
  while (pos < text.size()) {
    const char16_t c = text[pos++];
    if (c != u'"') {
      item += c;
    } else if (pos < text.size() && text[pos] == u'"') {
      item += u'"';
      ++pos;
    } else {
      break;
    }
  }
  return item;
}

}  // namespace

std::vector<std::u16string> ReadCommaList(std::u16string_view text) {
  // A NUL ends the text, as it ends the C string the rule was made for.
  text = text.substr(0, std::min(text.size(), text.find(u'\0')));
  std::vector<std::u16string> items;
  std::size_t pos = 0;
  auto skipBlanks = [&] {
    while (pos < text.size() && IsCommaBlank(text[pos])) ++pos;
  };
  skipBlanks();
  while (pos < text.size()) {
    if (text[pos] == u'"') {
      items.push_back(ReadQuotedItem(text, pos));
    } else {
      const std::size_t start = pos;
      while (pos < text.size() && !IsCommaBlank(text[pos]) && text[pos] != u',') ++pos;
      items.emplace_back(text.substr(start, pos - start));
    }
    skipBlanks();
    if (pos < text.size() && text[pos] == u',') {
      if (pos + 1 == text.size()) items.emplace_back();
      ++pos;
      skipBlanks();
    }
  }
  return items;
}

std::u16string WriteCommaList(const std::vector<std::u16string>& items) {
  if (items.size() == 1 && items[0].empty()) return u"\"\"";
  std::u16string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += u',';
    const std::u16string& item = items[i];
    const bool quote = std::any_of(item.begin(), item.end(),
                                   [](char16_t c) { return c <= 32 || c == u',' || c == u'"'; });
    if (!quote) {
      text += item;
      continue;
    }
    text += u'"';
    for (char16_t c : item) {
      if (c == u'"') text += u'"';
      text += c;
    }
    text += u'"';
  }
  return text;
}

namespace {

bool IsWhiteSpace(char16_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
         c == 0x205F || c == 0x3000;
}

}  // namespace

int32_t TextToInt(std::u16string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsWhiteSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
    negative = text[pos] == u'-';
    ++pos;
  }
  // Accumulate the magnitude in 64 bits and stop growing once it is past any
  // 32-bit value, so that a long run of digits saturates.
  constexpr int64_t kCap = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
    magnitude = std::min(magnitude * 10 + (text[pos] - u'0'), kCap);
  }
  const int64_t value = negative ? -magnitude : magnitude;
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

std::u16string IntToText(int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    uint32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // a lone surrogate
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80 ? 1 : lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    uint32_t cp = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (int k = 1; k < length; ++k) {
      if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
        length = 0;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are invalid too.
    if ((length == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
        (length == 4 && (cp < 0x10000 || cp > 0x10FFFF))) {
      length = 0;
    }
    if (length == 0) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i += length;
  }
  return out;
}
