// The thumbnail-source size change: pictures written again as BMP files whose longer side is the
// BMP size, to serve as the sources of thumbnails. Its settings live for the run only.
#pragma once

#include <string_view>

namespace tarn {

// "変更不要の表示抑止": a batch does not say that a picture needs no change.
extern int g_ThumbQuietFlag;
// "名称の上書き指定": a batch overwrites each source without asking.
extern int g_ThumbOverwriteFlag;
// "BMP画像ｻｲｽﾞ": the longer side written, 0 for the zoom screen's own percentage.
extern int g_BmpSize;

constexpr int kBmpSizeDefault = 280;
constexpr int kBmpSizeLowest = 160;
constexpr int kBmpSizeHighest = 480;
// The most pictures one batch changes.
constexpr int kThumbBatchLimit = 600;

// The size box's text as a BMP size: true with `size` set for "0" or 160 to 480 (digits only,
// blanks around them allowed); false for anything else.
bool ParseBmpSize(std::u16string_view text, int& size);

// A folder of thumbnail sources: its own name (the last part of `folder`, which may end in a
// backslash) begins with "bmp-" or "bmp_", in any case.
bool IsThumbSourceFolder(std::u16string_view folder);

}  // namespace tarn
