#include "FrameSink.h"

#include <cstring>
#include <new>

#include "common/DibLayout.h"

namespace tarn::mov {

FrameSink::FrameSink() { InitializeCriticalSection(&lock_); }
FrameSink::~FrameSink() { DeleteCriticalSection(&lock_); }

bool FrameSink::Prepare(long width, long height, HWND area) {
  if (width <= 0 || width > kLargestSide || height == 0 || height > kLargestSide || height < -kLargestSide) return false;
  const long rows = height < 0 ? -height : height;
  try {
    frame_.assign(DibRowBytes(width, 24) * static_cast<std::uint64_t>(rows), 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  info_.bmiHeader.biSize = sizeof info_.bmiHeader;
  info_.bmiHeader.biWidth = width;
  info_.bmiHeader.biHeight = height;
  info_.bmiHeader.biPlanes = 1;
  info_.bmiHeader.biBitCount = 24;
  info_.bmiHeader.biCompression = BI_RGB;
  area_ = area;
  return true;
}

void FrameSink::Paint(HDC dc, const RECT& picture) {
  EnterCriticalSection(&lock_);
  if (shown_) {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, picture.left, picture.top, picture.right - picture.left, picture.bottom - picture.top, 0, 0,
                  info_.bmiHeader.biWidth, info_.bmiHeader.biHeight < 0 ? -info_.bmiHeader.biHeight : info_.bmiHeader.biHeight,
                  frame_.data(), &info_, DIB_RGB_COLORS, SRCCOPY);
  } else {
    FillRect(dc, &picture, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  LeaveCriticalSection(&lock_);
}

STDMETHODIMP FrameSink::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == __uuidof(ISampleGrabberCB)) {
    *out = static_cast<ISampleGrabberCB*>(this);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

// A buffer shorter than the connection's frame (which a decoder should not send) is passed over.
STDMETHODIMP FrameSink::BufferCB(double, BYTE* buffer, long size) {
  if (buffer == nullptr || size < 0 || static_cast<std::size_t>(size) < frame_.size() || frame_.empty()) return S_OK;
  EnterCriticalSection(&lock_);
  std::memcpy(frame_.data(), buffer, frame_.size());
  shown_ = true;
  LeaveCriticalSection(&lock_);
  InvalidateRect(area_, nullptr, FALSE);
  return S_OK;
}

}  // namespace tarn::mov
