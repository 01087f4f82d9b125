// The thumbnail work bitmap on the screen side: a W x W bitmap compatible with the view, selected
// into a memory context of its own, through which the catalog draws a thumbnail before it is
// cached and after it is read back. Its pixels move to and from the cache's plain memory in the
// bitmap's own form (top row first, rows padded to two bytes).
#pragma once

#include <windows.h>

#include "catalog/cache/ThumbnailRecord.h"
#include "framework/MemoryBitmap.h"

namespace tarn {

class ThumbWorkBitmap {
 public:
  ThumbWorkBitmap() = default;
  ThumbWorkBitmap(const ThumbWorkBitmap&) = delete;
  ThumbWorkBitmap& operator=(const ThumbWorkBitmap&) = delete;

  // Makes the bitmap and its context for `screen`. 0, or -3 after the program's message with the
  // thumbnail cache switched off.
  int Create(HDC screen, int side);
  void Release() { surface_.Release(); }

  HDC Dc() const { return surface_.Dc(); }
  HBITMAP Bitmap() const { return surface_.Bitmap(); }
  // Bytes per pixel of the bitmap (row bytes over width, at least 1); 0 before Create.
  int PixelSize() const { return surface_.PixelSize(); }
  bool FillWhite() const { return surface_.FillWhite(); }

  // The cache's pixels into the bitmap, and the bitmap's into the cache's; false when the two do
  // not have the same side and pixel size.
  bool Store(const WorkPixels& work) const;
  bool Take(const WorkPixels& work) const;

 private:
  // Whether `work` has this bitmap's side and pixel size.
  bool Matches(const WorkPixels& work) const;

  MemoryBitmap surface_;
};

}  // namespace tarn
