// Builds BMP files byte by byte for tests, fuzz seeds and benchmarks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/DibLayout.h"

namespace tarn::test {

struct BmpFile {
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;
  std::uint16_t planes = 1;
  std::uint32_t infoSize = 40;
  std::uint16_t reserved1 = 0;
  std::uint16_t reserved2 = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t clrUsed = 0;
  std::uint32_t clrImportant = 0;
  std::vector<std::uint32_t> palette;  // written as given, right after the info header
  std::vector<std::uint8_t> pixels;    // written at offBits
  std::uint32_t gap = 0;               // bytes between the palette and the pixels
  // Colour masks at offset 54: inside a header larger than 40 bytes, or right after a 40-byte one.
  std::vector<std::uint32_t> masks;
};

inline void PutLe(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline std::vector<std::uint8_t> MakeBmp(const BmpFile& f) {
  const std::size_t headerEnd = std::max<std::size_t>(14 + std::max<std::uint32_t>(f.infoSize, 40), 54 + f.masks.size() * 4);
  const std::size_t paletteAt = headerEnd;
  const std::size_t offBits = paletteAt + f.palette.size() * 4 + f.gap;
  std::vector<std::uint8_t> out(offBits + f.pixels.size());
  out[0] = 'B';
  out[1] = 'M';
  PutLe(out, 2, static_cast<std::uint32_t>(out.size()), 4);
  PutLe(out, 6, f.reserved1, 2);
  PutLe(out, 8, f.reserved2, 2);
  PutLe(out, 10, static_cast<std::uint32_t>(offBits), 4);
  PutLe(out, 14, f.infoSize, 4);
  PutLe(out, 18, static_cast<std::uint32_t>(f.width), 4);
  PutLe(out, 22, static_cast<std::uint32_t>(f.height), 4);
  PutLe(out, 26, f.planes, 2);
  PutLe(out, 28, f.bitCount, 2);
  PutLe(out, 30, f.compression, 4);
  PutLe(out, 34, static_cast<std::uint32_t>(f.pixels.size()), 4);
  PutLe(out, 38, static_cast<std::uint32_t>(f.xPelsPerMeter), 4);
  PutLe(out, 42, static_cast<std::uint32_t>(f.yPelsPerMeter), 4);
  PutLe(out, 46, f.clrUsed, 4);
  PutLe(out, 50, f.clrImportant, 4);
  for (std::size_t i = 0; i < f.masks.size(); ++i) PutLe(out, 54 + i * 4, f.masks[i], 4);
  for (std::size_t i = 0; i < f.palette.size(); ++i) PutLe(out, paletteAt + i * 4, f.palette[i], 4);
  if (!f.pixels.empty()) std::memcpy(out.data() + offBits, f.pixels.data(), f.pixels.size());
  return out;
}

// An OS/2 core-header BMP: 16-bit sides, three-byte colour-table entries (blue, green, red).
inline std::vector<std::uint8_t> MakeCoreBmp(std::uint16_t width, std::uint16_t height, std::uint16_t bitCount,
                                             const std::vector<std::uint8_t>& palette,
                                             const std::vector<std::uint8_t>& pixels) {
  const std::size_t offBits = 14 + 12 + palette.size();
  std::vector<std::uint8_t> out(offBits + pixels.size());
  out[0] = 'B';
  out[1] = 'M';
  PutLe(out, 2, static_cast<std::uint32_t>(out.size()), 4);
  PutLe(out, 10, static_cast<std::uint32_t>(offBits), 4);
  PutLe(out, 14, 12, 4);
  PutLe(out, 18, width, 2);
  PutLe(out, 20, height, 2);
  PutLe(out, 22, 1, 2);
  PutLe(out, 24, bitCount, 2);
  std::copy(palette.begin(), palette.end(), out.begin() + 26);
  std::copy(pixels.begin(), pixels.end(), out.begin() + static_cast<std::ptrdiff_t>(offBits));
  return out;
}

// A palette of `entries` distinct colours.
inline std::vector<std::uint32_t> RampPalette(std::uint32_t entries) {
  std::vector<std::uint32_t> p(entries);
  for (std::uint32_t i = 0; i < entries; ++i) p[i] = (i * 0x010203u + 0x00405060u) & 0x00FFFFFFu;
  return p;
}

// Uncompressed pixel rows of a picture with every byte distinct in a simple pattern.
inline std::vector<std::uint8_t> PatternPixels(std::int32_t width, std::int32_t height, int bitCount) {
  const std::size_t rowBytes = DibRowBytes(width, bitCount);
  const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
  std::vector<std::uint8_t> p(rowBytes * rows);
  for (std::size_t i = 0; i < p.size(); ++i) p[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  return p;
}

}  // namespace tarn::test
