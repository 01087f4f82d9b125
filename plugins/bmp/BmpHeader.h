// The BMP file header as TarnBmp accepts it: "BM", an info header of a size Windows and OS/2
// programs write (the 40-byte one, the 52-, 56-, 108- and 124-byte ones that carry colour masks
// and the 12-byte OS/2 core header), a bit count and a compression it can deliver, and dimensions
// a picture can have.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn::bmp {

// File header (14), info header (40) and four more bytes: what IsSupported reads.
constexpr std::size_t kHeaderBytes = 58;
constexpr std::size_t kFileHeaderBytes = 14;

// The OS/2 core header: 16-bit width and height, and colour-table entries of three bytes.
constexpr std::uint32_t kCoreInfoBytes = 12;

// Colour masks stand right after the 40 bytes every larger header starts with: red, green, blue,
// then alpha. The 40-byte header keeps them after itself, where the larger ones carry them inside.
constexpr std::size_t kMasksOffset = 54;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

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
  std::uint32_t infoBytes = 40;

  std::uint32_t rows() const;             // |height|
  std::size_t rowBytes() const;           // bytes of one pixel row, padded to 4
  std::uint64_t pixelBlockBytes() const;  // row bytes * rows(), wide enough for any header
  std::uint64_t deliveredBlockBytes() const;  // the same at the delivered bit count
  std::size_t paletteBytes() const;       // 8, 64, 1024 or 0 as delivered
  std::size_t paletteOffset() const;      // where the file's colour table starts
  std::size_t fileEntryBytes() const;     // 3 for the core header, else 4
  // 16- and 32-bit pixels whose colours are found through masks; they are delivered as 24 bits.
  bool hasMasks() const;
  bool hasAlphaMask() const;
  int deliveredBitCount() const;
};

// The header test on the first kHeaderBytes bytes of a file. Besides the fields the format fixes
// it refuses what no picture can be: width below 1, height 0 or INT_MIN. A picture too large to
// hold is still a BMP: the load refuses it, so that it shows as an unreadable file.
bool ParseHeader(const std::uint8_t* data, BmpHeader* header);

// The extension test: ".bmp" or ".dib", in any case, among the last five characters.
bool HasBmpExtension(const char* name);

}  // namespace tarn::bmp
