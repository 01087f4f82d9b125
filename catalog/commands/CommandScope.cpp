#include "CommandScope.h"

#include <algorithm>

#include "base/Prompt.h"

namespace tarn {

int ShownRowsEnd(const CatalogTables& tables, int shownEnd) {
  return std::clamp(std::min(shownEnd, tables.rows), 0, kCatalogRowsMax);
}

std::u16string ScopeCaption(std::u16string_view title, bool selectedOnly) {
  return std::u16string(title) + (selectedOnly ? u"　【 選択ファイルのみ 】" : u"　【 全ファイル対象 】");
}

bool RefuseEmptyCatalog(const CatalogTables& tables) {
  if (tables.rows > 0) return false;
  Say(u"メニューの「読出・書込」でカタログを表示してください", u"ファイルが有りません");
  return true;
}

}  // namespace tarn
