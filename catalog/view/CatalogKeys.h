// Where the catalog's keys move the current cell: one cell along the grid, a screen of rows, or
// to the first or last shown entry. Portable arithmetic on the shown range; the view applies the
// selection rules of a click to the row it answers.
#pragma once

#include "catalog/view/CatalogLayout.h"

namespace tarn {

enum class CursorKey { kLeft, kRight, kUp, kDown, kHome, kEnd, kPageUp, kPageDown };

// The table row `key` moves the current cell to from `cursor`, within the shown range
// [offset, shownEnd) laid out in `shown.columns` columns; `pageRows` rows of cells fill the view.
// Left and Right stop at the ends of the range, Up and Down stay put where no row lies above or
// below (Down from a row with nothing straight below goes to the last entry), PgUp and PgDn stop
// at the first row's column and the last entry. A cursor outside the range starts at its first
// entry. -1 for an empty range.
int KeyedRow(CursorKey key, int cursor, const ShownCatalog& shown, int pageRows);

// Rows of cells a view `clientHeight` pixels high shows whole: at least 1.
int PageRows(int clientHeight, const CatalogGeometry& geometry);

}  // namespace tarn
