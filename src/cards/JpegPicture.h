#pragma once
// Card pictures: JPEG decoded into 8-bit RGB. Colour, grayscale and CMYK
// (Adobe's inverted form, as image editors write it) pictures are read; any
// damage the decoder notices, a truncated file included, refuses the picture.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kMaxJpegSide = 16384;

struct TJpegPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // rows top to bottom, three bytes a pixel, no padding
};

// None when the bytes are no sound JPEG or a side is larger than kMaxJpegSide.
std::optional<TJpegPicture> DecodeJpeg(std::string_view bytes);
// The same for a file's content; none when it cannot be read.
std::optional<TJpegPicture> DecodeJpegFile(const std::u16string& path);
