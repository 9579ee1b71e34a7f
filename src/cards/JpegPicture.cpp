#include "cards/JpegPicture.h"

// jpeglib.h needs FILE and size_t declared before it.
#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include "common/FilePath.h"

namespace {

// As large as an archive entry can be.
constexpr std::size_t kMaxJpegFileBytes = std::size_t{64} << 20;
// A progressive picture has about ten scans; a crafted one could have
// thousands, each a pass over the whole picture.
constexpr int kMaxJpegScans = 100;
// The decoder's own working memory: a progressive picture keeps all its
// coefficients; beyond this the decoder fails instead of taking more.
constexpr long kMaxJpegWorkingMemory = 1L << 30;

// libjpeg ends the program on an error unless told otherwise: here every error
// jumps back to Decode, and so does every warning, since a warning means damaged
// data (a premature end of the file, a corrupt segment), and so does a picture
// of too many scans.
struct Guards {
  jpeg_error_mgr errors;  // first, so that libjpeg's error manager pointer leads here
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
};

[[noreturn]] void JumpBack(j_common_ptr info) { std::longjmp(reinterpret_cast<Guards*>(info->err)->jump, 1); }

void RefuseWarnings(j_common_ptr info, int level) {
  if (level < 0) JumpBack(info);
}

void LimitScans(j_common_ptr info) {
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxJpegScans) JumpBack(info);
}

// Adobe's CMYK is stored inverted: 255 is no ink.
void CmykToRgb(const JSAMPLE* cmyk, std::size_t pixels, std::vector<uint8_t>& rgb) {
  for (std::size_t i = 0; i < pixels; ++i, cmyk += 4) {
    const unsigned k = cmyk[3];
    for (int c = 0; c < 3; ++c) rgb.push_back(static_cast<uint8_t>(cmyk[c] * k / 255));
  }
}

// libjpeg's errors jump back into this function, so nothing in it may need
// destruction: the row buffer belongs to libjpeg, the picture to the caller.
bool Decode(jpeg_decompress_struct& info, Guards& guards, std::string_view bytes, TJpegPicture& picture) {
  if (setjmp(guards.jump) != 0) return false;
  jpeg_create_decompress(&info);
  info.progress = &guards.progress;
  info.mem->max_memory_to_use = kMaxJpegWorkingMemory;
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&info, TRUE);
  if (info.image_width > kMaxJpegSide || info.image_height > kMaxJpegSide) return false;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  const std::size_t width = info.output_width;
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             static_cast<JDIMENSION>(width * info.output_components), 1);
  while (info.output_scanline < info.output_height) {
    jpeg_read_scanlines(&info, row, 1);
    if (cmyk) {
      CmykToRgb(row[0], width, picture.rgb);
    } else {
      picture.rgb.insert(picture.rgb.end(), row[0], row[0] + width * 3);
    }
  }
  jpeg_finish_decompress(&info);
  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  return true;
}

}  // namespace

std::optional<TJpegPicture> DecodeJpeg(std::string_view bytes) {
  jpeg_decompress_struct info{};
  Guards guards{};
  info.err = jpeg_std_error(&guards.errors);
  guards.errors.error_exit = JumpBack;
  guards.errors.emit_message = RefuseWarnings;
  guards.progress.progress_monitor = LimitScans;
  TJpegPicture picture;
  const bool decoded = Decode(info, guards, bytes, picture);
  jpeg_destroy_decompress(&info);
  if (!decoded) return std::nullopt;
  return picture;
}

std::optional<TJpegPicture> DecodeJpegFile(const std::u16string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes, kMaxJpegFileBytes)) return std::nullopt;
  return DecodeJpeg(bytes);
}
