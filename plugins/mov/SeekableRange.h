// The part of a media file that can be sought to, as the graph tells it.
#pragma once

#include <windows.h>

#include <dshow.h>

namespace tarn::mov {

// GetAvailable's range; some graphs answer it with an empty range, and then the duration stands
// for the end. False when neither gives a range.
inline bool SeekableRange(IMediaSeeking* seeking, LONGLONG* start, LONGLONG* end) {
  if (SUCCEEDED(seeking->GetAvailable(start, end)) && *end > *start) return true;
  *start = 0;
  return SUCCEEDED(seeking->GetDuration(end)) && *end > 0;
}

}  // namespace tarn::mov
