#include "catalog/view/TrimFrame.h"

#include <algorithm>

namespace tarn {
namespace {

// `offset` reduced so that [from + offset, to + offset) stays inside [low, high).
int StopAt(int from, int to, int offset, int low, int high) {
  if (to - from > high - low) return 0;
  if (from + offset < low) return low - from;
  if (to + offset > high) return high - to;
  return offset;
}

}  // namespace

TrimPoint ClipToBox(TrimPoint point, const TrimBox& bounds) {
  if (bounds.right < bounds.left || bounds.bottom < bounds.top) return point;
  return {std::clamp(point.x, bounds.left, bounds.right), std::clamp(point.y, bounds.top, bounds.bottom)};
}

TrimBox FrameOf(TrimPoint a, TrimPoint b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool TrimKept(const TrimBox& frame) { return frame.Width() >= kTrimMinimum && frame.Height() >= kTrimMinimum; }

TrimBox MoveFrame(const TrimBox& frame, int dx, int dy, const TrimBox& bounds) {
  const int x = StopAt(frame.left, frame.right, dx, bounds.left, bounds.right);
  const int y = StopAt(frame.top, frame.bottom, dy, bounds.top, bounds.bottom);
  return {frame.left + x, frame.top + y, frame.right + x, frame.bottom + y};
}

TrimBox Intersect(const TrimBox& a, const TrimBox& b) {
  const TrimBox both{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                     std::min(a.bottom, b.bottom)};
  if (both.right <= both.left || both.bottom <= both.top) return {both.left, both.top, both.left, both.top};
  return both;
}

}  // namespace tarn
