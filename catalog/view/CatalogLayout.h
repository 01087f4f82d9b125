// The catalog's pixel geometry: the four catalog sizes, how many columns fit, where each cell
// lies on the screen and in the catalog bitmap, the view's scroll size and which point of the
// view hits which cell.
#pragma once

#include "catalog/list/CatalogTable.h"
#include "catalog/cache/ThumbnailRecord.h"

namespace tarn {

// One catalog size on the screen: the cell's image square W, margin m, thumbnail side T (from the
// cache geometry), the pitches between cells and the standard maximum of shown entries.
struct CatalogGeometry {
  ThumbGeometry thumb;
  int Cell() const { return thumb.cell; }
  int Margin() const { return thumb.margin; }
  int ColumnPitch() const { return thumb.cell + 4; }
  int RowPitch() const { return thumb.cell + 18; }
};

// The geometry of the current catalog size (g_CatalogSize).
CatalogGeometry CurrentCatalogGeometry();

// Columns that fit `availableWidth` (at least 1: a catalog always has a column).
int CatalogColumns(int availableWidth, const CatalogGeometry& geometry);
// Width of the cells of `columns` columns without the outer margins.
int CatalogWidth(int columns, const CatalogGeometry& geometry);

struct Extent {
  int width = 0;
  int height = 0;
};
// The view's scroll size for `shown` entries in `columns` columns.
Extent CatalogScrollSize(int columns, int shown, const CatalogGeometry& geometry);

// The last row the catalog bitmap is made for: the last row of `shown` entries, raised in each
// size's fixed step so that moderate catalogs of one size reuse one allocation height.
int BitmapLastRow(int columns, int shown, int catalogSize);

// Top-left corner of the image square of cell (column, row) in view coordinates.
struct CellPoint {
  int x = 0;
  int y = 0;
};
CellPoint CellOrigin(int column, int row, const CatalogGeometry& geometry);

// Whether a view client of this size is too small for one cell of the catalog.
bool ClientTooSmall(int clientWidth, int clientHeight, const CatalogGeometry& geometry);

// What a point of the view (scroll offset already added) hits.
struct CatalogHit {
  int row = -1;           // table row, or -1 for no hit
  bool titleBand = false; // the point lies in the title band under the image
};

// The catalog on screen as the hit test needs it.
struct ShownCatalog {
  int columns = 1;
  int offset = 0;        // rows skipped at the front of the table
  int shownEnd = 0;      // index just past the last shown row
  int catalogLimit = 0;
};

// The table row under `x`, `y`; vacated rows are never hit.
CatalogHit HitTestCatalog(int x, int y, const ShownCatalog& shown, const CatalogGeometry& geometry,
                          const CatalogTables& tables);

}  // namespace tarn
