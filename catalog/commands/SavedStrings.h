// The search strings the string dialogs keep for the life of the program: four entries of at
// most 16 units, shared by the rename and the selection dialogs. "保存" writes the first entry.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

struct SavedStrings {
  std::array<std::u16string, 4> entries;
};
SavedStrings& TheSavedStrings();

// "保存" with the dialog's string: a new first entry (asked before one is replaced), or, for an
// empty string, the first entry cleared after asking. True when the table changed.
bool SaveString(SavedStrings& saved, std::u16string_view text);

// The entries a combo box lists: the non-empty ones, in order.
std::vector<std::u16string> ListedStrings(const SavedStrings& saved);

}  // namespace tarn
