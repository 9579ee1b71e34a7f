// The image archive lookup with arbitrary bytes as the archive, and the
// picture decoded from whatever entry it copies out.
#include <cstdint>
#include <vector>

#include "FuzzFile.h"
#include "cards/ImageArchive.h"
#include "cards/JpegPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const FuzzFile file("images.zip");
  static const TImageTempFile copy;
  const std::vector<std::u16string> archives{file.Write(data, size)};
  for (const char16_t* name : {u"card.jpg", u"PICS/CARD.JPG", u"stored.jpg", u"\u30AB\u30FC\u30C9.jpg"}) {
    if (ExtractImageEntry(archives, name, copy.Path())) DecodeJpegFile(copy.Path());
  }
  return 0;
}
