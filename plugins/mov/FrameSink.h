// The playback's picture: the sample grabber hands every frame to FrameSink on the graph's
// streaming thread, which copies it into one frame buffer kept for the whole playback and asks
// the video area to repaint; the window's own thread then draws the latest frame.
#pragma once

#include <windows.h>

#include <dshow.h>
#include <qedit.h>

#include <cstdint>
#include <vector>

namespace tarn::mov {

class FrameSink final : public ISampleGrabberCB {
 public:
  static constexpr long kLargestSide = 8192;

  FrameSink();
  FrameSink(const FrameSink&) = delete;
  FrameSink& operator=(const FrameSink&) = delete;
  ~FrameSink();

  // Frames of `width` x `height` (a positive height: bottom-up rows) of 24 bits, for `area`.
  // False for a size no frame buffer is kept for (a broken header may claim any size).
  bool Prepare(long width, long height, HWND area);
  // The latest frame stretched into `picture` of `dc`; black before the first frame.
  void Paint(HDC dc, const RECT& picture);

  // Owned by the playback, which outlives the graph: the counts do not free it.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP SampleCB(double, IMediaSample*) override { return E_NOTIMPL; }
  STDMETHODIMP BufferCB(double time, BYTE* buffer, long size) override;

 private:
  CRITICAL_SECTION lock_;
  BITMAPINFO info_{};
  std::vector<std::uint8_t> frame_;
  bool shown_ = false;  // a frame has arrived
  HWND area_ = nullptr;
};

}  // namespace tarn::mov
