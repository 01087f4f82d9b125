#include "catalog/fileops/FileOpRules.h"

#include "base/Prompt.h"
#include "base/TextUtil.h"

namespace tarn {

std::u16string_view OperationName(int operation, bool dustBox) {
  switch (operation) {
    case kOpCopy:
      return u"コピー";
    case kOpMove:
      return u"移動";
    case kOpDelete:
      return dustBox ? u"ゴミ箱に移" : u"削除";
    case kOpDeletionList:
      return u"完全削除";
    default:
      return {};
  }
}

std::u16string DeletionProgramPrefix(std::u16string_view program) {
  std::u16string line;
  if (HasBlank(program)) {
    line = u"\"" + std::u16string(program) + u"\" ";
  } else {
    line = std::u16string(program) + u" ";
  }
  const std::size_t slash = program.find_last_of(u"\\/");
  const std::u16string_view file = slash == std::u16string_view::npos ? program : program.substr(slash + 1);
  // That program takes its list only after a marker naming the caller.
  if (EqualsIgnoreCase(file, u"Shredit.exe")) line += u"<Tarn> ";
  return line;
}

bool AppendDeletionPath(std::u16string& line, std::u16string_view folder, std::u16string_view name) {
  if (line.size() + folder.size() + name.size() + 5 > kDeletionLineMax) return false;
  const bool quote = HasBlank(folder) || HasBlank(name);
  if (quote) line += u'"';
  line.append(folder);
  line.append(name);
  if (quote) line += u'"';
  line += u' ';
  return true;
}

DeletionList BuildDeletionList(const CatalogTables& tables, const std::vector<WorkRow>& rows,
                               std::u16string_view prefix) {
  DeletionList list;
  list.line = prefix;
  for (const WorkRow& work : rows) {
    const std::u16string folder = FolderPathOf(tables, work.folder);
    if (!AppendDeletionPath(list.line, folder, EntryName(tables.entries[work.row]))) {
      list.cut = true;
      break;
    }
    list.listed.push_back(work);
  }
  return list;
}

bool CheckNewName(std::u16string_view name) {
  if (name.size() >= 128) {
    Say(u"ファイル名称が長すぎます\n\n" + std::u16string(name) + u" ≫", u"　入力エラー");
    return false;
  }
  const std::size_t period = name.rfind(u'.');
  if (period == std::u16string_view::npos || period == 0) {
    Say(u"ファイル名称が「短すぎる」か「ピリオド」がありません\n\n ≪ " + std::u16string(name) + u" ≫", u"　入力エラー");
    return false;
  }
  const std::size_t extension = name.size() - period - 1;
  if (extension < 2 || extension > 5) {
    Say(u"拡張子が「短すぎ」か「長すぎ」です\n\n ≪ " + std::u16string(name) + u" ≫", u"　入力エラー ≪ 拡張子 ： 2～5文字 ≫");
    return false;
  }
  return true;
}

}  // namespace tarn
