// Builds PNG files in memory with libpng's writer, and patches chunks of finished files, for
// tests and fuzz seeds.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <png.h>
#include <zlib.h>

namespace tarn::test {

struct PngFile {
  std::uint32_t width = 4;
  std::uint32_t height = 4;
  int colourType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<png_color> palette;       // PLTE, for palette pictures
  std::vector<std::uint8_t> alphas;     // tRNS of a palette picture
  bool key = false;                     // tRNS of a grey or colour picture
  png_color_16 keyValue{};
  int pixelsPerMetreX = 0, pixelsPerMetreY = 0;  // pHYs when non-zero
  // Sample `channel` of pixel (x, y), y from the top, at the file's bit depth.
  std::function<unsigned(std::uint32_t x, std::uint32_t y, int channel)> sample =
      [](std::uint32_t, std::uint32_t, int) { return 0u; };
};

inline int Channels(int colourType) {
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY: case PNG_COLOR_TYPE_PALETTE: return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    default: return 4;
  }
}

inline std::vector<std::uint8_t> MakePng(const PngFile& picture) {
  std::vector<std::uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, std::size_t n) {
        auto* o = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(p));
        o->insert(o->end(), data, data + n);
      },
      nullptr);
  png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colourType,
               picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!picture.palette.empty()) png_set_PLTE(png, info, picture.palette.data(), static_cast<int>(picture.palette.size()));
  if (!picture.alphas.empty())
    png_set_tRNS(png, info, picture.alphas.data(), static_cast<int>(picture.alphas.size()), nullptr);
  if (picture.key) {
    png_color_16 key = picture.keyValue;
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  if (picture.pixelsPerMetreX != 0)
    png_set_pHYs(png, info, picture.pixelsPerMetreX, picture.pixelsPerMetreY, PNG_RESOLUTION_METER);
  png_write_info(png, info);

  const int channels = Channels(picture.colourType);
  const std::size_t rowBytes = (static_cast<std::size_t>(picture.width) * channels * picture.bitDepth + 7) / 8;
  std::vector<std::vector<std::uint8_t>> rows(picture.height, std::vector<std::uint8_t>(rowBytes, 0));
  for (std::uint32_t y = 0; y < picture.height; ++y) {
    std::size_t bit = 0;
    for (std::uint32_t x = 0; x < picture.width; ++x)
      for (int c = 0; c < channels; ++c, bit += picture.bitDepth) {
        const unsigned v = picture.sample(x, y, c);
        if (picture.bitDepth == 16) {
          rows[y][bit / 8] = static_cast<std::uint8_t>(v >> 8);
          rows[y][bit / 8 + 1] = static_cast<std::uint8_t>(v);
        } else {
          rows[y][bit / 8] |= static_cast<std::uint8_t>(v << (8 - picture.bitDepth - bit % 8));
        }
      }
  }
  std::vector<png_bytep> pointers;
  for (auto& r : rows) pointers.push_back(r.data());
  png_write_image(png, pointers.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

// Offset of the first chunk of `type` (its length field), or 0.
inline std::uint32_t Be32(const std::vector<std::uint8_t>& file, std::size_t at) {
  return static_cast<std::uint32_t>(file[at]) << 24 | static_cast<std::uint32_t>(file[at + 1]) << 16 |
         static_cast<std::uint32_t>(file[at + 2]) << 8 | file[at + 3];
}

inline std::size_t FindChunk(const std::vector<std::uint8_t>& file, const char* type) {
  for (std::size_t at = 8; at + 8 <= file.size();) {
    const std::uint32_t length = Be32(file, at);
    if (std::memcmp(&file[at + 4], type, 4) == 0) return at;
    at += 12 + static_cast<std::size_t>(length);
  }
  return 0;
}

inline void PutBe32(std::vector<std::uint8_t>& file, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// Recomputes the CRC of the chunk at `at` after its data has been changed.
inline void FixCrc(std::vector<std::uint8_t>& file, std::size_t at) {
  const std::uint32_t length = Be32(file, at);
  PutBe32(file, at + 8 + length, static_cast<std::uint32_t>(crc32(0, &file[at + 4], length + 4)));
}

// A chunk of `type` with `data`, inserted before the chunk at `before`.
inline void InsertChunk(std::vector<std::uint8_t>& file, std::size_t before, const char* type,
                        const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> chunk(12 + data.size());
  PutBe32(chunk, 0, static_cast<std::uint32_t>(data.size()));
  std::memcpy(&chunk[4], type, 4);
  if (!data.empty()) std::memcpy(&chunk[8], data.data(), data.size());
  FixCrc(chunk, 0);
  file.insert(file.begin() + static_cast<std::ptrdiff_t>(before), chunk.begin(), chunk.end());
}

}  // namespace tarn::test
