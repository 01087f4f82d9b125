// CMainFrame: the checks every image tool makes before it runs.
#include "MainFrame.h"

#include "base/Prompt.h"
#include "base/RunState.h"
#include "catalog/list/CatalogTable.h"

namespace tarn {

bool CMainFrame::ImageToolRefused() {
  if (BusyGuard() || ClipboardCheck()) return true;
  return CatalogMissing();
}

bool CMainFrame::CatalogMissing() {
  if (TheCatalog().rows > 0 && (g_CatalogShown || g_PictureShown || m_View.ClipboardShown())) return false;
  Say(u"メニューの「読出・書込」でカタログを表示してください", u"ファイルが有りません");
  return true;
}

}  // namespace tarn
