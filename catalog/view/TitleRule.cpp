#include "TitleRule.h"

namespace tarn {

int CellTitleBudget(int catalogSize, bool windows7OrLater) {
  static constexpr int kBudgets[2][4] = {{12, 14, 17, 27}, {9, 11, 14, 23}};
  if (catalogSize < 0 || catalogSize > 3) catalogSize = 1;
  return kBudgets[windows7OrLater ? 1 : 0][catalogSize];
}

int MonitorTitleBudget(bool windows7OrLater) { return windows7OrLater ? 11 : 14; }

}  // namespace tarn
