// The device-independent bitmap as plug-ins deliver it: a 40-byte header with its colour table,
// and pixel rows padded to four bytes. Portable, little-endian byte layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tarn {

// Byte image of BITMAPINFOHEADER (no padding between fields; 40 bytes).
struct DibHeader {
  std::uint32_t biSize = 40;
  std::int32_t biWidth = 0;
  std::int32_t biHeight = 0;
  std::uint16_t biPlanes = 1;
  std::uint16_t biBitCount = 0;
  std::uint32_t biCompression = 0;
  std::uint32_t biSizeImage = 0;
  std::int32_t biXPelsPerMeter = 0;
  std::int32_t biYPelsPerMeter = 0;
  std::uint32_t biClrUsed = 0;
  std::uint32_t biClrImportant = 0;
};
static_assert(sizeof(DibHeader) == 40, "DibHeader must match BITMAPINFOHEADER byte for byte");

constexpr std::size_t kDibHeaderBytes = sizeof(DibHeader);

inline void StoreDibHeader(const DibHeader& h, std::uint8_t* dst) { std::memcpy(dst, &h, sizeof h); }
inline DibHeader LoadDibHeader(const std::uint8_t* src) {
  DibHeader h;
  std::memcpy(&h, src, sizeof h);
  return h;
}

// Colour-table entries that go with a bit count: 2, 16 or 256 for 1, 4 or 8 bits, none above.
constexpr std::uint32_t PaletteEntries(int bitCount) {
  return bitCount == 1 ? 2u : bitCount == 4 ? 16u : bitCount == 8 ? 256u : 0u;
}

// Bytes of one pixel row: whole 32-bit words. Done in 64 bits so no header can overflow it.
constexpr std::uint64_t DibRowBytes(std::int64_t width, int bitCount) {
  return static_cast<std::uint64_t>((width * bitCount + 31) / 32) * 4;
}

inline std::uint16_t ReadLe16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
inline std::uint32_t ReadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace tarn
