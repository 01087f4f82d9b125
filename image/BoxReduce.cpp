#include "BoxReduce.h"

#include <algorithm>
#include <array>

#include "common/DibLayout.h"

namespace tarn {
namespace {

// The block sums of one output row: 255 x factor x factor must stay within 32 bits.
constexpr int kMaxFactor = 4095;

// Hands out the rows of a picture top row first, as blue-green-red triples.
class BgrRows {
 public:
  BgrRows(const DibPixels& picture, std::size_t stride)
      : picture_(picture), stride_(stride), scratch_(picture.bitCount == 24 ? 0 : picture.width * 3u) {
    for (std::uint32_t i = 0; i < std::min<std::uint32_t>(picture.paletteEntries, 256); ++i)
      for (int c = 0; c < 3; ++c) palette_[i * 3 + c] = picture.palette[i * 4 + c];
  }

  const std::uint8_t* Row(int y) {
    const int stored = picture_.bottomUp ? picture_.height - 1 - y : y;
    const std::uint8_t* row = picture_.bits + stride_ * static_cast<std::size_t>(stored);
    if (picture_.bitCount == 24) return row;
    std::uint8_t* out = scratch_.data();
    for (int x = 0; x < picture_.width; ++x, out += 3) Expand(row, x, out);
    return scratch_.data();
  }

 private:
  void Expand(const std::uint8_t* row, int x, std::uint8_t* out) const {
    switch (picture_.bitCount) {
      case 1: return Index(row[x >> 3] >> (7 - (x & 7)) & 1, out);
      case 4: return Index(row[x >> 1] >> (x & 1 ? 0 : 4) & 15, out);
      case 8: return Index(row[x], out);
      case 16: {
        const unsigned v = ReadLe16(row + 2 * x);
        out[0] = Widen5(v & 31);
        out[1] = Widen5(v >> 5 & 31);
        out[2] = Widen5(v >> 10 & 31);
        return;
      }
      default:
        out[0] = row[4 * x];
        out[1] = row[4 * x + 1];
        out[2] = row[4 * x + 2];
        return;
    }
  }
  void Index(unsigned index, std::uint8_t* out) const {
    out[0] = palette_[index * 3];
    out[1] = palette_[index * 3 + 1];
    out[2] = palette_[index * 3 + 2];
  }
  static std::uint8_t Widen5(unsigned v) { return static_cast<std::uint8_t>(v << 3 | v >> 2); }

  const DibPixels& picture_;
  std::size_t stride_;
  std::array<std::uint8_t, 256 * 3> palette_{};
  std::vector<std::uint8_t> scratch_;
};

bool Readable(const DibPixels& p, std::size_t stride) {
  const bool knownDepth = p.bitCount == 1 || p.bitCount == 4 || p.bitCount == 8 || p.bitCount == 16 ||
                          p.bitCount == 24 || p.bitCount == 32;
  if (!knownDepth || p.width <= 0 || p.height <= 0 || p.bits == nullptr) return false;
  if (PaletteEntries(p.bitCount) != 0 && p.palette == nullptr && p.paletteEntries != 0) return false;
  return static_cast<std::uint64_t>(stride) * static_cast<std::uint64_t>(p.height) <= p.bitsSize;
}

}  // namespace

int BoxFactor(int width, int height, int targetWidth, int targetHeight, int times) {
  if (width <= 0 || height <= 0 || times < 1) return 1;
  const int across = width / (times * std::max(targetWidth, 1));
  const int down = height / (times * std::max(targetHeight, 1));
  return std::clamp(std::min(across, down), 1, kMaxFactor);
}

bool BoxReduce(const DibPixels& picture, int factor, ReducedPicture& out) {
  out.width = out.height = 0;
  out.bits.clear();
  const std::size_t stride = static_cast<std::size_t>(DibRowBytes(picture.width, picture.bitCount));
  if (factor < 2 || factor > kMaxFactor || !Readable(picture, stride)) return false;

  const int width = (picture.width + factor - 1) / factor;
  const int height = (picture.height + factor - 1) / factor;
  const std::size_t outStride = static_cast<std::size_t>(DibRowBytes(width, 24));
  out.width = width;
  out.height = height;
  out.factor = factor;
  out.bits.assign(outStride * height, 0);

  BgrRows rows(picture, stride);
  std::vector<std::uint32_t> sums(width * 3u);
  for (int oy = 0; oy < height; ++oy) {
    std::fill(sums.begin(), sums.end(), 0);
    const int top = oy * factor, bottom = std::min(top + factor, picture.height);
    for (int y = top; y < bottom; ++y) {
      const std::uint8_t* row = rows.Row(y);
      std::uint32_t* sum = sums.data();
      for (int left = 0; left < picture.width; left += factor, sum += 3) {
        const int right = std::min(left + factor, picture.width);
        std::uint32_t b = 0, g = 0, r = 0;
        for (const std::uint8_t* p = row + 3 * left; p != row + 3 * right; p += 3) {
          b += p[0];
          g += p[1];
          r += p[2];
        }
        sum[0] += b;
        sum[1] += g;
        sum[2] += r;
      }
    }
    std::uint8_t* dst = out.bits.data() + outStride * static_cast<std::size_t>(height - 1 - oy);
    const std::uint32_t rowsIn = static_cast<std::uint32_t>(bottom - top);
    for (int ox = 0; ox < width; ++ox) {
      const std::uint32_t columns = static_cast<std::uint32_t>(std::min(factor, picture.width - ox * factor));
      const std::uint32_t count = columns * rowsIn;
      for (int c = 0; c < 3; ++c) dst[3 * ox + c] = static_cast<std::uint8_t>((sums[3 * ox + c] + count / 2) / count);
    }
  }
  return true;
}

PixelRect ScalePixelRect(const PixelRect& rect, int fromWidth, int fromHeight, int toWidth, int toHeight) {
  const auto scale = [](int v, int from, int to) {
    if (from <= 0) return v;
    return static_cast<int>((2ll * v * to + from) / (2ll * from));
  };
  const int left = scale(rect.x, fromWidth, toWidth), right = scale(rect.x + rect.width, fromWidth, toWidth);
  const int top = scale(rect.y, fromHeight, toHeight), bottom = scale(rect.y + rect.height, fromHeight, toHeight);
  return {left, top, std::max(right - left, 1), std::max(bottom - top, 1)};
}

}  // namespace tarn
