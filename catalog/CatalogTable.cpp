#include "CatalogTable.h"

#include <algorithm>
#include <iterator>

#include "app/TextUtil.h"

namespace tarn {

std::u16string FolderPath(const FolderRow& folder) {
  const char16_t* end = std::find(std::begin(folder.path), std::end(folder.path), u'\0');
  std::u16string path(std::begin(folder.path), end);
  AppendBackslash(path);
  return path;
}

std::u16string EntryPath(const CatalogTables& tables, int row) {
  const CatalogEntry& entry = tables.entries[row];
  const char16_t* end = std::find(std::begin(entry.name), std::end(entry.name), u'\0');
  const int folder = std::clamp(entry.folder, 0, kFolderRowsMax - 1);
  return FolderPath(tables.folders[folder]) + std::u16string(std::begin(entry.name), end);
}

CatalogTables& TheCatalog() {
  static CatalogTables tables;
  return tables;
}

}  // namespace tarn
