// The titles under thumbnails: the program's 9-point title font and the band a title is written
// into, in the colours of the entry's state.
#pragma once

#include <windows.h>

#include <string_view>

namespace tarn {

// "ＭＳ Ｐゴシック" at 9 points for the screen `dc` was made for.
class TitleFont {
 public:
  TitleFont() = default;
  TitleFont(const TitleFont&) = delete;
  TitleFont& operator=(const TitleFont&) = delete;
  ~TitleFont();
  HFONT Get(HDC dc);

 private:
  HFONT font_ = nullptr;  // owned
};

struct TitleColours {
  COLORREF text;
  COLORREF back;
};
// State 1 or 3 (selected) white on blue, 5 (marked for the movie slide show) white on red, else
// black on white.
TitleColours TitleColoursOf(int state);

// Paints a white band `width` x 14 at `x`, `y` and writes the name, cut to `budget` columns by the
// title rule, at `x` + 2.
void DrawTitleBand(HDC dc, HFONT font, int x, int y, int width, std::u16string_view name, int budget,
                   TitleColours colours);

}  // namespace tarn
