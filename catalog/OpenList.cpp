#include "OpenList.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "app/Prompt.h"
#include "app/TextUtil.h"
#include "catalog/FileClass.h"

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

void SwapRows(CatalogEntry& a, CatalogEntry& b) {
  std::swap(a.name, b.name);
  std::swap(a.size, b.size);
  std::swap(a.folder, b.folder);
  std::swap(a.slot, b.slot);
}

// Unit by unit as unsigned 16-bit values, so capital letters come before small ones.
int CompareNames(const char16_t* a, const char16_t* b) {
  for (;; ++a, ++b) {
    if (*a != *b) return *a < *b ? -1 : 1;
    if (*a == u'\0') return 0;
  }
}

}  // namespace

void CompactTable(CatalogTables& tables) {
  int kept = 0;
  for (int i = 0; i < tables.rows; ++i) {
    const int state = tables.entries[i].state;
    if (state == kEntryUnusable || state == kEntryUnusableSelected || state == kEntryVacated) continue;
    if (kept != i) tables.entries[kept] = tables.entries[i];
    ++kept;
  }
  const int removed = tables.rows - kept;
  tables.rows = kept;
  tables.offeredRows = std::max(0, tables.offeredRows - removed);
}

int SortTableByName(CatalogTables& tables) {
  CompactTable(tables);
  const int n = tables.rows;
  for (int i = 0; i < n; ++i) tables.entries[i].state = kEntryNormal;
  ProgressWindow& progress = TheProgress();
  progress.SetText(u"ﾌｧｲﾙ 並べ替え中・・・");
  CatalogEntry* rows = tables.entries;
  // A double-ended selection sort: each pass puts the smallest remaining name first and the
  // largest last, so the bar can move once a pass.
  for (int pass = 1; pass <= n / 2; ++pass) {
    const int lo = pass - 1, hi = n - pass;
    progress.SetPos((pass - 1) * 100 / (n / 2));
    if (progress.Cancelled()) return 2;
    if (CompareNames(rows[lo].name, rows[hi].name) > 0) SwapRows(rows[lo], rows[hi]);
    for (int i = lo + 1; i <= hi - 1; ++i) {
      if (CompareNames(rows[i].name, rows[hi].name) > 0)
        SwapRows(rows[i], rows[hi]);
      else if (CompareNames(rows[i].name, rows[lo].name) < 0)
        SwapRows(rows[i], rows[lo]);
    }
  }
  return 0;
}

void ReverseTable(CatalogTables& tables) {
  const int n = tables.rows;
  for (int i = 0; i < n / 2; ++i) {
    CatalogEntry& a = tables.entries[i];
    CatalogEntry& b = tables.entries[n - 1 - i];
    std::swap(a.name, b.name);
    std::swap(a.size, b.size);
    std::swap(a.folder, b.folder);
  }
}

int FillCatalogTable(const std::uint8_t* bytes, std::size_t length, CatalogTables& tables,
                     const TableFilters& filters) {
  tables.rows = 0;
  tables.offeredRows = 0;
  const std::size_t records = length / kOpenListRecordBytes;
  ProgressWindow& progress = TheProgress();
  progress.SetText(u"ﾌｧｲﾙ ﾃｰﾌﾞﾙ 作成中・・・");
  const bool limited = filters.minSize > 0 || filters.maxSize > 0;
  std::size_t offset = 0;
  OpenListEntry entry;
  std::u16string path;
  int result = kFillDone;
  while (true) {
    const std::size_t index = offset / kOpenListRecordBytes;
    if (records > 0) progress.SetPos(static_cast<int>(index * 100 / records));
    if (progress.Cancelled()) {
      result = kFillCancelled;
      break;
    }
    const int read = ReadOpenListEntry(bytes, length, offset, tables.folderRows, entry);
    if (read == kOpenListEnd) break;
    if (read == kOpenListBroken) {
      Say(u"ファイルパス番号を検出できません<-v30> ", u"コロン検出エラー", Buttons::kOk);
      tables.offeredRows = tables.rows;
      return kFillBroken;
    }
    if (ExcludedByExtension(entry.name, filters.extRestrict)) continue;
    long long size = 0;
    if (limited) {
      path = FolderPath(tables.folders[entry.folder]) + entry.name;
      if (!filters.fileSize || !filters.fileSize(path, size)) {
        Say(path + u" が有りません", u"ファイル異常", Buttons::kOk);
        tables.offeredRows = tables.rows;
        return kFillMissing;
      }
      if (!WithinSizeLimits(size, filters.minSize, filters.maxSize)) continue;
    }
    // The list never holds more than the table does; a longer one can only be damaged.
    if (tables.rows >= kCatalogRowsMax) break;
    CatalogEntry& row = tables.entries[tables.rows++];
    row.state = kEntryNormal;
    std::fill(std::begin(row.name), std::end(row.name), u'\0');
    std::copy(entry.name.begin(), entry.name.end(), row.name);
    row.size = static_cast<std::int32_t>(std::min<long long>(size, INT32_MAX));
    row.folder = entry.folder;
    row.slot = -1;
  }
  tables.offeredRows = tables.rows;
  if (result == kFillCancelled) return result;
  if (SortTableByName(tables) != 0) return kFillCancelled;
  if (filters.descending) ReverseTable(tables);
  return kFillDone;
}

}  // namespace tarn
