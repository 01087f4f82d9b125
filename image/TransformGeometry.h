// The shape of the current picture as the transforms see it: sizes of a row in this orientation
// and in the turned one, and the work buffer that holds either.
#pragma once

#include <cstddef>

namespace tarn {

struct TransformGeometry {
  int width = 0;
  int height = 0;
  int bitCount = 0;
  int pixelBytes = 0;               // bytes of one pixel unit; 1 for 1-bit and 4-bit pictures
  std::size_t rowBytes = 0;         // pixel bytes of one row, padding excluded
  std::size_t transRowBytes = 0;    // the same for a row of the turned picture
  std::size_t rowPadding = 0;
  std::size_t transRowPadding = 0;
  std::size_t workSize = 0;         // large enough for the pixels in either orientation

  std::size_t Stride() const { return rowBytes + rowPadding; }
  std::size_t TransStride() const { return transRowBytes + transRowPadding; }
  std::size_t PixelsSize() const { return Stride() * static_cast<std::size_t>(height); }
};

enum class GeometryResult { kOk, kUnsupportedBitCount, kBadSize };

// Takes the geometry of a picture of the given header sizes. Transforms know 1, 4, 8, 16, 24 and
// 32 bits per pixel; a picture must be at least one pixel each way and small enough that its work
// buffer can be addressed.
GeometryResult TakeGeometry(int width, int height, int bitCount, TransformGeometry& geometry);

// After a quarter turn the other orientation is the current one.
void SwapOrientation(TransformGeometry& geometry);

}  // namespace tarn
