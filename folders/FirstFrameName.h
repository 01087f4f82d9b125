// The FLV/MP4 copy's first step: the first-frame images a movie's picture was saved as
// ("clip[0].BMP") take the movie's own name ("clip.BMP"), so that their thumbnails can be matched.
#pragma once

#include <string>
#include <string_view>

namespace tarn {

enum class FirstFrameName { kKeep, kRename, kNoExtension };

// What becomes of `name`; `renamed` receives the new name for kRename.
FirstFrameName FirstFrameRename(std::u16string_view name, std::u16string& renamed);

}  // namespace tarn
