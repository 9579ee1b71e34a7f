#include "ImageFixtures.h"

// jpeglib.h needs FILE declared before it.
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>
#include <zip.h>

void WriteZip(const std::string& nativePath, const std::vector<TZipEntry>& entries) {
  zipFile zip = zipOpen(nativePath.c_str(), APPEND_STATUS_CREATE);
  if (zip == nullptr) throw std::runtime_error("cannot create " + nativePath);
  for (const TZipEntry& entry : entries) {
    const int method = entry.stored ? 0 : Z_DEFLATED;
    const uLong flags = entry.utf8 ? 1u << 11 : 0;
    zipOpenNewFileInZip4_64(zip, entry.name.c_str(), nullptr, nullptr, 0, nullptr, 0, nullptr, method, Z_BEST_SPEED, 0,
                            -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0, flags, 0);
    zipWriteInFileInZip(zip, entry.bytes.data(), static_cast<unsigned>(entry.bytes.size()));
    zipCloseFileInZip(zip);
  }
  zipClose(zip, nullptr);
}

std::string MakeJpeg(int width, int height, TRgb colour, TJpegKind kind) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  std::vector<JSAMPLE> pixel;
  switch (kind) {
    case TJpegKind::kColour:
    case TJpegKind::kProgressive:
    case TJpegKind::kManyScans:
      info.in_color_space = JCS_RGB;
      pixel = {colour.r, colour.g, colour.b};
      break;
    case TJpegKind::kGray:
      info.in_color_space = JCS_GRAYSCALE;
      pixel = {colour.r};
      break;
    case TJpegKind::kCmyk:
      info.in_color_space = JCS_CMYK;
      pixel = {colour.r, colour.g, colour.b, 200};
      break;
  }
  info.input_components = static_cast<int>(pixel.size());
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  if (kind == TJpegKind::kProgressive) jpeg_simple_progression(&info);
  std::vector<jpeg_scan_info> scans;  // read while compressing
  if (kind == TJpegKind::kManyScans) {
    scans.push_back({3, {0, 1, 2}, 0, 0, 0, 0});  // the DC coefficients first
    for (int component = 0; component < 3; ++component) {
      for (int k = 1; k < DCTSIZE2; ++k) scans.push_back({1, {component}, k, k, 0, 0});
    }
    info.scan_info = scans.data();
    info.num_scans = static_cast<int>(scans.size());
  }
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), pixel.begin(), pixel.end());
  JSAMPROW rows[] = {row.data()};
  while (info.next_scanline < info.image_height) jpeg_write_scanlines(&info, rows, 1);
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}
