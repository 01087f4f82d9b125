// Selection over the catalog table: the row states a click, a drag or a file operation changes,
// the counts the view keeps beside them, and the rearranging of rows and cells when entries are
// dragged or leave the catalog. What is on the screen is repainted through CatalogCanvas, which
// the view implements, so that the rules run (and are tested) without a window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalog/view/CatalogLayout.h"
#include "catalog/list/CatalogTable.h"

namespace tarn {

// The view's selection: kept by the view, changed only through the functions below.
struct SelectionState {
  int selected = 0;     // rows in state 1 or 3
  int marked = 0;       // rows in state 5 (marked for the movie slide show)
  int cursor = 0;       // the row last clicked or shown
  int dragSource = -1;  // the row a drag started from, -1 when no drag is under way
};

// What the catalog on screen offers the rules. Rows are table rows; the view maps them to cells.
class CatalogCanvas {
 public:
  virtual ~CatalogCanvas() = default;
  // The row's title band in the colours of its state.
  virtual void RepaintTitle(int row) = 0;
  // The row's cell (DrawCatalogCell) at the row's shown position; false when it cannot be painted.
  virtual bool RepaintCell(int row) = 0;
  // A white W + 4 by W + 18 block at the row's cell.
  virtual void PaintCellWhite(int row) = 0;
  // The whole view, after rows were rearranged.
  virtual void RepaintView() = 0;
  // A catalog is on the catalog screen.
  virtual bool CatalogShown() = 0;
};

// The block of the screen a vacated cell is painted white over: W + 4 by W + 18 from the corner of
// the row's image square, in view coordinates before scrolling. False for a row outside the shown
// range.
struct CellBlock {
  int x = 0, y = 0, width = 0, height = 0;
};
bool VacatedCellBlock(int row, const ShownCatalog& shown, const CatalogGeometry& geometry, CellBlock& block);

// InvTitleColor modes.
enum TitleMode : int {
  kTitleToggle = 0,
  kTitleRename = 1,
  kTitleDeselect = 2,
  kTitleSelect = 3,
  kTitleDeselectCounted = 4,
  kTitleSelectIfNot = 5,
  kTitleDeselectIfSelected = 6,
  kTitleMark = 7,
  kTitleUnmark = 8,
};

// Changes one row's selection by `mode` and repaints its title; `name` is used by mode 1 only
// (at most 127 units are stored). 0, or -1 after the switch message for an unknown mode or a row
// outside the table.
int InvTitleColor(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int row,
                  std::u16string_view name, int mode);

// What ClearMarks clears.
enum ClearKind : int {
  kClearAll = 0,               // every selection and mark, both counts zeroed
  kClearSelection = 1,         // the selected rows deselected
  kClearMarksToSelection = 2,  // every mark turned into a selection
  kClearMarks = 3,             // every mark removed, the selected rows recounted
};
void ClearMarks(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, ClearKind kind);

// Rows in state 1 or 3.
int CountSelected(const CatalogTables& tables);

// The question asked before a click drops the slide-show marks; true for OK.
bool AskReleaseMarks(const SelectionState& state);

// What the view does after a click on a cell.
enum class ClickResult {
  kNothing,        // the click was refused or went back at the question
  kOpenByTimer,    // single-click mode: open the row through the 10 ms timer
  kStartDrag,      // the row is the drag source; start the "Tarn Catalog Move" drag
  kSelected,       // selection changed, nothing more to do
};

// Left button on `row` (a row the hit test answered). `displayedRow` is the row open in the
// display window (-1 none); `running` is true while a slide show or display sequence runs.
// Shift selects every normal or unusable row between the cursor and `row` (not while marks exist);
// Ctrl selects one row (marks it while marks exist), deselects it, or unmarks it; a plain click
// selects the row alone and makes it the drag source.
ClickResult ClickCell(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int row, bool ctrl,
                      bool shift, bool singleClick, int displayedRow, bool running);

// The previous (`up`) or next row of the shown range [offset, shownEnd) after the cursor whose
// state is 0 or 1, or 5 while marks exist, wrapping around at the ends; the cursor moves there.
// With no such row "ファイル選択エラー" is shown, the cursor goes to 0 and the answer is -1.
int StepCursor(const CatalogTables& tables, SelectionState& state, int offset, int shownEnd, bool up);

// A step from row `from` to row `to`: a lone selection on `from` is the catalog's current entry,
// and it goes along to `to`. Any other selection stays where the user put it.
void CarrySelection(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int from, int to);

// Whether the row may open: unusable and vacated rows show "エラーファイル ≪読出不可≫" with the
// full path. Movie and music files open where their plug-ins play them (`played`); the picture
// screens refuse them, as they refuse names that are no file names.
bool MayOpenRow(const CatalogTables& tables, int row, bool played);

// Takes row `from` out and puts it back at `to`, the rows between moving one place towards `from`;
// every row that changed is repainted. The slot travels with its row. 0, or -1 when a row is
// outside the table or a repaint failed.
int MoveEntry(CatalogTables& tables, CatalogCanvas& canvas, int from, int to);

// A drop of the catalog's own drag item on `row` (-1 when the drop hit no row): moves the drag
// source there unless `running`. The drag source is cleared in every case.
void DropOnRow(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int row, bool running);

// Paints the row's cell white and vacates the row.
void VacateCell(CatalogTables& tables, CatalogCanvas& canvas, int row);

// Moves the live rows of the shown range [offset, shownEnd) up over vacated rows, cell by cell on
// the screen; the cursor follows its row. Cancel in the progress window keeps the rows moved so
// far. `repaint` repaints the view afterwards. 0 done, 2 cancelled.
int CloseGaps(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int offset, int shownEnd,
              bool repaint);

// One row a file operation works on.
struct WorkRow {
  int row = 0;
  int position = 0;  // among the shown rows (row - offset)
  int folder = 0;
};

// The selected rows (or, while marks exist, the marked rows) in table order.
std::vector<WorkRow> CollectWorkRows(const CatalogTables& tables, bool marks, int offset);

}  // namespace tarn
