// The FLV/MP4 copy's names: the first-frame images a movie's picture was saved as ("clip[0].BMP")
// take the movie's own name ("clip.BMP"), so that their thumbnails can be matched, and the folder
// they are kept in is a subfolder of the movies' folder named as thumbnail-source folders are.
#pragma once

#include <string>
#include <string_view>

#include "folders/DirectoryEntries.h"

namespace tarn {

enum class FirstFrameName { kKeep, kRename, kNoExtension };

// What becomes of `name`; `renamed` receives the new name for kRename.
FirstFrameName FirstFrameRename(std::u16string_view name, std::u16string& renamed);

// The subfolder of `folder` (ending in a backslash) that holds the first-frame images: the first,
// in name order, whose name begins with "bmp-" or "bmp_"; its path with a backslash, or empty.
std::u16string FirstFrameFolder(const std::u16string& folder, DirectoryEntries& directories);

}  // namespace tarn
