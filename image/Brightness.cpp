#include "Brightness.h"

#include <cstddef>

namespace tarn {
namespace {

// One byte moved by the offset, held to 0..255. Written as a saturating add or subtract so that
// the compiler can do many bytes at once over a whole picture.
class ByteShift {
 public:
  explicit ByteShift(int offset)
      : up_(offset >= 0), step_(static_cast<std::uint8_t>(Magnitude(offset))),
        ceiling_(static_cast<std::uint8_t>(255 - step_)) {}

  std::uint8_t operator()(std::uint8_t b) const {
    if (up_) return b > ceiling_ ? std::uint8_t{255} : static_cast<std::uint8_t>(b + step_);
    return b < step_ ? std::uint8_t{0} : static_cast<std::uint8_t>(b - step_);
  }

 private:
  static int Magnitude(int offset) {
    const long long m = offset < 0 ? -static_cast<long long>(offset) : offset;
    return m > 255 ? 255 : static_cast<int>(m);
  }

  bool up_;
  std::uint8_t step_;
  std::uint8_t ceiling_;
};

}  // namespace

void BrightenPalette(const std::uint8_t* loaded, std::uint8_t* table, std::uint32_t entries,
                     int offset) {
  const ByteShift shift(offset);
  for (std::size_t i = 0; i < std::size_t{entries} * 4; ++i)
    table[i] = i % 4 == 3 ? loaded[i] : shift(loaded[i]);
}

void BrightenPixels(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& g,
                    int offset) {
  const ByteShift shift(offset);
  // Held in locals: the byte stores below could otherwise alias the geometry and be re-read.
  const std::size_t rowBytes = g.rowBytes;
  const std::size_t stride = g.Stride();
  for (int row = 0; row < g.height; ++row) {
    const std::uint8_t* s = src + static_cast<std::size_t>(row) * stride;
    std::uint8_t* d = dst + static_cast<std::size_t>(row) * stride;
    for (std::size_t i = 0; i < rowBytes; ++i) d[i] = shift(s[i]);
  }
}

}  // namespace tarn
