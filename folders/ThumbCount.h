// "→" of the thumbnail dialog: how many thumbnails a folder's cache file holds, after checking
// that its first record belongs to the current catalog size.
#pragma once

#include <string>

#include "catalog/cache/ThumbnailFiles.h"

namespace tarn {

// `folder` ends in a backslash. The number of records, or -1 after the program's message.
int CountThumbnails(const std::u16string& folder, int catalogSize, ThumbFileSystem& fs);

}  // namespace tarn
