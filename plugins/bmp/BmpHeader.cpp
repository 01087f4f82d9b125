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

std::uint64_t BmpHeader::deliveredBlockBytes() const {
  return DibRowBytes(width, deliveredBitCount()) * rows();
}

std::size_t BmpHeader::paletteBytes() const { return PaletteEntries(bitCount) * 4u; }

std::size_t BmpHeader::paletteOffset() const { return kFileHeaderBytes + infoBytes; }

std::size_t BmpHeader::fileEntryBytes() const { return infoBytes == kCoreInfoBytes ? 3 : 4; }

bool BmpHeader::hasMasks() const {
  return (compression == kBitFields || compression == kAlphaBitFields) && (bitCount == 16 || bitCount == 32);
}

bool BmpHeader::hasAlphaMask() const { return hasMasks() && (compression == kAlphaBitFields || infoBytes >= 56); }

int BmpHeader::deliveredBitCount() const { return hasMasks() ? 24 : bitCount; }

namespace {

// OS/2 1.x: unsigned 16-bit sides, bottom-up rows, no compression.
bool ParseCoreHeader(const std::uint8_t* d, BmpHeader* r) {
  if (ReadLe16(d + 22) != 1) return false;
  r->infoBytes = kCoreInfoBytes;
  r->width = ReadLe16(d + 18);
  r->height = ReadLe16(d + 20);
  r->bitCount = ReadLe16(d + 24);
  switch (r->bitCount) {
    case 1: case 4: case 8: case 24: break;
    default: return false;
  }
  return r->width >= 1 && r->height >= 1;
}

bool IsInfoHeaderSize(std::uint32_t bytes) {
  return bytes == 40 || bytes == 52 || bytes == 56 || bytes == 108 || bytes == 124;
}

}  // namespace

bool ParseHeader(const std::uint8_t* d, BmpHeader* h) {
  if (ReadLe16(d) != 0x4D42 || ReadLe16(d + 6) != 0 || ReadLe16(d + 8) != 0) return false;
  BmpHeader r;
  r.offBits = ReadLe32(d + 10);
  r.infoBytes = ReadLe32(d + 14);
  if (r.infoBytes == kCoreInfoBytes) {
    if (!ParseCoreHeader(d, &r)) return false;
    *h = r;
    return true;
  }
  if (!IsInfoHeaderSize(r.infoBytes) || ReadLe16(d + 26) != 1) return false;
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
    case kAlphaBitFields: if (r.bitCount != 16 && r.bitCount != 32) return false; break;
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
