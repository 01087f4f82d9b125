#include "BmpHeader.h"

#include <climits>

#include "common/DibLayout.h"
#include "common/PluginNames.h"

namespace tarn::bmp {

std::uint32_t BmpHeader::rows() const {
  return height < 0 ? 0u - static_cast<std::uint32_t>(height) : static_cast<std::uint32_t>(height);
}

std::size_t BmpHeader::rowBytes() const {
  return static_cast<std::size_t>(DibRowBytes(width, bitCount));
}

std::uint64_t BmpHeader::pixelBlockBytes() const { return DibRowBytes(width, bitCount) * rows(); }

std::size_t BmpHeader::paletteBytes() const { return PaletteEntries(bitCount) * 4u; }

bool ParseHeader(const std::uint8_t* d, BmpHeader* h) {
  if (ReadLe16(d) != 0x4D42 || ReadLe16(d + 6) != 0 || ReadLe16(d + 8) != 0) return false;
  if (ReadLe32(d + 14) != 40 || ReadLe16(d + 26) != 1) return false;
  BmpHeader r;
  r.offBits = ReadLe32(d + 10);
  r.width = static_cast<std::int32_t>(ReadLe32(d + 18));
  r.height = static_cast<std::int32_t>(ReadLe32(d + 22));
  r.bitCount = ReadLe16(d + 28);
  r.compression = ReadLe32(d + 30);
  r.xPelsPerMeter = static_cast<std::int32_t>(ReadLe32(d + 38));
  r.yPelsPerMeter = static_cast<std::int32_t>(ReadLe32(d + 42));
  r.clrImportant = ReadLe32(d + 50);

  switch (r.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
  }
  switch (r.compression) {
    case kRgb: case kBitFields: break;
    case kRle8: if (r.bitCount != 8 || r.height <= 0) return false; break;
    case kRle4: if (r.bitCount != 4 || r.height <= 0) return false; break;
    default: return false;
  }
  if (r.width < 1 || r.height == 0 || r.height == INT_MIN) return false;
  *h = r;
  return true;
}

bool HasBmpExtension(const char* name) {
  static constexpr const char* kExtensions[] = {".bmp", ".dib"};
  return HasExtension(name, kExtensions, 2);
}

}  // namespace tarn::bmp
