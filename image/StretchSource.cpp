#include "image/StretchSource.h"

#include "image/PictureWnd.h"

namespace tarn {

bool StretchSource::Take(const CPictureWnd& picture, int width, int height, const PixelRect& area, int targetWidth,
                         int targetHeight, int times) {
  Release();
  const void* bits = picture.DrawableBits();
  if (bits == nullptr) return false;
  const PluginPicture& loaded = picture.Loaded();
  m_Width = width > 0 ? width : loaded.Width();
  m_Height = height > 0 ? height : loaded.Rows();
  m_Info = loaded.Info();
  m_Bits = bits;
  m_PixelWidth = loaded.Width();
  m_PixelHeight = loaded.Rows();

  const PixelRect drawn = ScalePixelRect(area, m_Width, m_Height, m_PixelWidth, m_PixelHeight);
  const int factor = BoxFactor(drawn.width, drawn.height, targetWidth, targetHeight, times);
  DibPixels pixels;
  if (factor < 2 || !picture.DrawablePixels(pixels) || !BoxReduce(pixels, factor, m_Reduced)) return true;
  BITMAPINFOHEADER& header = m_ReducedInfo.bmiHeader;
  header = {};
  header.biSize = sizeof header;
  header.biWidth = m_Reduced.width;
  header.biHeight = m_Reduced.height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  m_Info = &m_ReducedInfo;
  m_Bits = m_Reduced.bits.data();
  m_PixelWidth = m_Reduced.width;
  m_PixelHeight = m_Reduced.height;
  return true;
}

void StretchSource::Release() {
  m_Info = nullptr;
  m_Bits = nullptr;
  m_Width = m_Height = m_PixelWidth = m_PixelHeight = 0;
  m_Reduced.bits.clear();  // its block serves the next picture
}

bool StretchSource::Draw(HDC dc, const PixelRect& target, const PixelRect& source) const {
  if (m_Bits == nullptr) return false;
  const PixelRect from = ScalePixelRect(source, m_Width, m_Height, m_PixelWidth, m_PixelHeight);
  // Bottom-up pictures count their source rows from the last row.
  const bool bottomUp = m_Info->bmiHeader.biHeight > 0;
  const int y = bottomUp ? m_PixelHeight - from.y - from.height : from.y;
  const int lines = StretchDIBits(dc, target.x, target.y, target.width, target.height, from.x, y, from.width,
                                  from.height, m_Bits, m_Info, DIB_RGB_COLORS, SRCCOPY);
  return lines != 0 && lines != static_cast<int>(GDI_ERROR);
}

}  // namespace tarn
