#include "CatalogStepping.h"

#include <algorithm>

namespace tarn {

int StepRow(const CatalogTables& tables, int first, int end, int cursor, bool up, bool marksExist) {
  end = std::min(end, tables.rows);
  const int count = end - first;
  if (first < 0 || count < 1) return -1;
  if (cursor < first || cursor >= end) cursor = up ? first : end - 1;
  for (int step = 1; step <= count; ++step) {
    const int offset = ((cursor - first + (up ? -step : step)) % count + count) % count;
    const int row = first + offset;
    const int state = tables.entries[row].state;
    if (state == kEntryNormal || state == kEntrySelected || (marksExist && state == kEntryMovieMarked)) return row;
  }
  return -1;
}

}  // namespace tarn
