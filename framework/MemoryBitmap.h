// A bitmap compatible with the screen, selected into a memory context of its own: the off-screen
// surface the catalog draws into once and copies to the screen from then on.
#pragma once

#include <windows.h>

namespace tarn {

class MemoryBitmap {
 public:
  MemoryBitmap() = default;
  MemoryBitmap(const MemoryBitmap&) = delete;
  MemoryBitmap& operator=(const MemoryBitmap&) = delete;
  ~MemoryBitmap() { Release(); }

  // The steps one by one, because each failure has its own message: the context, the bitmap
  // (which may be retried smaller), and the bitmap selected into the context.
  bool MakeContext(HDC screen);
  bool MakeBitmap(HDC screen, int width, int height);
  bool Select();
  void Release();

  HDC Dc() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Bytes per pixel of the bitmap (row bytes over width, at least 1); 0 before MakeBitmap.
  int PixelSize() const { return pixelSize_; }
  LONG RowBytes() const { return rowBytes_; }
  // Paints the whole bitmap white.
  bool FillWhite() const;

 private:
  HDC dc_ = nullptr;            // owned
  HBITMAP bitmap_ = nullptr;    // owned; selected into dc_ after Select
  HGDIOBJ previous_ = nullptr;  // dc_'s own bitmap, put back before deletion
  int width_ = 0, height_ = 0, pixelSize_ = 0;
  LONG rowBytes_ = 0;
};

}  // namespace tarn
