// The rule that keeps a window's frame on the screen's free area, axis by axis.
#include "platform/desktop/WindowPlacement.h"

#include <algorithm>

namespace dm::platform {

namespace {

int placeOnAxis(int start, int length, int areaStart, int areaLength) {
    if (length >= areaLength)
        return areaStart;
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

} // namespace

ScreenPoint placeFrame(const ScreenRect& frame, const ScreenRect& area) {
    return {placeOnAxis(frame.x, frame.width, area.x, area.width),
            placeOnAxis(frame.y, frame.height, area.y, area.height)};
}

} // namespace dm::platform
