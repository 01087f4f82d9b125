#include "SortCommands.h"

#include <string>

#include "base/Prompt.h"
#include "base/Settings.h"
#include "catalog/list/FileClass.h"
#include "catalog/order/SortKeys.h"
#include "catalog/order/TableOrder.h"

namespace tarn {

namespace {

// By mode; the area sort (3) fills its keys with a text of its own.
constexpr std::u16string_view kFillTexts[] = {u"ﾌｧｲﾙ ｻｲｽﾞ 取得中・・・", u"ﾌｧｲﾙ 名称取得中・・・",
                                              u"ﾌｧｲﾙ 種類取得中・・・", u"", u"ﾌｧｲﾙ 日時取得中・・・"};

// Size and date keys. The size limits are applied again because the file may have changed since
// the list was built; a row outside them is vacated for the sort's compaction.
void FillFileKey(CatalogTables& tables, CatalogEntry& row, int mode, FileFactsSource& files) {
  const std::u16string path = EntryPath(tables, row);
  FileFacts facts;
  if (!files.Facts(path, facts)) {
    Say(path + u" が有りません", u"ファイル異常 No.1", Buttons::kOk);
    return;
  }
  row.size = ClampKey(mode == kSortSize ? facts.size : facts.modified);
  row.state = WithinSizeLimits(facts.size, g_MinFileSize, g_MaxFileSize) ? kEntryNormal : kEntryVacated;
}

// A name without a kind number keeps its old key, after telling the user why.
void FillKindKey(CatalogEntry& row) {
  static constexpr std::u16string_view kWhy[] = {u"", u" が長過ぎます", u" の拡張子を検出できません",
                                                 u" の拡張子の長さ不一致"};
  const std::u16string_view name = EntryName(row);
  const KindKey kind = KindNumber(name);
  if (kind.check == kKindNumbered) {
    row.size = kind.number;
    return;
  }
  Say(std::u16string(name) + std::u16string(kWhy[kind.check]), u"ファイル名称エラー", Buttons::kOk);
}

int FillKeys(CatalogTables& tables, int mode, FileFactsSource& files) {
  return FillUsableRows(tables, kFillTexts[mode], [&](CatalogEntry& row) {
    if (mode == kSortSize || mode == kSortDate) FillFileKey(tables, row, mode, files);
    else if (mode == kSortKind) FillKindKey(row);
    return static_cast<int>(kSortDone);
  });
}

}  // namespace

int SortFilledTable(CatalogTables& tables, int mode, SortHost& host) {
  const int sorted = SortTable(tables, mode);
  if (sorted == kSortDone && g_SequenceFlag != 0) ReverseTable(tables);
  // Even a cancelled sort has compacted the table, so the counts the dialogs show have changed.
  host.RefreshCompanions();
  return sorted;
}

int SortBy(CatalogTables& tables, int mode, FileFactsSource& files, SortHost& host) {
  if (mode != kSortSize && mode != kSortName && mode != kSortKind && mode != kSortDate) {
    Say(SwitchMessage(u"CTarnView::SortBy", mode));
    return kSortBadMode;
  }
  if (tables.rows <= 0) return kSortCancelled;
  host.ShowSortOrder(mode);
  const int filled = FillKeys(tables, mode, files);
  if (filled != kSortDone) return filled;
  return SortFilledTable(tables, mode, host);
}

int SortCommand(CatalogTables& tables, int mode, FileFactsSource& files, PictureSizer& pictures, SortHost& host) {
  SortTable(tables, kSortCompact);
  const int sorted = mode == kSortArea ? SortByArea(tables, pictures, host) : SortBy(tables, mode, files, host);
  if (sorted != kSortDone) return sorted;
  return GroupByFolder(tables, mode);
}

}  // namespace tarn
