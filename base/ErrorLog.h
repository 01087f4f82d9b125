// "ErrLog.txt" in the start folder: made anew at every start, appended to during the run, in the
// ANSI code page.
#pragma once

#include <string_view>

namespace tarn {

// Creates the log with its header lines, dated now.
void CreateErrorLog();

// Appends `text` and a line feed. Does nothing once saving is suppressed.
void WriteErrorLog(std::u16string_view text);

}  // namespace tarn
