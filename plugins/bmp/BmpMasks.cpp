#include "BmpMasks.h"

#include <bit>
#include <cstring>

#include "common/DibLayout.h"
#include "common/OverWhite.h"

namespace tarn::bmp {
namespace {

constexpr std::uint32_t kLargestTabled = 0xFFFF;

std::uint32_t PixelAt(const std::uint8_t* p, int bitCount) { return bitCount == 16 ? ReadLe16(p) : ReadLe32(p); }

// Any pixel of the picture with alpha under its mask.
bool AnyAlpha(const BmpHeader& h, const MaskChannel& alpha, const std::uint8_t* data, std::size_t dataBytes) {
  const std::size_t pixelBytes = h.bitCount / 8u;
  const std::size_t rowBytes = h.rowBytes();
  for (std::uint32_t y = 0; y < h.rows(); ++y) {
    const std::size_t start = y * rowBytes;
    if (start >= dataBytes) break;
    for (std::size_t x = 0, at = start; x < static_cast<std::size_t>(h.width) && at + pixelBytes <= dataBytes;
         ++x, at += pixelBytes)
      if (alpha.Of(PixelAt(data + at, h.bitCount)) != 0) return true;
  }
  return false;
}

}  // namespace

MaskChannel::MaskChannel(std::uint32_t mask) : mask_(mask) {
  if (mask == 0) {
    table_.assign(1, 0);  // nothing under the mask: every pixel reads 0
    return;
  }
  shift_ = std::countr_zero(mask);
  top_ = mask >> shift_;
  if (top_ > kLargestTabled) return;
  table_.resize(top_ + 1);
  for (std::uint32_t v = 0; v <= top_; ++v) table_[v] = Scaled(v);
}

std::uint8_t MaskChannel::Scaled(std::uint32_t v) const {
  return static_cast<std::uint8_t>((static_cast<std::uint64_t>(v) * 255 + top_ / 2) / top_);
}

bool ReadMasks(const BmpHeader& h, const std::uint8_t* file, std::size_t size, PixelMasks* masks) {
  const std::size_t count = h.hasAlphaMask() ? 4 : 3;
  if (size < kMasksOffset + count * 4) return false;
  const std::uint8_t* m = file + kMasksOffset;
  masks->red = MaskChannel(ReadLe32(m));
  masks->green = MaskChannel(ReadLe32(m + 4));
  masks->blue = MaskChannel(ReadLe32(m + 8));
  masks->alpha = MaskChannel(count == 4 ? ReadLe32(m + 12) : 0);
  return true;
}

void ConvertMaskedRows(const BmpHeader& h, const PixelMasks& masks, const std::uint8_t* data,
                       std::size_t dataBytes, std::uint8_t* out, std::size_t outRowBytes) {
  const bool alpha = masks.alpha.present() && AnyAlpha(h, masks.alpha, data, dataBytes);
  const std::size_t pixelBytes = h.bitCount / 8u;
  const std::size_t rowBytes = h.rowBytes();
  const auto width = static_cast<std::size_t>(h.width);
  for (std::uint32_t y = 0; y < h.rows(); ++y) {
    std::uint8_t* dst = out + y * outRowBytes;
    std::memset(dst, 0, outRowBytes);
    const std::size_t start = y * rowBytes;
    for (std::size_t x = 0, at = start; x < width && at + pixelBytes <= dataBytes;
         ++x, at += pixelBytes, dst += 3) {
      const std::uint32_t p = PixelAt(data + at, h.bitCount);
      dst[0] = masks.blue.Of(p);
      dst[1] = masks.green.Of(p);
      dst[2] = masks.red.Of(p);
      if (!alpha) continue;
      const unsigned a = masks.alpha.Of(p);
      for (int c = 0; c < 3; ++c) dst[c] = OverWhite8(dst[c], a);
    }
  }
}

}  // namespace tarn::bmp
