// What the loader writes into the sense cells before a plug-in call and takes from them after it.
// The calls themselves go through the plug-in registry; they come in here as a SenseCall.
#pragma once

#include <functional>
#include <string_view>

#include "common/PluginCodes.h"
#include "image/MotionGif.h"

namespace tarn {

// Asks the plug-in about the file with the cells from `cells` on; 0 when it answered.
using SenseCall = std::function<int(SenseCell* cells)>;

// The commands the GIF player understands.
enum GifCommand : SenseCell {
  kGifStart = -1,      // a new animation: answer the frames and the cycles
  kGifNextCycle = -2,  // the frame walk starts again
  kGifReset = -3,      // a still picture: the first frame
};

// Prepares a still load (`frameLoad` false) or a frame load of a GIF the player serves: sends it
// the command that fits `gif` through `sense`, takes its answers into `gif`, and answers the cells
// to hand the decoder (the frame number to decode), or null for a still picture, which the player
// decodes as its first frame. `cells` are the host's sense cells.
SenseCell* PrepareGifSense(bool frameLoad, MotionGif& gif, SenseCell* cells, const SenseCall& sense);

// After a frame load: the delay and the offset the player wrote while decoding the frame. An
// offset is kept to what a GIF's 16-bit fields can say.
void TakeFrameAnswers(MotionGif& gif, const SenseCell* cells);

inline constexpr char16_t kFlvPlayer[] = u"TarnFlv.spi";
inline constexpr char16_t kMp4Player[] = u"TarnMp4.spi";

// The movie plug-in that plays an FLV or MP4 file (kFlvPlayer or kMp4Player), chosen by the name's
// last four characters; null for any other name.
const char16_t* FlvMp4PlayerFor(std::u16string_view path);

}  // namespace tarn
