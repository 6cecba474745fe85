// Where a window goes on a screen: the rule that keeps its frame on the screen's free area.
#pragma once

namespace dm::platform {

// A rectangle in screen coordinates: its top-left corner and its size.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// The top-left corner for a window frame put at frame, on a screen whose free area (panels
// excluded) is area: frame's own corner when the whole frame lies inside the area; otherwise, on
// each axis, the nearest place that keeps the frame inside the area, or the area's start where
// the frame is larger than the area.
ScreenPoint placeFrame(const ScreenRect& frame, const ScreenRect& area);

} // namespace dm::platform
