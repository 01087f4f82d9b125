#include "FrameImage.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "common/DibLayout.h"
#include "common/PluginCodes.h"

namespace tarn::mov {
namespace {

constexpr std::int32_t kMaxSide = 16384;
constexpr std::uint32_t kRgb = 0, kBitFields = 3;
constexpr std::uint32_t kYv12 = 0x32315659;  // "YV12", what some renderers hand over

// One colour channel of a 16- or 32-bit pixel, widened to 8 bits by repeating its top bits.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0, bits = 0;
  explicit Channel(std::uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    bits = std::popcount(m >> shift);
  }
  std::uint8_t Of(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    std::uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<std::uint8_t>(v >> (bits - 8));
    std::uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += bits) out = out << bits | v;
    return static_cast<std::uint8_t>(out >> (((8 + bits - 1) / bits) * bits - 8));
  }
};

struct Source {
  DibHeader h;
  std::int32_t width = 0, height = 0;  // height made positive
  bool topDown = false;
  const std::uint8_t* palette = nullptr;
  std::uint32_t paletteEntries = 0;
  std::uint32_t masks[3] = {};
  const std::uint8_t* pixels = nullptr;
};

std::uint8_t Clamp(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

// Y, U, V of one pixel as blue, green, red (ITU-R BT.601, studio range).
void YuvToBgr(int y, int u, int v, std::uint8_t* bgr) {
  const int c = (y - 16) * 298, d = u - 128, e = v - 128;
  bgr[0] = Clamp((c + 516 * d + 128) >> 8);
  bgr[1] = Clamp((c - 100 * d - 208 * e + 128) >> 8);
  bgr[2] = Clamp((c + 409 * e + 128) >> 8);
}

// Row `y` of the output (0 = bottom) as a source row index.
std::int32_t SourceRow(const Source& s, std::int32_t y) { return s.topDown ? s.height - 1 - y : y; }

bool ReadSource(const std::uint8_t* dib, std::size_t size, Source* s) {
  if (dib == nullptr || size < kDibHeaderBytes) return false;
  s->h = LoadDibHeader(dib);
  const DibHeader& h = s->h;
  if (h.biSize < kDibHeaderBytes || h.biSize > size) return false;
  if (h.biWidth <= 0 || h.biWidth > kMaxSide || h.biHeight == 0 || h.biHeight < -kMaxSide || h.biHeight > kMaxSide)
    return false;
  s->width = h.biWidth;
  s->height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  s->topDown = h.biHeight < 0 || h.biCompression == kYv12;
  std::uint64_t offset = h.biSize;
  std::uint64_t need = 0;
  switch (h.biBitCount) {
    case 1:
    case 4:
    case 8: {
      if (h.biCompression != kRgb) return false;
      const std::uint32_t most = PaletteEntries(h.biBitCount);
      s->paletteEntries = h.biClrUsed != 0 && h.biClrUsed < most ? h.biClrUsed : most;
      s->palette = dib + offset;
      offset += 4ull * s->paletteEntries;
      need = DibRowBytes(s->width, h.biBitCount) * s->height;
      break;
    }
    case 24:
      if (h.biCompression != kRgb) return false;
      need = DibRowBytes(s->width, 24) * s->height;
      break;
    case 12:
      if (h.biCompression != kYv12) return false;
      need = std::uint64_t(s->width) * s->height + 2ull * ((s->width + 1) / 2) * ((s->height + 1) / 2);
      break;
    case 16:
    case 32:
      if (h.biCompression == kBitFields) {
        if (size < kDibHeaderBytes + 12) return false;
        for (int i = 0; i < 3; ++i) s->masks[i] = ReadLe32(dib + kDibHeaderBytes + 4 * i);
        if (h.biSize == kDibHeaderBytes) offset += 12;
      } else if (h.biCompression == kRgb) {
        // A 16-bit frame without masks is 5-5-5; a 32-bit one holds whole bytes.
        const bool wide = h.biBitCount == 32;
        s->masks[0] = wide ? 0x00FF0000u : 0x7C00u;
        s->masks[1] = wide ? 0x0000FF00u : 0x03E0u;
        s->masks[2] = wide ? 0x000000FFu : 0x001Fu;
      } else {
        return false;
      }
      need = DibRowBytes(s->width, h.biBitCount) * s->height;
      break;
    default: return false;
  }
  if (offset > size || need > size - offset) return false;
  s->pixels = dib + offset;
  return true;
}

void CopyRows(const Source& s, std::uint8_t* out, std::uint64_t rowBytes) {
  for (std::int32_t y = 0; y < s.height; ++y)
    std::memcpy(out + rowBytes * y, s.pixels + rowBytes * SourceRow(s, y), rowBytes);
}

void MaskedRows(const Source& s, std::uint8_t* out, std::uint64_t outRow) {
  const Channel red(s.masks[0]), green(s.masks[1]), blue(s.masks[2]);
  const std::uint64_t inRow = DibRowBytes(s.width, s.h.biBitCount);
  const int bytes = s.h.biBitCount / 8;
  for (std::int32_t y = 0; y < s.height; ++y) {
    const std::uint8_t* in = s.pixels + inRow * SourceRow(s, y);
    std::uint8_t* o = out + outRow * y;
    for (std::int32_t x = 0; x < s.width; ++x, in += bytes, o += 3) {
      const std::uint32_t pixel = bytes == 2 ? ReadLe16(in) : ReadLe32(in);
      o[0] = blue.Of(pixel);
      o[1] = green.Of(pixel);
      o[2] = red.Of(pixel);
    }
  }
}

void Yv12Rows(const Source& s, std::uint8_t* out, std::uint64_t outRow) {
  const std::int32_t cw = (s.width + 1) / 2, ch = (s.height + 1) / 2;
  const std::uint8_t* yPlane = s.pixels;
  const std::uint8_t* vPlane = yPlane + std::size_t(s.width) * s.height;
  const std::uint8_t* uPlane = vPlane + std::size_t(cw) * ch;
  for (std::int32_t y = 0; y < s.height; ++y) {
    const std::int32_t row = SourceRow(s, y);
    std::uint8_t* o = out + outRow * y;
    for (std::int32_t x = 0; x < s.width; ++x, o += 3) {
      const std::size_t c = std::size_t(row / 2) * cw + x / 2;
      YuvToBgr(yPlane[std::size_t(row) * s.width + x], uPlane[c], vPlane[c], o);
    }
  }
}

}  // namespace

