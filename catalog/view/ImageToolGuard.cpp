// CTarnView: the first checks every image tool of the view makes (wallpapers, trimming, the
// clipboard, thumbnail sources, printing), and the way back from the clipboard picture that the
// save command shares.
#include "TarnView.h"

#include "base/Prompt.h"
#include "base/RunState.h"
#include "catalog/list/CatalogTable.h"

namespace tarn {

bool CTarnView::LeaveClipboardView() {
  if (g_ScreenMode != 4 && g_ScreenMode != 5) return false;
  Say(g_ScreenMode == 4 ? u"カタログ画面に戻ります " : u"元の画面に戻ります ", u"クリップボード表示中");
  g_ScreenMode = g_ScreenMode == 4 ? 0 : 1;
  InvalidateRect(Handle(), nullptr, TRUE);
  return true;
}

bool CTarnView::ImageToolGuard() {
  if (IsBusy()) {
    if (statusBar) statusBar(kStatusBusy, kBusyPlaying, {});
    return false;
  }
  if (LeaveClipboardView()) return false;
  if (TheCatalog().rows <= 0) {
    Say(u"メニューの「読出・書込」でカタログを表示してください", u"ファイルが有りません");
    return false;
  }
  return true;
}

}  // namespace tarn
