// CTarnView: the save command and the JPEG quality command. The frame has already refused them
// while busy and closed what stands in the way (display windows, the clipboard view).
#include "TarnView.h"

#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/list/FileClass.h"
#include "catalog/save/ImageSaver.h"
#include "catalog/save/JpegQualityDialog.h"
#include "image/PictureWnd.h"

namespace tarn {

void CTarnView::SaveCommand() {
  const CatalogTables& tables = TheCatalog();
  const int row = m_Selection.cursor;
  if (m_Saver == nullptr || (!g_CatalogShown && !g_PictureShown) || row < 0 || row >= tables.rows) {
    Say(u"メニューの「読出・書込」でカタログを表示してください", u"ファイルが有りません");
    return;
  }
  const CatalogEntry& entry = tables.entries[row];
  const std::u16string_view name = EntryName(entry);
  if (ClassifyFileName(name) != kClassStill) {
    Say(u"動画・音楽ファイル以外を選択してください ", u"画像選択不可");
    return;
  }
  const std::u16string path = EntryPath(tables, entry);
  // On the catalog screen the picture object holds whatever the build decoded last.
  if (g_CatalogShown && m_Picture->FileLoad(kSelectStill, AsWide(path)) != 0) return;

  const std::u16string base(name.substr(0, name.find_last_of(u'.')));
  const std::u16string extension = AskSaveExtension();
  if (!extension.empty()) m_Saver->SaveImage(FolderOf(path), base + extension, kSaveCommand, false);
}

std::u16string CTarnView::AskSaveExtension() {
  switch (Say(u"JPEG 形式に変換しますか？　≪ｷｬﾝｾﾙ≫で終了", u"画像の保存", Buttons::kYesNoCancel)) {
    case kAnswerYes: return u".jpg";
    case kAnswerNo:
      if (Say(u"BMP 形式の画像を保存しますか？ ", u"画像の保存", Buttons::kOkCancel) != kAnswerOk) return {};
      return u".bmp";
    default: return {};
  }
}

void CTarnView::JpegQualityCommand() {
  CJpegQualityDialog dialog;
  dialog.DoModal(GetAncestor(Handle(), GA_ROOT));
}

}  // namespace tarn
