#include "TitleRule.h"

#include <algorithm>

namespace tarn {

namespace {
bool OneColumn(char16_t c) { return c < 0x100 || (c >= 0xFF71 && c <= 0xFF9D); }
}  // namespace

int TitleLength(std::u16string_view name, int budget, bool windows7OrLater) {
  int columns = 0;
  bool narrowMet = false, wideMet = false;
  for (std::size_t j = 0; j < name.size(); ++j) {
    if (OneColumn(name[j])) {
      ++columns;
      narrowMet = true;
    } else {
      columns += 2;
      wideMet = true;
    }
    if (columns < budget) continue;
    const int at = static_cast<int>(j);
    if (!wideMet) return at;
    // A wide character leaves room the proportional font fills with one or two more characters.
    const int keep = at + (narrowMet || windows7OrLater ? 1 : 2);
    return std::min(keep, static_cast<int>(name.size()));
  }
  return static_cast<int>(name.size());
}

int CellTitleBudget(int catalogSize, bool windows7OrLater) {
  static constexpr int kBudgets[2][4] = {{12, 14, 17, 27}, {9, 11, 14, 23}};
  if (catalogSize < 0 || catalogSize > 3) catalogSize = 1;
  return kBudgets[windows7OrLater ? 1 : 0][catalogSize];
}

int MonitorTitleBudget(bool windows7OrLater) { return windows7OrLater ? 11 : 14; }

}  // namespace tarn
