// Decoding the first page of a whole TIFF file held in memory into the picture TarnTiff delivers:
// 24-bit blue-green-red, bottom row first, turned upright by the orientation tag, transparency
// shown over white. Palette, grey, RGB(A) at 8 or 16 bits a sample and CMYK, in every compression
// the library was built with (none, LZW, PackBits, Deflate, JPEG).
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/PictureMemory.h"

namespace tarn::tiff {

// "II*\0" or "MM\0*" (and "+" in place of "*" for BigTIFF).
constexpr std::size_t kSignatureBytes = 4;
bool HasTiffSignature(const std::uint8_t* data, std::size_t size);

// ".tif" or ".tiff", in any case, among the last five characters of `name`.
bool HasTiffExtension(const char* name);

// Largest pixel block, and largest block the library may allocate at once; larger pictures are
// refused with code 4 before anything is allocated.
constexpr std::uint64_t kMaxPixelBlockBytes = 512ull << 20;

struct TiffInfo {
  std::uint32_t width = 0;   // as delivered, after the orientation
  std::uint32_t height = 0;
  int bitCount = 24;
  int orientation = 1;
  std::uint16_t xDpi = 0;    // from the resolution tags in inches or centimetres; else 0
  std::uint16_t yDpi = 0;
};

// Reads the first page's tags only. Answers kSpiOk, 2 (not a TIFF file) or 3 (broken, or a kind
// of picture the decoder cannot show).
int ReadTiffInfo(const std::uint8_t* data, std::size_t size, TiffInfo* info);

// Decodes into `memory`. Answers kSpiOk with the picture held, or with nothing held:
//   2  not a TIFF file            3  broken, cut short, or a kind the decoder cannot show
//   1  stopped by the progress report
//   4  the pixel block or the work buffer would pass kMaxPixelBlockBytes, or memory ran out
//   5  the picture blocks could not be locked, or no work buffer
int DecodeTiff(const std::uint8_t* data, std::size_t size, PictureMemory& memory, ProgressReport* progress);

}  // namespace tarn::tiff
