#include "TransformGeometry.h"

#include <cstdint>
#include <utility>

namespace tarn {
namespace {

std::size_t PaddingToWord(std::size_t bytes) { return (4 - bytes % 4) % 4; }

// Bytes that hold `pixels` pixels of a row, padding excluded.
std::uint64_t RowBytesFor(std::uint64_t pixels, int bitCount) {
  if (bitCount == 1) return (pixels + 7) / 8;
  if (bitCount == 4) return (pixels + 1) / 2;
  return pixels * static_cast<std::uint64_t>(bitCount / 8);
}

// Work buffers larger than this are refused rather than risk an overflowing size on 32 bits.
constexpr std::uint64_t kMaxWorkSize = 0x7FFFFFFF;

}  // namespace

GeometryResult TakeGeometry(int width, int height, int bitCount, TransformGeometry& geometry) {
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
      bitCount != 32)
    return GeometryResult::kUnsupportedBitCount;
  if (width <= 0 || height <= 0) return GeometryResult::kBadSize;

  const std::uint64_t rowBytes = RowBytesFor(static_cast<std::uint64_t>(width), bitCount);
  const std::uint64_t transRowBytes = RowBytesFor(static_cast<std::uint64_t>(height), bitCount);
  // Every stored row ends on a 4-byte boundary, whatever biSizeImage claims.
  const std::uint64_t stride = rowBytes + PaddingToWord(rowBytes);
  const std::uint64_t transStride = transRowBytes + PaddingToWord(transRowBytes);
  const std::uint64_t straight = stride * static_cast<std::uint64_t>(height);
  const std::uint64_t turned = transStride * static_cast<std::uint64_t>(width);
  if (stride > kMaxWorkSize || transStride > kMaxWorkSize || straight > kMaxWorkSize ||
      turned > kMaxWorkSize)
    return GeometryResult::kBadSize;

  geometry.width = width;
  geometry.height = height;
  geometry.bitCount = bitCount;
  geometry.pixelBytes = bitCount < 8 ? 1 : bitCount / 8;
  geometry.rowBytes = static_cast<std::size_t>(rowBytes);
  geometry.transRowBytes = static_cast<std::size_t>(transRowBytes);
  geometry.rowPadding = PaddingToWord(geometry.rowBytes);
  geometry.transRowPadding = PaddingToWord(geometry.transRowBytes);
  geometry.workSize = static_cast<std::size_t>(straight > turned ? straight : turned);
  return GeometryResult::kOk;
}

void SwapOrientation(TransformGeometry& geometry) {
  std::swap(geometry.width, geometry.height);
  std::swap(geometry.rowBytes, geometry.transRowBytes);
  std::swap(geometry.rowPadding, geometry.transRowPadding);
}

}  // namespace tarn
