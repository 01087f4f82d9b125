// Column budgets of the titles under thumbnails; FitWidth cuts a name to its budget. The budgets
// are smaller from Windows 7 on, whose fonts run wider.
#pragma once

namespace tarn {

// The column budget of a catalog cell's title for catalog size 0 to 3 (S, M, L, LL).
int CellTitleBudget(int catalogSize, bool windows7OrLater);

// The column budget of the monitor window's title.
int MonitorTitleBudget(bool windows7OrLater);

}  // namespace tarn
