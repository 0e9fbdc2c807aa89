// The magnifier of the real program, seen on the screen: picZoom's pixels against the screen
// around the pointer, the dotted grid as "Show Grid" is ticked and cleared, the frozen picture,
// and the eyedropper's tip in the pointer's block.
#include "tests/e2e/session.h"
#include "tests/e2e/zoom_check.h"

#include "app/main_layout.h"

#include <optional>

namespace e2e {
namespace {

using namespace app::layout;

// The eyedropper's tip: row 19, columns 13 to 15 of its picture.
constexpr int kTipY = 20 + 19;
constexpr int kTipLeft = 26 + 13;
constexpr int kTipRight = 26 + 15;

// The 11 x 11 screen pixels that the view's blocks show when the pointer is at p.
Capture SourceAround(POINT p) {
    return Capture::Screen(RECT{p.x - kPointerBlock, p.y - kPointerBlock,
                                p.x - kPointerBlock + kBlocks, p.y - kPointerBlock + kBlocks});
}

// True when every horizontal and vertical neighbour differs: a view that shifted by a pixel or
// blurred its blocks cannot then pass for the right one.
bool NeighboursDiffer(const Capture& source) {
    for (int y = 0; y < source.Height(); ++y) {
        for (int x = 0; x < source.Width(); ++x) {
            if ((x > 0 && source.At(x - 1, y) == source.At(x, y)) ||
                (y > 0 && source.At(x, y - 1) == source.At(x, y))) {
                return false;
            }
        }
    }
    return true;
}

class Magnifier : public VorlithTest {
  protected:
    void SetUp() override {
        VorlithTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        pattern_.emplace(MosaicRect(), &Mosaic);
        ASSERT_TRUE(NeighboursDiffer(SourceAround(pattern_->Centre())))
            << "the pattern target does not show its pattern";
    }
    void TearDown() override {
        pattern_.reset();
        VorlithTest::TearDown();
    }

    Capture View() { return Capture::Client(Control(kIdPicZoom)); }

    // The view shows the blocks around p (and the grid when asked) within the patience.
    testing::AssertionResult ViewShows(POINT p, bool grid) {
        std::string differences;
        const bool shown = WaitUntil([&] {
            differences = ZoomViewDifferences(View(), SourceAround(p), kZoom, grid, kEyedropperBox);
            return differences.empty();
        });
        if (shown) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure()
               << "pointer at " << p.x << "," << p.y << (grid ? " with" : " without")
               << " the grid: " << differences;
    }

    // Frozen: the view keeps this picture while the program takes no tick.
    testing::AssertionResult ViewStaysFrozen(const Capture& picture) {
        return StaysFrozen(
            [&]() -> std::string { return View() == picture ? "" : "the view changed"; });
    }

