// The motion GIF the current picture plays: its frames and cycles, the frame shown last, the
// extent its frames have reached, and what the player said about the frame just decoded. The
// picture object owns it; the loader writes it, the display window and the frame's timer read
// and step it.
#pragma once

namespace tarn {

struct MotionGif {
  int frames = 0;     // frames of the animation playing; 0 (or less) when the picture is not one
  int loops = 0;      // cycles still to play; below 1 the next frame load starts a new animation
  int frame = 0;      // frames shown in the current cycle; the next one decoded is this plus 1
  int maxWidth = 0;   // largest extent of the frames shown so far, their offsets included
  int maxHeight = 0;
  int delay = 0;      // the last frame's delay in hundredths of a second, as the player wrote it
  int left = 0;       // the last frame's offset inside the animation
  int top = 0;

  bool Playing() const { return frames > 0; }
  // Ends the animation; the next frame load may start it again.
  void Stop() { frames = 0; }
  // A file that is no GIF: nothing plays, and the next GIF starts a new animation.
  void Forget() {
    frames = 0;
    loops = 0;
  }
  // Frames after the first are drawn over the earlier ones, which they may only partly cover.
  bool DrawsOverEarlierFrames() const { return Playing() && frame > 1; }
  // Nothing playing, or the last frame of a cycle on show.
  bool CycleDone() const { return !Playing() || frame >= frames; }
  // A slide show waits for the cycles still to play.
  bool HoldsSlideShow() const { return Playing() && loops > 0; }

  // Grows the extent by the last frame, `width` x `height` at its offset.
  void TakeFrameExtent(int width, int height);
  // The frame timer's step once a frame has been shown: after the last frame of a cycle the next
  // cycle starts from the first. True while another frame is to be loaded.
  bool StepAfterFrame();
  // Milliseconds until the next frame, by the last frame's delay, the frames and the extent.
  int NextFrameInterval() const;
};

}  // namespace tarn
