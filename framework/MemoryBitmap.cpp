#include "MemoryBitmap.h"

#include <algorithm>

namespace tarn {

bool MemoryBitmap::MakeContext(HDC screen) {
  Release();
  dc_ = CreateCompatibleDC(screen);
  return dc_ != nullptr;
}

bool MemoryBitmap::MakeBitmap(HDC screen, int width, int height) {
  if (previous_ != nullptr) {
    SelectObject(dc_, previous_);
    previous_ = nullptr;
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  bitmap_ = width > 0 && height > 0 ? CreateCompatibleBitmap(screen, width, height) : nullptr;
  if (bitmap_ == nullptr) return false;
  BITMAP info{};
  GetObjectW(bitmap_, sizeof info, &info);
  width_ = width;
  height_ = height;
  rowBytes_ = info.bmWidthBytes;
  pixelSize_ = std::max(1, static_cast<int>(info.bmWidthBytes / std::max<LONG>(1, info.bmWidth)));
  return true;
}

bool MemoryBitmap::Select() {
  if (dc_ == nullptr || bitmap_ == nullptr) return false;
  const HGDIOBJ previous = SelectObject(dc_, bitmap_);
  if (previous == nullptr || previous == HGDI_ERROR) return false;
  previous_ = previous;
  return true;
}

void MemoryBitmap::Release() {
  if (dc_ != nullptr && previous_ != nullptr) SelectObject(dc_, previous_);
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (dc_ != nullptr) DeleteDC(dc_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  previous_ = nullptr;
  width_ = height_ = pixelSize_ = 0;
  rowBytes_ = 0;
}

bool MemoryBitmap::FillWhite() const {
  return dc_ != nullptr && PatBlt(dc_, 0, 0, width_, height_, WHITENESS) != 0;
}

}  // namespace tarn
