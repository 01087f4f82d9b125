// A catalog screen that records what the selection rules and file operations asked of it.
#pragma once

#include <vector>

#include "catalog/view/CatalogSelection.h"

namespace tarn::test {

class RecordingCanvas : public CatalogCanvas {
 public:
  std::vector<int> titles, cells, whites;
  int views = 0;
  bool shown = true;
  int failCell = -1;  // a row whose cell cannot be painted

  void RepaintTitle(int row) override { titles.push_back(row); }
  bool RepaintCell(int row) override {
    cells.push_back(row);
    return row != failCell;
  }
  void PaintCellWhite(int row) override { whites.push_back(row); }
  void RepaintView() override { ++views; }
  bool CatalogShown() override { return shown; }
};

}  // namespace tarn::test
