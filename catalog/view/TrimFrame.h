// The trimming frame's geometry: the dragged corners kept inside the drawn picture, the frame
// they make, the smallest frame worth saving, and the frame's moves in the adjustment dialog.
#pragma once

namespace tarn {

struct TrimPoint {
  int x = 0;
  int y = 0;
};

// A frame from (left, top) up to, not including, (right, bottom).
struct TrimBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const TrimBox&) const = default;
};

// Frames narrower or lower than this are not trimmed.
constexpr int kTrimMinimum = 16;
// How far one press of an arrow of the adjustment dialog moves the frame.
constexpr int kTrimStep = 2;

// `point` moved to the nearest place inside `bounds`, its right and bottom edges included (a
// corner dragged past the picture stops on its edge).
TrimPoint ClipToBox(TrimPoint point, const TrimBox& bounds);
// The frame between two corners in any order.
TrimBox FrameOf(TrimPoint a, TrimPoint b);
bool TrimKept(const TrimBox& frame);
// `frame` moved by `dx`, `dy`, stopped where it would leave `bounds`; a frame larger than the
// bounds stays where it is in that direction.
TrimBox MoveFrame(const TrimBox& frame, int dx, int dy, const TrimBox& bounds);
// The part of `a` inside `b` (empty, with no width or height, when they do not meet).
TrimBox Intersect(const TrimBox& a, const TrimBox& b);

}  // namespace tarn
