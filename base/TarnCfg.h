// The text of "Tarn.cfg", the individual settings file: the writer and the reader of its lines.
// Both work on UTF-16 text; the file itself holds that text in code page 932 with CR LF line ends,
// converted by the caller.
#pragma once

#include <string>
#include <string_view>

namespace tarn {

struct SaveStamp {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The whole file for the current settings, saved at `when`; every line ends in CR LF.
std::u16string WriteTarnCfg(const SaveStamp& when);

// How far a read got.
struct CfgReadResult {
  int keysMatched = 0;          // keys found, "[Description]" included
  bool applicationsRead = false;  // the "g_AppliName=" block was read
};

// Reads the settings from the text of "Tarn.cfg" into the variables. The keys are expected in the
// written order; a line that is not the expected key is either waited past or taken as that key's
// only chance, by key. Single-value keys take the one character after "=". Reading stops at the end
// of the text; the keys not reached keep their values.
CfgReadResult ReadTarnCfg(std::u16string_view text);

// Characters of a key line the reader looks at; the rest of a longer line is skipped. A list value
// longer than its buffer is not taken.
inline constexpr std::size_t kCfgLineChars = 255;

}  // namespace tarn
