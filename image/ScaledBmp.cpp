// CPictureWnd::WriteBmpScaled: the current picture written at another size, through a picture of
// its own made by CaptureDc, so that the picture on show keeps its turns and brightness.
#include "framework/GdiScopes.h"
#include "framework/MemoryBitmap.h"
#include "image/PictureWnd.h"

namespace tarn {

int CPictureWnd::WriteBmpScaled(HANDLE file, int width, int height) {
  const BITMAPINFO* info = m_Loaded.Info();
  if (info == nullptr || DrawableBits() == nullptr || width <= 0 || height <= 0) return 0;
  MemoryBitmap surface;
  {
    const ScreenDc screen;
    if (!surface.MakeContext(screen) || !surface.MakeBitmap(screen, width, height) || !surface.Select()) return 0;
  }
  DrawInto(surface.Dc(), 0, 0, width, height);
  CPictureWnd scaled(m_Registry);
  scaled.m_HeaderTemplate = info->bmiHeader;
  if (scaled.CaptureDc(surface.Dc(), width, height, kCaptureTemplate) != kCaptureDone) return 0;
  return scaled.WriteBmp(file);
}

}  // namespace tarn