    std::optional<TargetWindow> pattern_;
};

// Pointer at the centre and at points beside it: every view pixel outside the eyedropper is the
// screen pixel of its 7 x 7 block, the block of the pointer's pixel at 35 to 41.
TEST_F(Magnifier, ViewIsTheSevenBySevenBlocksOfTheScreenAroundThePointer) {
    const POINT centre = pattern_->Centre();
    const POINT offsets[] = {{0, 0}, {1, 0}, {0, 1}, {-3, 2}, {7, -6}};
    for (const POINT& offset : offsets) {
        const POINT p{centre.x + offset.x, centre.y + offset.y};
        MovePointer(p);
        EXPECT_TRUE(ViewShows(p, false));
    }
}

// The tip (view pixels 39 to 41 across, 39 down) is drawn in the pointer's block in its own
// colour, whatever the block's colour; the rest of the block shows the pointer's pixel.
TEST_F(Magnifier, EyedropperTipPointsIntoThePointersBlock) {
    const POINT centre = pattern_->Centre();
    std::vector<COLORREF> tipBefore;
    for (const POINT& p : {centre, POINT{centre.x + 1, centre.y}}) {
        MovePointer(p);
        ASSERT_TRUE(ViewShows(p, false));
        const Capture view = View();
        const COLORREF block = ScreenPixel(p);
        std::vector<COLORREF> tip;
        for (int x = kTipLeft; x <= kTipRight; ++x) {
            tip.push_back(view.At(x, kTipY));
            EXPECT_NE(view.At(x, kTipY), block) << "the tip is missing at " << x;
        }
        for (int y = 35; y <= 41; ++y) {
            for (int x = 35; x <= 41; ++x) {
                const bool clear = x < kTipLeft || y > kTipY;
                if (clear) {
                    EXPECT_EQ(view.At(x, y), block) << "block pixel " << x << "," << y;
                }
            }
        }
        if (!tipBefore.empty()) {
            EXPECT_EQ(tip, tipBefore) << "the tip takes the colour of what lies under it";
        }
        tipBefore = tip;
    }
}

TEST_F(Magnifier, GridShowsAndGoesAtTheNextTick) {
    const POINT p = pattern_->Centre();
    HWND chkGrid = Control(kIdChkGrid);
    MovePointer(p);
    ASSERT_TRUE(ViewShows(p, false));

    ClickButton(chkGrid);
    ASSERT_EQ(SendWithTimeout(chkGrid, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(ViewShows(p, true));
    const Capture view = View();
    EXPECT_EQ(view.At(0, 0), 0x808080u);
    EXPECT_EQ(view.At(7, 7), 0x808080u);
    EXPECT_EQ(view.At(7, 8), 0xC0C0C0u);
    EXPECT_EQ(view.At(8, 7), 0xC0C0C0u);
    EXPECT_EQ(view.At(10, 10), SourceAround(p).At(1, 1)) << "inside a block";

    ClickButton(chkGrid);
    ASSERT_EQ(SendWithTimeout(chkGrid, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(ViewShows(p, false));
}

// chkGrid has no handler of its own: ticked while frozen, the grid waits for the next tick.
TEST_F(Magnifier, GridTickedWhileFrozenShowsOnlyWhenSamplingResumes) {
    const POINT p = pattern_->Centre();
    MovePointer(p);
    ASSERT_TRUE(ViewShows(p, false));
    ASSERT_TRUE(Type('G', {VK_CONTROL}));
    const Capture frozen = View();

    ClickButton(Control(kIdChkGrid));
    EXPECT_TRUE(ViewStaysFrozen(frozen)) << "the grid appeared while frozen";

    ASSERT_TRUE(MakeForeground(App().Main()));
    PressKey('F', {VK_CONTROL});
    EXPECT_TRUE(ViewShows(p, true));
}

// Frozen, the view keeps its last picture: the pointer moves away, the pixels under it change,
// and the window is covered and uncovered (it repaints from the picture it keeps).
TEST_F(Magnifier, FrozenViewKeepsItsPicture) {
    const POINT p = pattern_->Centre();
    MovePointer(p);
    ASSERT_TRUE(ViewShows(p, false));
    ASSERT_TRUE(Type('G', {VK_CONTROL}));
    const Capture frozen = View();

    MovePointer(TargetB().Centre());
    EXPECT_TRUE(ViewStaysFrozen(frozen)) << "after the pointer moved";

    MovePointer(p);
    pattern_->SetColour(kColourB.colour);
    EXPECT_TRUE(ViewStaysFrozen(frozen)) << "after the pixels under the pointer changed";

    HWND picZoom = Control(kIdPicZoom);
    RECT cover = WindowRect(picZoom);
    InflateRect(&cover, 10, 10);
    {
        TargetWindow covering(cover, RGB(255, 0, 255));
        const Capture covered = View();
        EXPECT_EQ(covered.At(0, 0), RGB(255, 0, 255));
        EXPECT_EQ(covered.At(40, 40), RGB(255, 0, 255));
    }
    EXPECT_TRUE(WaitUntil([&] { return View() == frozen; }))
        << "the view did not repaint its frozen picture once uncovered";

    // Not hung: Ctrl+F and the view follows the pointer again, now over one colour.
    ASSERT_TRUE(MakeForeground(App().Main()));
    PressKey('F', {VK_CONTROL});
    EXPECT_TRUE(ViewShows(p, false));
    EXPECT_EQ(View().At(5, 5), kColourB.colour);
}

} // namespace
} // namespace e2e
