// CatalogShow: the questions about the catalog offset and the catalog limit that come before a
// catalog is built, and then the build itself.
#pragma once

#include <functional>

namespace tarn {

enum CatalogShowResult : int {
  kShowEmpty = 1,           // no rows: nothing to show
  kShowCancelled = 2,
  kShowOffsetRefused = 4,   // the offset is past the rows and the user keeps it
};

struct CatalogShowSteps {
  std::function<int()> catalogA;            // builds the catalog; its result is CatalogShow's
  std::function<void()> offsetCleared;      // tells the folder tree window the offset is 0 again
};

// `mode` 1 comes from opening a folder, 0 from every other caller; `rows` is the table's count.
int CatalogShow(int mode, int rows, const CatalogShowSteps& steps);

}  // namespace tarn
