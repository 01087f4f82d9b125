#include "FirstFrameName.h"

#include "base/TextUtil.h"
#include "catalog/list/FileClass.h"

namespace tarn {

FirstFrameName FirstFrameRename(std::u16string_view name, std::u16string& renamed) {
  const std::size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos) return FirstFrameName::kNoExtension;
  const std::u16string_view stem = name.substr(0, dot);
  const std::u16string_view extension = name.substr(dot);
  constexpr std::u16string_view kFrameTag = u"[0]";
  if (!EqualsIgnoreCase(extension, u".BMP") || !EndsWithIgnoreCase(stem, kFrameTag) || stem.size() == kFrameTag.size())
    return FirstFrameName::kKeep;
  renamed = std::u16string(stem.substr(0, stem.size() - kFrameTag.size())) + std::u16string(extension);
  return FirstFrameName::kRename;
}

std::u16string FirstFrameFolder(const std::u16string& folder, DirectoryEntries& directories) {
  std::u16string first;
  directories.Entries(folder, [&first](std::u16string_view name, bool directory) {
    if (directory && IsThumbSourceFolderName(name) && (first.empty() || name < first)) first = name;
    return true;
  });
  return first.empty() ? first : folder + first + u'\\';
}

}  // namespace tarn
