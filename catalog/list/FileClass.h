// How the catalog judges a file by its name alone: which kind of file it is, whether the name may
// enter the file list, and the user's extension and size filters.
#pragma once

#include <string_view>

namespace tarn {

// Kinds of file name: 0 movie or music, 1 still image, -1 FLV or MP4; 2 name too long, 3 no
// period, 4 extension of a length outside 2 to 5, 5 name shorter than 3 units.
enum FileClass : int {
  kClassFlvMp4 = -1,
  kClassMedia = 0,
  kClassStill = 1,
  kClassTooLong = 2,
  kClassNoPeriod = 3,
  kClassBadExtension = 4,
  kClassTooShort = 5,
};
int ClassifyFileName(std::u16string_view name);

// Whether a name may enter the file list: the name must fit a catalog row with its terminator
// (at most 127 units) and have at least one unit before its last period.
enum ListNameCheck : int { kNameListed = 0, kNameTooLong = 1, kNameTooShort = 2 };
constexpr int kListedNameMax = 127;
int CheckListedName(std::u16string_view name);

// The extension exclusion: 0 none, 1 ".BMP", 2 ".FLV", 3 ".MP4"; the last four units of the name
// are compared without regard to case.
bool ExcludedByExtension(std::u16string_view name, int restrict);

// Whether a folder's own name marks it as a folder of thumbnail-source images: "bmp-" or "bmp_" at
// its start, without regard to case.
bool IsThumbSourceFolderName(std::u16string_view name);

// The size limits (0 = no limit); sizes equal to a limit stay in.
bool WithinSizeLimits(long long size, long long minimum, long long maximum);

}  // namespace tarn
