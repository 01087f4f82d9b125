// The texts of the first status-bar pane, by switch and value.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarn {

// What some switches show beside their value.
struct StatusContext {
  int adjustSize = 1;           // AUTO or FULL size
  int zoomPercent = 100;        // the zoom screen's percentage (switch 6)
  std::u16string fileName;      // switch 5
  int trimWidth = 0;            // switch 7
  int trimHeight = 0;
  std::u16string text;          // switch 9
};

// Panes are cleared by padding every text with blanks to this many characters.
constexpr std::size_t kStatusPaneCharacters = 64;

// The text of `sw` with `value`, padded; nothing for a switch the status bar does not know.
std::optional<std::u16string> StatusBarText(int sw, int value, const StatusContext& context);

// How long busy notice `value` stays, in milliseconds.
int BusyNoticeMilliseconds(int value);

}  // namespace tarn
