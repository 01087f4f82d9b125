// The BMP file header as TarnBmp accepts it: "BM", a 40-byte info header, a bit count and a
// compression it can deliver, and dimensions a picture can have.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn::bmp {

// File header (14), info header (40) and four more bytes: what IsSupported reads.
constexpr std::size_t kHeaderBytes = 58;
constexpr std::size_t kColourTableOffset = 54;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// Largest pixel block the decoder allocates; a larger one is answered as an allocation failure.
// The RLE8 work buffer is twice this, which still fits a 32-bit size; beyond it no 32-bit process
// could hold the picture anyway.
constexpr std::uint64_t kMaxPixelBlockBytes = 1u << 30;

struct BmpHeader {
  std::uint32_t offBits = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t clrImportant = 0;

  std::uint32_t rows() const;             // |height|
  std::size_t rowBytes() const;           // bytes of one pixel row, padded to 4
  std::uint64_t pixelBlockBytes() const;  // row bytes * rows(), wide enough for any header
  std::size_t paletteBytes() const;       // 8, 64, 1024 or 0
};

// The header test on the first kHeaderBytes bytes of a file. Besides the fields the format fixes
// it refuses what no picture can be: width below 1, height 0 or INT_MIN. A picture too large to
// hold is still a BMP: the load refuses it, so that it shows as an unreadable file.
bool ParseHeader(const std::uint8_t* data, BmpHeader* header);

// The extension test: ".bmp" or ".dib", in any case, among the last five characters.
bool HasBmpExtension(const char* name);

}  // namespace tarn::bmp
