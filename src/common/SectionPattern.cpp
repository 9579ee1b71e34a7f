#include "common/SectionPattern.h"

#include <algorithm>

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Reads a run of decimal digits; false when it grows past the allowed width.
bool ReadNumber(std::u16string_view pattern, std::size_t& pos, int& number) {
  number = 0;
  while (pos < pattern.size() && IsDigit(pattern[pos])) {
    number = number * 10 + (pattern[pos++] - u'0');
    if (number > SectionPattern::kMaxWidth) return false;
  }
  return true;
}

}  // namespace

std::optional<SectionPattern> SectionPattern::Parse(std::u16string_view pattern) {
  SectionPattern result;
  bool found = false;
  std::u16string* literal = &result.prefix_;
  std::size_t pos = 0;
  while (pos < pattern.size()) {
    const char16_t c = pattern[pos++];
    if (c != u'%') {
      *literal += c;
      continue;
    }
    if (pos < pattern.size() && pattern[pos] == u'%') {
      *literal += u'%';
      ++pos;
      continue;
    }
    if (found) return std::nullopt;  // a second conversion
    for (; pos < pattern.size(); ++pos) {
      const char16_t flag = pattern[pos];
      if (flag == u'-') result.leftAlign_ = true;
      else if (flag == u'+') result.plusSign_ = true;
      else if (flag == u' ') result.spaceSign_ = true;
      else if (flag == u'0') result.zeroPad_ = true;
      else if (flag == u'#') result.alternate_ = true;
      else break;
    }
    if (!ReadNumber(pattern, pos, result.width_)) return std::nullopt;
    if (pos < pattern.size() && pattern[pos] == u'.') {
      ++pos;
      if (!ReadNumber(pattern, pos, result.precision_)) return std::nullopt;
    }
    if (pos < pattern.size() && (pattern[pos] == u'h' || pattern[pos] == u'l')) ++pos;
    if (pos >= pattern.size()) return std::nullopt;
    const char16_t conversion = pattern[pos++];
    if (std::u16string_view(u"diuoxX").find(conversion) == std::u16string_view::npos) return std::nullopt;
    result.conversion_ = conversion;
    found = true;
    literal = &result.suffix_;
  }
  if (!found) return std::nullopt;
  return result;
}

std::u16string SectionPattern::Format(int32_t n) const {
  const bool isSigned = conversion_ == u'd' || conversion_ == u'i';
  const bool negative = isSigned && n < 0;
  uint32_t magnitude = negative ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
  const unsigned base = conversion_ == u'o' ? 8 : (conversion_ == u'x' || conversion_ == u'X') ? 16 : 10;
  const char16_t* digitSet = conversion_ == u'X' ? u"0123456789ABCDEF" : u"0123456789abcdef";

  std::u16string digits;
  for (uint32_t v = magnitude; v != 0; v /= base) digits.insert(digits.begin(), digitSet[v % base]);
  if (precision_ < 0 && digits.empty()) digits = u"0";
  if (precision_ > 0 && static_cast<int>(digits.size()) < precision_) {
    digits.insert(0, static_cast<std::size_t>(precision_) - digits.size(), u'0');
  }
  if (alternate_ && base == 8 && (digits.empty() || digits[0] != u'0')) digits.insert(digits.begin(), u'0');

  std::u16string sign;
  if (negative) sign = u"-";
  else if (isSigned && plusSign_) sign = u"+";
  else if (isSigned && spaceSign_) sign = u" ";
  if (alternate_ && base == 16 && magnitude != 0) sign += conversion_ == u'X' ? u"0X" : u"0x";

  const std::size_t length = sign.size() + digits.size();
  const std::size_t pad = width_ > static_cast<int>(length) ? static_cast<std::size_t>(width_) - length : 0;
  std::u16string body;
  if (leftAlign_) {
    body = sign + digits + std::u16string(pad, u' ');
  } else if (zeroPad_ && precision_ < 0) {
    body = sign + std::u16string(pad, u'0') + digits;
  } else {
    body = std::u16string(pad, u' ') + sign + digits;
  }
  return prefix_ + body + suffix_;
}
