// The JPEG decoder on arbitrary bytes.
#include <cstdint>
#include <string_view>

#include "cards/JpegPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const auto picture = DecodeJpeg(std::string_view(reinterpret_cast<const char*>(data), size));
  // A decoded picture has every one of its pixels.
  if (picture && picture->rgb.size() != static_cast<std::size_t>(picture->width) * picture->height * 3) {
    __builtin_trap();
  }
  return 0;
}
