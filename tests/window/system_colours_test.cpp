// A change of the system colours while the windows are open, as a high-contrast switch makes
// it: what the windows draw in system colours takes the new ones at the repaint, what their
// layout fixes stays, and a frozen reading stays as it was.
#include "tests/support/capture.h"
#include "tests/support/desktop.h"
#include "tests/support/foreground.h"
#include "tests/support/target_window.h"
#include "tests/support/wait.h"
#include "tests/window/window_fixture.h"

#include "about/about_layout.h"

#include <sstream>
#include <string>
#include <vector>

namespace window_tests {
namespace {

struct SystemColour {
    int index;
    COLORREF colour;
};

// Unlike every default and unlike each other, and none of them a colour the layout fixes.
constexpr SystemColour kChanged[] = {
    {COLOR_BTNFACE, RGB(40, 90, 130)},     {COLOR_WINDOW, RGB(20, 30, 45)},
    {COLOR_WINDOWTEXT, RGB(250, 210, 40)}, {COLOR_BTNTEXT, RGB(70, 235, 225)},
    {COLOR_BTNSHADOW, RGB(205, 40, 150)},  {COLOR_BTNHIGHLIGHT, RGB(130, 250, 95)},
};

constexpr COLORREF Changed(int index) {
    for (const SystemColour& c : kChanged) {
        if (c.index == index) {
            return c.colour;
        }
    }
    return CLR_INVALID;
}

// Changes the system colours of this process (Wine sends its windows WM_SYSCOLORCHANGE) and
// puts the old ones back when it goes, also when a failed assertion ends the test early.
class ChangedSystemColours {
  public:
    ChangedSystemColours() {
        for (const SystemColour& c : kChanged) {
            indexes_.push_back(c.index);
            old_.push_back(GetSysColor(c.index));
        }
    }
    ChangedSystemColours(const ChangedSystemColours&) = delete;
    ChangedSystemColours& operator=(const ChangedSystemColours&) = delete;
    ~ChangedSystemColours() {
        if (changed_) {
            SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), old_.data());
        }
    }
    void Change() {
        std::vector<COLORREF> colours;
        for (const SystemColour& c : kChanged) {
            colours.push_back(c.colour);
        }
        changed_ = true;
        ASSERT_TRUE(
            SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), colours.data()));
        for (size_t i = 0; i < old_.size(); ++i) {
            ASSERT_NE(old_[i], colours[i]) << "system colour " << indexes_[i];
        }
    }

  private:
    std::vector<int> indexes_;
    std::vector<COLORREF> old_;
    bool changed_ = false;
};

// A window's client area as the screen shows it: what a user sees.
class OnScreen {
  public:
    explicit OnScreen(HWND hwnd) : hwnd_(hwnd), picture_(test_support::Capture::Client(hwnd)) {}

