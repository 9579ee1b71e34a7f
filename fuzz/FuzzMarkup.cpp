// Card value markup on arbitrary UTF-16 text.
#include <cstdint>
#include <cstring>
#include <string>

#include "cards/Markup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::u16string text(size / 2, u'\0');
  std::memcpy(text.data(), data, text.size() * 2);
  TRTFtoHtml markup;
  try {
    const std::u16string plain = markup.Parse(text);
    if (plain.size() > text.size()) __builtin_trap();
    int32_t last = 0;
    for (const TAG& tag : markup.Tags()) {
      if (tag.position < last || tag.position > static_cast<int32_t>(plain.size()) + 1) __builtin_trap();
      last = tag.position;
    }
  } catch (const EMarkupError& error) {
    if (error.Text().size() > text.size()) __builtin_trap();
  }
  if (PlainText(text).size() > text.size()) __builtin_trap();
  return 0;
}
