// "TreeList<n>.txt" in the start folder: the tree lists 5, 6 (page 1) and 12, 13 (page 2) on disk,
// in code page 932.
#pragma once

#include <string>
#include <vector>

#include "folders/TreeList.h"

namespace tarn {

std::u16string TreeListPath(int number);

// Writes the file; false after the program's message when it cannot be written. A tree whose
// labels have no code-page form is not written (its names would come back wrong), so that the
// next use builds it from disk again.
bool SaveTreeListFile(int number, const std::vector<TreeListItem>& items, int itemCount);

// The file's text, or false when it is missing or unreadable.
bool LoadTreeListText(int number, std::u16string& text);

// Deletes the file if it is there; false when it stays.
bool DeleteTreeListFile(int number);

}  // namespace tarn
