// MarkFolders: which folders of the folder table the shown rows come from, and which of those
// already keep a thumbnail cache file.
#pragma once

#include "catalog/list/CatalogTable.h"
#include "catalog/cache/ThumbnailFiles.h"

namespace tarn {

// Rows `first` .. `end` - 1 are the shown range.
void MarkFolders(CatalogTables& tables, int first, int end, ThumbFileSystem& fs);

}  // namespace tarn
