#include "SortCommands.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

#include "base/Prompt.h"
#include "base/TextUtil.h"
#include "catalog/list/FileClass.h"
#include "catalog/order/SortKeys.h"
#include "catalog/order/TableOrder.h"

namespace tarn {

namespace {

// A picture's side as a key factor: a top-down bitmap reports a negative height, which must not
// make its area negative and sort it before the movies.
long long Side(long long length) { return std::min<long long>(std::llabs(length), INT32_MAX); }

// The area key of one still picture; Cancel at a picture without a bitmap answers 3.
int FillPictureArea(CatalogEntry& row, const std::u16string& path, PictureSizer& pictures, SortHost& host) {
  long long width = 0, height = 0;
  switch (pictures.Measure(path, width, height)) {
    case kPictureSized:
      row.size = ClampKey(Side(width) * Side(height));
      return kSortDone;
    case kPictureNoBitmap:
      host.LogError(u"Size Error:" + path);
      if (Say(u"lpBIを取得できませんが続けますか？", {}, Buttons::kOkCancel) == kAnswerCancel) return kAreaStopped;
      Say(u"サイズ取得失敗");
      return kSortDone;
    default:  // the loader has told the user already; the old key stays
      return kSortDone;
  }
}

int FillAreas(CatalogTables& tables, PictureSizer& pictures, SortHost& host) {
  return FillUsableRows(tables, u"画像ｻｲｽﾞ 取得中・・・", [&](CatalogEntry& row) {
    const std::u16string_view name = EntryName(row);
    const int kind = ClassifyFileName(name);
    if (kind == kClassMedia || kind == kClassFlvMp4) {
      row.size = 0;
    } else if (kind == kClassStill) {
      return FillPictureArea(row, EntryPath(tables, row), pictures, host);
    } else {
      const std::u16string text =
          u"SequArea1 ﾌｧｲﾙ名称ｴﾗｰ ret= " + DecimalText(kind) + u"  Title= " + std::u16string(name);
      host.LogError(text);
      Say(text);
    }
    return static_cast<int>(kSortDone);
  });
}

}  // namespace

int SortByArea(CatalogTables& tables, PictureSizer& pictures, SortHost& host) {
  if (tables.rows <= 0) {
    Say(u"メニューの「読出・書込」でカタログを表示してください", u"ファイルが有りません", Buttons::kOk);
    return kAreaNoCatalog;
  }
  host.ResetCatalog();
  const int filled = FillAreas(tables, pictures, host);
  if (filled != kSortDone) return filled;
  host.ShowSortOrder(kSortArea);
  return SortFilledTable(tables, kSortArea, host);
}

}  // namespace tarn
