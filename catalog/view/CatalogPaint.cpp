// The catalog on paper: thumbnails drawn into the catalog bitmap, the monitor window and the work
// bitmap, and the cells painted from the catalog bitmap onto the screen.
#include <algorithm>

#include "TarnView.h"
#include "base/AppGlobals.h"
#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "catalog/view/ThumbPlacement.h"
#include "catalog/view/TitleRule.h"
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
    if (!m_ThumbSource.Ready()) {
      Say(u"≪lpBI=0≫ Select=" + DecimalText(mode) + u" <-v12>", u"エラー");
      return -1;
    }
    const ThumbPlacement place = PlaceDecoded(mode, m_ThumbSource.Width(), m_ThumbSource.Height(), cellX, cellY,
                                              geometry, g_ClearThumbFlag != 0);
    StretchSetup setup(dc);
    if (!m_ThumbSource.Draw(dc, place.target, place.source)) return -1;
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

SIZE CTarnView::FilePictureSize() const {
  const PluginPicture& loaded = m_Picture->Loaded();
  const PictureInfo& record = loaded.Record();
  const int width = static_cast<int>(std::min<DWORD>(record.width, 0x7FFFFFFF));
  const int height = static_cast<int>(std::min<DWORD>(record.height, 0x7FFFFFFF));
  if (width < loaded.Width() || height < loaded.Rows() || !SameShape(width, height, loaded.Width(), loaded.Rows()))
    return {0, 0};
  return {width, height};
}

bool CTarnView::ReducedPictureServes() const {
  const SIZE file = FilePictureSize();
  const PluginPicture& loaded = m_Picture->Loaded();
  // Twice the cell: the half-tone stretch of it then looks as that of the whole picture.
  return file.cx > 0 && ReducedPictureServesCells(loaded.Width(), loaded.Rows(), file.cx, file.cy,
                                                  CurrentCatalogGeometry().thumb, g_ClearThumbFlag != 0, 2);
}

SIZE CTarnView::TakeThumbSource() {
  const SIZE file = m_EmbeddedFrom.cx > 0 ? m_EmbeddedFrom : FilePictureSize();
  const int width = file.cx > 0 ? file.cx : m_Picture->Loaded().Width();
  const int height = file.cy > 0 ? file.cy : m_Picture->Loaded().Rows();
  const ThumbPlacement cell =
      PlaceDecoded(kDrawToCatalog, width, height, 0, 0, CurrentCatalogGeometry().thumb, g_ClearThumbFlag != 0);
  // Twice the cell, so that the half-tone stretch still has every pixel's share to work from.
  m_ThumbSource.Take(*m_Picture, width, height, cell.source, cell.target.width, cell.target.height, 2);
  return {width, height};
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
  if (ClipboardShown()) {
    DrawClipboard(dc);
    return;
  }
  if (PictureScreenShown()) {
    DrawPicture(dc);
    return;
  }
  if (EmptyScreenShown()) {
    DrawWallpaper(dc);
    DrawEmptyStartLine(dc);
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
  // On the screen only: a printed or captured page shows the catalog without it.
  if (GetFocus() == Handle() && WindowFromDC(dc) == Handle()) DrawFocusFrame(dc);
}

}  // namespace tarn
