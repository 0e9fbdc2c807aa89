// The magnifier at other densities: the eyedropper's tip stays on the pointer's block, and a
// frozen picture survives a change of density.
#include "tests/window/window_fixture.h"

#include "tests/support/capture.h"
#include "tests/support/target_window.h"

#include <algorithm>
#include <vector>

namespace window_tests {
namespace {

using test_support::Capture;
using test_support::Mosaic;
using test_support::TargetWindow;

// The box around the view pixels of one colour (the block of one screen pixel), empty if none.
RECT BoxOfColour(const Capture& picture, COLORREF colour) {
    RECT box{picture.Width(), picture.Height(), 0, 0};
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (picture.At(x, y) == colour) {
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                       std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
            }
        }
    }
    return box;
}

// The eyedropper's tip: the lowest row of the view pixels that the eyedropper covers, found as
// the pixels where what the box shows differs from its picture.
std::vector<POINT> Tip(const Capture& shown, const Capture& image) {
    std::vector<POINT> tip;
    for (int y = shown.Height() - 1; y >= 0 && tip.empty(); --y) {
        for (int x = 0; x < shown.Width(); ++x) {
            if (shown.At(x, y) != image.At(x, y)) {
                tip.push_back({x, y});
            }
        }
    }
    return tip;
}

void ChangeDpi(HWND hwnd, int dpi) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&window));
}

// A mosaic near the screen's top-left corner, clear of the main window (which opens centred).
// The pointer is on its pixel (24, 24), whose colour is the pointer's block in the view.
constexpr RECT kMosaicRect{40, 40, 88, 88};
const COLORREF kPointerColour = Mosaic(24, 24);

TEST_F(MainWindowTest, EyedropperTipLiesInThePointersBlockAtEveryDensity) {
    const TargetWindow mosaic(kMosaicRect, &Mosaic);
    const POINT onMosaic = mosaic.ScreenPoint(24, 24);
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        ChangeDpi(Form().hWnd(), dpi);
        Zoom().UpdateZoom(onMosaic);
        const Capture image = Capture::Held(Form().picZoom.hDC(), Form().picZoom.hWnd());
        const Capture shown = Capture::Painted(Form().picZoom.hWnd());

        const RECT block = BoxOfColour(image, kPointerColour);
        EXPECT_EQ(block.right - block.left, 7);
        EXPECT_EQ(block.bottom - block.top, 7);
        const std::vector<POINT> tip = Tip(shown, image);
        EXPECT_EQ(tip.size(), 3u) << "the eyedropper's lowest row";
        for (const POINT& p : tip) {
            EXPECT_TRUE(PtInRect(&block, p))
                << "tip pixel (" << p.x << ", " << p.y << ") outside the block (" << block.left
                << ", " << block.top << ")-(" << block.right << ", " << block.bottom << ")";
        }
        if (dpi == 96) {
            // The view as designed: 77 x 77, the block at 35 to 41, the tip at 39 to 41 on row 39.
            EXPECT_EQ(block.left, 35);
            EXPECT_EQ(block.top, 35);
            ASSERT_FALSE(tip.empty());
            EXPECT_EQ(tip.front().x, 39);
            EXPECT_EQ(tip.front().y, 39);
        }
    }
    ChangeDpi(Form().hWnd(), 96);
}

TEST_F(MainWindowTest, FrozenViewKeepsItsPictureAcrossADensityChange) {
    const TargetWindow mosaic(kMosaicRect, &Mosaic);
    Zoom().UpdateZoom(mosaic.ScreenPoint(24, 24)); // the last tick before Ctrl+G froze the view
    const COLORREF background = GetSysColor(COLOR_BTNFACE);

    for (const int dpi : {144, 96}) {
        SCOPED_TRACE(dpi);
        ChangeDpi(Form().hWnd(), dpi);
        const Capture image = Capture::Held(Form().picZoom.hDC(), Form().picZoom.hWnd());
        int cleared = 0;
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                cleared += image.At(x, y) == background ? 1 : 0;
            }
        }
        EXPECT_EQ(cleared, 0) << "pixels of the frozen view were cleared to the background";
        // The eyedropper, placed anew for the view's new size, still marks the sampled pixel.
        const std::vector<POINT> tip = Tip(Capture::Painted(Form().picZoom.hWnd()), image);
        ASSERT_EQ(tip.size(), 3u);
        EXPECT_EQ(image.At(tip[1].x, tip[1].y + 1), kPointerColour);
    }
}

} // namespace
} // namespace window_tests
