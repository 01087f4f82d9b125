// The memory bitmap a display window composes its picture in, and how a picture too large for
// it is reduced.
#pragma once

namespace tarn {

struct BitmapSize {
  int width = 0;
  int height = 0;
};

// By the screen size and the settings: several windows share the memory, so each gets little;
// the small-memory setting asks for barely more than a screen; otherwise room to scroll.
BitmapSize MemoryBitmapSize(int screenWidth, int screenHeight, bool multiWindow, bool smallMemory);

// The size a picture (width x height) is drawn at in a memory bitmap of `memory`: its own at 100
// when it fits, else reduced by the smallest whole percentage among the sides that are too large.
struct ReducedSize {
  int width = 0;
  int height = 0;
  int zoom = 100;
};
ReducedSize FitToMemoryBitmap(int width, int height, BitmapSize memory);

}  // namespace tarn
