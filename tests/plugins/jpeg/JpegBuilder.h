// Builds JPEG files in memory with libjpeg's compressor, for tests, fuzz seeds and benchmarks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

#include "tests/support/ExifBuilder.h"

namespace tarn::test {

struct JpegFile {
  int width = 16;
  int height = 16;
  // Samples handed to the compressor: JCS_RGB (3), JCS_GRAYSCALE (1) or JCS_CMYK (4).
  J_COLOR_SPACE input = JCS_RGB;
  // How the file stores them; JCS_UNKNOWN keeps libjpeg's default for the input.
  J_COLOR_SPACE stored = JCS_UNKNOWN;
  bool adobeMarker = true;  // for CMYK and YCCK: libjpeg writes one unless told otherwise
  bool progressive = false;
  int quality = 100;
  bool fullChroma = true;   // 1x1 sampling, so that colour edges stay sharp
  int orientation = 0;      // EXIF orientation written in an APP1 block; 0 writes none
  bool exifBigEndian = true;
  std::vector<std::uint8_t> thumbnail;  // a JPEG for the EXIF block's IFD1; written with orientation 1 if none
  int densityUnit = 0;      // JFIF: 0 aspect ratio only, 1 dots per inch, 2 dots per cm
  int xDensity = 1, yDensity = 1;
  // Fills the samples of pixel (x, y), y counted from the top.
  std::function<void(int x, int y, std::uint8_t* samples)> pixel = [](int, int, std::uint8_t* s) { s[0] = 128; };
};

inline std::vector<std::uint8_t> MakeJpeg(const JpegFile& picture) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&c, &out, &outSize);
  c.image_width = static_cast<JDIMENSION>(picture.width);
  c.image_height = static_cast<JDIMENSION>(picture.height);
  c.in_color_space = picture.input;
  c.input_components = picture.input == JCS_GRAYSCALE ? 1 : picture.input == JCS_CMYK ? 4 : 3;
  jpeg_set_defaults(&c);
  if (picture.stored != JCS_UNKNOWN) jpeg_set_colorspace(&c, picture.stored);
  if (picture.input == JCS_CMYK) c.write_Adobe_marker = picture.adobeMarker ? TRUE : FALSE;
  jpeg_set_quality(&c, picture.quality, TRUE);
  if (picture.fullChroma)
    for (int i = 0; i < c.num_components; ++i) c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
  if (picture.progressive) jpeg_simple_progression(&c);
  c.density_unit = static_cast<UINT8>(picture.densityUnit);
  c.X_density = static_cast<UINT16>(picture.xDensity);
  c.Y_density = static_cast<UINT16>(picture.yDensity);
  jpeg_start_compress(&c, TRUE);
  if (picture.orientation != 0 || !picture.thumbnail.empty()) {
    const std::vector<std::uint8_t> exif =
        ExifPayload(picture.orientation != 0 ? picture.orientation : 1, picture.exifBigEndian, picture.thumbnail);
    jpeg_write_marker(&c, JPEG_APP0 + 1, exif.data(), static_cast<unsigned>(exif.size()));
  }
  std::vector<std::uint8_t> row(static_cast<std::size_t>(picture.width) * c.input_components);
  while (c.next_scanline < c.image_height) {
    for (int x = 0; x < picture.width; ++x)
      picture.pixel(x, static_cast<int>(c.next_scanline), row.data() + static_cast<std::size_t>(x) * c.input_components);
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  std::vector<std::uint8_t> file(out, out + outSize);
  jpeg_destroy_compress(&c);
  std::free(out);
  return file;
}

// Offset of the first marker `code` (the byte after FF) in `file`, or 0 when there is none.
inline std::size_t FindMarker(const std::vector<std::uint8_t>& file, std::uint8_t code) {
  for (std::size_t i = 2; i + 1 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == code) return i;
  return 0;
}

// Rewrites the dimensions in the SOF0/SOF2 header of `file`.
inline void SetFrameSize(std::vector<std::uint8_t>& file, unsigned width, unsigned height) {
  std::size_t at = FindMarker(file, 0xC0);
  if (at == 0) at = FindMarker(file, 0xC2);
  file[at + 5] = static_cast<std::uint8_t>(height >> 8);
  file[at + 6] = static_cast<std::uint8_t>(height);
  file[at + 7] = static_cast<std::uint8_t>(width >> 8);
  file[at + 8] = static_cast<std::uint8_t>(width);
}

}  // namespace tarn::test
