#include "common/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/Text.h"

namespace {

constexpr char16_t kInvalid = u'\uFFFD';

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Converts one short byte sequence with iconv; 0 when it is not one character.
char16_t ConvertOne(iconv_t cd, const char* bytes, std::size_t length) {
  char16_t out[2] = {};
  char* in = const_cast<char*>(bytes);
  char* dst = reinterpret_cast<char*>(out);
  std::size_t inLeft = length;
  std::size_t outLeft = sizeof(out);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &in, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
      outLeft != sizeof(out) - sizeof(char16_t)) {
    return 0;
  }
  return out[0];
}

// Both directions are built once from the C library's converter, so that no
// field of a file costs a converter call.
class Cp932Tables {
 public:
  static const Cp932Tables& Decoder() {
    static const Cp932Tables tables(false);
    return tables;
  }
  static const Cp932Tables& Encoder() {
    static const Cp932Tables tables(true);
    return tables;
  }

  std::array<char16_t, 256> single{};                  // kInvalid for leads and undefined bytes
  std::vector<char16_t> pairs;                         // [lead - 0x80][trail], 0 when undefined
  std::vector<uint16_t> encode;                        // by code unit: byte or lead<<8|trail; 0 when none

 private:
  explicit Cp932Tables(bool forEncoding) {
    iconv_t cd = forEncoding ? iconv_open("CP932", "UTF-16LE") : iconv_open("UTF-16LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return;  // leaves every table empty: all "?" / U+FFFD
    if (forEncoding) {
      BuildEncoder(cd);
    } else {
      BuildDecoder(cd);
    }
    iconv_close(cd);
  }

  void BuildDecoder(iconv_t cd) {
    pairs.assign(0x80 * 0x100, 0);
    for (int b = 0; b < 0x100; ++b) {
      const char byte = static_cast<char>(b);
      single[b] = b == 0 ? u'\0' : IsLeadByte(b) ? kInvalid : ConvertOne(cd, &byte, 1);
      if (single[b] == 0 && b != 0) single[b] = kInvalid;
      if (!IsLeadByte(b)) continue;
      for (int t = 0x40; t < 0x100; ++t) {
        if (!IsTrailByte(t)) continue;
        const char two[2] = {static_cast<char>(b), static_cast<char>(t)};
        pairs[(b - 0x80) * 0x100 + t] = ConvertOne(cd, two, 2);
      }
    }
  }

  void BuildEncoder(iconv_t cd) {
    encode.assign(0x10000, 0);
    for (uint32_t c = 1; c < 0x10000; ++c) {
      if (c >= 0xD800 && c <= 0xDFFF) continue;
      const char16_t unit = static_cast<char16_t>(c);
      char in[2];
      std::memcpy(in, &unit, 2);
      char out[4] = {};
      char* src = in;
      char* dst = out;
      std::size_t inLeft = 2;
      std::size_t outLeft = sizeof(out);
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &src, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1)) continue;
      const std::size_t written = sizeof(out) - outLeft;
      if (written == 1) {
        encode[c] = static_cast<unsigned char>(out[0]);
      } else if (written == 2) {
        encode[c] = static_cast<uint16_t>(static_cast<unsigned char>(out[0]) << 8 | static_cast<unsigned char>(out[1]));
      }
    }
  }
};

}  // namespace

std::size_t DecodeCp932(std::string_view bytes, char16_t* out) {
  const Cp932Tables& tables = Cp932Tables::Decoder();
  char16_t* dst = out;
  const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = src + bytes.size();
  while (src < end) {
    const unsigned char b = *src++;
    if (b < 0x80) {
      *dst++ = b;
    } else if (IsLeadByte(b) && src < end && IsTrailByte(*src) && !tables.pairs.empty()) {
      const char16_t c = tables.pairs[(b - 0x80) * 0x100 + *src++];
      *dst++ = c != 0 ? c : kInvalid;
    } else {
      *dst++ = tables.single[b] != 0 ? tables.single[b] : kInvalid;
    }
  }
  return static_cast<std::size_t>(dst - out);
}

void AppendFromCp932(std::string_view bytes, std::u16string& out) {
  const std::size_t start = out.size();
  out.resize(start + bytes.size());  // never more characters than bytes
  out.resize(start + DecodeCp932(bytes, out.data() + start));
}

std::u16string FromCp932(std::string_view bytes) {
  std::u16string out;
  AppendFromCp932(bytes, out);
  return out;
}

void AppendToCp932(std::u16string_view text, std::string& out) {
  const Cp932Tables& tables = Cp932Tables::Encoder();
  out.reserve(out.size() + text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    // A surrogate pair is one character outside the code page: one "?".
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;
    }
    const uint16_t code = tables.encode.empty() ? 0 : tables.encode[c];
    if (code == 0) {
      out += '?';
    } else if (code < 0x100) {
      out += static_cast<char>(code);
    } else {
      out += static_cast<char>(code >> 8);
      out += static_cast<char>(code & 0xFF);
    }
  }
}

bool IsUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4                  ? 4
                                                                             : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    const auto second = length > 1 ? static_cast<unsigned char>(bytes[i + 1]) : 0x80;
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second > 0x8F)) {
      return false;
    }
    i += length;
  }
  return true;
}

std::u16string FromUtf8OrCp932(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return IsUtf8(bytes) ? FromUtf8(bytes) : FromCp932(bytes);
}

bool Cp932CanHold(std::u16string_view text) {
  const Cp932Tables& tables = Cp932Tables::Encoder();
  return std::all_of(text.begin(), text.end(), [&](char16_t c) {
    return c < 0x80 || (!tables.encode.empty() && tables.encode[c] != 0);
  });
}

std::string ToCp932(std::u16string_view text) {
  std::string out;
  AppendToCp932(text, out);
  return out;
}
