// The catalog picture of a sound file, or of a video whose frame could not be had: the shell's
// large icon for the form's pattern on white, 32 x 32, in the screen's own bit count.
#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "MovShell.h"
#include "common/DibLayout.h"

namespace tarn::mov {
namespace {

constexpr int kSide = 32;

// The form's pattern without its blank and ";": " *.avi;" gives "*.avi".
std::string PatternOf(std::int32_t type) {
  const std::string p = Form(FormNumber(type) - 1).pattern;
  return p.substr(1, p.size() - 2);
}

class ScreenBitmap {
 public:
  ScreenBitmap() : screen_(GetDC(nullptr)), dc_(CreateCompatibleDC(screen_)) {
    bitmap_ = CreateCompatibleBitmap(screen_, kSide, kSide);
  }
  ScreenBitmap(const ScreenBitmap&) = delete;
  ScreenBitmap& operator=(const ScreenBitmap&) = delete;
  ~ScreenBitmap() {
    if (dc_ != nullptr) DeleteDC(dc_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    ReleaseDC(nullptr, screen_);
  }
  HDC Dc() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }
  int BitCount() const { return GetDeviceCaps(screen_, BITSPIXEL) * GetDeviceCaps(screen_, PLANES); }

 private:
  HDC screen_;
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
};

}  // namespace

int IconPicture(std::int32_t type, LocalPictureMemory& memory) {
  ScreenBitmap canvas;
  if (canvas.Dc() == nullptr || canvas.Bitmap() == nullptr) {
    Tell(L"アイコン取得に失敗しました", L"Error");
    return kSpiInternal;
  }
  const HGDIOBJ old = SelectObject(canvas.Dc(), canvas.Bitmap());
  const RECT all{0, 0, kSide, kSide};
  FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SHFILEINFOA info{};
  if (SHGetFileInfoA(PatternOf(type).c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                     SHGFI_ICON | SHGFI_LARGEICON | SHGFI_USEFILEATTRIBUTES) != 0 &&
      info.hIcon != nullptr) {
    DrawIconEx(canvas.Dc(), 0, 0, info.hIcon, kSide, kSide, 0, nullptr, DI_NORMAL);
    DestroyIcon(info.hIcon);
  }
  SelectObject(canvas.Dc(), old);

  const int bits = canvas.BitCount() <= 8 ? 8 : canvas.BitCount() <= 16 ? 16 : canvas.BitCount() <= 24 ? 24 : 32;
  const std::uint32_t entries = bits == 8 ? 256 : 0;
  const std::size_t pixelBytes = DibRowBytes(kSide, bits) * kSide;
  if (const int allocated = memory.AllocatePicture(kDibHeaderBytes + 4 * entries, pixelBytes); allocated != kSpiOk)
    return allocated;
  std::memset(memory.Info(), 0, kDibHeaderBytes + 4 * entries);
  auto* header = reinterpret_cast<BITMAPINFO*>(memory.Info());
  header->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  header->bmiHeader.biWidth = kSide;
  header->bmiHeader.biHeight = kSide;
  header->bmiHeader.biPlanes = 1;
  header->bmiHeader.biBitCount = static_cast<WORD>(bits);
  header->bmiHeader.biCompression = BI_RGB;
  if (GetDIBits(canvas.Dc(), canvas.Bitmap(), 0, kSide, memory.Pixels(), header, DIB_RGB_COLORS) == 0) {
    memory.ReleasePicture();
    Tell(L"アイコン取得に失敗しました", L"Error");
    return kSpiInternal;
  }
  // What GetDIBits filled in beyond the plain header is not the host's business.
  header->bmiHeader.biSizeImage = 0;
  header->bmiHeader.biClrUsed = entries;
  return kSpiOk;
}

}  // namespace tarn::mov
