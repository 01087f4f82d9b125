// Scrolling a display window over its memory bitmap, one direction at a time.
#pragma once

namespace tarn {

// What the scroll bar asks for, numbered as the platform's scroll codes.
enum ScrollAction : int {
  kScrollLineBack = 0,     // line left / line up
  kScrollLineForward = 1,  // line right / line down
  kScrollPageBack = 2,
  kScrollPageForward = 3,
  kScrollThumbPosition = 4,
};

// One line of scrolling: a hundredth of what lies outside the view, but at least 10 pixels.
int ScrollStep(int pictureLength, int viewLength);

// The furthest offset: what lies outside the view, and with both bars showing also the
// thickness of the bar that covers the view's far edge.
int ScrollLimit(int pictureLength, int viewLength, bool bothBars, int barThickness);

// The scroll offset after `action`: lines move one step and pages two, never past `limit` nor
// before 0; the thumb position is taken as it is; any other code keeps `position`.
int ScrollPosition(int action, int position, int thumb, int step, int limit);

}  // namespace tarn
