// A loaded picture for the transform tests: header block with colour table, pixel rows with
// junk in every padding bit and byte, and pixel access by screen position (row 0 at the top),
// worked out from the bit offset of a pixel in its row rather than per bit count.
#pragma once

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "common/DibLayout.h"
#include "image/PictureTransforms.h"

namespace tarn::test {

inline std::size_t StrideOf(int width, int bitCount) {
  return static_cast<std::size_t>(DibRowBytes(width, bitCount));
}

// A picture's pixels as values, screen row by screen row.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> values;
  std::uint32_t& At(int x, int y) { return values[static_cast<std::size_t>(y) * width + x]; }
  std::uint32_t At(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }
  bool operator==(const Pixels&) const = default;
};

inline std::uint32_t ReadPixel(const std::uint8_t* rows, int width, int height, int bitCount,
                               int x, int y) {
  const std::uint8_t* row = rows + StrideOf(width, bitCount) * static_cast<std::size_t>(height - 1 - y);
  const std::size_t bit = static_cast<std::size_t>(x) * bitCount;
  if (bitCount < 8) {
    const unsigned shift = 8 - bitCount - bit % 8;
    return (row[bit / 8] >> shift) & ((1u << bitCount) - 1);
  }
  std::uint32_t v = 0;
  for (int k = bitCount / 8 - 1; k >= 0; --k) v = v << 8 | row[bit / 8 + k];
  return v;
}

inline void WritePixel(std::uint8_t* rows, int width, int height, int bitCount, int x, int y,
                       std::uint32_t v) {
  std::uint8_t* row = rows + StrideOf(width, bitCount) * static_cast<std::size_t>(height - 1 - y);
  const std::size_t bit = static_cast<std::size_t>(x) * bitCount;
  if (bitCount < 8) {
    const unsigned shift = 8 - bitCount - bit % 8;
    const unsigned mask = ((1u << bitCount) - 1) << shift;
    row[bit / 8] = static_cast<std::uint8_t>((row[bit / 8] & ~mask) | (v << shift & mask));
    return;
  }
  for (int k = 0; k < bitCount / 8; ++k) row[bit / 8 + k] = static_cast<std::uint8_t>(v >> (8 * k));
}

inline Pixels ReadPixels(const std::uint8_t* rows, int width, int height, int bitCount) {
  Pixels p{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) p.At(x, y) = ReadPixel(rows, width, height, bitCount, x, y);
  return p;
}

// True when every bit of every row past the last pixel is zero.
inline bool PaddingIsZero(const std::uint8_t* rows, int width, int height, int bitCount) {
  const std::size_t stride = StrideOf(width, bitCount);
  const std::size_t used = static_cast<std::size_t>(width) * bitCount;
  for (int r = 0; r < height; ++r)
    for (std::size_t bit = used; bit < stride * 8; ++bit)
      if (rows[r * stride + bit / 8] & (0x80 >> bit % 8)) return false;
  return true;
}

class TestPicture {
 public:
  TestPicture(int width, int height, int bitCount, unsigned seed = 1)
      : width_(width), height_(height), bitCount_(bitCount) {
    const std::uint32_t entries = PaletteEntries(bitCount);
    info_.assign(kDibHeaderBytes + entries * 4, 0);
    DibHeader h;
    h.biWidth = width;
    h.biHeight = height;
    h.biBitCount = static_cast<std::uint16_t>(bitCount);
    h.biSizeImage = static_cast<std::uint32_t>(StrideOf(width, bitCount) * height);
    StoreDibHeader(h, info_.data());
    std::mt19937 random(seed);
    for (std::size_t i = kDibHeaderBytes; i < info_.size(); ++i)
      info_[i] = static_cast<std::uint8_t>(random());
    // Junk everywhere first, so padding that leaks into pixels or results shows.
    bits_.assign(StrideOf(width, bitCount) * height, 0xFF);
    const std::uint32_t mask = bitCount == 32 ? 0xFFFFFFFFu : (1u << bitCount) - 1;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        WritePixel(bits_.data(), width, height, bitCount, x, y, static_cast<std::uint32_t>(random()) & mask);
    loadedBits_ = bits_;
    loadedInfo_ = info_;
  }

  // Sets a pixel of the loaded picture, by screen position.
  void Paint(int x, int y, std::uint32_t v) {
    WritePixel(bits_.data(), width_, height_, bitCount_, x, y, v);
    loadedBits_ = bits_;
  }

  PictureBlocks Blocks() { return {info_.data(), info_.size(), bits_.data(), bits_.size()}; }
  DibHeader Header() const { return LoadDibHeader(info_.data()); }
  const std::vector<std::uint8_t>& Info() const { return info_; }
  const std::vector<std::uint8_t>& LoadedInfo() const { return loadedInfo_; }
  const std::vector<std::uint8_t>& Bits() const { return bits_; }
  bool BitsUntouched() const { return bits_ == loadedBits_; }
  Pixels Loaded() const { return ReadPixels(bits_.data(), width_, height_, bitCount_); }

  // The current pixels of `t`, in the orientation the header now gives.
  Pixels Current(const PictureTransforms& t) const {
    const DibHeader h = Header();
    return ReadPixels(t.CurrentBits(bits_.data()), h.biWidth, h.biHeight, bitCount_);
  }
  bool CurrentPaddingIsZero(const PictureTransforms& t) const {
    const DibHeader h = Header();
    return PaddingIsZero(t.CurrentBits(bits_.data()), h.biWidth, h.biHeight, bitCount_);
  }

 private:
  int width_, height_, bitCount_;
  std::vector<std::uint8_t> info_, loadedInfo_, bits_, loadedBits_;
};

}  // namespace tarn::test
