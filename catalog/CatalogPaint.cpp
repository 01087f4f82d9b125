// The catalog on paper: thumbnails drawn into the catalog bitmap, the monitor window and the work
// bitmap, and the cells painted from the catalog bitmap onto the screen.
#include <algorithm>

#include "TarnView.h"
#include "base/AppGlobals.h"
#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "catalog/ThumbPlacement.h"
#include "catalog/TitleRule.h"
#include "image/PictureWnd.h"

namespace tarn {
namespace {

// Half-tone stretching in plain pixel units, whatever the context was set to.
class StretchSetup {
 public:
  explicit StretchSetup(HDC dc)
      : dc_(dc), mapMode_(SetMapMode(dc, MM_TEXT)), stretchMode_(SetStretchBltMode(dc, HALFTONE)) {
    SetBrushOrgEx(dc, 0, 0, nullptr);
  }
  ~StretchSetup() {
    SetStretchBltMode(dc_, stretchMode_);
    SetMapMode(dc_, mapMode_);
  }
  StretchSetup(const StretchSetup&) = delete;
  StretchSetup& operator=(const StretchSetup&) = delete;

 private:
  HDC dc_;
  int mapMode_, stretchMode_;
};

}  // namespace

int CTarnView::DrawThumbnail(int mode, HDC dc, int row, std::u16string_view name) {
  CatalogTables& tables = TheCatalog();
  const ThumbGeometry& geometry = CurrentCatalogGeometry().thumb;
  const int W = geometry.cell;
  const bool toCell = mode == kDrawToCatalog || mode == kDrawWorkToCatalog || mode == kDrawBlank;
  const int cell = m_CellCounter;
  if (toCell && cell >= m_BitmapColumns * (m_Catalog.Height() / std::max(W, 1))) return -1;
  const int cellX = cell % m_BitmapColumns * W, cellY = cell / m_BitmapColumns * W;
  if (dc == nullptr) return -1;

  if (mode <= kDrawToWork) {
    const BITMAPINFO* info = m_Picture != nullptr ? m_Picture->Loaded().Info() : nullptr;
    if (info == nullptr || m_Picture->Loaded().Bits() == nullptr) {
      Say(u"≪lpBI=0≫ Select=" + DecimalText(mode) + u" <-v12>", u"エラー");
      return -1;
    }
    const int width = info->bmiHeader.biWidth;
    const int height = info->bmiHeader.biHeight;
    const int rows = height < 0 ? -height : height;
    const ThumbPlacement place = PlaceDecoded(mode, width, rows, cellX, cellY, geometry, g_ClearThumbFlag != 0);
    // Bottom-up pictures count their source rows from the last row.
    const int sourceY = height > 0 ? rows - place.source.y - place.source.height : place.source.y;
    StretchSetup setup(dc);
    const int lines = StretchDIBits(dc, place.target.x, place.target.y, place.target.width, place.target.height,
                                    place.source.x, sourceY, place.source.width, place.source.height,
                                    m_Picture->Loaded().Bits(), info, DIB_RGB_COLORS, SRCCOPY);
    if (lines == 0 || lines == static_cast<int>(GDI_ERROR)) return -1;
    if (mode == kDrawToWork) m_Cache.SetLayout(place.layout);
  } else if (mode == kDrawBlank) {
    PatBlt(dc, cellX, cellY, W, W, WHITENESS);
  } else {
    const ThumbPlacement place = PlaceCached(mode, m_Cache.Layout(), cellX, cellY, geometry);
    StretchSetup setup(dc);
    StretchBlt(dc, place.target.x, place.target.y, place.target.width, place.target.height, m_Work.Dc(),
               place.source.x, place.source.y, place.source.width, place.source.height, SRCCOPY);
  }

  if (mode == kDrawToMonitor || mode == kDrawWorkToMonitor) {
    m_Monitor.ShowTitle(name, m_TitleFont.Get(dc), MonitorTitleBudget(g_OsKind >= 4));
  } else if (toCell) {
    tables.entries[row].slot = cell;
    ++m_CellCounter;
  }
  return 0;
}

int CTarnView::DrawCatalogCell(HDC dc, int k) {
  const CatalogTables& tables = TheCatalog();
  const int row = m_Shown.offset + k;
  if (row < 0 || row >= tables.rows) return -1;
  const CatalogEntry& entry = tables.entries[row];
  if (entry.slot < 0) return -1;
  const CatalogGeometry geometry = CurrentCatalogGeometry();
  const int W = geometry.Cell();
  const CellPoint at = CellOrigin(k % m_Shown.columns, k / m_Shown.columns, geometry);
  if (entry.state == kEntryVacated) {
    // The file has left the catalog: a white block, without its picture and without its name.
    PatBlt(dc, at.x, at.y, W + 6, W + 14, WHITENESS);
    return 0;
  }
  PatBlt(dc, at.x, at.y, W, W + 14, WHITENESS);
  BitBlt(dc, at.x, at.y, W, W, m_Catalog.Dc(), entry.slot % m_BitmapColumns * W, entry.slot / m_BitmapColumns * W,
         SRCCOPY);
  DrawTitleBand(dc, m_TitleFont.Get(dc), at.x, at.y + W, W + 6, entry.name,
                CellTitleBudget(g_CatalogSize, g_OsKind >= 4), TitleColoursOf(entry.state));
  return 0;
}

void CTarnView::OnDraw(HDC dc) {
  if (PictureScreenShown()) {
    DrawPicture(dc);
    return;
  }
  if (!g_CatalogShown || m_Catalog.Dc() == nullptr || m_Shown.columns < 1) return;
  // Only the rows the paint asks for: repainting is a copy of a few cells, whatever the catalog's size.
  RECT clip;
  GetClipBox(dc, &clip);
  const int pitch = CurrentCatalogGeometry().RowPitch();
  const int firstRow = std::max(0, static_cast<int>(clip.top) - 4) / pitch;
  const int lastRow = std::max(0, static_cast<int>(clip.bottom)) / pitch;
  const int count = m_Shown.shownEnd - m_Shown.offset;
  const int first = firstRow * m_Shown.columns;
  const int end = std::min(count, (lastRow + 1) * m_Shown.columns);
  for (int k = first; k < end; ++k) DrawCatalogCell(dc, k);
}

}  // namespace tarn
