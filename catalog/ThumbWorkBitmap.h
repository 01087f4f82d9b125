// The thumbnail work bitmap on the screen side: a W x W bitmap compatible with the view, selected
// into a memory context of its own, through which the catalog draws a thumbnail before it is
// cached and after it is read back. Its pixels move to and from the cache's plain memory in the
// bitmap's own form (top row first, rows padded to two bytes).
#pragma once

#include <windows.h>

#include "catalog/ThumbnailRecord.h"

namespace tarn {

class ThumbWorkBitmap {
 public:
  ThumbWorkBitmap() = default;
  ThumbWorkBitmap(const ThumbWorkBitmap&) = delete;
  ThumbWorkBitmap& operator=(const ThumbWorkBitmap&) = delete;
  ~ThumbWorkBitmap() { Release(); }

  // Makes the bitmap and its context for `screen`. 0, or -3 after the program's message with the
  // thumbnail cache switched off.
  int Create(HDC screen, int side);
  void Release();

  HDC Dc() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }
  // Bytes per pixel of the bitmap (row bytes over width, at least 1); 0 before Create.
  int PixelSize() const { return pixelSize_; }

  // The cache's pixels into the bitmap, and the bitmap's into the cache's; false when the two do
  // not have the same side and pixel size.
  bool Store(const WorkPixels& work) const;
  bool Take(const WorkPixels& work) const;

 private:
  HDC dc_ = nullptr;           // owned
  HBITMAP bitmap_ = nullptr;   // owned, selected into dc_
  HGDIOBJ previous_ = nullptr; // dc_'s own bitmap, put back before deletion
  int side_ = 0;
  int pixelSize_ = 0;
  LONG rowBytes_ = 0;
};

}  // namespace tarn
