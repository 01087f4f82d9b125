#include "image/PageLayout.h"

namespace tarn {
namespace {

// part x scaled / whole, in 64 bits: printer pixels times screen pixels pass 2^31.
int Scale(int part, int scaled, int whole) {
  return static_cast<int>(static_cast<long long>(part) * scaled / whole);
}

}  // namespace

PageMetrics A4PageMetrics() { return {4960, 7016, 150, 150, 4660, 6716}; }

PreviewPage PlacePreviewPage(const PageMetrics& page, int width, int height, int margin) {
  const int roomWidth = width - 2 * margin, roomHeight = height - 2 * margin;
  if (page.pageWidth <= 0 || page.pageHeight <= 0 || roomWidth <= 0 || roomHeight <= 0) return {};
  PreviewPage p;
  if (static_cast<long long>(page.pageWidth) * roomHeight > static_cast<long long>(page.pageHeight) * roomWidth) {
    p.width = roomWidth;
    p.height = Scale(page.pageHeight, roomWidth, page.pageWidth);
  } else {
    p.height = roomHeight;
    p.width = Scale(page.pageWidth, roomHeight, page.pageHeight);
  }
  p.x = (width - p.width) / 2;
  p.y = (height - p.height) / 2;
  p.areaX = p.x + Scale(page.offsetX, p.width, page.pageWidth);
  p.areaY = p.y + Scale(page.offsetY, p.height, page.pageHeight);
  p.areaWidth = Scale(page.horzRes, p.width, page.pageWidth);
  p.areaHeight = Scale(page.vertRes, p.height, page.pageHeight);
  return p;
}

}  // namespace tarn
