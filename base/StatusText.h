// The texts of the first status-bar pane, by switch and value.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/Requests.h"

namespace tarn {

// What some switches show beside their value.
struct StatusContext {
  int adjustSize = 1;           // AUTO or FULL size
  int zoomPercent = 100;        // the zoom screen's percentage (kStatusZoom)
  std::u16string fileName;      // kStatusFileNo
  int trimWidth = 0;            // kStatusTrim
  int trimHeight = 0;
  std::u16string text;          // kStatusText
};

// Panes are cleared by padding every text with blanks to this many characters.
constexpr std::size_t kStatusPaneCharacters = 64;

// The text of `sw` with `value`, padded; nothing for a switch the status bar does not know.
std::optional<std::u16string> StatusBarText(StatusSwitch sw, int value, const StatusContext& context);

// How long busy notice `value` stays, in milliseconds.
int BusyNoticeMilliseconds(int value);

}  // namespace tarn
