// Building the folder tree of a root from disk: depth first, every folder below the root, children
// in name order without regard to case, cut short after 30000 directory entries or on Cancel.
#pragma once

#include <string>
#include <vector>

#include "base/Prompt.h"
#include "folders/DirectoryEntries.h"
#include "folders/TreeList.h"

namespace tarn {

enum TreeBuildResult : int { kTreeBuilt = 0, kTreeCancelled = 2, kTreeTooManyEntries = 3 };

// `root` may end in backslashes; the root item's label is the root without them. `items` receives
// the tree in display order with every item expanded (what was built before a stop is kept). The
// progress window must be open; it is only stepped and asked for Cancel.
int BuildFolderTree(const std::u16string& root, DirectoryEntries& entries, ProgressWindow& progress,
                    std::vector<TreeListItem>& items);

}  // namespace tarn
