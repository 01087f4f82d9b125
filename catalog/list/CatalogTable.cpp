#include "CatalogTable.h"

#include <algorithm>

#include "base/TextUtil.h"

namespace tarn {

CatalogTables& TheCatalog() {
  static CatalogTables tables;
  return tables;
}

namespace {

template <std::size_t N>
std::u16string_view Terminated(const char16_t (&units)[N]) {
  return {units, static_cast<std::size_t>(std::find(units, units + N, u'\0') - units)};
}

}  // namespace

std::u16string FolderPath(const FolderRow& folder) {
  std::u16string path(Terminated(folder.path));
  // A blank row stays blank: a lone backslash would name the root of the drive.
  if (!path.empty()) AppendBackslash(path);
  return path;
}

std::u16string FolderPathOf(const CatalogTables& tables, int folder) {
  if (folder < 0 || folder >= std::min(tables.folderRows, kFolderRowsMax)) return {};
  return FolderPath(tables.folders[folder]);
}

int FilesInTable(const CatalogTables& tables) {
  const CatalogEntry* end = tables.entries + std::clamp(tables.rows, 0, kCatalogRowsMax);
  const auto left = [](const CatalogEntry& entry) { return entry.state != kEntryVacated; };
  return static_cast<int>(std::count_if(tables.entries, end, left));
}

std::u16string_view EntryName(const CatalogEntry& entry) { return Terminated(entry.name); }

std::u16string EntryPath(const CatalogTables& tables, const CatalogEntry& entry) {
  return FolderPathOf(tables, entry.folder) + std::u16string(EntryName(entry));
}

int FindEntryRow(const CatalogTables& tables, int hint, std::u16string_view path) {
  const int rows = std::min(tables.rows, kCatalogRowsMax);
  const auto holds = [&](int row) {
    return tables.entries[row].state != kEntryVacated && EntryPath(tables, tables.entries[row]) == path;
  };
  if (hint >= 0 && hint < rows && holds(hint)) return hint;
  for (int row = 0; row < rows; ++row)
    if (holds(row)) return row;
  return -1;
}

}  // namespace tarn
