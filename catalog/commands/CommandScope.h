// What the catalog's commands over many entries share: the rows they work on, the caption that
// names that scope, and the refusal of an empty catalog.
#pragma once

#include <string>
#include <string_view>

#include "catalog/list/CatalogTable.h"

namespace tarn {

// The rows a command works on: selected rows in selected-only mode, else normal and selected ones.
constexpr bool InCommandScope(std::int32_t state, bool selectedOnly) {
  return selectedOnly ? state == kEntrySelected : state == kEntryNormal || state == kEntrySelected;
}

// The end of the shown range [offset, shownEnd) as far as the table reaches.
int ShownRowsEnd(const CatalogTables& tables, int shownEnd);

// `title` + "　【 選択ファイルのみ 】" or "　【 全ファイル対象 】".
std::u16string ScopeCaption(std::u16string_view title, bool selectedOnly);

// The end every question of these commands carries.
inline constexpr std::u16string_view kCancelEnds = u" ≪ｷｬﾝｾﾙ≫で終了";

// An empty catalog table is told "メニューの「読出・書込」でカタログを表示してください"; true then.
bool RefuseEmptyCatalog(const CatalogTables& tables);

}  // namespace tarn
