// CTarnView: the thumbnail-source size change (request 49) - the zoom screen's BMP picture, or
// every selected picture of a thumbnail-source folder, written again as a BMP file whose longer
// side is the BMP size of "ｻﾑﾈｲﾙ作成用設定".
#include "TarnView.h"

#include <vector>

#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/list/FileClass.h"
#include "catalog/list/FileOpenList.h"
#include "catalog/save/ThumbSource.h"
#include "catalog/screens/ZoomDialog.h"
#include "catalog/screens/ZoomRules.h"
#include "image/PictureWnd.h"

namespace tarn {
namespace {

// The zoom percentage a batch entry is written at, for the length of one save.
class ZoomPercentScope {
 public:
  explicit ZoomPercentScope(int percent) : previous_(g_ZoomPercent) { g_ZoomPercent = percent; }
  ~ZoomPercentScope() { g_ZoomPercent = previous_; }
  ZoomPercentScope(const ZoomPercentScope&) = delete;
  ZoomPercentScope& operator=(const ZoomPercentScope&) = delete;

 private:
  int previous_;
};

std::u16string BmpName(std::u16string_view name) {
  return std::u16string(name.substr(0, name.find_last_of(u'.'))) + u".bmp";
}

}  // namespace

void CTarnView::ThumbSourceRequest(int param) {
  if (param == 1)
    ThumbSourceChange();
  else
    ThumbSourceBatch();
}

void CTarnView::ThumbSourceChange() {
  if (!PictureScreenShown() || g_ZoomScreenFlag == 0 || m_ZoomDialog == nullptr || m_Saver == nullptr) return;
  if (!EndsWithIgnoreCase(m_PicturePath, u".bmp")) {
    Say(u"BMPファイルを選択してください");
    m_ZoomDialog->Dismiss();
    ZoomRequest(2);
    return;
  }
  if (g_BmpSize > 0) {
    m_ZoomDialog->SetPixelCount(g_BmpSize);
    ZoomRequest(1);
    // A picture that would pass 300 % has been refused and set back to 100 % by the zoom dialog.
    if (ZoomByPixels(m_Picture->Loaded().Width(), m_Picture->Loaded().Rows(), g_BmpSize).percent > kZoomHighest) return;
  }
  const std::u16string name(m_PicturePath.substr(FolderOf(m_PicturePath).size()));
  m_Saver->SaveImage(FolderOf(m_PicturePath), BmpName(name), kSaveThumbSource, kSaveSingle);
}

void CTarnView::ThumbSourceBatch() {
  if (!CatalogOnScreen()) {
    Say(u"カタログ画面でサムネイル用画像の保存フォルダを開いてください");
    return;
  }
  if (!IsThumbSourceFolder(g_CurrentFolder)) {
    Say(u"サムネイル用画像の保存フォルダを開いてください");
    return;
  }
  const CatalogTables& tables = TheCatalog();
  std::vector<int> rows;
  for (int row = m_Shown.offset; row < std::min(m_Shown.shownEnd, tables.rows); ++row)
    if (IsSelected(tables.entries[row].state)) rows.push_back(row);
  if (rows.size() > static_cast<std::size_t>(kThumbBatchLimit)) {
    Say(u"サイズ変更する画像数が多すぎます", u"最大変更画像数=" + DecimalText(kThumbBatchLimit));
    return;
  }
  if (rows.empty()) {
    Say(u"サイズ変更するサムネイルを選択してください");
    return;
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const CatalogEntry& entry = tables.entries[rows[i]];
    if (i > 0 && Say(u"次の画像のサイズを変更しますか？ ≪ｷｬﾝｾﾙ≫で終了", std::u16string(EntryName(entry)),
                     Buttons::kOkCancel) != kAnswerOk)
      break;
    if (!ThumbSourceEntry(rows[i])) break;
  }
  // The changed files are catalogued again once the last message has gone.
  SetTimer(Handle(), kTimerCatalogRefresh, 100, nullptr);
}

bool CTarnView::ThumbSourceEntry(int row) {
  const CatalogTables& tables = TheCatalog();
  const CatalogEntry& entry = tables.entries[row];
  const std::u16string_view name = EntryName(entry);
  if (ClassifyFileName(name) != kClassStill) return true;
  const std::u16string path = EntryPath(tables, entry);
  if (m_Picture->FileLoad(kSelectStill, AsWide(path)) != 0) return true;
  const int percent = g_BmpSize > 0
                          ? ZoomByPixels(m_Picture->Loaded().Width(), m_Picture->Loaded().Rows(), g_BmpSize).percent
                          : g_ZoomPercent;
  if (percent == 100) {
    if (!g_ThumbQuietFlag) Say(u"画像サイズは変更不用です", u"ｻﾑﾈｲﾙ作成用画像変更");
    return true;
  }
  if (percent > kZoomHighest) {
    Say(u"指定サイズが大きすぎます ", u"伸縮率= " + DecimalText(percent) + u" ％    [最大値=300％]");
    return true;
  }
  int batch = kSaveBatchOverwrite;
  if (!g_ThumbOverwriteFlag) {
    switch (Say(u"名称を上書きしますか？  はい　≪いいえ≫変更  ≪キャンセル≫", u"サムネイル作成用の画像サイズ変更",
                Buttons::kYesNoCancel)) {
      case kAnswerYes: break;
      case kAnswerNo: batch = kSaveBatchRename; break;
      default: return false;
    }
  }
  const ZoomPercentScope zoom(percent);
  m_Saver->SaveImage(FolderOf(path), BmpName(name), kSaveThumbSource, batch);
  return true;
}

}  // namespace tarn
