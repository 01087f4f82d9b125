// The catalog table (the files a catalog shows, in order) and the folder table (the folders
// they come from). Plain fixed-size tables that live as long as the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarn {

// Row states: bit 0 is the selection mark for states 0 to 3.
enum EntryState : std::int32_t {
  kEntryNormal = 0,
  kEntrySelected = 1,
  kEntryUnusable = 2,          // the load failed in the catalog, or the file moved away
  kEntryUnusableSelected = 3,
  kEntryVacated = 4,           // deleted, moved or handed to the complete-deletion program
  kEntryMovieMarked = 5,       // marked for the movie slide show
};

// Unusable and vacated rows, which the next compaction removes and key filling passes over.
constexpr bool IsDroppedState(std::int32_t state) {
  return state == kEntryUnusable || state == kEntryUnusableSelected || state == kEntryVacated;
}

// Selected rows, usable or not.
constexpr bool IsSelected(std::int32_t state) { return state == kEntrySelected || state == kEntryUnusableSelected; }

struct CatalogEntry {
  std::int32_t state = kEntryNormal;
  char16_t name[128] = {};  // file name without folder, NUL-terminated
  std::int32_t size = 0;    // bytes; filled when a size limit or a size sort needs it
  std::int32_t folder = 0;  // row of the folder table
  std::int32_t slot = -1;   // cell of the catalog bitmap, -1 when not drawn
};

struct FolderRow {
  std::int32_t state = 0;     // 0 nothing shown, 1 shown without a cache file, 2 shown with one
  char16_t path[256] = {};    // NUL-terminated, always ending in "\"
};

constexpr int kCatalogRowsMax = 4800;
constexpr int kFolderRowsMax = 100;

struct CatalogTables {
  CatalogEntry entries[kCatalogRowsMax];
  int rows = 0;          // rows in the table
  int offeredRows = 0;   // rows offered to the catalog; set with rows, lowered by compaction
  FolderRow folders[kFolderRowsMax];
  int folderRows = 0;
};

// A folder row's path, bounded by its field even without a terminator, ending in "\" (empty for
// a blank row).
std::u16string FolderPath(const FolderRow& folder);

// The view's tables.
CatalogTables& TheCatalog();

// The files the table still names: every row but those whose file was deleted or moved away,
// which stay in the table until the next compaction.
int FilesInTable(const CatalogTables& tables);

// The path of folder row `folder` (as FolderPath); empty for a number outside the folder table.
std::u16string FolderPathOf(const CatalogTables& tables, int folder);

// A row's name, read no further than its 128 units.
std::u16string_view EntryName(const CatalogEntry& entry);

// Folder path + name of a row.
std::u16string EntryPath(const CatalogTables& tables, const CatalogEntry& entry);

// The row that holds `path`: `hint` when it still does, else the first other one; vacated rows
// hold nothing. -1 when no row does.
int FindEntryRow(const CatalogTables& tables, int hint, std::u16string_view path);

}  // namespace tarn
