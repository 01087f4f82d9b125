// 16- and 32-bit pixels whose colours are found through bit masks (BI_BITFIELDS and its alpha
// variant): each channel is the pixel's bits under its mask, scaled from the mask's range to 0..255.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "BmpHeader.h"

namespace tarn::bmp {

class MaskChannel {
 public:
  MaskChannel() : MaskChannel(0) {}
  explicit MaskChannel(std::uint32_t mask);

  bool present() const { return top_ != 0; }
  // 0..255; 0 for a channel without a mask. A mask with gaps reads its bits as one number.
  std::uint8_t Of(std::uint32_t pixel) const {
    const std::uint32_t v = (pixel & mask_) >> shift_;
    return table_.empty() ? Scaled(v) : table_[v];
  }

 private:
  std::uint8_t Scaled(std::uint32_t v) const;

  std::uint32_t mask_ = 0;
  int shift_ = 0;
  std::uint32_t top_ = 0;            // the largest value under the mask, shifted down
  std::vector<std::uint8_t> table_;  // Scaled for every value, for masks of up to 16 bits
};

struct PixelMasks {
  MaskChannel red, green, blue, alpha;
};

// The masks of a picture whose header hasMasks(), from the file's bytes. False when the file ends
// before them.
bool ReadMasks(const BmpHeader& header, const std::uint8_t* file, std::size_t size, PixelMasks* masks);

// Converts the picture's pixel rows at `data` (`dataBytes` of them there) into 24-bit rows of
// `outRowBytes` at `out`, row for row, so that a top-down picture stays top-down. Pixels past the
// end of the data are black. Alpha, when the masks have it, is shown over white; a picture whose
// alpha is 0 everywhere is taken as opaque, as programs that leave the channel unused write it.
void ConvertMaskedRows(const BmpHeader& header, const PixelMasks& masks, const std::uint8_t* data,
                       std::size_t dataBytes, std::uint8_t* out, std::size_t outRowBytes);

}  // namespace tarn::bmp
