// The real program on a desktop of two monitors, the primary on the right and a second one left
// of it, whose screen coordinates are negative (scripts/xorg-two-monitors.sh makes one). The
// reading (the five boxes and the swatch) and the magnified view are checked on the left monitor,
// across the edge at x = 0 and on the primary, with the main window first on the primary and
// then moved onto the left monitor.
//
// The target on the left monitor lies exactly one virtual-screen offset from the one on the
// primary: a reading taken through a DC whose (0, 0) is the virtual screen's top-left corner
// instead of the screen's origin shows black on the left monitor, and on the primary the colour
// of the left target, so that such a fault cannot pass for a right reading.
#include "tests/e2e/session.h"
#include "tests/e2e/zoom_check.h"

#include "about/about_layout.h"
#include "app/main_layout.h"

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace e2e {
namespace {

using namespace app::layout;

// Each target is a square: its upper half one colour (or two, split at its middle column) for
// the reading, its lower half a mosaic for the view.
constexpr int kSide = 120;
constexpr int kHalf = kSide / 2;
// Rows of the targets from the top of the monitors, clear of the main window in the middle.
constexpr int kEdgeTop = 100;
constexpr int kTargetTop = 300;
// The primary's target starts this far right of the primary's left edge.
constexpr int kPrimaryTargetLeft = 150;

// Rows of the colour table, so that the expected texts are the table's.
const ColourCase& kLeftColour = kColourTable[8];     // #123456
const ColourCase& kPrimaryColour = kColourTable[9];  // #EFCDAB
const ColourCase& kEdgeWestColour = kColourTable[2]; // #FF0000, at x < 0
const ColourCase& kEdgeEastColour = kColourTable[4]; // #0000FF, at x >= 0

COLORREF LeftTargetPicture(int x, int y) {
    return y < kHalf ? kLeftColour.colour : SeededMosaic(x, y, 1);
}

COLORREF PrimaryTargetPicture(int x, int y) {
    return y < kHalf ? kPrimaryColour.colour : SeededMosaic(x, y, 2);
}

// The edge target's middle column is x = 0 of the screen.
COLORREF EdgeTargetPicture(int x, int y) {
    if (y < kHalf) {
        return x < kHalf ? kEdgeWestColour.colour : kEdgeEastColour.colour;
    }
    return SeededMosaic(x, y, 3);
}

std::string Describe(const RECT& r) {
    std::ostringstream out;
    out << '(' << r.left << ',' << r.top << ")-(" << r.right << ',' << r.bottom << ')';
    return out.str();
}

std::string Describe(POINT p) {
    std::ostringstream out;
    out << p.x << ',' << p.y;
    return out.str();
}

struct Monitor {
    RECT rect;
    bool primary;
};

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM lParam) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        reinterpret_cast<std::vector<Monitor>*>(lParam)->push_back(
            {info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

std::vector<Monitor> Monitors() {
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

std::string Describe(const std::vector<Monitor>& monitors) {
    std::ostringstream out;
    out << monitors.size() << " monitor(s)";
    const char* separator = ": ";
    for (const Monitor& m : monitors) {
        out << separator << Describe(m.rect) << (m.primary ? " primary" : "");
        separator = ", ";
    }
    return out.str();
}

// The desktop that the suite needs: two monitors of one height, the primary at (0, 0) and the
// other right beside it on its left.
struct Desktop {
    RECT primary;
    RECT left;
};

std::optional<Desktop> TwoMonitorDesktop(const std::vector<Monitor>& monitors) {
    if (monitors.size() != 2) {
        return std::nullopt;
    }
    const Monitor& a = monitors[0].primary ? monitors[0] : monitors[1];
    const Monitor& b = monitors[0].primary ? monitors[1] : monitors[0];
    if (!a.primary || b.primary || a.rect.left != 0 || a.rect.top != 0 || b.rect.right != 0 ||
        b.rect.top != a.rect.top || b.rect.bottom != a.rect.bottom) {
        return std::nullopt;
    }
    return Desktop{a.rect, b.rect};
}

// The fixture's environment says that this display is meant to have two monitors: then a
// different layout is a failure, not a reason to skip.
bool TwoMonitorsPromised() {
    const char* value = std::getenv("VORLITH_E2E_TWO_MONITORS");
    return value != nullptr && std::string(value) == "1";
}

RECT Offset(RECT r, int dx, int dy) {
    OffsetRect(&r, dx, dy);
    return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
    RECT both{};
    return IntersectRect(&both, &inner, &outer) && EqualRect(&both, &inner);
}

POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE;
}

// A target window and the picture it was painted with, to tell what the screen must show.
struct Target {
    RECT rect;
    TargetWindow::Pattern picture;
    std::optional<TargetWindow> window;

    void Show() { window.emplace(rect, picture); }
    // A point of the reading half, `dx` from the target's middle column.
    POINT ReadingPoint(int dx = 0) const { return {rect.left + kHalf + dx, rect.top + kHalf / 2}; }
    // A point of the mosaic half, `dx` from the middle column.
    POINT MosaicPoint(int dx = 0) const {
        return {rect.left + kHalf + dx, rect.top + 3 * kHalf / 2};
    }
    COLORREF Expected(int x, int y) const { return picture(x - rect.left, y - rect.top); }
};

class TwoMonitors : public testing::Test {
  protected:
    void SetUp() override {
        const std::vector<Monitor> monitors = Monitors();
        const std::optional<Desktop> desktop = TwoMonitorDesktop(monitors);
        if (!desktop) {
            const std::string why = "this suite needs two monitors of one height, the primary at "
                                    "(0, 0) and the other left of it; this display has " +
                                    Describe(monitors) +
                                    " (scripts/xorg-two-monitors.sh makes such a display)";
            if (TwoMonitorsPromised()) {
                FAIL() << why;
            }
            GTEST_SKIP() << why;
        }
        desktop_ = *desktop;

        // The left target lies where the primary's target would be if (0, 0) were the virtual
        // screen's top-left corner.
        const int virtualLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
        const int virtualTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
        ASSERT_EQ(virtualLeft, desktop_.left.left);
        ASSERT_EQ(virtualTop, 0);
        ASSERT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN),
                  (desktop_.primary.right - desktop_.primary.left) +
                      (desktop_.left.right - desktop_.left.left));
        // What the rest stands on: the pointer reaches negative x.
        const POINT onTheLeft{desktop_.left.left + 5, desktop_.left.top + 10};
        MovePointer(onTheLeft);
        ASSERT_EQ(PointerPosition().x, onTheLeft.x) << "the pointer cannot reach the left monitor";
        ASSERT_EQ(PointerPosition().y, onTheLeft.y) << "the pointer cannot reach the left monitor";
        const RECT primaryRect{kPrimaryTargetLeft, kTargetTop, kPrimaryTargetLeft + kSide,
                               kTargetTop + kSide};
        primaryTarget_.rect = primaryRect;
        primaryTarget_.picture = &PrimaryTargetPicture;
        leftTarget_.rect = Offset(primaryRect, virtualLeft, virtualTop);
        leftTarget_.picture = &LeftTargetPicture;
        edgeTarget_.rect = RECT{-kHalf, kEdgeTop, kHalf, kEdgeTop + kSide};
        edgeTarget_.picture = &EdgeTargetPicture;
        ASSERT_TRUE(Inside(leftTarget_.rect, desktop_.left)) << Describe(leftTarget_.rect);
        ASSERT_TRUE(Inside(primaryTarget_.rect, desktop_.primary)) << Describe(primaryTarget_.rect);

        app_.emplace(VorlithProcess::Launch());
        for (Target* target : Targets()) {
            ASSERT_FALSE(Overlap(target->rect, MainRect()))
                << "a target at " << Describe(target->rect) << " would cover the main window at "
                << Describe(MainRect());
            target->Show();
        }
    }

    void TearDown() override {
        for (Target* target : Targets()) {
            target->window.reset();
        }
        app_.reset();
    }

    std::vector<Target*> Targets() { return {&leftTarget_, &edgeTarget_, &primaryTarget_}; }

    RECT MainRect() const {
        RECT rect{};
        GetWindowRect(app_->Main(), &rect);
        return rect;
    }

    // The pointer at p: the five boxes show `expected` and the swatch is painted in its colour.
    void ExpectReadingAt(POINT p, const ColourCase& expected) {
        SCOPED_TRACE("pointer at " + Describe(p) + ", main window at " + Describe(MainRect()));
        MovePointer(p);
        ASSERT_EQ(PointerPosition().x, p.x) << "the pointer did not get there";
        EXPECT_TRUE(ReadingBecomes(*app_, expected.reading));
        const POINT swatch = ClientCentre(app_->Control(kIdPicColorDisplay));
        COLORREF seen = CLR_INVALID;
        EXPECT_TRUE(WaitUntil([&] { return (seen = ScreenPixel(swatch)) == expected.colour; }))
            << std::hex << "swatch pixel 0x" << seen << " at " << Describe(swatch)
            << ", expected 0x" << expected.colour;
    }

    // The pointer at p, over `target`: the screen around p holds the target's picture, and the
    // view shows it as 7 x 7 blocks.
    void ExpectViewAt(POINT p, const Target& target) {
        SCOPED_TRACE("pointer at " + Describe(p) + ", main window at " + Describe(MainRect()));
        MovePointer(p);
        const RECT around{p.x - kPointerBlock, p.y - kPointerBlock, p.x - kPointerBlock + kBlocks,
                          p.y - kPointerBlock + kBlocks};
        ASSERT_TRUE(Inside(around, target.rect));
        const Capture source = Capture::Screen(around);
        for (int y = 0; y < kBlocks; ++y) {
            for (int x = 0; x < kBlocks; ++x) {
                ASSERT_EQ(source.At(x, y), target.Expected(around.left + x, around.top + y))
                    << "the screen at " << around.left + x << "," << around.top + y
                    << " does not show the target's picture";
            }
        }
        HWND picZoom = app_->Control(kIdPicZoom);
        std::string differences;
        const bool shown = WaitUntil([&] {
            differences =
                ZoomViewDifferences(Capture::Client(picZoom), source, kZoom, false, kEyedropperBox);
            return differences.empty();
        });
        EXPECT_TRUE(shown) << "view at " << Describe(ClientToScreenPoint(picZoom, 0, 0)) << ": "
                           << differences;
    }

    // Moves the main window onto the left monitor, between the left target and the edge target.
    void MoveMainWindowOntoTheLeftMonitor() {
        const RECT before = MainRect();
        const POINT to{leftTarget_.rect.right + 100, desktop_.left.top + 200};
        const RECT wanted{to.x, to.y, to.x + before.right - before.left,
                          to.y + before.bottom - before.top};
        SetWindowPos(app_->Main(), nullptr, to.x, to.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(WaitUntil([&] {
            const RECT now = MainRect();
            return EqualRect(&now, &wanted) != FALSE;
        })) << "the main window is at "
            << Describe(MainRect()) << ", not " << Describe(wanted);
        ASSERT_TRUE(Inside(MainRect(), desktop_.left)) << Describe(MainRect());
        for (const Target* target : Targets()) {
            ASSERT_FALSE(Overlap(target->rect, MainRect())) << Describe(target->rect);
        }
    }

    // Every target: the reading and the view on the left monitor, on both sides of x = 0
    // (x = -1 and x = 0 have different colours), and on the primary.
    void ExpectEveryTargetRead() {
        {
            SCOPED_TRACE("target on the left monitor");
            ExpectReadingAt(leftTarget_.ReadingPoint(), kLeftColour);
            ExpectViewAt(leftTarget_.ReadingPoint(), leftTarget_);
            ExpectViewAt(leftTarget_.MosaicPoint(), leftTarget_);
        }
        {
            SCOPED_TRACE("target across x = 0");
            const POINT west = edgeTarget_.ReadingPoint(-1);
            const POINT east = edgeTarget_.ReadingPoint(0);
            ASSERT_EQ(west.x, -1);
            ASSERT_EQ(east.x, 0);
            ExpectReadingAt(west, kEdgeWestColour);
            ExpectReadingAt(east, kEdgeEastColour);
            ExpectReadingAt(west, kEdgeWestColour);
            ExpectViewAt(west, edgeTarget_);
            ExpectViewAt(east, edgeTarget_);
            ExpectViewAt(edgeTarget_.MosaicPoint(-1), edgeTarget_);
            ExpectViewAt(edgeTarget_.MosaicPoint(0), edgeTarget_);
        }
        {
            SCOPED_TRACE("target on the primary");
            ExpectReadingAt(primaryTarget_.ReadingPoint(), kPrimaryColour);
            ExpectViewAt(primaryTarget_.ReadingPoint(), primaryTarget_);
            ExpectViewAt(primaryTarget_.MosaicPoint(), primaryTarget_);
        }
    }

    Desktop desktop_{};
    Target leftTarget_;
    Target edgeTarget_;
    Target primaryTarget_;
    std::optional<VorlithProcess> app_;
};

// The program starts centred on the primary monitor, not on the virtual screen (whose centre
// lies on the edge between the two).
TEST_F(TwoMonitors, StartsCentredOnThePrimary) {
    const RECT main = MainRect();
    EXPECT_TRUE(Inside(main, desktop_.primary)) << Describe(main);
    EXPECT_NEAR(Centre(main).x, Centre(desktop_.primary).x, 1) << Describe(main);
    EXPECT_NEAR(Centre(main).y, Centre(desktop_.primary).y, 1) << Describe(main);
}

TEST_F(TwoMonitors, ReadsTargetsOnBothMonitorsAndAcrossTheEdge) {
    ExpectEveryTargetRead();
}

// The main window moved onto the left monitor: its swatch and view now lie at negative x, and
// it still reads every target right.
TEST_F(TwoMonitors, MainWindowOnTheLeftMonitorStillReadsEveryTarget) {
    MoveMainWindowOntoTheLeftMonitor();
    if (HasFatalFailure()) {
        return;
    }
    ExpectEveryTargetRead();
}

// About opens centred over the main window, which is on the left monitor.
TEST_F(TwoMonitors, AboutOpensOverTheMainWindowOnTheLeftMonitor) {
    MoveMainWindowOntoTheLeftMonitor();
    if (HasFatalFailure()) {
        return;
    }
    MouseClick(ClientCentre(app_->Control(kIdCmdAbout)));
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (about = app_->VisibleWindowOfClass(about::layout::kAboutClassName)) != nullptr;
    })) << "no About window";
    RECT rect{};
    GetWindowRect(about, &rect);
    EXPECT_TRUE(Inside(rect, desktop_.left)) << "About at " << Describe(rect);
    EXPECT_NEAR(Centre(rect).x, Centre(MainRect()).x, 1) << "About at " << Describe(rect);
    EXPECT_NEAR(Centre(rect).y, Centre(MainRect()).y, 1) << "About at " << Describe(rect);
}

