// Comma lists: reading arbitrary text, and reading back what was written.
#include <cstdint>
#include <cstring>
#include <string>

#include "common/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::u16string text(size / 2, u'\0');
  std::memcpy(text.data(), data, text.size() * 2);
  const std::vector<std::u16string> items = ReadCommaList(text);
  // A written list reads back as itself, unless an item holds a NUL, which ends the text.
  bool hasNul = false;
  for (const std::u16string& item : items) hasNul = hasNul || item.find(u'\0') != std::u16string::npos;
  if (!hasNul && !items.empty() && ReadCommaList(WriteCommaList(items)) != items) __builtin_trap();
  TextToInt(text);
  return 0;
}
