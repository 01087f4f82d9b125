// The open-list reader and the table builder on any bytes: they must stay inside the list and the
// tables, and every row they make must hold a listed name of a folder that exists.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "base/Prompt.h"
#include "catalog/list/CatalogTable.h"
#include "catalog/list/FileClass.h"
#include "catalog/list/OpenList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto tables = std::make_unique<tarn::CatalogTables>();
  // The first byte chooses how many folders the table holds and which filters are on.
  const int folders = size > 0 ? data[0] % 101 : 0;
  const int restrict = size > 0 ? (data[0] >> 5) % 4 : 0;
  tables->folderRows = folders;
  for (int i = 0; i < folders; ++i) tables->folders[i].path[0] = u'\\';
  tarn::TableFilters filters;
  filters.extRestrict = restrict;
  if (size > 1 && data[1] & 1) {
    filters.minSize = 10;
    filters.fileSize = [](std::u16string_view path, long long& bytes) {
      bytes = static_cast<long long>(path.size());
      return path.size() % 7 != 0;
    };
  }
  filters.descending = size > 1 && (data[1] & 2) != 0;
  const std::uint8_t* list = size > 2 ? data + 2 : data;
  const std::size_t length = size > 2 ? size - 2 : 0;
  tarn::FillCatalogTable(list, length, *tables, filters);
  if (tables->rows < 0 || tables->rows > tarn::kCatalogRowsMax) std::abort();
  for (int i = 0; i < tables->rows; ++i) {
    const tarn::CatalogEntry& row = tables->entries[i];
    if (row.folder < 0 || row.folder >= folders) std::abort();
    if (row.name[0] == u'\0' || row.name[tarn::kListedNameMax] != u'\0') std::abort();
  }
  // Whatever an entry gave back must encode and read back to itself.
  std::size_t offset = 0;
  tarn::OpenListEntry entry;
  while (tarn::ReadOpenListEntry(list, length, offset, folders, entry) == tarn::kOpenListEntry) {
    const std::string again = tarn::EncodeOpenListEntry(entry.name, entry.folder);
    if (again.empty()) std::abort();
    std::size_t at = 0;
    tarn::OpenListEntry back;
    if (tarn::ReadOpenListEntry(reinterpret_cast<const std::uint8_t*>(again.data()), again.size(), at,
                                folders, back) != tarn::kOpenListEntry ||
        back.name != entry.name || back.folder != entry.folder)
      std::abort();
  }
  return 0;
}
