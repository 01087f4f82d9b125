#include "MarkFolders.h"

#include <algorithm>

namespace tarn {

void MarkFolders(CatalogTables& tables, int first, int end, ThumbFileSystem& fs) {
  const int folders = std::clamp(tables.folderRows, 0, kFolderRowsMax);
  for (int f = 0; f < folders; ++f) tables.folders[f].state = 0;
  for (int row = std::max(first, 0); row < std::min(end, tables.rows); ++row) {
    const int folder = tables.entries[row].folder;
    if (folder >= 0 && folder < folders) tables.folders[folder].state = 1;
  }
  for (int f = 0; f < folders; ++f) {
    FolderRow& row = tables.folders[f];
    if (row.state != 1) continue;
    if (fs.Exists(FolderPath(row) + kThumbFileName)) row.state = 2;
  }
}

}  // namespace tarn
