#include "MarkerPicture.h"

#include <cstring>

#include "DibLayout.h"
#include "PluginCodes.h"

namespace tarn {
namespace {

void DrawMarker(const MarkerStyle& style, std::uint8_t* pixels) {
  constexpr int kRowBytes = kMarkerSide * 3;
  constexpr int kGlyphEnd = kMarkerGlyphOrigin + kMarkerGlyphSide;
  for (int y = 0; y < kMarkerSide; ++y) {
    std::uint8_t* p = pixels + y * kRowBytes;
    const bool glyphRow = y >= kMarkerGlyphOrigin && y < kGlyphEnd;
    for (int x = 0; x < kMarkerSide; ++x, p += 3) {
      if (glyphRow && x >= kMarkerGlyphOrigin && x < kGlyphEnd) {
        const int gy = y - kMarkerGlyphOrigin, gx = x - kMarkerGlyphOrigin;
        MarkerColour(style, style.glyph[gy * kMarkerGlyphSide + gx], p);
      } else {
        std::memcpy(p, style.background, 3);
      }
    }
  }
}

}  // namespace

void MarkerColour(const MarkerStyle& style, std::uint8_t index, std::uint8_t bgr[3]) {
  static constexpr std::uint8_t kFixed[4][3] = {{0, 0, 120}, {30, 255, 255}, {0, 140, 0}, {0, 240, 0}};
  const std::uint8_t* c = index >= 3 && index <= 6 ? kFixed[index - 3]
                          : index == 8             ? style.background
                                                   : style.other;
  std::memcpy(bgr, c, 3);
}

int BuildMarkerPicture(PictureMemory& memory, ProgressReport* progress, const MarkerStyle& style) {
  if (ProgressStops(progress, 0, 1)) return kSpiStopped;
  // The plug-ins have always reserved the room of a whole BMP file before building this picture;
  // a machine that cannot spare it gets the answer 4 rather than a half-built picture.
  std::uint8_t* work = memory.AllocateWork(kMarkerWorkBytes);
  if (work == nullptr) return kSpiNoMemory;
  const int allocated = memory.AllocatePicture(kDibHeaderBytes, kMarkerPixelBytes);
  memory.ReleaseWork(work);
  if (allocated != kSpiOk) return allocated;

  DibHeader header;
  header.biWidth = kMarkerSide;
  header.biHeight = kMarkerSide;
  header.biBitCount = 24;
  StoreDibHeader(header, memory.Info());
  DrawMarker(style, memory.Pixels());

  if (ProgressStops(progress, 1, 1)) {
    memory.ReleasePicture();
    return kSpiStopped;
  }
  return kSpiOk;
}

}  // namespace tarn
