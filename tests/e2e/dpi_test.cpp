// The real program at a density other than 96 pixels per inch (a Wine prefix of its own, see
// tests/e2e/ctest): the twips stay and the pixels follow, and the magnifier reads its view's
// size, so that it still shows whole 7 x 7 blocks from the view's top-left corner.
#include "tests/e2e/session.h"

#include "app/main_layout.h"
#include "platform/twips.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace e2e {
namespace {

using namespace app::layout;
using platform::TwipRect;
using platform::TwipsToPixels;

constexpr int kZoom = 7;

// The density that the suite was started for (VORLITH_E2E_DPI), else the screen's.
int ExpectedDpi() {
    if (const char* value = std::getenv("VORLITH_E2E_DPI"); value != nullptr && *value != '\0') {
        return std::atoi(value);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

struct TwipCase {
    const char* name;
    int id;
    TwipRect twips;
};

// The main window's controls in twips, as the layout gives them.
const TwipCase kControlTwips[] = {
    {"Label2", kIdLabel2, {120, 120, 2655, 255}},
    {"picZoom", kIdPicZoom, {120, 480, 1215, 1215}},
    {"picColorDisplay", kIdPicColorDisplay, {1440, 480, 1335, 495}},
    {"chkGrid", kIdChkGrid, {1440, 1080, 1335, 255}},
    {"chkOnTop", kIdChkOnTop, {1440, 1440, 1335, 255}},
    {"txtRed", kIdTxtRed, {120, 1800, 735, 285}},
    {"txtGreen", kIdTxtGreen, {1080, 1800, 735, 285}},
    {"txtBlue", kIdTxtBlue, {2040, 1800, 735, 285}},
    {"Label1", kIdLabel1, {120, 2160, 1455, 255}},
    {"txtHTML", kIdTxtHtml, {1560, 2160, 1215, 285}},
    {"Label5", kIdLabel5, {120, 2520, 1455, 255}},
    {"txtVB", kIdTxtVb, {1560, 2520, 1215, 285}},
    {"cmdAbout", kIdCmdAbout, {120, 2880, 1695, 375}},
    {"cmdExit", kIdCmdExit, {2040, 2880, 735, 375}},
};

COLORREF Mosaic(int x, int y) {
    return RGB((x * 41 + 5) & 0xFF, (y * 59 + 13) & 0xFF, ((x + 2 * y) * 23 + 1) & 0xFF);
}

class HighDpi : public VorlithTest {
  protected:
    void SetUp() override {
        dpi_ = ExpectedDpi();
        ASSERT_NE(dpi_, platform::kDefaultDpi) << "run this suite in a prefix at another density";
        VorlithTest::SetUp();
    }

    int dpi_ = platform::kDefaultDpi;
};

TEST_F(HighDpi, TheScreenHasTheDensityOfTheSuite) {
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), dpi_);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), dpi_);
    ReleaseDC(nullptr, screen);
}

TEST_F(HighDpi, WindowAndControlsAreTheirTwipsAtTheDensity) {
    const SIZE client = ClientSize(App().Main());
    EXPECT_EQ(client.cx, TwipsToPixels(2895, dpi_));
    EXPECT_EQ(client.cy, TwipsToPixels(3375, dpi_));
    for (const TwipCase& c : kControlTwips) {
        SCOPED_TRACE(c.name);
        const platform::PixelRect expected = TwipsToPixels(c.twips, dpi_);
        const RECT rect = RectInParent(Control(c.id));
        EXPECT_EQ(rect.left, expected.left);
        EXPECT_EQ(rect.top, expected.top);
        EXPECT_EQ(rect.right - rect.left, expected.width);
        EXPECT_EQ(rect.bottom - rect.top, expected.height);
    }
    // The 2-pixel sunken border stays 2 pixels.
    const platform::PixelRect zoom = TwipsToPixels(kControlTwips[1].twips, dpi_);
    const SIZE view = ClientSize(Control(kIdPicZoom));
    EXPECT_EQ(view.cx, zoom.width - 4);
    EXPECT_EQ(view.cy, zoom.height - 4);
}

// The view is not 77 x 77 here: every view pixel outside the eyedropper is the screen pixel of
// its block, the blocks 7 x 7 from the top-left corner, the pointer's pixel in the block that
// holds the view's centre; and the grid lies on the blocks' first rows and columns. The
// eyedropper is all that differs, and its tip marks the pointer's block.
TEST_F(HighDpi, MagnifierShowsWholeBlocksWithTheEyedropperTipInThePointersBlock) {
    TargetWindow mosaic(RECT{20, 160, 100, 240}, &Mosaic);
    const POINT p = mosaic.Centre();
    MovePointer(p);

    HWND picZoom = Control(kIdPicZoom);
    const SIZE view = ClientSize(picZoom);
    ASSERT_NE(view.cx, 77) << "the view has its size at 96 pixels per inch";
    // The pointer's pixel is block floor(W / 2 / 7) across, floor(H / 2 / 7) down; the last
    // column and row of blocks may be cut off by the view's edge.
    const POINT pointerBlock{view.cx / 2 / kZoom, view.cy / 2 / kZoom};
    const RECT source{p.x - pointerBlock.x, p.y - pointerBlock.y,
                      p.x - pointerBlock.x + (view.cx + kZoom - 1) / kZoom,
                      p.y - pointerBlock.y + (view.cy + kZoom - 1) / kZoom};
    const RECT block{pointerBlock.x * kZoom, pointerBlock.y * kZoom, (pointerBlock.x + 1) * kZoom,
                     (pointerBlock.y + 1) * kZoom};

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
            marks = ZoomViewMarks(CaptureClient(picZoom), ScreenCapture(source), kZoom, grid);
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
        ClientToScreenPoint(picZoom, pointerBlock.x * kZoom + 1, pointerBlock.y * kZoom + 6);
    EXPECT_EQ(ScreenPixel(inBlock), ScreenPixel(p));
}

TEST_F(HighDpi, AboutIsItsTwipsAtTheDensity) {
    MouseClick(ClientCentre(Control(kIdCmdAbout)));
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (about = App().VisibleWindowOfClass(L"VorlithAbout")) != nullptr;
    })) << "no About window";
    const SIZE client = ClientSize(about);
    EXPECT_EQ(client.cx, TwipsToPixels(5730, dpi_));
    EXPECT_EQ(client.cy, TwipsToPixels(3120, dpi_));
    const platform::PixelRect ok = TwipsToPixels(TwipRect{4245, 2625, 1260, 345}, dpi_);
    const RECT okRect = RectInParent(GetDlgItem(about, IDOK));
    EXPECT_EQ(okRect.left, ok.left);
    EXPECT_EQ(okRect.top, ok.top);
    EXPECT_EQ(okRect.right - okRect.left, ok.width);
    EXPECT_EQ(okRect.bottom - okRect.top, ok.height);

    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
}

} // namespace
} // namespace e2e
