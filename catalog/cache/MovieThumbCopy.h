// The FLV/MP4 thumbnail copy: a movie's cell in a folder's cache takes the thumbnail of its
// first-frame image ("clip.bmp" for "clip.flv" and "clip.mp4"), read from the cache of the
// folder's thumbnail-source subfolder, in place of the pictogram its plug-in gave it.
#pragma once

#include <string>
#include <optional>

#include "catalog/cache/ThumbnailFiles.h"
#include "catalog/cache/ThumbnailIndex.h"
#include "catalog/cache/ThumbnailRecord.h"

namespace tarn {

// Most records the source subfolder's cache may hold for the copy.
constexpr int kMovieThumbSourceMax = 400;

// Copies over the live records of `index` (the headers of `folder`'s cache, in file order) whose
// files are FLV or MP4 movies, from the records of `sourceFolder`'s cache whose names are the
// movie's name with ".bmp" and whose display pixel size is the same. Each copied record keeps the
// movie's name, file size and size code, so that it still matches the movie. `copied` counts the
// records written. Answers the engine's result when the copy fails, after its message (the copy runs
// from the maintenance dialog only), nothing when it went through.
std::optional<int> CopyMovieThumbnails(const std::u16string& folder, const std::u16string& sourceFolder,
                                       const ThumbGeometry& geometry, const ThumbnailIndex& index,
                                       ThumbFileSystem& fs, int& copied);

}  // namespace tarn
