#include "catalog/save/ThumbSource.h"

#include "base/TextUtil.h"

namespace tarn {

int g_ThumbQuietFlag = 0;
int g_ThumbOverwriteFlag = 0;
int g_BmpSize = kBmpSizeDefault;

bool ParseBmpSize(std::u16string_view text, int& size) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return false;
  text = text.substr(first, text.find_last_not_of(u' ') + 1 - first);
  // Three digits at most: longer text (leading zeros included) is no size the box offers.
  if (text.size() > 3) return false;
  int value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + (c - u'0');
  }
  if (value != 0 && (value < kBmpSizeLowest || value > kBmpSizeHighest)) return false;
  size = value;
  return true;
}

bool IsThumbSourceFolder(std::u16string_view folder) {
  while (!folder.empty() && folder.back() == u'\\') folder.remove_suffix(1);
  const std::size_t slash = folder.find_last_of(u'\\');
  const std::u16string_view name = slash == std::u16string_view::npos ? folder : folder.substr(slash + 1);
  return StartsWithIgnoreCase(name, u"bmp-") || StartsWithIgnoreCase(name, u"bmp_");
}

}  // namespace tarn
