// CPictureWnd's transforms and drawing: the Win32 side of PictureTransforms and of the placement
// rules, working on the locked blocks the loader left.
#include "image/PictureWnd.h"

#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "common/DibLayout.h"
#include "framework/GdiScopes.h"
#include "image/BmpFileWrite.h"
#include "image/BrightLevels.h"

namespace tarn {

PictureBlocks CPictureWnd::Blocks() {
  PictureBlocks blocks;
  if (BITMAPINFO* info = m_Loaded.Info(); info != nullptr) {
    blocks.info = reinterpret_cast<std::uint8_t*>(info);
    blocks.infoSize = m_Loaded.InfoBytes();
  }
  if (m_Loaded.Bits() != nullptr) {
    blocks.bits = static_cast<const std::uint8_t*>(m_Loaded.Bits());
    blocks.bitsSize = m_Loaded.BitsBytes();
  }
  return blocks;
}

const void* CPictureWnd::DrawableBits() const {
  const BITMAPINFO* info = m_Loaded.Info();
  if (info == nullptr) return nullptr;
  const BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biWidth <= 0 || header.biHeight == 0) return nullptr;
  if (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS) return nullptr;
  const std::uint64_t masks = header.biCompression == BI_BITFIELDS ? 12 : 0;
  const std::uint64_t table = std::uint64_t{header.biSize} + masks + PaletteEntries(header.biBitCount) * 4u;
  if (m_Loaded.InfoBytes() < table) return nullptr;
  // The work buffer is sized for either orientation by the transforms themselves.
  if (TransState() == 0) {
    const std::uint64_t rows = static_cast<std::uint64_t>(m_Loaded.Rows());
    if (m_Loaded.Bits() == nullptr || m_Loaded.BitsBytes() < DibRowBytes(header.biWidth, header.biBitCount) * rows)
      return nullptr;
  }
  return CurrentBits();
}

bool CPictureWnd::DrawablePixels(DibPixels& pixels) const {
  const void* bits = DrawableBits();
  if (bits == nullptr || m_Loaded.Info()->bmiHeader.biCompression != BI_RGB) return false;
  const BITMAPINFOHEADER& header = m_Loaded.Info()->bmiHeader;
  pixels.width = header.biWidth;
  pixels.height = m_Loaded.Rows();
  pixels.bottomUp = header.biHeight > 0;
  pixels.bitCount = header.biBitCount;
  pixels.palette = reinterpret_cast<const std::uint8_t*>(m_Loaded.Info()) + header.biSize;
  pixels.paletteEntries = PaletteEntries(header.biBitCount);
  pixels.bits = static_cast<const std::uint8_t*>(bits);
  // DrawableBits has seen that the blocks hold every row the header promises.
  pixels.bitsSize = DibRowBytes(pixels.width, pixels.bitCount) * static_cast<std::uint64_t>(pixels.height);
  return true;
}

int CPictureWnd::RotateMap(int op) {
  BrightLevels bright{g_BrightLevel, g_BrightDelta};
  const int result = m_Transforms.RotateMap(op, Blocks(), bright);
  g_BrightLevel = bright.level;
  g_BrightDelta = bright.delta;
  if (result == kRotateNoMemory) {
    // Nothing was changed, so the picture on show is still right; the user only has to know why
    // the command did nothing.
    Say(u"画像処理用のメモリーが確保できません。\n画像は変更されていません。", u"  メモリ確保失敗");
    return kRotateFailed;
  }
  return result;
}

int CPictureWnd::SetZoomSize(int percent) {
  if (m_Loaded.Info() == nullptr) return 0;
  ZoomSize size{m_ZoomWidth, m_ZoomHeight};
  const int accepted = tarn::SetZoomSize(percent, m_Loaded.Width(), m_Loaded.Rows(), size);
  m_ZoomWidth = size.width;
  m_ZoomHeight = size.height;
  return accepted;
}

void CPictureWnd::StretchDraw(HDC dc, int left, int top, int right, int bottom) {
  const void* bits = DrawableBits();
  if (bits == nullptr) return;
  const int width = m_Loaded.Width();
  const int height = m_Loaded.Rows();
  const int areaWidth = right - left;
  const int areaHeight = bottom - top;

  if (GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER) {
    DrawForPrinter(dc, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES));
    return;
  }
  DrawPlacement place;
  int fillWidth = areaWidth;
  int fillHeight = areaHeight;
  if (g_AdjustSizeFlag != 0 && g_ZoomScreenFlag == 0) {
    place = FitModePlacement(width, height, areaWidth, areaHeight);
  } else {
    const bool zoomed = SetZoomSize(g_ZoomPercent) == 1;
    const FullSizePlacement full = FullSizeModePlacement(zoomed ? m_ZoomWidth : width,
                                                         zoomed ? m_ZoomHeight : height,
                                                         areaWidth, areaHeight);
    place = full.draw;
    fillWidth = full.extentWidth;
    fillHeight = full.extentHeight;
  }
  m_ExtentWidth = fillWidth;
  m_ExtentHeight = fillHeight;
  const RECT background{left, top, left + fillWidth, top + fillHeight};
  FillRect(dc, &background, static_cast<HBRUSH>(GetStockObject(g_BlackFlag != 0 ? BLACK_BRUSH : WHITE_BRUSH)));
  m_DrawnRect = place;
  if (place.width <= 0 || place.height <= 0) return;
  const StretchModeScope mode(dc, COLORONCOLOR);
  StretchDIBits(dc, left + place.x, top + place.y, place.width, place.height, 0, 0, width, height,
                bits, m_Loaded.Info(), DIB_RGB_COLORS, SRCCOPY);
}

void CPictureWnd::DrawForPrinter(HDC dc, int horzRes, int vertRes) {
  const DrawPlacement place = PrinterPlacement(m_Loaded.Width(), m_Loaded.Rows(), horzRes, vertRes);
  DrawInto(dc, place.x, place.y, place.width, place.height);
}

void CPictureWnd::DrawInto(HDC dc, int x, int y, int width, int height) {
  const void* bits = DrawableBits();
  if (bits == nullptr || width <= 0 || height <= 0) return;
  // Pages and thumbnail sources change the scale many times over; half-tone keeps thin lines whole.
  const StretchModeScope mode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchDIBits(dc, x, y, width, height, 0, 0, m_Loaded.Width(), m_Loaded.Rows(), bits, m_Loaded.Info(),
                DIB_RGB_COLORS, SRCCOPY);
}

int CPictureWnd::WriteBmp(HANDLE file, int mode, const ShownView& view) {
  const auto* info = reinterpret_cast<const std::uint8_t*>(m_Loaded.Info());
  BmpFileLayout whole;
  if (MakeBmpFileLayout(info, m_Loaded.InfoBytes(), whole) == 0) return 0;
  const void* bits = CurrentBits();
  // The work buffer always holds the rows of the current orientation; the loaded block may not.
  if (bits == nullptr || (TransState() == 0 && m_Loaded.BitsBytes() < whole.imageBytes)) return 0;
  if (mode != kBmpShownPart) return WriteBmpFile(file, whole, info, bits, {});
  BmpFileLayout shown;
  PicturePart part;
  if (MakeShownBmpFileLayout(info, m_Loaded.InfoBytes(), view, shown, part) == 0) return 0;
  return WriteBmpFile(file, shown, info, bits, part);
}

}  // namespace tarn
