#include "GifScan.h"

#include <algorithm>

#include "GifFormat.h"

namespace tarn::gif {

bool ScanBlocks(const std::uint8_t* data, std::size_t size, ScanResult* r) {
  *r = ScanResult{};
  Screen screen;
  if (!IsKnownVersion(data, size) || !ReadScreen(data, size, &screen)) return false;
  r->width = screen.width;
  r->height = screen.height;
  r->depth = OutputDepth(screen.tableField());
  Cursor c(data, size, kScreenEnd);
  if (!c.Skip(screen.globalTableBytes())) return true;

  int extensions = 0;
  std::uint8_t b;
  while (c.Byte(&b)) {
    if (b == kExtensionIntroducer) {
      if (++extensions > kMaxExtensionBlocks) {
        r->blockCountOver = true;
        r->applicationExtension = false;
        break;
      }
      std::uint8_t label;
      if (!c.Byte(&label)) break;
      if (label == kApplicationLabel) r->applicationExtension = true;
      if (label == kGraphicControlLabel && c.Left() >= 5 && c.Here()[0] >= 4) {
        const std::uint8_t* g = c.Here() + 1;
        if (g[0] & 1) ++r->transparentFrames;
        const int disposal = (g[0] >> 2) & 7;
        if (disposal == kDisposeToBackground) r->restoreToBackground = true;
        if (disposal == kDisposeToPrevious) r->restoreToPrevious = true;
        const int delay = g[1] | g[2] << 8;
        r->totalDelay += delay == 0 ? 4 : delay;
      }
      SkipSubBlocks(c);
    } else if (b == kImageSeparator) {
      ImageDescriptor d;
      if (!ReadImageDescriptor(c, &d)) break;
      ++r->images;
      if (d.width > r->width) r->width = d.width, r->largerFrame = true;
      if (d.height > r->height) r->height = d.height, r->largerFrame = true;
      if (d.left + d.width > r->width) r->pastRightEdge = true;
      std::uint8_t minCodeSize;
      if (!c.Skip(d.localTableBytes()) || !c.Byte(&minCodeSize)) break;
      SkipSubBlocks(c);
    } else {
      break;  // the trailer, or anything the walk does not know
    }
  }
  return true;
}

bool NeedsCanvas(const ScanResult& s) {
  return !s.pastRightEdge && s.images > 0 && s.applicationExtension &&
         (s.transparentFrames > 0 || s.restoreToBackground || s.restoreToPrevious || s.largerFrame);
}

int FramesToPlay(const ScanResult& s) { return s.applicationExtension ? s.images : 0; }

int StandardCycles(std::int64_t d, int frames) {
  const int few = frames <= 20 ? 2 : 0;
  if (d > 1000) return 2;
  if (d > 500) return 3;
  if (d > 200) return 3 + few;
  if (d > 100) return 5 + few;
  if (d > 80) return 7 + few;
  return 9 + few;
}

}  // namespace tarn::gif
