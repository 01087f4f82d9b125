#include "FolderPicks.h"

#include "base/TextUtil.h"

namespace tarn {

FolderPicks::Added FolderPicks::Add(std::u16string path) {
  AppendBackslash(path);
  if (path.size() > kPickedPathMax) return kTooLong;
  for (const std::u16string& known : m_Paths)
    if (EqualsIgnoreCase(known, path)) return kAlreadyThere;
  if (Full()) return kFull;
  m_Paths.push_back(std::move(path));
  return kAdded;
}

std::u16string PathTooLongLine(std::u16string_view prefix, std::u16string_view path) {
  return std::u16string(prefix) + u" ﾌｧｲﾙﾊﾟｽ長ｵｰﾊﾞｰ Len= " + DecimalText(static_cast<long long>(path.size())) + u"\n" +
         std::u16string(path);
}

}  // namespace tarn
