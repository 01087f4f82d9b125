// Pictures from the catalog in a display window: opening an entry, stepping to the previous or
// next one, and the slide show that steps on the view's timer.
#include "TarnView.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "catalog/view/PendingStep.h"
#include "image/PictureWnd.h"
#include "plugin_host/SenseState.h"

namespace tarn {
namespace {
constexpr int kSlideShowSteps = 300;
}  // namespace

void CTarnView::OpenEntry(int row) {
  const CatalogTables& tables = TheCatalog();
  if (!MayOpenRow(tables, row, true)) return;
  const CatalogEntry& entry = tables.entries[row];
  const int before = m_Selection.cursor;
  m_Selection.cursor = row;
  if (before != row) CursorMoved(before, true);
  // A picture opened from the catalog starts at its loaded brightness unless the level is kept.
  if (!g_BrightKeep) g_BrightLevel = 0;
  if (openInWindow) openInWindow(EntryPath(tables, entry), g_ContiState > 0 ? kOpenSlideShow : kOpenSingle, row);
}

bool CTarnView::UpDownCatalog(bool up) {
  const int from = m_Selection.cursor;
  const int row = StepCursor(TheCatalog(), m_Selection, m_Shown.offset, m_Shown.shownEnd, up);
  if (row < 0) return false;
  CarrySelection(TheCatalog(), m_Selection, *this, from, row);
  // The catalog follows the display window's steps with its current cell.
  CursorMoved(from, true);
  OpenEntry(row);
  return true;
}

void CTarnView::StepRequest(int param) {
  // A step asked for during a build waits for its end (the pending step).
  if (!CatalogOnScreen() || g_CatalogBuilding) return;
  UpDownCatalog(param == 0 || param == 2);
}

void CTarnView::StartSlideShow() {
  if (!CatalogOnScreen() || g_CatalogBuilding) return;
  g_ContiState = kSlideShowSteps;
  g_SlideShowRun = 1;
  if (!UpDownCatalog(false)) {
    StopSlideShow();
    return;
  }
  SetTimer(Handle(), kTimerSlideShow, static_cast<UINT>(m_SlideInterval) * 100, nullptr);
}

void CTarnView::StopSlideShow() {
  KillTimer(Handle(), kTimerSlideShow);
  g_ContiState = 0;
  g_SlideShowRun = 0;
}

void CTarnView::OnSlideShowTimer() {
  if (g_ContiState <= 0 || !g_SlideShowRun) {
    StopSlideShow();
    return;
  }
  // A motion GIF plays its cycles, and a movie or sound to its end, before the show moves on.
  if (m_Picture != nullptr && m_Picture->Animation().HoldsSlideShow()) return;
  if (g_MovieRun) return;
  --g_ContiState;
  if (g_ContiState <= 0 || !UpDownCatalog(false)) StopSlideShow();
}

void CTarnView::MakePendingStep() {
  if (const int step = TakePendingStep(); step != 0 && CatalogOnScreen()) UpDownCatalog(step == 1);
}

}  // namespace tarn
