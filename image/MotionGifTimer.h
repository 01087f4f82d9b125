// The interval of the main frame's motion-GIF frame timer.
#pragma once

namespace tarn {

// Milliseconds until the next frame, from the frame's delay (hundredths of a second), the number
// of frames and the animation's area in pixels. Large animations cannot be drawn at their own
// pace, so their delays are stretched less; a missing delay gets a pace by size, and very long
// delays are held to ten seconds.
int MotionGifFrameInterval(int delay, int frames, long long area);

}  // namespace tarn
