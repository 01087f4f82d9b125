// "OpenListUni.tmp": the list of accepted files that the folder walk writes and the table builder
// reads back. No header; a run of 256-byte records of UTF-16LE text "name:folder", NUL-terminated
// and padded with zero bytes. A text that does not fit one record (a name of 124 to 127 units
// with its colon, folder number and terminator) runs on into the next record: a record without a
// terminator continues in the following one, so every listed name comes back whole while every
// shorter entry keeps the one-record layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "catalog/list/CatalogTable.h"

namespace tarn {

constexpr std::size_t kOpenListRecordBytes = 256;
constexpr std::size_t kOpenListRecordUnits = kOpenListRecordBytes / 2;
// A text may take at most this many records; more can only come from a damaged file.
constexpr std::size_t kOpenListRecordsPerEntryMax = 2;
constexpr std::u16string_view kOpenListFileName = u"OpenListUni.tmp";

// The bytes of one entry (one or two records). Empty when the name cannot be listed: empty,
// longer than 127 units, holding a NUL or a colon, or a folder number outside 0 to 99.
std::string EncodeOpenListEntry(std::u16string_view name, int folder);

struct OpenListEntry {
  std::u16string name;
  int folder = 0;
};

enum OpenListRead : int {
  kOpenListEntry = 0,  // one entry read; `offset` moved past it
  kOpenListEnd = 1,    // no whole record left
  kOpenListBroken = 2  // no colon, nothing before it, no decimal folder number below
                       // `folderCount`, a name too long for a row, or a text without terminator
};

// Reads the entry that starts at byte `offset` of `bytes`. Bytes past the last whole record are
// not read.
int ReadOpenListEntry(const std::uint8_t* bytes, std::size_t length, std::size_t& offset,
                      int folderCount, OpenListEntry& entry);

// What building the table from the list needs besides the list itself.
struct TableFilters {
  int extRestrict = 0;        // the extension exclusion
  long long minSize = 0;      // 0 no limit
  long long maxSize = 0;      // 0 no limit
  bool descending = false;    // the table is reversed after the name sort
  // The size of folder path + name; false when the file cannot be opened. Asked only while a
  // size limit is set.
  std::function<bool(std::u16string_view path, long long& size)> fileSize;
};

enum TableFill : int { kFillDone = 0, kFillCancelled = 2, kFillBroken = 3, kFillMissing = -1 };

// Fills the catalog table from the list's bytes: rows in list order, filtered, then sorted by name
// (and reversed when descending). The folder table must already hold the list's folders. Shows the
// program's messages for a broken record and a missing file and shows the progress window while it
// reads and while it sorts. Cancel keeps the rows read so far.
int FillCatalogTable(const std::uint8_t* bytes, std::size_t length, CatalogTables& tables,
                     const TableFilters& filters);

}  // namespace tarn
