#include "PlaybackLayout.h"

#include <algorithm>

namespace tarn::mov {
namespace {

// The largest extent with the aspect of `e` inside `room`.
Extent Largest(Extent e, Extent room) {
  return std::int64_t(e.width) * room.height > std::int64_t(e.height) * room.width
             ? Extent{room.width, static_cast<int>(std::int64_t(e.height) * room.width / e.width)}
             : Extent{static_cast<int>(std::int64_t(e.width) * room.height / e.height), room.height};
}

// `e` scaled down, aspect kept, until it fits `room`.
Extent FitInside(Extent e, Extent room) {
  return e.width <= room.width && e.height <= room.height ? e : Largest(e, room);
}

}  // namespace

Extent PanelExtent(bool from61) { return from61 ? Extent{278, 70} : Extent{243, 57}; }

Extent VideoArea(Extent video, int select, Extent room, int panelWidth) {
  Extent area = video;
  if (video.width > 0 && video.height > 0 && room.width > 0 && room.height > 0) {
    if (select == kDoubleSize) area = FitInside({video.width * 2, video.height * 2}, room);
    else if (select == kFitScreen) area = Largest(video, room);
  }
  area.width = std::max(area.width, panelWidth);
  return area;
}

Origin WindowOrigin(Extent window, Extent screen, bool centre) {
  if (centre) return {std::max(0, (screen.width - window.width) / 2), std::max(0, (screen.height - window.height) / 2)};
  if (window.width + 40 <= screen.width && window.height + 40 <= screen.height) return {20, 20};
  return {0, 0};
}

int PercentDone(std::int64_t current, std::int64_t stop) {
  if (stop <= 0) return 0;
  return static_cast<int>(std::clamp<std::int64_t>(current * 100 / stop, 0, 100));
}

}  // namespace tarn::mov
