// The arithmetic of the "Tarn Movie" window: how big the video is shown and where the window
// stands. Portable; sizes in pixels.
#pragma once

#include <cstdint>

namespace tarn::mov {

struct Extent {
  int width = 0, height = 0;
};
struct Origin {
  int x = 0, y = 0;
};

enum SizeSelect : int { kActualSize = 0, kDoubleSize = 1, kFitScreen = 2 };

// The control panel: smaller on the systems before 6.1.
Extent PanelExtent(bool from61);

// The video area for a video of `video` shown as `select` inside `room` (the screen less what
// the window needs around the video); never narrower than the panel.
Extent VideoArea(Extent video, int select, Extent room, int panelWidth);

// Where a window of `window` stands on a screen of `screen`: centred (never above or left of the
// screen), or at (20, 20) when it fits with 40 pixels to spare, else at (0, 0).
Origin WindowOrigin(Extent window, Extent screen, bool centre);

// The percentage of the playback done, for the seek slider; 0 without a stop position.
int PercentDone(std::int64_t current, std::int64_t stop);

}  // namespace tarn::mov
