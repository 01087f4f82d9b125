#include "OpenList.h"

#include <algorithm>
#include <climits>
#include <iterator>

#include "base/Prompt.h"
#include "base/TextUtil.h"
#include "catalog/list/FileClass.h"
#include "catalog/order/TableOrder.h"

namespace tarn {

std::string EncodeOpenListEntry(std::u16string_view name, int folder) {
  if (name.empty() || name.size() > static_cast<std::size_t>(kListedNameMax)) return {};
  if (name.find(u'\0') != std::u16string_view::npos || name.find(u':') != std::u16string_view::npos)
    return {};
  if (folder < 0 || folder >= kFolderRowsMax) return {};
  std::u16string text(name);
  text += u':';
  text += DecimalText(folder);
  text += u'\0';
  const std::size_t records = (text.size() + kOpenListRecordUnits - 1) / kOpenListRecordUnits;
  std::string bytes(records * kOpenListRecordBytes, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return bytes;
}

int ReadOpenListEntry(const std::uint8_t* bytes, std::size_t length, std::size_t& offset,
                      int folderCount, OpenListEntry& entry) {
  const std::size_t whole = length - length % kOpenListRecordBytes;
  if (offset >= whole) return kOpenListEnd;
  std::u16string text;
  std::size_t at = offset;
  bool terminated = false;
  for (std::size_t record = 0; record < kOpenListRecordsPerEntryMax && at < whole && !terminated; ++record) {
    for (std::size_t i = 0; i < kOpenListRecordUnits; ++i, at += 2) {
      const char16_t unit = static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8));
      if (unit == u'\0') {
        terminated = true;
        break;
      }
      text += unit;
    }
  }
  // The entry takes every record it touched, padding included.
  const std::size_t used = text.size() + (terminated ? 1 : 0);
  offset += ((used + kOpenListRecordUnits - 1) / kOpenListRecordUnits) * kOpenListRecordBytes;
  if (!terminated) return kOpenListBroken;
  const std::size_t colon = text.find(u':');
  if (colon == std::u16string::npos || colon == 0) return kOpenListBroken;
  if (colon > static_cast<std::size_t>(kListedNameMax)) return kOpenListBroken;
  const std::u16string_view number = std::u16string_view(text).substr(colon + 1);
  if (number.empty() || number.size() > 3) return kOpenListBroken;
  int folder = 0;
  for (char16_t c : number) {
    if (c < u'0' || c > u'9') return kOpenListBroken;
    folder = folder * 10 + (c - u'0');
  }
  if (folder >= folderCount) return kOpenListBroken;
  entry.name = text.substr(0, colon);
  entry.folder = folder;
  return kOpenListEntry;
}

namespace {

// Appends the list's rows to the table, in list order, with the program's messages for a broken
// record and a missing file. Cancel keeps the rows read so far.
int ReadRows(const std::uint8_t* bytes, std::size_t length, CatalogTables& tables, const TableFilters& filters) {
  const std::size_t records = length / kOpenListRecordBytes;
  ProgressScope scope(u"ﾌｧｲﾙ ﾃｰﾌﾞﾙ 作成中・・・");
  ProgressWindow& progress = TheProgress();
  const bool limited = filters.minSize > 0 || filters.maxSize > 0;
  std::size_t offset = 0;
  OpenListEntry entry;
  while (true) {
    const std::size_t index = offset / kOpenListRecordBytes;
    if (records > 0) progress.SetPos(static_cast<int>(index * 100 / records));
    if (progress.Cancelled()) return kFillCancelled;
    const int read = ReadOpenListEntry(bytes, length, offset, tables.folderRows, entry);
    if (read == kOpenListEnd) return kFillDone;
    if (read == kOpenListBroken) {
      Say(u"ファイルパス番号を検出できません<-v30> ", u"コロン検出エラー", Buttons::kOk);
      return kFillBroken;
    }
    if (ExcludedByExtension(entry.name, filters.extRestrict)) continue;
    long long size = 0;
    if (limited) {
      const std::u16string path = FolderPathOf(tables, entry.folder) + entry.name;
      if (!filters.fileSize || !filters.fileSize(path, size)) {
        Say(path + u" が有りません", u"ファイル異常", Buttons::kOk);
        return kFillMissing;
      }
      if (!WithinSizeLimits(size, filters.minSize, filters.maxSize)) continue;
    }
    // The list never holds more than the table does; a longer one can only be damaged.
    if (tables.rows >= kCatalogRowsMax) return kFillDone;
    CatalogEntry& row = tables.entries[tables.rows++];
    row.state = kEntryNormal;
    std::fill(std::begin(row.name), std::end(row.name), u'\0');
    std::copy(entry.name.begin(), entry.name.end(), row.name);
    row.size = static_cast<std::int32_t>(std::min<long long>(size, INT32_MAX));
    row.folder = entry.folder;
    row.slot = -1;
  }
}

}  // namespace

int FillCatalogTable(const std::uint8_t* bytes, std::size_t length, CatalogTables& tables,
                     const TableFilters& filters) {
  tables.rows = 0;
  tables.offeredRows = 0;
  const int read = ReadRows(bytes, length, tables, filters);
  tables.offeredRows = tables.rows;
  if (read != kFillDone) return read;
  if (SortTable(tables, kSortName) != kSortDone) return kFillCancelled;
  if (filters.descending) ReverseTable(tables);
  return kFillDone;
}

}  // namespace tarn
