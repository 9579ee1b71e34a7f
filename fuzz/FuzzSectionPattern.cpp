// Section-name patterns: checking arbitrary text, and formatting what passed.
#include <cstdint>
#include <cstring>
#include <string>

#include "common/SectionPattern.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::u16string text(size / 2, u'\0');
  std::memcpy(text.data(), data, text.size() * 2);
  if (const auto pattern = SectionPattern::Parse(text)) {
    for (int32_t n : {0, 1, 99, 100, 2147483647, -2147483647 - 1}) {
      if (pattern->Format(n).size() > text.size() + SectionPattern::kMaxWidth + 16) __builtin_trap();
    }
    if (pattern->Format(1) == pattern->Format(2)) __builtin_trap();  // the numbers name different sections
  }
  return 0;
}