// The arrow keys on the swatch move the pointer on the left monitor too and across x = 0, and
// stop at the desktop's edges there; a key that stops is seen through the next row's step, which
// goes on from where it left the pointer (no `from`).
TEST_F(TwoMonitors, ArrowKeysMoveThePointerOnBothMonitorsAndStopAtTheEdge) {
    ASSERT_TRUE(MakeForeground(app_->Main()));
    const LONG left = desktop_.left.left;
    const LONG y = desktop_.left.bottom / 2;
    const struct {
        std::optional<POINT> from;
        WORD key;
        std::vector<WORD> modifiers;
        POINT to;
    } presses[] = {
        {POINT{-300, y}, VK_RIGHT, {}, {-299, y}},
        {POINT{-1, y}, VK_RIGHT, {}, {0, y}},
        {std::nullopt, VK_LEFT, {}, {-1, y}},
        {POINT{4, y}, VK_LEFT, {VK_SHIFT}, {-6, y}},
        {POINT{left, y}, VK_LEFT, {VK_SHIFT}, {left, y}},
        {std::nullopt, VK_RIGHT, {}, {left + 1, y}},
        {POINT{-300, 0}, VK_UP, {}, {-300, 0}},
        {std::nullopt, VK_DOWN, {}, {-300, 1}},
    };
    for (const auto& press : presses) {
        if (press.from) {
            MovePointer(*press.from);
        }
        PressKey(press.key, press.modifiers);
        if (!press.from || press.to.x != press.from->x || press.to.y != press.from->y) {
            EXPECT_TRUE(WaitUntil([&] {
                const POINT now = PointerPosition();
                return now.x == press.to.x && now.y == press.to.y;
            })) << "at "
                << Describe(PointerPosition()) << ", expected " << Describe(press.to);
        }
    }
}

} // namespace
} // namespace e2e
