#include "SenseExchange.h"

#include <algorithm>

#include "base/TextUtil.h"
#include "plugin_host/SenseState.h"

namespace tarn {

SenseCell* PrepareGifSense(bool frameLoad, MotionGif& gif, SenseCell* cells, const SenseCall& sense) {
  cells[kCellGifLeft] = 0;
  cells[kCellGifTop] = 0;
  SenseCell command = kGifNextCycle;
  bool send = true;
  if (!frameLoad) {
    command = kGifReset;
    gif.Forget();
  } else if (gif.loops < 1) {
    command = kGifStart;
    gif.frames = 0;
    gif.frame = 0;
  } else {
    // Within a cycle the player walks on by itself; only a new cycle is announced.
    send = gif.frame == 0;
  }
  cells[kCellGifCommand] = command;
  if (send) {
    if (sense(&cells[kCellGifCommand]) != 0) {
      gif.frames = 0;
      cells[kCellGifCommand] = 0;
    } else if (command != kGifNextCycle) {
      // Fewer than none means none: the count only ever decides whether a cycle follows.
      gif.loops = std::max<SenseCell>(cells[kCellGifCycles], 0);
    }
  }
  if (!frameLoad) {
    cells[kCellGifCommand] = 0;
    return nullptr;
  }
  if (gif.frames == 0) {
    gif.frames = cells[kCellGifCommand];
    gif.maxWidth = 0;
    gif.maxHeight = 0;
  }
  if (gif.Playing()) ++gif.frame;
  cells[kCellGifCommand] = gif.frame;
  return &cells[kCellGifCommand];
}

void TakeFrameAnswers(MotionGif& gif, const SenseCell* cells) {
  gif.delay = cells[kCellGifDelay];
  gif.left = std::clamp<SenseCell>(cells[kCellGifLeft], 0, 0xFFFF);
  gif.top = std::clamp<SenseCell>(cells[kCellGifTop], 0, 0xFFFF);
}

const char16_t* FlvMp4PlayerFor(std::u16string_view path) {
  if (EndsWithIgnoreCase(path, u".flv")) return kFlvPlayer;
  if (EndsWithIgnoreCase(path, u".mp4")) return kMp4Player;
  return nullptr;
}

}  // namespace tarn