    // A pixel of the window's client area.
    COLORREF At(int x, int y) const { return picture_.At(x, y); }
    // The client area of a child window, in the window's client coordinates.
    RECT ClientOf(HWND child) const {
        RECT r{};
        GetClientRect(child, &r);
        MapWindowPoints(child, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    int Count(const RECT& r, COLORREF colour) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                n += At(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }

  private:
    HWND hwnd_;
    test_support::Capture picture_;
};

// What differs from what should show, one line each; empty when all is as expected.
class Mismatches {
  public:
    void Pixel(const char* what, COLORREF seen, COLORREF expected) {
        if (seen != expected) {
            std::ostringstream line;
            line << what << ": 0x" << std::hex << seen << ", expected 0x" << expected;
            lines_.push_back(line.str());
        }
    }
    void Shows(const char* what, const OnScreen& screen, const RECT& area, COLORREF colour) {
        if (screen.Count(area, colour) == 0) {
            std::ostringstream line;
            line << what << ": no pixel of 0x" << std::hex << colour;
            lines_.push_back(line.str());
        }
    }
    bool None() const { return lines_.empty(); }
    std::string Text() const {
        std::string text;
        for (const std::string& line : lines_) {
            text += line + "\n";
        }
        return text;
    }

  private:
    std::vector<std::string> lines_;
};

// Pumps the thread's messages and reads the window from the screen until check finds nothing
// amiss, or for at most 15 s (the screen shows a repaint in its own time); returns the last
// findings.
template <class Check> Mismatches WaitForScreen(HWND hwnd, Check&& check) {
    Mismatches found;
    test_support::WaitUntil([&] {
        found = check(OnScreen(hwnd));
        return found.None();
    });
    return found;
}

// A point inside a child's client area, from its top-left (or, negative, its bottom-right).
COLORREF Inside(const OnScreen& screen, HWND child, int x, int y) {
    const RECT r = screen.ClientOf(child);
    return screen.At(x >= 0 ? r.left + x : r.right + x, y >= 0 ? r.top + y : r.bottom + y);
}

// The system colours belong to the whole desktop session: these tests change them only where
// the session is the test run's own or disposable.
class SystemColoursTest : public MainWindowTest {
  protected:
    void SetUp() override {
        if (const char* why = test_support::WhyTheSessionIsNotOurs()) {
            GTEST_SKIP() << why;
        }
        MainWindowTest::SetUp();
    }
};

TEST_F(SystemColoursTest, SystemColoursChangedBeforeTheFirstReadingShowEverywhereTheyAreUsed) {
    app::FrmMain& form = Form();
    // Text as a user might type it: the code boxes show their text colour, and no reading is
    // taken, so the swatch and the view are still blank.
    form.txtHTML.SetText(L"#WWWWWW");
    form.txtVB.SetText(L"&H00WWWWWW&");
    // A look at the view's DC finds it blank in the window's background and draws nothing on
    // it: the blank view takes the new colour below.
    EXPECT_EQ(GetPixel(form.picZoom.hDC(), 3, 3), GetSysColor(COLOR_BTNFACE));
    ChangedSystemColours colours;
    colours.Change();

    const COLORREF face = Changed(COLOR_BTNFACE);
    const COLORREF window = Changed(COLOR_WINDOW);
    const COLORREF windowText = Changed(COLOR_WINDOWTEXT);
    // Between the controls: 92, 70 pixels at 96 per inch.
    const POINT between = TwipsPoint(form.hWnd(), 1380, 1050);
    const Mismatches found = WaitForScreen(form.hWnd(), [&](const OnScreen& s) {
        Mismatches m;
        m.Pixel("window background", s.At(1, 1), face);
        m.Pixel("window background between controls", s.At(between.x, between.y), face);
        m.Pixel("txtHTML background", Inside(s, form.txtHTML.hWnd(), -2, 4), window);
        m.Shows("txtHTML text", s, s.ClientOf(form.txtHTML.hWnd()), windowText);
        m.Pixel("txtVB background", Inside(s, form.txtVB.hWnd(), -2, 4), window);
        m.Shows("txtVB text", s, s.ClientOf(form.txtVB.hWnd()), windowText);
        m.Pixel("Label1 background", Inside(s, form.Label1.hWnd(), 1, 1), face);
        m.Shows("Label1 text", s, s.ClientOf(form.Label1.hWnd()), windowText);
        m.Shows("Label5 text", s, s.ClientOf(form.Label5.hWnd()), windowText);
        m.Shows("Label2 text", s, s.ClientOf(form.Label2.hWnd()), Changed(COLOR_BTNTEXT));
        m.Pixel("swatch", Inside(s, form.picColorDisplay.hWnd(), 4, 4), face);
        m.Pixel("view", Inside(s, form.picZoom.hWnd(), 3, 3), face);
        m.Pixel("view, lower right", Inside(s, form.picZoom.hWnd(), -3, -3), face);
        // What the layout fixes.
        m.Pixel("Label2 background", Inside(s, form.Label2.hWnd(), 2, 2), RGB(255, 255, 192));
        m.Pixel("txtRed background", Inside(s, form.txtRed.hWnd(), 1, 4), RGB(192, 0, 0));
        m.Shows("txtRed text", s, s.ClientOf(form.txtRed.hWnd()), RGB(255, 192, 192));
        m.Pixel("txtGreen background", Inside(s, form.txtGreen.hWnd(), 1, 4), RGB(0, 192, 0));
        m.Pixel("txtBlue background", Inside(s, form.txtBlue.hWnd(), 1, 4), RGB(0, 0, 192));
        return m;
    });
    EXPECT_TRUE(found.None()) << found.Text();
}

TEST_F(SystemColoursTest, AFrozenReadingKeepsItsColoursWhenTheSystemColoursChange) {
    app::FrmMain& form = Form();
    const test_support::TargetWindow mosaic(RECT{40, 40, 88, 88}, &test_support::Mosaic);
    // The timer is off: the reading is frozen as it was taken.
    Zoom().UpdateZoom(mosaic.ScreenPoint(20, 20));
    Readout().Show(0x563412);
    ChangedSystemColours colours;
    colours.Change();

    const Mismatches found = WaitForScreen(form.hWnd(), [&](const OnScreen& s) {
        Mismatches m;
        m.Pixel("window background", s.At(1, 1), Changed(COLOR_BTNFACE));
        m.Pixel("swatch", Inside(s, form.picColorDisplay.hWnd(), 4, 4), 0x563412);
        // The top-left block is the screen pixel 5 left of and 5 above the pointer's.
        m.Pixel("view", Inside(s, form.picZoom.hWnd(), 3, 3), test_support::Mosaic(15, 15));
        return m;
    });
    EXPECT_TRUE(found.None()) << found.Text();
    EXPECT_EQ(form.txtHTML.Text(), L"#123456");
}

ChangedSystemColours* g_colours = nullptr;
Mismatches g_aboutFound;
bool g_aboutSeen = false;

void CALLBACK ChangeColoursWhileAboutIsOpen(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND about = FindWindowW(about::layout::kAboutClassName, nullptr);
    if (!about || !IsWindowVisible(about)) {
        return; // not up yet: the timer comes again
    }
    KillTimer(nullptr, id);
    g_aboutSeen = true;
    g_colours->Change();
    const HWND title = GetDlgItem(about, about::layout::kIdLblTitle);
    const Separator line = AboutSeparator(about);
    g_aboutFound = WaitForScreen(about, [&](const OnScreen& s) {
        Mismatches m;
        m.Pixel("background", s.At(2, 2), Changed(COLOR_BTNFACE));
        m.Pixel("above the separator", s.At(line.x, line.shadowRow - 1), Changed(COLOR_BTNFACE));
        m.Pixel("Line1(1), the shadow", s.At(line.x, line.shadowRow), Changed(COLOR_BTNSHADOW));
        m.Pixel("Line1(0), the highlight", s.At(line.x, line.highlightRow),
                Changed(COLOR_BTNHIGHLIGHT));
        m.Shows("the title's blue", s, s.ClientOf(title), RGB(0, 0, 192));
        return m;
    });
    SendMessageW(GetDlgItem(about, about::layout::kIdCmdOK), BM_CLICK, 0, 0);
}

TEST_F(SystemColoursTest, TheOpenAboutWindowTakesTheNewSystemColours) {
    ChangedSystemColours colours;
    g_colours = &colours;
    g_aboutSeen = false;
    ASSERT_TRUE(test_support::BringToForeground(Form().hWnd()))
        << "the main window cannot be made the foreground window";
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &ChangeColoursWhileAboutIsOpen);
    Form().cmdAbout_Click();
    KillTimer(nullptr, timer);
    g_colours = nullptr;
    ASSERT_TRUE(g_aboutSeen);
    EXPECT_TRUE(g_aboutFound.None()) << g_aboutFound.Text();
}

} // namespace
} // namespace window_tests
