// CPictureWnd::CaptureDc: what a device context shows becomes the current picture, as if a
// plug-in had delivered it (a header block and a pixel block in local memory, both locked).
#include "common/DibLayout.h"
#include "image/PictureWnd.h"

namespace tarn {
namespace {

// The largest pixel block a capture asks for: far more than any screen or page needs, and far
// below what the 32-bit size fields can describe.
constexpr std::uint64_t kCaptureBytesLimit = 0x40000000;

// Bit counts GetDIBits fills without a colour table.
bool WithoutTable(int bitCount) { return bitCount == 16 || bitCount == 24 || bitCount == 32; }

// The compatible bitmap and memory context the area is copied through, released on every way out.
class CopySurface {
 public:
  CopySurface(HDC source, int width, int height)
      : dc_(CreateCompatibleDC(source)), bitmap_(CreateCompatibleBitmap(source, width, height)) {
    if (dc_ != nullptr && bitmap_ != nullptr) previous_ = SelectObject(dc_, bitmap_);
  }
  ~CopySurface() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  CopySurface(const CopySurface&) = delete;
  CopySurface& operator=(const CopySurface&) = delete;

  bool Ready() const { return previous_ != nullptr; }
  // GetDIBits reads only a bitmap that no context holds.
  void Deselect() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
    previous_ = nullptr;
  }
  HDC Dc() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace

int CPictureWnd::CaptureDc(HDC dc, int width, int height, int mode) {
  FileLoad(kSelectRelease, nullptr);
  if (dc == nullptr || width <= 0 || height <= 0) return kCaptureNoMemory;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  if (mode == kCaptureTemplate) {
    // The picture keeps the template's depth and resolution; a palette picture becomes 24-bit,
    // because the copy's colours need not be in its table.
    if (WithoutTable(m_HeaderTemplate.biBitCount)) header.biBitCount = m_HeaderTemplate.biBitCount;
    header.biXPelsPerMeter = m_HeaderTemplate.biXPelsPerMeter;
    header.biYPelsPerMeter = m_HeaderTemplate.biYPelsPerMeter;
  }
  const std::uint64_t stride = DibRowBytes(width, header.biBitCount);
  const std::uint64_t bytes = stride * static_cast<std::uint64_t>(height);
  if (bytes > kCaptureBytesLimit) return kCaptureNoMemory;
  header.biSizeImage = static_cast<DWORD>(bytes);

  const int received = m_Loaded.Receive([&](HLOCAL* info, HLOCAL* bits, PictureInfo*) {
    *info = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, sizeof header);
    *bits = *info != nullptr ? LocalAlloc(LMEM_MOVEABLE, static_cast<SIZE_T>(bytes)) : nullptr;
    return *info != nullptr && *bits != nullptr ? 0 : kCaptureNoMemory;
  });
  if (received != 0) {
    m_Loaded.Reset();
    return kCaptureNoMemory;
  }
  if (!m_Loaded.Lock()) {
    m_Loaded.Reset();
    return kCaptureNoLock;
  }
  m_Loaded.Info()->bmiHeader = header;

  CopySurface copy(dc, width, height);
  void* bits = const_cast<void*>(m_Loaded.Bits());
  if (!copy.Ready() || !BitBlt(copy.Dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY)) {
    m_Loaded.Reset();
    return kCaptureNoMemory;
  }
  copy.Deselect();
  // The header goes in as the format wanted; GetDIBits may touch its size fields on the way out.
  const int rows = GetDIBits(copy.Dc(), copy.Bitmap(), 0, static_cast<UINT>(height), bits, m_Loaded.Info(), DIB_RGB_COLORS);
  m_Loaded.Info()->bmiHeader = header;
  if (rows != height) {
    m_Loaded.Reset();
    return kCaptureNoMemory;
  }
  return kCaptureDone;
}

}  // namespace tarn
