#include "FileClass.h"

#include <iterator>

#include "base/TextUtil.h"

namespace tarn {

namespace {

// Movie and music extensions, each cut or padded to three units; "MP2" stands twice as it always
// has.
constexpr std::u16string_view kMediaExtensions[] = {
    u"AVI", u"WAV", u"MPG", u"MPE", u"M1V", u"M2V", u"MPV", u"MP2", u"MP3", u"MPA", u"MP2", u"M1A",
    u"M2A", u"MID", u"RMI", u"MOV", u"AIF", u"WMV", u"WMA", u"ASF", u"AU_", u"OGG", u"RM_", u"RA_"};
static_assert(std::size(kMediaExtensions) == 24);

}  // namespace

int ClassifyFileName(std::u16string_view name) {
  if (name.size() >= 128) return kClassTooLong;
  if (name.size() < 3) return kClassTooShort;
  const std::size_t period = name.rfind(u'.');
  if (period == std::u16string_view::npos) return kClassNoPeriod;
  const std::u16string_view extension = name.substr(period + 1);
  if (extension.size() < 2 || extension.size() > 5) return kClassBadExtension;
  std::u16string normal(extension.substr(0, 3));
  if (normal.size() == 2) normal += u'_';
  for (std::u16string_view media : kMediaExtensions)
    if (EqualsIgnoreCase(normal, media)) return kClassMedia;
  if (EqualsIgnoreCase(extension, u"flv") || EqualsIgnoreCase(extension, u"mp4")) return kClassFlvMp4;
  return kClassStill;
}

int CheckListedName(std::u16string_view name) {
  if (name.size() > static_cast<std::size_t>(kListedNameMax)) return kNameTooLong;
  const std::size_t period = name.rfind(u'.');
  if (period == std::u16string_view::npos || period == 0) return kNameTooShort;
  return kNameListed;
}

bool ExcludedByExtension(std::u16string_view name, int restrict) {
  switch (restrict) {
    case 1: return EndsWithIgnoreCase(name, u".BMP");
    case 2: return EndsWithIgnoreCase(name, u".FLV");
    case 3: return EndsWithIgnoreCase(name, u".MP4");
    default: return false;
  }
}

bool IsThumbSourceFolderName(std::u16string_view name) {
  return StartsWithIgnoreCase(name, u"bmp-") || StartsWithIgnoreCase(name, u"bmp_");
}

bool WithinSizeLimits(long long size, long long minimum, long long maximum) {
  if (minimum > 0 && size < minimum) return false;
  if (maximum > 0 && size > maximum) return false;
  return true;
}

}  // namespace tarn
