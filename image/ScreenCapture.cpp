// CPictureWnd::CaptureScreenToBmp: a rectangle of the screen as a BMP file, the trimming tool's
// way from what the user framed to a picture.
#include "image/PictureWnd.h"

#include <new>
#include <vector>

#include "common/DibLayout.h"
#include "common/Handles.h"
#include "framework/GdiScopes.h"
#include "image/BmpFileWrite.h"

namespace tarn {
namespace {

// The largest capture taken: far beyond any screen, well inside what one write can hold.
constexpr std::uint64_t kCaptureBytesLimit = 0x7FFFFFFF;

// A screen-compatible bitmap holding a copy of `area`; null when it cannot be made.
class ScreenCopy {
 public:
  ScreenCopy(HDC screen, const RECT& area)
      : dc_(CreateCompatibleDC(screen)),
        bitmap_(CreateCompatibleBitmap(screen, area.right - area.left, area.bottom - area.top)) {
    if (dc_ == nullptr || bitmap_ == nullptr) return;
    const HGDIOBJ previous = SelectObject(dc_, bitmap_);
    copied_ = BitBlt(dc_, 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left, area.top,
                     SRCCOPY) != 0;
    // GetDIBits wants the bitmap out of every device context.
    SelectObject(dc_, previous);
  }
  ~ScreenCopy() {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  ScreenCopy(const ScreenCopy&) = delete;
  ScreenCopy& operator=(const ScreenCopy&) = delete;

  HBITMAP Bitmap() const { return copied_ ? bitmap_ : nullptr; }

 private:
  HDC dc_;          // owned
  HBITMAP bitmap_;  // owned
  bool copied_ = false;
};

}  // namespace

int CPictureWnd::CaptureScreenToBmp(const wchar_t* path, const RECT& area, HWND source) {
  FileLoad(kSelectRelease, nullptr);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return kCaptureNoMemory;

  const ScreenDc screen;
  const int displayBits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  // Up to 8 bits the display's colour table goes into the file with the indices.
  const int bitCount = displayBits > 8 ? 24 : displayBits;
  const std::uint64_t imageBytes = DibRowBytes(width, bitCount) * static_cast<std::uint64_t>(height);
  if (imageBytes > kCaptureBytesLimit) return kCaptureNoMemory;
  std::vector<std::uint8_t> info;
  std::vector<std::uint8_t> bits;
  try {
    info.assign(kDibHeaderBytes + PaletteEntries(bitCount) * 4u, 0);
    bits.assign(static_cast<std::size_t>(imageBytes), 0);
  } catch (const std::bad_alloc&) {
    return kCaptureNoMemory;
  }
  DibHeader header;
  header.biWidth = width;
  header.biHeight = height;
  header.biBitCount = static_cast<std::uint16_t>(bitCount);
  header.biSizeImage = static_cast<std::uint32_t>(imageBytes);
  StoreDibHeader(header, info.data());

  RECT from = area;
  HDC window = nullptr;
  if (source != nullptr) {
    MapWindowPoints(nullptr, source, reinterpret_cast<POINT*>(&from), 2);
    window = GetDC(source);
  }
  const ScreenCopy copy(window != nullptr ? window : static_cast<HDC>(screen), from);
  if (window != nullptr) ReleaseDC(source, window);
  if (copy.Bitmap() == nullptr ||
      GetDIBits(screen, copy.Bitmap(), 0, static_cast<UINT>(height), bits.data(),
                reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS) != height)
    return kCaptureNoMemory;

  BmpFileLayout layout;
  if (MakeBmpFileLayout(info.data(), info.size(), layout) == 0) return kCaptureNoMemory;
  FileHandle file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return kCaptureNoFile;
  const bool written = WriteBmpFile(file.Get(), layout, info.data(), bits.data(), {}) == 1;
  if (file.Close() && written) return kCaptureDone;
  DeleteFileW(path);
  return kCaptureNoFile;
}

}  // namespace tarn
