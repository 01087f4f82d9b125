// Decoding a whole WebP file held in memory into the picture TarnWebp delivers: 24-bit
// blue-green-red, bottom row first, transparency shown over white. Lossy, lossless and extended
// files; of an animation, its first frame as it shows on the animation's canvas.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/PictureMemory.h"

namespace tarn::webp {

// "RIFF", the chunk size and "WEBP".
constexpr std::size_t kSignatureBytes = 12;
bool HasWebpSignature(const std::uint8_t* data, std::size_t size);

// ".webp", in any case, among the last five characters of `name`.
bool HasWebpExtension(const char* name);

// Largest pixel block (and largest work buffer) the plug-in will allocate; larger pictures are
// refused with code 4 before anything is allocated.
constexpr std::uint64_t kMaxPixelBlockBytes = 512ull << 20;

// The longer side a catalog preview needs at least.
constexpr std::uint32_t kPreviewSide = 384;

struct PictureSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool operator==(const PictureSize&) const = default;
};

// The catalog preview of a picture of `full` size: scaled so that its longer side is kPreviewSide
// (the shorter one rounded, never below 1), or the picture itself when it is no larger.
PictureSize PreviewSize(PictureSize full);

struct WebpInfo {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int bitCount = 24;
  std::uint16_t xDpi = 0;  // WebP records no density
  std::uint16_t yDpi = 0;
};

// Reads the headers only. Answers kSpiOk, 2 (not a WebP file) or 3 (broken headers).
int ReadWebpInfo(const std::uint8_t* data, std::size_t size, WebpInfo* info);

enum class Scale { kFull, kPreview };

// Decodes into `memory`. Answers kSpiOk with the picture held, or with nothing held:
//   2  not a WebP file            3  broken or cut-short data
//   1  stopped by the progress report
//   4  the pixel block or the work buffer would pass kMaxPixelBlockBytes, or memory ran out
//   5  the picture blocks could not be locked, or no work buffer
// Animations are decoded at full size whatever `scale` asks.
int DecodeWebp(const std::uint8_t* data, std::size_t size, Scale scale, PictureMemory& memory,
               ProgressReport* progress);

}  // namespace tarn::webp
