// The order of the catalog table: compaction, the sort by one key, grouping of equal rows by
// folder and reversal. Every CatalogEntry's size field doubles as the sort key.
#pragma once

#include <string_view>

#include "base/Prompt.h"
#include "catalog/list/CatalogTable.h"

namespace tarn {

// Sort modes, numbered as the display/sort dialog and the status bar number them.
enum SortMode : int {
  kSortSize = 0,     // key field: file size
  kSortName = 1,     // names unit by unit as unsigned 16-bit values (case matters)
  kSortKind = 2,     // key field: kind number of the extension
  kSortArea = 3,     // key field: width x height
  kSortDate = 4,     // key field: modification time
  kSortCompact = 5,  // compaction only
};

enum SortResult : int { kSortDone = 0, kSortCancelled = 2, kSortBadMode = -1 };

// Removes unusable and vacated rows (states 2, 3 and 4); the rest keep their order, state, key,
// folder and slot. Both row counts drop by the number removed.
void CompactTable(CatalogTables& tables);

// Compaction; then, for modes 0 to 4, every state cleared and the rows put in ascending order of
// the mode by a double-ended selection sort, whose swaps decide where equal keys end. The progress
// window shows the passes; Cancel answers 2 and leaves every row in a partial order. A mode outside
// 0 to 5 shows the switch message and changes nothing.
int SortTable(CatalogTables& tables, int mode);

// Within each run of rows with an equal key (mode 0) or an equal name (mode 1), rows are ordered by
// folder number. Other modes do nothing. Cancel answers 2.
int GroupByFolder(CatalogTables& tables, int mode);

// Reverses the row order; states stay where they are.
void ReverseTable(CatalogTables& tables);

// Walks the rows that are neither unusable nor vacated under the progress window `text`, stepping
// its bar; Cancel answers 2. `fill` answers 0 to go on, and anything else ends the walk with it.
template <typename Fill>
int FillUsableRows(CatalogTables& tables, std::u16string_view text, Fill fill) {
  const int n = tables.rows;
  ProgressScope scope(text);
  ProgressWindow& progress = TheProgress();
  for (int i = 0; i < n; ++i) {
    progress.SetPos(i * 100 / n);
    if (progress.Cancelled()) return kSortCancelled;
    CatalogEntry& row = tables.entries[i];
    if (IsDroppedState(row.state)) continue;
    if (const int filled = fill(row); filled != kSortDone) return filled;
  }
  return kSortDone;
}

}  // namespace tarn
