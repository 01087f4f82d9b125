// The user's sorts from the display/sort dialog: by size, name, kind or date, and by area. Each
// fills the key field of every usable row, sorts, reverses when SequenceFlag is on and tells the
// companion dialogs.
#pragma once

#include "catalog/list/CatalogTable.h"
#include "catalog/order/SortSeams.h"

namespace tarn {

enum AreaSortResult : int { kAreaNoCatalog = 1, kAreaStopped = 3 };

// Mode 0 size, 1 name, 2 kind or 4 date. Sizes and dates re-apply the size limits: a row outside
// them is vacated and the sort's compaction removes it. Answers 0, 2 (an empty table or Cancel
// while the keys are filled) or SortTable's result; another mode shows the switch message and
// answers -1.
int SortBy(CatalogTables& tables, int mode, FileFactsSource& files, SortHost& host);

// Area keys: movies and music 0, still pictures width x height as the loader decodes them. Answers
// 0, 1 (empty table), 2 (Cancel), 3 (stopped at a picture without a bitmap) or SortTable's result.
int SortByArea(CatalogTables& tables, PictureSizer& pictures, SortHost& host);

// The view's sort command for mode 0 to 4, up to the catalog refresh: compaction, the sort of the
// mode (SortByArea for 3), and for sizes and names the grouping of equal rows by folder once the
// sort has finished. The view then resets a catalog on screen and shows the table when it has rows.
// Answers the sort's or the grouping's result.
int SortCommand(CatalogTables& tables, int mode, FileFactsSource& files, PictureSizer& pictures, SortHost& host);

// The end every user sort shares once the keys are filled: SortTable in the mode, reversed when
// SequenceFlag is on, and the companion dialogs told of the new table. Answers SortTable's result.
int SortFilledTable(CatalogTables& tables, int mode, SortHost& host);

}  // namespace tarn
