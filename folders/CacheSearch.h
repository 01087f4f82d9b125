// Finding the folders that hold a thumbnail cache file, for the thumbnail dialog's update and
// delete: the target folder alone, or with the subfolder option every folder below it.
#pragma once

#include <functional>
#include <string>

#include "base/Prompt.h"
#include "folders/DirectoryEntries.h"
#include "folders/FolderPicks.h"

namespace tarn {

enum CacheSearchResult : int {
  kCacheSearchDone = 0,
  kCacheSearchFolderLimit = 1,  // 100 folders found
  kCacheSearchCancelled = 2,
  kCacheSearchEntryLimit = 3,   // more than 30000 entries
};

struct CacheSearch {
  FolderPicks folders;  // with the subfolder option: the folders found, in search order
  int found = 0;        // folders with a cache file
  int result = kCacheSearchDone;
};

// Searches `folder` (ending in a backslash) and, with `subfolders`, every folder below it. A path
// of 255 characters or more is logged through `log`, shown, and contributes nothing. The cut-off
// messages are shown here; Cancel is left to the caller. The progress window must be open.
CacheSearch SearchCacheFolders(const std::u16string& folder, bool subfolders, DirectoryEntries& entries,
                               ProgressWindow& progress, const std::function<void(std::u16string_view)>& log);

}  // namespace tarn
