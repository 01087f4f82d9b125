// Decoding a whole PNG file held in memory into the picture TarnPng delivers (see PngRows.h for
// the form of the rows), bottom row first.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/PictureMemory.h"

namespace tarn::png {

constexpr std::size_t kSignatureBytes = 8;
bool HasPngSignature(const std::uint8_t* data, std::size_t size);

// ".png", in any case, among the last five characters of `name`.
bool HasPngExtension(const char* name);

// Largest pixel block (and largest buffer of undecoded rows) the plug-in will allocate; larger
// pictures are refused with code 4 before anything is allocated.
constexpr std::uint64_t kMaxPixelBlockBytes = 512ull << 20;

struct PngInfo {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int bitCount = 0;          // of the delivered DIB: 1, 4, 8 or 24
  std::uint16_t xDpi = 0;    // from pHYs when given in pixels per metre; else 0
  std::uint16_t yDpi = 0;
};

// Reads the chunks before the image data. Answers kSpiOk, 2 (not a PNG file) or 3 (broken).
int ReadPngInfo(const std::uint8_t* data, std::size_t size, PngInfo* info);

// Decodes into `memory`. Answers kSpiOk with the picture held, or with nothing held:
//   2  not a PNG file
//   3  broken: truncated, a critical chunk with a bad CRC, bad compressed data, a bad header
//   1  stopped by the progress report
//   4  the pixel block or the row buffer would pass kMaxPixelBlockBytes, or memory ran out
//   5  the picture blocks could not be locked, or no work buffer for the rows
int DecodePng(const std::uint8_t* data, std::size_t size, PictureMemory& memory, ProgressReport* progress);

}  // namespace tarn::png
