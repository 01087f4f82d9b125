#include "FirstFrameName.h"

#include "base/TextUtil.h"

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

}  // namespace tarn
