#include "CatalogLayout.h"

#include "base/Settings.h"

namespace tarn {

CatalogGeometry CurrentCatalogGeometry() { return {GeometryOf(g_CatalogSize)}; }

int CatalogColumns(int availableWidth, const CatalogGeometry& geometry) {
  const int columns = availableWidth / geometry.ColumnPitch();
  return columns < 1 ? 1 : columns;
}

int CatalogWidth(int columns, const CatalogGeometry& geometry) { return columns * geometry.ColumnPitch() - 4; }

Extent CatalogScrollSize(int columns, int shown, const CatalogGeometry& geometry) {
  const int rows = shown < 1 ? 1 : (shown - 1) / columns + 1;
  return {CatalogWidth(columns, geometry) + 8, rows * geometry.RowPitch() + 4};
}

int BitmapLastRow(int columns, int shown, int catalogSize) {
  const int last = shown < 1 ? 0 : (shown - 1) / columns;
  struct Step {
    int from, to, raised;
  };
  static constexpr Step kSteps[] = {{48, 84, 85}, {41, 72, 73}, {31, 50, 51}, {19, 31, 36}};
  if (catalogSize < 0 || catalogSize > 3) return last;
  const Step& step = kSteps[catalogSize];
  return last >= step.from && last <= step.to ? step.raised : last;
}

CellPoint CellOrigin(int column, int row, const CatalogGeometry& geometry) {
  return {4 + column * geometry.ColumnPitch(), 4 + row * geometry.RowPitch()};
}

bool ClientTooSmall(int clientWidth, int clientHeight, const CatalogGeometry& geometry) {
  return clientWidth - 8 < geometry.ColumnPitch() || clientHeight - 8 < geometry.RowPitch();
}

CatalogHit HitTestCells(int x, int y, const ShownCatalog& shown, const CatalogGeometry& geometry) {
  const int cell = geometry.Cell();
  const int count = shown.shownEnd - shown.offset;
  if (shown.columns < 1 || count < 1) return {};
  x -= 4;
  y -= 4;
  const int lastRow = (count - 1) / shown.columns;
  if (x < 0 || x > CatalogWidth(shown.columns, geometry) || y < 0 ||
      y > lastRow * geometry.RowPitch() + cell + 14)
    return {};
  const int column = x / geometry.ColumnPitch();
  if (x % geometry.ColumnPitch() >= cell) return {};  // the gap right of a cell
  const int row = y / geometry.RowPitch();
  const int within = y % geometry.RowPitch();
  if (within > cell + 14) return {};
  return {column + shown.columns * row, within > cell};
}

CatalogHit HitTestCatalog(int x, int y, const ShownCatalog& shown, const CatalogGeometry& geometry,
                          const CatalogTables& tables) {
  CatalogHit hit = HitTestCells(x, y, shown, geometry);
  if (hit.row < 0) return hit;
  if (hit.row >= shown.catalogLimit) return {};
  hit.row += shown.offset;
  if (hit.row >= shown.shownEnd || hit.row >= tables.rows || tables.entries[hit.row].state == kEntryVacated) return {};
  return hit;
}

}  // namespace tarn
