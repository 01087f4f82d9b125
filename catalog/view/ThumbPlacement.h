// Where DrawThumbnail puts a picture: the source rectangle of the decoded image or of the work
// bitmap, the destination rectangle in the catalog bitmap, the monitor window or the work bitmap,
// and the layout code the work bitmap's band gets.
#pragma once

#include "catalog/cache/ThumbnailRecord.h"
#include "image/BoxReduce.h"

namespace tarn {

// DrawThumbnail's modes.
enum ThumbDrawMode : int {
  kDrawToCatalog = 0,      // decoded image into the catalog bitmap at the next cell
  kDrawToMonitor = 1,      // decoded image into the monitor window
  kDrawToWork = 2,         // decoded image into the work bitmap, before caching
  kDrawWorkToCatalog = 3,  // work bitmap into the catalog bitmap at the next cell
  kDrawWorkToMonitor = 4,  // work bitmap into the monitor window
  kDrawBlank = 5,          // a white cell
};

using Rect = PixelRect;

struct ThumbPlacement {
  Rect source;       // in the decoded image (top row first) or the work bitmap
  Rect target;       // in the catalog bitmap, the monitor window or the work bitmap
  int layout = -1;   // the work bitmap's layout code (mode 2 only)
};

// The monitor window's picture box and the title band under it.
constexpr int kMonitorBox = 90;
constexpr int kMonitorBorder = 4;

// A decoded image of `width` x `height` pixels (modes 0, 1 and 2). `cellX`, `cellY` is the cell's
// corner in the catalog bitmap (mode 0). With `clearThumb` a large image gives up its outer tenth
// on every side, where scanned borders and frames are.
ThumbPlacement PlaceDecoded(int mode, int width, int height, int cellX, int cellY, const ThumbGeometry& geometry,
                            bool clearThumb);

// Whether a reduced picture of `width` x `height`, standing for a file picture of `fileWidth` x
// `fileHeight`, makes cells as good as the whole picture would: the same shape, and either the
// whole picture itself or at least `times` the size the catalog cell draws it at.
bool ReducedPictureServesCells(int width, int height, int fileWidth, int fileHeight, const ThumbGeometry& geometry,
                               bool clearThumb, int times);

// Two pictures of the same shape: their sides' ratios differ by 2 % or less.
bool SameShape(int width, int height, int otherWidth, int otherHeight);

// The work bitmap by its layout code (modes 3 and 4).
ThumbPlacement PlaceCached(int mode, int layout, int cellX, int cellY, const ThumbGeometry& geometry);

}  // namespace tarn
