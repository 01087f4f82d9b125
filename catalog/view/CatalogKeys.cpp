#include "catalog/view/CatalogKeys.h"

#include <algorithm>

namespace tarn {

int KeyedRow(CursorKey key, int cursor, const ShownCatalog& shown, int pageRows) {
  const int count = shown.shownEnd - shown.offset;
  if (count <= 0) return -1;
  const int columns = std::max(1, shown.columns);
  const int page = std::max(1, pageRows) * columns;
  const int last = count - 1;
  const int k = cursor >= shown.offset && cursor < shown.shownEnd ? cursor - shown.offset : 0;
  int to = k;
  switch (key) {
    case CursorKey::kLeft: to = std::max(0, k - 1); break;
    case CursorKey::kRight: to = std::min(last, k + 1); break;
    case CursorKey::kUp: to = k >= columns ? k - columns : k; break;
    case CursorKey::kDown:
      // The last grid row may be short: from above its end the step lands on the last entry.
      to = k + columns <= last ? k + columns : k / columns < last / columns ? last : k;
      break;
    case CursorKey::kHome: to = 0; break;
    case CursorKey::kEnd: to = last; break;
    case CursorKey::kPageUp: to = k >= page ? k - page : k % columns; break;
    case CursorKey::kPageDown: to = std::min(last, k + page); break;
  }
  return shown.offset + to;
}

int PageRows(int clientHeight, const CatalogGeometry& geometry) {
  return std::max(1, clientHeight / std::max(1, geometry.RowPitch()));
}

}  // namespace tarn
