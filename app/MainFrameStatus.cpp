// CMainFrame: the status bar, the busy guard and the clipboard check.
#include "MainFrame.h"

#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/StatusText.h"
#include "base/WinText.h"

namespace tarn {

void CMainFrame::StatusBarSet(StatusSwitch sw, int value, const std::u16string& text) {
  StatusContext context;
  context.adjustSize = g_AdjustSizeFlag;
  context.zoomPercent = g_ZoomPercent;
  context.fileName = text;
  context.text = text;
  const std::optional<std::u16string> shown = StatusBarText(sw, value, context);
  if (!shown) {
    Say(SwitchMessage(u"CMainFrame::StatusBarSet", sw));
    return;
  }
  SetStatusText(0, std::wstring(AsWide(*shown)));
  if (sw == kStatusCatalog) KillTimer(Handle(), kTimerBusyNotice);
  if (sw == kStatusBusy) {
    m_CurrentBusyNotice = value;
    SetTimer(Handle(), kTimerBusyNotice, static_cast<UINT>(BusyNoticeMilliseconds(value)), nullptr);
  }
}

void CMainFrame::ShowFileFacts(const std::array<std::u16string, 4>& panes) {
  for (std::size_t i = 0; i < panes.size(); ++i) SetStatusText(static_cast<int>(i) + 1, std::wstring(AsWide(panes[i])));
}

bool CMainFrame::BusyGuard() {
  if (!IsBusy()) return false;
  StatusBarSet(kStatusBusy, kBusyPlaying);
  return true;
}

bool CMainFrame::ClipboardCheck() { return m_View.BackFromClipboardView(); }

void CMainFrame::OnTimer(UINT_PTR id) {
  if (id == kTimerGifFrame || id == kTimerGifContinuous) {
    OnGifFrameTimer(id);
    return;
  }
  if (id == kTimerThumbnail) {
    KillTimer(Handle(), kTimerThumbnail);
    OpenThumbDialog();
    m_ThumbDialog.ContinueMovieCopy();
    return;
  }
  if (id != kTimerBusyNotice) return;
  // The busy notice has been read: the pane shows the current screen again.
  KillTimer(Handle(), kTimerBusyNotice);
  m_CurrentBusyNotice = -1;
  const bool expanded = g_ScreenMode >= 1 && g_ScreenMode <= 3;
  StatusBarSet(expanded ? kStatusExpanded : g_ScreenMode == 0 && g_CatalogShown ? kStatusCatalog : kStatusBlank, 0);
}

}  // namespace tarn
