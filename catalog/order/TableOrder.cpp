#include "TableOrder.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "base/Prompt.h"

namespace tarn {

namespace {

constexpr std::u16string_view kSortingText = u"ﾌｧｲﾙ 並べ替え中・・・";

// A row's state stays with its position: selections belong to places in the catalog, and a sort
// clears them anyway.
void SwapRows(CatalogEntry& a, CatalogEntry& b) {
  std::swap(a.name, b.name);
  std::swap(a.size, b.size);
  std::swap(a.folder, b.folder);
  std::swap(a.slot, b.slot);
}

// Unit by unit as unsigned 16-bit values, so capital letters come before small ones. A row's name
// is read no further than its 128 units, terminated or not.
int CompareNames(const CatalogEntry& a, const CatalogEntry& b) {
  for (std::size_t i = 0; i < std::size(a.name); ++i) {
    if (a.name[i] != b.name[i]) return a.name[i] < b.name[i] ? -1 : 1;
    if (a.name[i] == u'\0') return 0;
  }
  return 0;
}

int CompareKeys(const CatalogEntry& a, const CatalogEntry& b) {
  return a.size < b.size ? -1 : a.size > b.size ? 1 : 0;
}

using Compare = int (*)(const CatalogEntry&, const CatalogEntry&);

}  // namespace

void CompactTable(CatalogTables& tables) {
  int kept = 0;
  for (int i = 0; i < tables.rows; ++i) {
    if (IsDroppedState(tables.entries[i].state)) continue;
    if (kept != i) tables.entries[kept] = tables.entries[i];
    ++kept;
  }
  const int removed = tables.rows - kept;
  tables.rows = kept;
  tables.offeredRows = std::max(0, tables.offeredRows - removed);
}

int SortTable(CatalogTables& tables, int mode) {
  if (mode < kSortSize || mode > kSortCompact) {
    Say(SwitchMessage(u"CTarnView::SortTable", mode));
    return kSortBadMode;
  }
  CompactTable(tables);
  if (mode == kSortCompact) return kSortDone;
  const Compare compare = mode == kSortName ? CompareNames : CompareKeys;
  const int n = tables.rows;
  CatalogEntry* rows = tables.entries;
  for (int i = 0; i < n; ++i) rows[i].state = kEntryNormal;
  ProgressScope scope(kSortingText);
  ProgressWindow& progress = TheProgress();
  // Each pass puts the smallest remaining row first and the largest last, so the bar moves once a
  // pass. The swaps decide where equal keys end; the folder grouping that follows relies on that.
  for (int pass = 1; pass <= n / 2; ++pass) {
    const int lo = pass - 1, hi = n - pass;
    progress.SetPos((pass - 1) * 100 / (n / 2));
    if (progress.Cancelled()) return kSortCancelled;
    if (compare(rows[lo], rows[hi]) > 0) SwapRows(rows[lo], rows[hi]);
    for (int i = lo + 1; i <= hi - 1; ++i) {
      if (compare(rows[i], rows[hi]) > 0)
        SwapRows(rows[i], rows[hi]);
      else if (compare(rows[i], rows[lo]) < 0)
        SwapRows(rows[i], rows[lo]);
    }
  }
  return kSortDone;
}

int GroupByFolder(CatalogTables& tables, int mode) {
  if (mode != kSortSize && mode != kSortName) return kSortDone;
  const Compare compare = mode == kSortName ? CompareNames : CompareKeys;
  const int n = tables.rows;
  CatalogEntry* rows = tables.entries;
  ProgressScope scope(kSortingText);
  ProgressWindow& progress = TheProgress();
  int first = 0;
  while (first < n) {
    progress.SetPos(first * 100 / n);
    if (progress.Cancelled()) return kSortCancelled;
    int end = first + 1;
    while (end < n && compare(rows[first], rows[end]) == 0) ++end;
    for (int place = first; place < end - 1; ++place) {
      int smallest = place;
      for (int i = place + 1; i < end; ++i)
        if (rows[i].folder < rows[smallest].folder) smallest = i;
      if (smallest != place) SwapRows(rows[place], rows[smallest]);
    }
    first = end;
  }
  return kSortDone;
}

void ReverseTable(CatalogTables& tables) {
  const int n = tables.rows;
  for (int i = 0; i < n / 2; ++i) SwapRows(tables.entries[i], tables.entries[n - 1 - i]);
}

}  // namespace tarn
