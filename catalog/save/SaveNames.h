// The names of a save: the target proposed to the user, the file dialog's filter, the working
// names of the trimming and clipboard images that a save may not take, and the format the chosen
// extension asks for.
#pragma once

#include <string>
#include <string_view>

namespace tarn {

// What the save is for.
enum SaveMode : int { kSaveCommand = 0, kSaveTrimming = 1, kSaveThumbSource = 2, kSaveClipboard = 3 };

enum SaveFormat : int { kSaveJpeg, kSaveBmp, kSaveUnknownFormat };

struct SaveTarget {
  std::u16string filter;      // the file dialog's filter, "|"-separated and ending in "||"
  std::u16string defaultExt;  // ".bmp" or ".jpg"
  std::u16string path;        // folder + base name + suffixes + default extension
};

// The target for `proposed` (a file name, its extension deciding the default) in `folder`:
// mode 0 adds "-r" to a changed picture; mode 2 adds "-" and the percentage, then "r" when
// changed, or only "-r" to a changed picture at 100 %.
SaveTarget MakeSaveTarget(std::u16string_view folder, std::u16string_view proposed, int mode, bool transformed,
                          int zoomPercent);

// The working names in the program's folder `startFolder` (ending in a backslash).
std::u16string TrimmingWorkName(std::u16string_view startFolder);
std::u16string ClipboardWorkName(std::u16string_view startFolder);

enum ReservedName : int { kNotReserved, kTrimmingName, kClipboardName };
// Whether `path` is one of the working names (compared without case).
ReservedName ReservedNameOf(std::u16string_view path, std::u16string_view startFolder);

// By the last four characters of `path`, without case.
SaveFormat SaveFormatOf(std::u16string_view path);

}  // namespace tarn
