#include "CellTitle.h"

#include "base/AppGlobals.h"
#include "base/TextUtil.h"

namespace tarn {

constexpr int kTitleBand = 14;

TitleFont::~TitleFont() {
  if (font_ != nullptr) DeleteObject(font_);
}

HFONT TitleFont::Get(HDC dc) {
  if (font_ == nullptr)
    font_ = CreateFontW(-MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                        SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        VARIABLE_PITCH | FF_SWISS, L"ＭＳ Ｐゴシック");
  return font_;
}

TitleColours TitleColoursOf(int state) {
  constexpr COLORREF kWhite = RGB(255, 255, 255);
  if (state == 1 || state == 3) return {kWhite, RGB(0, 0, 255)};
  if (state == 5) return {kWhite, RGB(255, 0, 0)};
  return {RGB(0, 0, 0), kWhite};
}

void DrawTitleBand(HDC dc, HFONT font, int x, int y, int width, std::u16string_view name, int budget,
                   TitleColours colours) {
  const RECT band{x, y, x + width, y + kTitleBand};
  FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const int length = FitWidth(name, budget, g_OsKind);
  const HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, colours.back);
  SetTextColor(dc, colours.text);
  // A font taller than the band gives up its top (the internal leading, above every glyph) rather
  // than its descent, where the underscores and the tails of "g" and "p" are.
  TEXTMETRICW metrics{};
  const int top = GetTextMetricsW(dc, &metrics) && metrics.tmHeight > kTitleBand ? y + kTitleBand - metrics.tmHeight : y;
  ExtTextOutW(dc, x + 2, top, ETO_CLIPPED, &band, reinterpret_cast<const wchar_t*>(name.data()),
              static_cast<UINT>(length), nullptr);
  if (previous != nullptr) SelectObject(dc, previous);
}

}  // namespace tarn
