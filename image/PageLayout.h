// A printer's page in its own pixels and where the print preview draws it: the sheet scaled into
// the preview's area, and the printable area on it in the same proportion.
#pragma once

namespace tarn {

// The whole sheet, where the printable area starts on it, and the printable area's size
// (HORZRES x VERTRES), all in device pixels.
struct PageMetrics {
  int pageWidth = 0;
  int pageHeight = 0;
  int offsetX = 0;
  int offsetY = 0;
  int horzRes = 0;
  int vertRes = 0;
};

// An A4 sheet at 600 dots per inch with quarter-inch margins: what the preview shows when the
// system has no printer to ask.
PageMetrics A4PageMetrics();

struct PreviewPage {
  int x = 0, y = 0, width = 0, height = 0;               // the sheet
  int areaX = 0, areaY = 0, areaWidth = 0, areaHeight = 0;  // its printable area
};

// The sheet as large as fits in `width` x `height` less `margin` on every side, centred, with its
// printable area; all zero when the page or the room is empty.
PreviewPage PlacePreviewPage(const PageMetrics& page, int width, int height, int margin);

}  // namespace tarn
