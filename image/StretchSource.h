// A picture about to be stretched onto a device context. When the area drawn is many times the
// size it is drawn at, its box reduction is made once and stretched instead of the picture: GDI
// then works on a few hundred pixels rather than many megapixels.
#pragma once

#include <windows.h>

#include "image/BoxReduce.h"

namespace tarn {

class CPictureWnd;

class StretchSource {
 public:
  // Takes the drawable pixels of `picture`, which stand for a picture of `width` x `height` (its
  // own size, or the size of the file a plug-in reduced it from): every rectangle given to Draw
  // is in those units. `area` of it is about to be drawn at `targetWidth` x `targetHeight`; a
  // reduction keeps it at least `times` that size. False when the picture has nothing GDI may
  // draw.
  bool Take(const CPictureWnd& picture, int width, int height, const PixelRect& area, int targetWidth,
            int targetHeight, int times);
  void Release();

  bool Ready() const { return m_Bits != nullptr; }
  int Width() const { return m_Width; }
  int Height() const { return m_Height; }
  // True while the reduction stands in for the picture.
  bool Reduced() const { return !m_Reduced.bits.empty(); }

  // Stretches `source` (top row first) over `target` in the stretch mode the caller set; false
  // when GDI draws nothing.
  bool Draw(HDC dc, const PixelRect& target, const PixelRect& source) const;

 private:
  int m_Width = 0, m_Height = 0;
  const BITMAPINFO* m_Info = nullptr;  // the picture's, while not reduced
  const void* m_Bits = nullptr;
  int m_PixelWidth = 0, m_PixelHeight = 0;  // of what is drawn from
  ReducedPicture m_Reduced;
  BITMAPINFO m_ReducedInfo{};
};

}  // namespace tarn
