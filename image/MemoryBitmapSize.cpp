#include "MemoryBitmapSize.h"

#include <algorithm>

namespace tarn {

BitmapSize MemoryBitmapSize(int sw, int sh, bool multiWindow, bool smallMemory) {
  if (multiWindow) return {sw, sh + sh / 2};
  if (smallMemory) return {sw + sw / 5, sh + sh / 5};
  if (sw <= 800) return {sw / 2 + 2 * sw, 4 * sh};
  if (sw > 1024) return {2560, 2560};
  return {2 * sw, 3 * sh};
}

ReducedSize FitToMemoryBitmap(int width, int height, BitmapSize memory) {
  if (width <= memory.width && height <= memory.height) return {width, height, 100};
  int p = 100;
  if (width > memory.width)
    p = std::min(p, static_cast<int>(static_cast<long long>(memory.width) * 100 / width));
  if (height > memory.height)
    p = std::min(p, static_cast<int>(static_cast<long long>(memory.height) * 100 / height));
  return {static_cast<int>(static_cast<long long>(p) * width / 100),
          static_cast<int>(static_cast<long long>(p) * height / 100), p};
}

}  // namespace tarn
