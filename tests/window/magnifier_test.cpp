// The zoom view and its grid, drawn by the real main window's procedures into picZoom's image.
#include "tests/window/window_fixture.h"

#include "tests/support/target_window.h"

#include "magnifier/grid_plan.h"
#include "platform/gdi.h"

namespace window_tests {
namespace {

using test_support::Mosaic;
using test_support::TargetWindow;

constexpr COLORREF kFirstGrey = 0x808080;
constexpr COLORREF kSecondGrey = 0xC0C0C0;
// A mosaic near the screen's top-left corner, clear of the main window (which opens centred).
constexpr RECT kMosaicRect{40, 40, 88, 88};

TEST_F(MainWindowTest, ZoomViewShowsSevenBySevenBlocksOfTheScreenAroundThePoint) {
    const TargetWindow mosaic(kMosaicRect, &Mosaic);
    const POINT point = mosaic.ScreenPoint(20, 17);
    Zoom().UpdateZoom(point);

    const HDC view = Form().picZoom.hDC();
    // 77 x 77 view: 11 x 11 blocks, the pointer's pixel in block (5, 5).
    for (int j = 0; j < 11; ++j) {
        for (int i = 0; i < 11; ++i) {
            const COLORREF expected = Mosaic(20 - 5 + i, 17 - 5 + j);
            for (int dy = 0; dy < 7; dy += 3) {
                for (int dx = 0; dx < 7; dx += 3) {
                    ASSERT_EQ(GetPixel(view, i * 7 + dx, j * 7 + dy), expected)
                        << "block " << i << "," << j << " pixel " << dx << "," << dy;
                }
            }
        }
    }
}

TEST_F(MainWindowTest, GridLinesAreDottedInTwoGreysOnTheBlockEdges) {
    const HDC view = Form().picZoom.hDC();
    Form().picZoom.Cls();
    const HGDIOBJ brushBefore = GetCurrentObject(view, OBJ_BRUSH);
    const COLORREF background = GetPixel(view, 3, 3);

    Zoom().DrawZoomGrid();

    struct Expect {
        int x;
        int y;
        COLORREF colour;
    };
    const Expect expected[] = {
        {0, 0, kFirstGrey},  {7, 7, kFirstGrey},   {7, 8, kSecondGrey},  {8, 7, kSecondGrey},
        {1, 0, kSecondGrey}, {0, 1, kSecondGrey},  {70, 3, kSecondGrey}, {70, 76, kFirstGrey},
        {3, 3, background},  {76, 76, background}, {69, 69, background},
    };
    for (const Expect& e : expected) {
        EXPECT_EQ(GetPixel(view, e.x, e.y), e.colour) << e.x << "," << e.y;
    }
    // The view is left with the brush it had.
    EXPECT_EQ(GetCurrentObject(view, OBJ_BRUSH), brushBefore);
}

TEST_F(MainWindowTest, CheckerBrushResolvesSystemColours) {
    const HDC view = Form().picZoom.hDC();
    const auto systemColour5 = static_cast<platform::ColourValue>(0x80000005);
    const platform::Brush checker = Zoom().MakeCheckerBrush(view, systemColour5, 0xC0C0C0);
    ASSERT_TRUE(checker);

    const platform::OffscreenImage square(view, 8, 8);
    const platform::Selection use(square.dc(), checker.get());
    PatBlt(square.dc(), 0, 0, 8, 8, PATCOPY);
    EXPECT_EQ(GetPixel(square.dc(), 0, 0), GetSysColor(5));
    EXPECT_EQ(GetPixel(square.dc(), 7, 7), GetSysColor(5));
    EXPECT_EQ(GetPixel(square.dc(), 1, 0), kSecondGrey);
    EXPECT_EQ(GetPixel(square.dc(), 0, 1), kSecondGrey);
}

TEST_F(MainWindowTest, GridFollowsShowGridOnTheNextUpdate) {
    const TargetWindow mosaic(kMosaicRect, &Mosaic);
    const POINT point = mosaic.ScreenPoint(20, 20);
    const HDC view = Form().picZoom.hDC();

    SendMessageW(Form().chkGrid.hWnd(), BM_SETCHECK, BST_CHECKED, 0);
    Zoom().UpdateZoom(point);
    EXPECT_EQ(GetPixel(view, 7, 7), kFirstGrey);
    EXPECT_EQ(GetPixel(view, 7, 8), kSecondGrey);
    EXPECT_EQ(GetPixel(view, 10, 10), Mosaic(15 + 1, 15 + 1));

    SendMessageW(Form().chkGrid.hWnd(), BM_SETCHECK, BST_UNCHECKED, 0);
    Zoom().UpdateZoom(point);
    EXPECT_EQ(GetPixel(view, 7, 7), Mosaic(15 + 1, 15 + 1));
}

} // namespace
} // namespace window_tests
