// What the view says outside message boxes: the line the empty screen shows before the first
// catalog, the facts of one file for the status bar's free panes, and the line a finished copy or
// move leaves in the first pane.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tarn {

// Shown in the middle of the view while there is no catalog and no picture screen.
inline constexpr char16_t kEmptyStartLine[] = u"「開く」(Ctrl+O) か ﾌｧｲﾙ ﾒﾆｭｰの最近使ったﾌｫﾙﾀﾞを選んでください";

// One file's facts as the file system and the catalog know them, without reading the picture.
struct FileFactsLine {
  std::u16string name;
  long long bytes = -1;         // -1 when the file's size could not be read
  int width = 0, height = 0;    // 0 when no picture size is known
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;  // local last write; year 0 unknown
};

// The four panes: the name, the size ("999 バイト" below 1 KB ... "12,345 KB"), the picture size
// ("640 × 480") and the date ("2026/12/08 19:20"); a fact not known leaves its pane empty.
std::array<std::u16string, 4> FileFactsPanes(const FileFactsLine& facts);

// "3 個のファイルを C:\pics にコピーしました" (`moved` false) or "...に移動しました"; the target
// is shown without its final backslash unless it is a drive's root.
std::u16string FilesDoneText(int count, std::u16string_view target, bool moved);

}  // namespace tarn
