// The title rule: how much of a file name fits under a thumbnail. Characters below U+0100 and
// half-width katakana take one column, everything else two; the budget depends on the catalog
// size and is smaller from Windows 7 on, whose fonts run wider.
#pragma once

#include <string_view>

namespace tarn {

// Number of leading characters of `name` to show within `budget` columns.
int TitleLength(std::u16string_view name, int budget, bool windows7OrLater);

// The column budget of a catalog cell's title for catalog size 0 to 3 (S, M, L, LL).
int CellTitleBudget(int catalogSize, bool windows7OrLater);

// The column budget of the monitor window's title.
int MonitorTitleBudget(bool windows7OrLater);

}  // namespace tarn
