// CTarnView: the first checks every image tool of the view makes (wallpapers, trimming, the
// clipboard, thumbnail sources, printing), and the way back from the clipboard picture that the
// save command shares.
#include "TarnView.h"

#include "base/Prompt.h"
#include "base/RunState.h"
#include "catalog/list/CatalogTable.h"

namespace tarn {

bool CTarnView::BackFromClipboardView() {
  if (!ClipboardShown()) return false;
  Say(g_ScreenMode == kScreenClipboardOverCatalog ? u"カタログ画面に戻ります " : u"元の画面に戻ります ",
      u"クリップボード表示中");
  LeaveClipboardView();
  return true;
}

bool CTarnView::CatalogMissing() {
  if (TheCatalog().rows > 0 && (g_CatalogShown || g_PictureShown || ClipboardShown())) return false;
  Say(u"メニューの「読出・書込」でカタログを表示してください", u"ファイルが有りません");
  return true;
}

bool CTarnView::ImageToolGuard() {
  if (IsBusy()) {
    if (statusBar) statusBar(kStatusBusy, kBusyPlaying, {});
    return false;
  }
  return !BackFromClipboardView() && !CatalogMissing();
}

}  // namespace tarn
