// The walk over a whole GIF that SensePlugIn makes before playback: how many frames, how long one
// cycle lasts, and whether the frames must be composed on a canvas.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn::gif {

// More extension blocks than this end the walk: the file plays as a still picture.
constexpr int kMaxExtensionBlocks = 1000;

struct ScanResult {
  int images = 0;
  std::int64_t totalDelay = 0;   // hundredths of a second; a delay of 0 counts as 4
  int width = 0, height = 0;     // the screen, grown to the largest frame
  int depth = 0;                 // output bits per pixel
  int transparentFrames = 0;     // graphic control extensions with the transparency flag
  bool largerFrame = false;      // a frame was wider or taller than the screen
  bool pastRightEdge = false;    // a frame's left + width passed the (grown) screen width
  bool restoreToBackground = false;
  bool restoreToPrevious = false;
  bool applicationExtension = false;
  bool blockCountOver = false;   // more than kMaxExtensionBlocks extension blocks
};

// Walks the blocks of a "GIF89a" or "GIF87a" file; false for other data (nothing is walked).
bool ScanBlocks(const std::uint8_t* data, std::size_t size, ScanResult* result);

// Frames are composed on a canvas when none reaches past the screen's right edge, there is an
// image and an application extension, and a frame is transparent, restores to background or to
// what was there before it, or is larger than the screen.
bool NeedsCanvas(const ScanResult& scan);

// The frames the scan reports: the images when the file has an application extension, else 0.
int FramesToPlay(const ScanResult& scan);

// The standard number of cycles for `frames` frames lasting `totalDelay` hundredths in all.
int StandardCycles(std::int64_t totalDelay, int frames);

}  // namespace tarn::gif
