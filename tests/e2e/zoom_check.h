// The checker of the magnifier's picture: what picZoom should show for the screen pixels it
// magnifies, compared pixel by pixel with what it shows.
#pragma once

#include "tests/support/capture.h"

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

using test_support::Capture;

// The magnifier's factor: every screen pixel a 7 x 7 block.
inline constexpr int kZoom = 7;
// At 96 pixels per inch picZoom's client area is 77 x 77: 11 x 11 blocks, the pointer's pixel
// in block 5 each way (view pixels 35 to 41).
inline constexpr int kBlocks = 11;
inline constexpr int kPointerBlock = 5;
// There the eyedropper (Image1 at 26, 20 in picZoom) has opaque pixels only in columns 13 to 26
// and rows 6 to 19 of its 32 x 32 picture; the rest of its square shows the view through.
inline constexpr RECT kEyedropperBox{26 + 13, 20 + 6, 26 + 27, 20 + 20};

// What the magnifier should show: each pixel of `source` (the screen pixels that the view's
// blocks come from, the first at `source`'s top-left) as a zoom x zoom block from the view's
// top-left corner, with the dotted grid (0x808080 where x + y is even, 0xC0C0C0 where odd) on
// every block's first column and row when `grid` is set. View pixels inside `skip` are not
// compared. Returns the first few differences, or an empty text when there are none.
std::string ZoomViewDifferences(const Capture& view, const Capture& source, int zoom, bool grid,
                                RECT skip);
// The view pixels that differ from what the magnifier should show, as above, in rows from the
// top: the marks drawn over the magnified picture (the eyedropper).
std::vector<POINT> ZoomViewMarks(const Capture& view, const Capture& source, int zoom, bool grid);

} // namespace e2e
