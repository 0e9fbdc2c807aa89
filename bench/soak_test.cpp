// The short soak: the real main window ticks 5,000 times in this process with the grid on and
// the pointer moving between targets. Every DC and GDI object that a tick makes is counted
// through the import table (Wine reports no GDI count), and each tick must give back all of
// them; the process's memory must not grow once the heaps have settled. Beside it, changes of the
// system colours, counted the same way: what a change makes replaces what it made before, and a
// repaint in the new colours makes nothing.
#include "app/frm_main.h"
#include "bench/gdi_count.h"
#include "bench/targets.h"
#include "tests/support/desktop.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <iterator>
#include <vector>

namespace {

constexpr long kTicks = 5000;
constexpr long kWarmUpTicks = 500;
// Heaps round up and settle; a leak of one small object per tick would pass 1 MiB by far.
constexpr unsigned long long kMemorySlack = 1024 * 1024;

unsigned long long PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m),
                         sizeof m);
    // PrivateUsage reads 0 under Wine; PagefileUsage is the same commit on Windows and the
    // anonymous resident memory under Wine.
    return m.PrivateUsage != 0 ? m.PrivateUsage : m.PagefileUsage;
}

class ShortSoak : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        // Before the window exists, so that every object it makes is seen.
        countingInstalled = bench::InstallGdiCounter();
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
    static inline bool countingInstalled = false;
};

TEST_F(ShortSoak, EveryTickGivesBackItsDcsAndObjectsAndMemoryStaysFlat) {
    ASSERT_TRUE(countingInstalled) << "the tick's GDI calls were not found in the import table";
    const bench::Targets targets;
    app::FrmMain frmMain;
    frmMain.Show();
    // Only this test ticks; the window's own timer would add ticks of its own.
    frmMain.Timer1.SetEnabled(false);
    SendMessageW(frmMain.chkGrid.hWnd(), BM_CLICK, 0, 0);
    ASSERT_EQ(frmMain.chkGrid.Value(), 1);

    unsigned long long settled = 0;
    long failures = 0;
    for (long tick = 0; tick < kTicks; ++tick) {
        const POINT point = targets.PointAt(tick);
        bench::MovePointer(point);
        const bench::GdiCounts before = bench::CurrentGdiCounts();
        frmMain.Timer1_Timer();
        const bench::GdiCounts after = bench::CurrentGdiCounts();

        // The counting sees the tick borrow DCs and make the checker brush, however many.
        const bool made =
            after.dcsMade > before.dcsMade && after.patternBrushes > before.patternBrushes;
        const bool givenBack = after.liveDcs == before.liveDcs &&
                               after.liveObjects == before.liveObjects &&
                               after.deletedWhileSelected == before.deletedWhileSelected &&
                               after.unknownReleases == before.unknownReleases;
        if (!made || !givenBack) {
            ++failures;
            ADD_FAILURE() << "tick " << tick << " at (" << point.x << ", " << point.y
                          << "): DCs made " << before.dcsMade << "->" << after.dcsMade
                          << ", checker brushes " << before.patternBrushes << "->"
                          << after.patternBrushes << ", live DCs " << before.liveDcs << "->"
                          << after.liveDcs << ", live objects " << before.liveObjects << "->"
                          << after.liveObjects << ", deleted while selected "
                          << after.deletedWhileSelected << ", unknown releases "
                          << after.unknownReleases;
            ASSERT_LT(failures, 5) << "stopping after repeated failures";
        }
        if (tick + 1 == kWarmUpTicks) {
            settled = PrivateBytes();
        }
    }
    ASSERT_GT(settled, 0u);
    const unsigned long long end = PrivateBytes();
    EXPECT_LE(end, settled + kMemorySlack)
        << "private memory grew from " << settled << " to " << end << " bytes over "
        << kTicks - kWarmUpTicks << " ticks";
    // The reading followed the pointer onto a target rather than staying blank.
    EXPECT_FALSE(frmMain.txtHTML.Text().empty());
    frmMain.Unload();
}

// The system colours of this process changed to a set of its own for each round (Wine sends the
// process's windows WM_SYSCOLORCHANGE), and put back when it goes, also after a failed assertion.
class ChangedSystemColours {
  public:
    explicit ChangedSystemColours(int round) {
        std::vector<COLORREF> changed;
        for (size_t i = 0; i < std::size(kIndexes); ++i) {
            old_.push_back(GetSysColor(kIndexes[i]));
            const int step = round * 40 + static_cast<int>(i) * 30;
            changed.push_back(RGB(20 + step % 200, 200 - step % 180, 60 + (step * 3) % 190));
        }
        SetSysColors(static_cast<int>(std::size(kIndexes)), kIndexes, changed.data());
    }
    ChangedSystemColours(const ChangedSystemColours&) = delete;
    ChangedSystemColours& operator=(const ChangedSystemColours&) = delete;
    ~ChangedSystemColours() {
        SetSysColors(static_cast<int>(std::size(kIndexes)), kIndexes, old_.data());
    }

  private:
    static constexpr int kIndexes[] = {COLOR_BTNFACE, COLOR_WINDOW,    COLOR_WINDOWTEXT,
                                       COLOR_BTNTEXT, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    std::vector<COLORREF> old_;
};

// The window and all its controls painted now, from the background up.
void Repaint(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

TEST_F(ShortSoak, ColourChangesGiveBackWhatTheyMakeAndRepaintsMakeNothing) {
    if (const char* why = test_support::WhyTheSessionIsNotOurs()) {
        GTEST_SKIP() << why;
    }
    ASSERT_TRUE(countingInstalled) << "the GDI calls were not found in the import table";
    app::FrmMain frmMain;
    frmMain.Show();
    frmMain.Timer1.SetEnabled(false);
    frmMain.Timer1_Timer(); // a reading in the boxes, the swatch and the view
    Repaint(frmMain.hWnd());
    const bench::GdiCounts start = bench::CurrentGdiCounts();

    // Each round changes the colours and then puts them back: two changes.
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        {
            const ChangedSystemColours colours(round);
            Repaint(frmMain.hWnd());
            const bench::GdiCounts changed = bench::CurrentGdiCounts();
            EXPECT_EQ(changed.liveObjects, start.liveObjects);
            EXPECT_EQ(changed.liveDcs, start.liveDcs);
            // Whatever a change makes, it makes once: painting in the new colours makes nothing.
            Repaint(frmMain.hWnd());
            EXPECT_EQ(bench::CurrentGdiCounts().objectsMade, changed.objectsMade);
        }
        Repaint(frmMain.hWnd());
        const bench::GdiCounts back = bench::CurrentGdiCounts();
        EXPECT_EQ(back.liveObjects, start.liveObjects);
        EXPECT_EQ(back.liveDcs, start.liveDcs);
        EXPECT_EQ(back.deletedWhileSelected, start.deletedWhileSelected);
        EXPECT_EQ(back.unknownReleases, start.unknownReleases);
    }
    frmMain.Unload();
}

} // namespace
