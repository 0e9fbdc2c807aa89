// The main window's twip layout in pixels: exact at 96 DPI, and following the density elsewhere.
#include "about/about_layout.h"
#include "app/main_layout.h"
#include "platform/twips.h"

#include <gtest/gtest.h>

namespace {

using platform::PixelRect;
using platform::TwipRect;
using platform::TwipsToPixels;

struct ControlCase {
    const char* name;
    TwipRect twips;
    PixelRect pixels; // at 96 DPI, as the window is designed
};

const ControlCase kControls[] = {
    {"Label2", app::layout::kLabel2, {8, 8, 177, 17}},
    {"picZoom", app::layout::kPicZoom, {8, 32, 81, 81}},
    {"picColorDisplay", app::layout::kPicColorDisplay, {96, 32, 89, 33}},
    {"chkGrid", app::layout::kChkGrid, {96, 72, 89, 17}},
    {"chkOnTop", app::layout::kChkOnTop, {96, 96, 89, 17}},
    {"txtRed", app::layout::kTxtRed, {8, 120, 49, 19}},
    {"txtGreen", app::layout::kTxtGreen, {72, 120, 49, 19}},
    {"txtBlue", app::layout::kTxtBlue, {136, 120, 49, 19}},
    {"Label1", app::layout::kLabel1, {8, 144, 97, 17}},
    {"txtHTML", app::layout::kTxtHtml, {104, 144, 81, 19}},
    {"Label5", app::layout::kLabel5, {8, 168, 97, 17}},
    {"txtVB", app::layout::kTxtVb, {104, 168, 81, 19}},
    {"cmdAbout", app::layout::kCmdAbout, {8, 192, 113, 25}},
    {"cmdExit", app::layout::kCmdExit, {136, 192, 49, 25}},
    {"Image1", app::layout::kImage1, {26, 20, 32, 32}},
};

TEST(Twips, EveryControlAt96Dpi) {
    for (const ControlCase& c : kControls) {
        EXPECT_EQ(TwipsToPixels(c.twips, 96), c.pixels) << c.name;
    }
}

// The About window's separator: the shadow line Line1(1) from (6, 163) to (377, 163), the
// highlight line Line1(0) one pixel below it from (7, 164).
TEST(Twips, AboutSeparatorAt96Dpi) {
    const struct {
        platform::TwipLine line;
        int x1, y1, x2, y2;
    } lines[] = {
        {about::layout::kLine1[1], 6, 163, 377, 163},
        {about::layout::kLine1[0], 7, 164, 377, 164},
    };
    for (const auto& l : lines) {
        EXPECT_EQ(TwipsToPixels(l.line.x1, 96), l.x1);
        EXPECT_EQ(TwipsToPixels(l.line.y1, 96), l.y1);
        EXPECT_EQ(TwipsToPixels(l.line.x2, 96), l.x2);
        EXPECT_EQ(TwipsToPixels(l.line.y2, 96), l.y2);
    }
}

TEST(Twips, ClientAreaAt96Dpi) {
    EXPECT_EQ(TwipsToPixels(app::layout::kClientWidth, 96), 193);
    EXPECT_EQ(TwipsToPixels(app::layout::kClientHeight, 96), 225);
    // The About window and its picture, which the window tests find from the twips at the
    // window's density.
    EXPECT_EQ(TwipsToPixels(about::layout::kClientWidth, 96), 382);
    EXPECT_EQ(TwipsToPixels(about::layout::kClientHeight, 96), 208);
    EXPECT_EQ(TwipsToPixels(about::layout::kImage1, 96), (PixelRect{24, 24, 32, 32}));
}

// At 144 DPI a pixel is 10 twips, at 120 DPI 12 twips; odd halves round away from zero.
TEST(Twips, OtherDensities) {
    const struct {
        int twips;
        int dpi;
        int pixels;
    } cases[] = {
        {120, 144, 12}, {2895, 144, 290}, {3375, 144, 338}, {1215, 144, 122}, {15, 144, 2},
        {120, 120, 10}, {2895, 120, 241}, {3375, 120, 281}, {1215, 120, 101}, {6, 120, 1},
        {5, 120, 0},    {-15, 144, -2},   {-5, 120, 0},     {-6, 120, -1},    {0, 144, 0},
        {1440, 96, 96}, {7, 96, 0},       {8, 96, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
    }
}

// Edges are converted, not sizes, so controls that touch in twips still touch in pixels.
TEST(Twips, NeighboursStillTouchAt144Dpi) {
    EXPECT_EQ(TwipsToPixels(app::layout::kPicZoom, 144), (PixelRect{12, 48, 122, 122}));
    // Label1 ends 15 twips inside txtHTML: at 158 and 156 pixels.
    EXPECT_EQ(TwipsToPixels(app::layout::kLabel1, 144), (PixelRect{12, 216, 146, 26}));
    EXPECT_EQ(TwipsToPixels(app::layout::kTxtHtml, 144), (PixelRect{156, 216, 122, 29}));
    EXPECT_EQ(TwipsToPixels(app::layout::kTxtRed, 120), (PixelRect{10, 150, 61, 24}));
}

TEST(Twips, LargeLengthsDoNotOverflow) {
    EXPECT_EQ(TwipsToPixels(2147483647, 1440), 2147483647);
    EXPECT_EQ(TwipsToPixels(-2147483647 - 1, 1440), -2147483647 - 1);
    EXPECT_EQ(TwipsToPixels(2147483647, 96), 143165576);
}

} // namespace