std::int64_t SamplePosition(std::int64_t wanted, bool rangeKnown, std::int64_t start, std::int64_t end) {
  if (!rangeKnown) end = wanted + kSampleUnit;
  return std::max(std::min(wanted, end - kSampleUnit), start);
}

bool IsDarkFrame(const std::uint8_t* pixels, std::size_t bytes) {
  const std::size_t quarter = bytes / 4;
  const std::size_t lit = static_cast<std::size_t>(std::count_if(pixels, pixels + quarter, [](std::uint8_t b) { return b != 0; }));
  return lit <= std::max<std::size_t>(bytes / 200, 100);
}

int ConvertFrame(const std::uint8_t* dib, std::size_t size, PictureMemory& memory, std::size_t* pixelBytes) {
  Source s;
  if (!ReadSource(dib, size, &s)) return kSpiBroken;
  const bool keepsDepth = s.h.biBitCount <= 8 || s.h.biBitCount == 24;
  const int outBits = keepsDepth ? s.h.biBitCount : 24;
  const std::uint32_t entries = PaletteEntries(outBits);
  const std::uint64_t outRow = DibRowBytes(s.width, outBits);
  const int allocated = memory.AllocatePicture(kDibHeaderBytes + 4 * entries, outRow * s.height);
  if (allocated != kSpiOk) return allocated;
  *pixelBytes = outRow * s.height;
  DibHeader out;
  out.biWidth = s.width;
  out.biHeight = s.height;
  out.biBitCount = static_cast<std::uint16_t>(outBits);
  out.biClrUsed = entries;
  StoreDibHeader(out, memory.Info());
  if (entries != 0) {
    std::memset(memory.Info() + kDibHeaderBytes, 0, 4 * entries);
    std::memcpy(memory.Info() + kDibHeaderBytes, s.palette, 4 * s.paletteEntries);
  }
  if (keepsDepth) CopyRows(s, memory.Pixels(), outRow);
  else if (s.h.biCompression == kYv12) Yv12Rows(s, memory.Pixels(), outRow);
  else MaskedRows(s, memory.Pixels(), outRow);
  return kSpiOk;
}

}  // namespace tarn::mov
