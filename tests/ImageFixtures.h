#pragma once
// Small zip archives and JPEG pictures made in the test.

#include <cstdint>
#include <string>
#include <vector>

struct TZipEntry {
  std::string name;
  std::string bytes;
  bool stored = false;  // without compression; deflated otherwise
  bool utf8 = false;    // the name in UTF-8, with the language-encoding flag set, as Linux archivers write it
};

void WriteZip(const std::string& nativePath, const std::vector<TZipEntry>& entries);

struct TRgb {
  uint8_t r, g, b;
};

enum class TJpegKind {
  kColour,
  kProgressive,
  kManyScans,  // progressive, one scan for each coefficient of each component: 190 scans
  kGray,
  kCmyk,
};

// A picture of one colour. A gray one takes the red part as its gray level. A
// CMYK one is inverted, as image editors write it: the parts stand for C, M and
// Y, and the black ink K is 200, so it reads as the colour times 200 / 255.
std::string MakeJpeg(int width, int height, TRgb colour, TJpegKind kind = TJpegKind::kColour);
