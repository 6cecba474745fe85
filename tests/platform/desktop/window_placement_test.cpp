// Tests of the window placement rule: a frame kept where it fits, else moved onto free area.
#include "platform/desktop/WindowPlacement.h"

#include <gtest/gtest.h>

namespace dm::platform {
namespace {

// The main window's frame at its designed position (198, 179), in the device-independent pixels
// of a scaled screen: 751 x 517 of window and menu, with a frame of 1 pixel and a title bar.
constexpr ScreenRect kDesigned{198, 179, 753, 541};

TEST(WindowPlacementTest, FrameKeepsItsPlaceWhenItFitsElseMovesOntoTheFreeArea) {
    struct Case {
        const char* screen;
        ScreenRect frame;
        ScreenRect area;
        ScreenPoint expected;
    };
    const Case cases[] = {
        {"1920x1080 at scale 1, a panel below: fits as designed",
         kDesigned,
         {0, 0, 1920, 1050},
         {198, 179}},
        {"1280x1024 at scale 1.5: moved left and up to the edges",
         kDesigned,
         {0, 0, 853, 682},
         {100, 141}},
        {"1280x1024 at scale 2: larger than the area, at its corner",
         kDesigned,
         {0, 0, 640, 512},
         {0, 0}},
        {"1920x1080 at scale 1.5, no panel: ends 1 pixel above the bottom, fits",
         {198, 179, 753, 540},
         {0, 0, 1280, 720},
         {198, 179}},
        {"1920x1080 at scale 1.5, a panel below: moved up above it",
         {198, 179, 753, 540},
         {0, 0, 1280, 696},
         {198, 156}},
        {"wider than the area only: at its left edge, its height kept",
         kDesigned,
         {0, 0, 700, 1000},
         {0, 179}},
        {"exactly the area's size", {0, 0, 1280, 720}, {0, 0, 1280, 720}, {0, 0}},
        {"above and left of the area", {-50, -20, 753, 541}, {0, 0, 1280, 720}, {0, 0}},
        {"second screen below a top panel: moved in",
         {1900, 10, 753, 541},
         {1920, 32, 1280, 992},
         {1920, 32}},
        {"second screen, larger than the area",
         {2000, 100, 1400, 1100},
         {1920, 32, 1280, 992},
         {1920, 32}},
        {"centred dialog running past the right edge",
         {1100, 300, 316, 420},
         {0, 0, 1280, 1024},
         {964, 300}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placeFrame(c.frame, c.area), c.expected) << c.screen;
}

} // namespace
} // namespace dm::platform
