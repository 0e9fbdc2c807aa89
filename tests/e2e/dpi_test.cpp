// The real program at a density other than 96 pixels per inch (a Wine prefix of its own, see
// tests/e2e/ctest): the twips stay and the pixels follow, and the magnifier reads its view's
// size, so that it still shows whole 7 x 7 blocks from the view's top-left corner.
#include "tests/e2e/session.h"
#include "tests/e2e/zoom_check.h"

#include "about/about_layout.h"
#include "app/main_layout.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace e2e {
namespace {

using namespace app::layout;

// A rectangle in a parent's client area: left, top, width, height.
struct Place {
    int left;
    int top;
    int width;
    int height;
};

// Each control at 120 and at 144 pixels per inch. Its edges are its twips (1/1440 inch) at the
// density, halves rounded up: txtRed's 120, 1800, 855, 2085 twips are 10, 150, 71.25, 173.75
// pixels at 120, so 10, 150, 61 x 24.
struct ControlPlaces {
    const char* name;
    int id;
    Place at120;
    Place at144;
};

const ControlPlaces kControls[] = {
    {"Label2", kIdLabel2, {10, 10, 221, 21}, {12, 12, 266, 26}},
    {"picZoom", kIdPicZoom, {10, 40, 101, 101}, {12, 48, 122, 122}},
    {"picColorDisplay", kIdPicColorDisplay, {120, 40, 111, 41}, {144, 48, 134, 50}},
    {"chkGrid", kIdChkGrid, {120, 90, 111, 21}, {144, 108, 134, 26}},
    {"chkOnTop", kIdChkOnTop, {120, 120, 111, 21}, {144, 144, 134, 26}},
    {"txtRed", kIdTxtRed, {10, 150, 61, 24}, {12, 180, 74, 29}},
    {"txtGreen", kIdTxtGreen, {90, 150, 61, 24}, {108, 180, 74, 29}},
    {"txtBlue", kIdTxtBlue, {170, 150, 61, 24}, {204, 180, 74, 29}},
    {"Label1", kIdLabel1, {10, 180, 121, 21}, {12, 216, 146, 26}},
    {"txtHTML", kIdTxtHtml, {130, 180, 101, 24}, {156, 216, 122, 29}},
    {"Label5", kIdLabel5, {10, 210, 121, 21}, {12, 252, 146, 26}},
    {"txtVB", kIdTxtVb, {130, 210, 101, 24}, {156, 252, 122, 29}},
    {"cmdAbout", kIdCmdAbout, {10, 240, 141, 31}, {12, 288, 170, 38}},
    {"cmdExit", kIdCmdExit, {170, 240, 61, 31}, {204, 288, 74, 38}},
};

// What else follows the density.
struct DensityFacts {
    int dpi;
    SIZE client;      // 2895 x 3375 twips
    int view;         // picZoom's square client area, inside its 2-pixel sunken border
    int pointerBlock; // the first view pixel of the block that holds the view's centre
    SIZE about;       // the About window's client area, 5730 x 3120 twips
    Place ok;         // its OK button, 4245, 2625, 1260 x 345 twips
};

const DensityFacts kDensities[] = {
    {120, {241, 281}, 97, 42, {478, 260}, {354, 219, 105, 29}},
    {144, {290, 338}, 118, 56, {573, 312}, {425, 263, 126, 34}},
};

// The density that the suite was started for (VORLITH_E2E_DPI), else 0.
int PromisedDpi() {
    if (const char* value = std::getenv("VORLITH_E2E_DPI"); value != nullptr && *value != '\0') {
        return std::atoi(value);
    }
    return 0;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

void ExpectPlace(HWND window, const Place& expected) {
    const RECT rect = RectInParent(window);
    EXPECT_EQ(rect.left, expected.left);
    EXPECT_EQ(rect.top, expected.top);
    EXPECT_EQ(rect.right - rect.left, expected.width);
    EXPECT_EQ(rect.bottom - rect.top, expected.height);
}

class HighDpi : public VorlithTest {
  protected:
    void SetUp() override {
        // Started for a density (the Wine sessions are), the suite fails at any other; started
        // on a desktop as it is (Windows itself), it runs at the density there if it is one of
        // its own and skips otherwise.
        const int promised = PromisedDpi();
        dpi_ = promised != 0 ? promised : ScreenDpi();
        const auto facts = std::find_if(std::begin(kDensities), std::end(kDensities),
                                        [&](const DensityFacts& f) { return f.dpi == dpi_; });
        if (facts == std::end(kDensities)) {
            if (promised != 0) {
                FAIL() << "run this suite in a prefix at 120 or 144 pixels per inch, not " << dpi_;
            }
            GTEST_SKIP() << "the desktop is at " << dpi_ << " pixels per inch, not 120 or 144";
        }
        facts_ = *facts;
        // The desktop the suite stands on: the screen at that density.
        const HDC screen = GetDC(nullptr);
        const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
        const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        ASSERT_EQ(dpiX, dpi_) << "the screen is not at the suite's density";
        ASSERT_EQ(dpiY, dpi_) << "the screen is not at the suite's density";
        VorlithTest::SetUp();
    }

    int dpi_ = 0;
    DensityFacts facts_{};
};

TEST_F(HighDpi, WindowAndControlsAreTheirTwipsAtTheDensity) {
    const SIZE client = ClientSize(App().Main());
    EXPECT_EQ(client.cx, facts_.client.cx);
    EXPECT_EQ(client.cy, facts_.client.cy);
    for (const ControlPlaces& c : kControls) {
        SCOPED_TRACE(c.name);
        ExpectPlace(Control(c.id), dpi_ == 120 ? c.at120 : c.at144);
    }
    // The 2-pixel sunken border stays 2 pixels.
    const SIZE view = ClientSize(Control(kIdPicZoom));
    EXPECT_EQ(view.cx, facts_.view);
    EXPECT_EQ(view.cy, facts_.view);
}

// The view is not 77 x 77 here: every view pixel outside the eyedropper is the screen pixel of
// its block, the blocks 7 x 7 from the top-left corner, the pointer's pixel in the block that
// holds the view's centre; and the grid lies on the blocks' first rows and columns. The
// eyedropper is all that differs, and its tip marks the pointer's block.
TEST_F(HighDpi, MagnifierShowsWholeBlocksWithTheEyedropperTipInThePointersBlock) {
    TargetWindow mosaic(MosaicRect(), &Mosaic);
    const POINT p = mosaic.Centre();
    MovePointer(p);

    HWND picZoom = Control(kIdPicZoom);
    const SIZE view = ClientSize(picZoom);
    ASSERT_EQ(view.cx, facts_.view);
    // The pointer's pixel is block pointerBlock / 7 across and down; the last column and row
    // of blocks may be cut off by the view's edge.
    const int before = facts_.pointerBlock / kZoom;
    const int blocks = (facts_.view + kZoom - 1) / kZoom;
    const RECT source{p.x - before, p.y - before, p.x - before + blocks, p.y - before + blocks};
    const RECT block{facts_.pointerBlock, facts_.pointerBlock, facts_.pointerBlock + kZoom,
                     facts_.pointerBlock + kZoom};

    for (const bool grid : {false, true}) {
        SCOPED_TRACE(grid ? "with the grid" : "without the grid");
        if (grid) {
            ClickButton(Control(kIdChkGrid));
        }
        // The eyedropper's opaque pixels span 14 x 14 of its 32 x 32 picture (columns 13 to 26,
        // rows 6 to 19); its lowest row is the tip, three pixels wide.
        std::vector<POINT> marks;
        RECT box{};
        const bool shown = WaitUntil([&] {
            marks = ZoomViewMarks(Capture::Client(picZoom), Capture::Screen(source), kZoom, grid);
            box = RECT{view.cx, view.cy, -1, -1};
            for (const POINT& m : marks) {
                box = RECT{std::min(box.left, m.x), std::min(box.top, m.y),
                           std::max(box.right, m.x + 1), std::max(box.bottom, m.y + 1)};
            }
            return box.right - box.left == 14 && box.bottom - box.top == 14;
        });
        ASSERT_TRUE(shown) << "view " << view.cx << "x" << view.cy << ": " << marks.size()
                           << " pixels differ from the magnified screen, within (" << box.left
                           << "," << box.top << ")-(" << box.right << "," << box.bottom << ")";
        int tipPixels = 0;
        for (const POINT& m : marks) {
            if (m.y == box.bottom - 1) {
                ++tipPixels;
                EXPECT_TRUE(PtInRect(&block, m))
                    << "tip pixel (" << m.x << "," << m.y << ") outside the pointer's block ("
                    << block.left << "," << block.top << ")-(" << block.right << "," << block.bottom
                    << ")";
            }
        }
        EXPECT_EQ(tipPixels, 3);
    }
    // The pointer's own pixel, in its block (away from the grid line on the block's edge).
    const POINT inBlock =
        ClientToScreenPoint(picZoom, facts_.pointerBlock + 1, facts_.pointerBlock + 6);
    EXPECT_EQ(ScreenPixel(inBlock), ScreenPixel(p));
}

// The arrow keys on the swatch step in screen pixels at any density: one, ten with Shift.
TEST_F(HighDpi, ArrowKeysStepInScreenPixels) {
    const POINT from = PointerPosition();
    ASSERT_TRUE(Type(VK_RIGHT));
    ASSERT_TRUE(Type(VK_DOWN, {VK_SHIFT}));
    const POINT to = PointerPosition();
    EXPECT_EQ(to.x - from.x, 1);
    EXPECT_EQ(to.y - from.y, 10);
}

TEST_F(HighDpi, AboutIsItsTwipsAtTheDensity) {
    MouseClick(ClientCentre(Control(kIdCmdAbout)));
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (about = App().VisibleWindowOfClass(about::layout::kAboutClassName)) != nullptr;
    })) << "no About window";
    const SIZE client = ClientSize(about);
    EXPECT_EQ(client.cx, facts_.about.cx);
    EXPECT_EQ(client.cy, facts_.about.cy);
    ExpectPlace(GetDlgItem(about, IDOK), facts_.ok);

    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
}

} // namespace
} // namespace e2e
