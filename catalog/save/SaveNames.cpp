#include "catalog/save/SaveNames.h"

#include "base/TextUtil.h"

namespace tarn {
namespace {

std::u16string_view BaseOf(std::u16string_view name) {
  const std::size_t dot = name.find_last_of(u'.');
  return dot == std::u16string_view::npos ? name : name.substr(0, dot);
}

std::u16string_view ExtensionOf(std::u16string_view path) {
  return path.size() >= 4 ? path.substr(path.size() - 4) : path;
}

}  // namespace

SaveTarget MakeSaveTarget(std::u16string_view folder, std::u16string_view proposed, int mode, bool transformed,
                          int zoomPercent) {
  SaveTarget target;
  if (EqualsIgnoreCase(ExtensionOf(proposed), u".bmp")) {
    target.filter = u"DIB Files （*.bmp）|*.bmp|JPEG Files （*.jpg）|*.jpg|All Files （*.*）|*.*||";
    target.defaultExt = u".bmp";
  } else {
    target.filter = u"JPEG Files （*.jpg）|*.jpg|BMP Files （*.bmp）|*.bmp|All Files （*.*）|*.*||";
    target.defaultExt = u".jpg";
  }
  std::u16string suffix;
  if (mode == kSaveCommand && transformed) suffix = u"-r";
  if (mode == kSaveThumbSource)
    suffix = zoomPercent != 100 ? u"-" + DecimalText(zoomPercent) + (transformed ? u"r" : u"") : transformed ? u"-r" : u"";
  target.path = std::u16string(folder);
  if (!target.path.empty()) AppendBackslash(target.path);
  target.path += std::u16string(BaseOf(proposed)) + suffix + target.defaultExt;
  return target;
}

std::u16string TrimmingWorkName(std::u16string_view startFolder) { return std::u16string(startFolder) + u"TarnTrim.bmp"; }
std::u16string ClipboardWorkName(std::u16string_view startFolder) {
  return std::u16string(startFolder) + u"ScreenShot.bmp";
}

ReservedName ReservedNameOf(std::u16string_view path, std::u16string_view startFolder) {
  if (EqualsIgnoreCase(path, TrimmingWorkName(startFolder))) return kTrimmingName;
  if (EqualsIgnoreCase(path, ClipboardWorkName(startFolder))) return kClipboardName;
  return kNotReserved;
}

SaveFormat SaveFormatOf(std::u16string_view path) {
  const std::u16string_view ext = ExtensionOf(path);
  if (EqualsIgnoreCase(ext, u".jpg")) return kSaveJpeg;
  if (EqualsIgnoreCase(ext, u".bmp")) return kSaveBmp;
  return kSaveUnknownFormat;
}

}  // namespace tarn
