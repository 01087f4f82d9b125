// Decoding a whole JPEG file held in memory into the picture TarnJpeg delivers: greyscale as
// 8 bits with a grey palette, everything else as 24-bit blue-green-red, turned upright by the
// EXIF orientation, bottom row first.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/PictureMemory.h"

namespace tarn::jpeg {

// Bytes a JPEG file starts with: SOI and the first byte of the next marker.
constexpr std::size_t kSignatureBytes = 3;
bool HasJpegSignature(const std::uint8_t* data, std::size_t size);

// ".jpg", ".jpeg", ".jpe" or ".jfif", in any case, among the last five characters of `name`.
bool HasJpegExtension(const char* name);

// Largest pixel block the plug-in will deliver; larger pictures are refused with code 4 before
// anything is allocated.
constexpr std::uint64_t kMaxPixelBlockBytes = 512ull << 20;

// The longer side a catalog preview needs at least: twice the largest catalog cell.
constexpr std::uint32_t kPreviewSide = 384;

// The DCT scaling denominator (1, 2, 4 or 8) that gives the smallest picture whose longer side is
// still at least kPreviewSide; 1 when the picture is no larger than that already.
int PreviewDenominator(std::uint32_t width, std::uint32_t height);

struct JpegInfo {
  std::uint32_t width = 0;   // as delivered, after the EXIF orientation
  std::uint32_t height = 0;
  int bitCount = 0;          // 8 for greyscale, 24 otherwise
  int orientation = 1;       // EXIF orientation, 1 to 8
  std::uint16_t xDpi = 0;    // JFIF density in dots per inch; 0 when the file gives none
  std::uint16_t yDpi = 0;
};

// Reads the headers only. Answers kSpiOk, 2 (not a JPEG file) or 3 (broken headers).
int ReadJpegInfo(const std::uint8_t* data, std::size_t size, JpegInfo* info);

enum class Scale { kFull, kPreview };

// Decodes into `memory`. Answers kSpiOk with the picture held, or with nothing held:
//   2  not a JPEG file            3  broken data the library cannot decode past
//   1  stopped by the progress report
//   4  the pixel block would pass kMaxPixelBlockBytes, or memory ran out
//   5  the picture blocks could not be locked
// Entropy data that ends early is delivered as far as it goes (the rest grey), as libjpeg does.
int DecodeJpeg(const std::uint8_t* data, std::size_t size, Scale scale, PictureMemory& memory,
               ProgressReport* progress);

}  // namespace tarn::jpeg
