// The About window of the real program, opened with a click on "About" and closed with the
// keys and clicks of a user: its frame and place, its modality, each way of closing it, a
// second showing, and the sampling state across it.
#include "tests/e2e/session.h"
#include "tests/e2e/text.h"

#include "about/about_layout.h"
#include "app/main_layout.h"

#include <string>
#include <vector>

namespace e2e {
namespace {

using about::layout::kAboutClassName;
using app::layout::kIdChkOnTop;
using app::layout::kIdCmdAbout;
using app::layout::kIdCmdExit;

constexpr int kIdOk = IDOK;

// One child window of the About window as the user sees it, and as a screen reader hears it.
struct Child {
    int id;
    std::wstring className;
    std::wstring text;
    std::wstring spoken;
    friend bool operator==(const Child&, const Child&) = default;
};

void PrintTo(const Child& c, std::ostream* out) {
    *out << c.id << ' ' << testing::PrintToString(c.text) << " heard as "
         << testing::PrintToString(c.spoken);
}

std::vector<Child> Children(HWND window) {
    std::vector<Child> children;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) -> BOOL {
            const AccessibleObject spoken(child);
            reinterpret_cast<std::vector<Child>*>(list)->push_back(
                {GetDlgCtrlID(child), ClassName(child), WindowText(child),
                 spoken.Name().value_or(L"(no name)")});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

std::wstring TextOf(const std::vector<Child>& children, int id) {
    for (const Child& c : children) {
        if (c.id == id) {
            return c.text;
        }
    }
    return L"(no control " + std::to_wstring(id) + L")";
}

class AboutTest : public VorlithTest {
  protected:
    // A real click on "About"; the About window once it shows, or null.
    HWND OpenAbout() {
        MouseClick(ClientCentre(Control(kIdCmdAbout)));
        HWND about = nullptr;
        WaitUntil([&] { return (about = App().VisibleWindowOfClass(kAboutClassName)) != nullptr; });
        return about;
    }

    // The About window has gone and the main window takes input again.
    testing::AssertionResult Closed(HWND about) {
        const bool gone = WaitUntil([&] { return !IsWindow(about) || !IsWindowVisible(about); });
        if (!gone) {
            return testing::AssertionFailure() << "the About window is still open";
        }
        if (!WaitUntil([&] { return IsWindowEnabled(App().Main()) != FALSE; })) {
            return testing::AssertionFailure() << "the main window stays disabled";
        }
        if (App().VisibleTopLevelWindows() != std::vector<HWND>{App().Main()}) {
            return testing::AssertionFailure() << "another window of the program is visible";
        }
        if (!App().Running()) {
            return testing::AssertionFailure() << "the program ended";
        }
        return testing::AssertionSuccess();
    }

    HWND Focus() { return FocusOf(App().ThreadId()); }

    // The main window becomes the foreground window again; otherwise, what is active instead.
    testing::AssertionResult MainActiveAgain() {
        if (WaitUntil([&] { return GetForegroundWindow() == App().Main(); })) {
            return testing::AssertionSuccess();
        }
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(App().ThreadId(), &info);
        const HWND foreground = GetForegroundWindow();
        return testing::AssertionFailure()
               << "the main window is not active again: the foreground window is " << foreground
               << " (" << Narrow(ClassName(foreground)) << "), the program's active "
               << info.hwndActive << " and focus " << info.hwndFocus << ", the main window "
               << App().Main();
    }
};

// --- Opening -------------------------------------------------------------------------------

using About = AboutTest;

TEST_F(About, OpensCentredOverTheMainWindowWhichItOwns) {
    HWND main = App().Main();
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr) << "no About window";

    EXPECT_EQ(WindowText(about), L"About");
    const SIZE client = ClientSize(about);
    // 382 x 208 pixels at 96 per inch.
    const int dpi = static_cast<int>(GetDpiForWindow(about));
    EXPECT_EQ(client.cx, platform::TwipsToPixels(about::layout::kClientWidth, dpi));
    EXPECT_EQ(client.cy, platform::TwipsToPixels(about::layout::kClientHeight, dpi));
    EXPECT_EQ(GetWindow(about, GW_OWNER), main);
    EXPECT_FALSE(Style(about) & WS_CHILD);
    const POINT aboutCentre = RectCentre(WindowRect(about));
    const POINT mainCentre = RectCentre(WindowRect(main));
    EXPECT_NEAR(aboutCentre.x, mainCentre.x, 1);
    EXPECT_NEAR(aboutCentre.y, mainCentre.y, 1);

    EXPECT_FALSE(IsWindowEnabled(main)) << "the main window takes input";
    EXPECT_EQ(GetForegroundWindow(), about);
    EXPECT_TRUE(WaitUntil([&] { return Focus() == GetDlgItem(about, kIdOk); }))
        << "the focus is not on OK";
    EXPECT_EQ(WindowText(GetDlgItem(about, kIdOk)), L"OK");

    MouseClick(ClientCentre(GetDlgItem(about, kIdOk)));
    EXPECT_TRUE(Closed(about));
}

// While About is open the main window's controls do nothing, even where the user can reach
// them: the About window is moved off the main window first, as a user would drag it.
TEST_F(About, MainWindowTakesNoClicksWhileOpen) {
    HWND main = App().Main();
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr) << "no About window";
    const RECT mainRect = WindowRect(main);
    SetWindowPos(about, nullptr, 0, mainRect.bottom + 10, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] {
        RECT both{};
        const RECT aboutRect = WindowRect(about);
        return IntersectRect(&both, &aboutRect, &mainRect) == FALSE;
    })) << "the About window could not be moved aside";

    const POINT exitCentre = ClientCentre(Control(kIdCmdExit));
    ASSERT_EQ(GetAncestor(WindowFromPoint(exitCentre), GA_ROOT), main) << "Exit is covered";
    MouseClick(exitCentre);
    MouseClick(ClientCentre(Control(kIdChkOnTop)));
    MouseClick(ClientCentre(Control(kIdCmdAbout)));
    // The clicks went into the input queue before this key: once the key has been handled,
    // so have they.
    ASSERT_TRUE(Type(VK_SHIFT));

    EXPECT_TRUE(App().Running()) << "Exit ended the program";
    EXPECT_EQ(SendWithTimeout(Control(kIdChkOnTop), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(App().VisibleTopLevelWindows().size(), 2u) << "a second About window opened";
    EXPECT_TRUE(IsWindowVisible(about));
    EXPECT_FALSE(IsWindowEnabled(main));

    MouseClick(ClientCentre(GetDlgItem(about, kIdOk)));
    EXPECT_TRUE(Closed(about));
}

// A second showing is loaded afresh: a text changed and a move made in the first are gone, and
// the texts, the place and the focus are those of the first showing.
TEST_F(About, SecondShowingIsFreshWithTheSameTexts) {
    HWND first = OpenAbout();
    ASSERT_NE(first, nullptr) << "no About window";
    const std::vector<Child> firstChildren = Children(first);
    const RECT firstRect = WindowRect(first);
    EXPECT_EQ(TextOf(firstChildren, about::layout::kIdLblTitle), L"Vorlith v2.0");
    EXPECT_EQ(TextOf(firstChildren, about::layout::kIdLblDescription),
              L"Any bugs or suggestions please send e-mail to me.");
    EXPECT_FALSE(TextOf(firstChildren, about::layout::kIdLabel1).empty());
    EXPECT_FALSE(TextOf(firstChildren, about::layout::kIdLabel3).empty());

    const HWND title = GetDlgItem(first, about::layout::kIdLblTitle);
    SendWithTimeout(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"changed"));
    ASSERT_EQ(WindowText(title), L"changed");
    SetWindowPos(first, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(Closed(first));

    ASSERT_TRUE(MakeForeground(App().Main()));
    HWND second = OpenAbout();
    ASSERT_NE(second, nullptr) << "the second About did not open";
    EXPECT_EQ(Children(second), firstChildren);
    const RECT secondRect = WindowRect(second);
    EXPECT_TRUE(EqualRect(&secondRect, &firstRect)) << "not centred over the main window again";
    EXPECT_TRUE(WaitUntil([&] { return Focus() == GetDlgItem(second, kIdOk); }))
        << "the focus is not on OK";
    PressKey(VK_RETURN);
    EXPECT_TRUE(Closed(second));
}

// A screen reader hears each label and "OK" by the text it shows.
TEST_F(About, ScreenReaderHearsTheLabelsAndOk) {
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr) << "no About window";
    const std::vector<Child> children = Children(about);
    EXPECT_EQ(children.size(), 5u);
    for (const Child& c : children) {
        SCOPED_TRACE(testing::PrintToString(c));
        EXPECT_EQ(c.spoken, c.text);
    }
    EXPECT_EQ(TextOf(children, kIdOk), L"OK");
    PressKey(VK_RETURN);
    EXPECT_TRUE(Closed(about));
}

// --- Closing -------------------------------------------------------------------------------

enum class Closer { EnterKey, EscKey, OkClick, CloseBoxClick };

struct CloseCase {
    const char* name;
    Closer closer;
};

void PrintTo(const CloseCase& c, std::ostream* out) {
    *out << c.name;
}

const CloseCase kCloseCases[] = {
    {"Enter", Closer::EnterKey},
    {"Esc", Closer::EscKey},
    {"OkClick", Closer::OkClick},
    {"CloseBoxClick", Closer::CloseBoxClick},
};

class AboutCloses : public AboutTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(AboutCloses, AndTheMainWindowTakesInputAgain) {
    const CloseCase& c = GetParam();
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr) << "no About window";
    ASSERT_TRUE(WaitUntil([&] { return Focus() == GetDlgItem(about, kIdOk); }));
    // As a user would, close it once it has come up: the program has run what its showing
    // brought (under Wine, closing it before that now and then left no window active).
    ASSERT_TRUE(Settled());

    switch (c.closer) {
    case Closer::EnterKey: PressKey(VK_RETURN); break;
    case Closer::EscKey: PressKey(VK_ESCAPE); break;
    case Closer::OkClick: MouseClick(ClientCentre(GetDlgItem(about, kIdOk))); break;
    case Closer::CloseBoxClick: {
        const std::optional<POINT> closeBox = CloseBoxPoint(about);
        ASSERT_TRUE(closeBox.has_value()) << "no close box";
        MouseClick(*closeBox);
        break;
    }
    }
    EXPECT_TRUE(Closed(about));
    EXPECT_TRUE(MainActiveAgain());
    EXPECT_TRUE(PointAt(TargetB(), kColourB)) << "not sampling";
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutCloses, testing::ValuesIn(kCloseCases), CaseName<CloseCase>);

// --- The sampling state across About -------------------------------------------------------

class AboutKeepsTheSampling : public AboutTest, public testing::WithParamInterface<bool> {};

// Frozen stays frozen and live stays live; the hotkeys typed while About is open go to About
// and change nothing.
TEST_P(AboutKeepsTheSampling, AsItWasBeforeOpening) {
    const bool frozen = GetParam();
    if (frozen) {
        ASSERT_TRUE(Type('G', {VK_CONTROL}));
    }
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr) << "no About window";
    MovePointer(TargetB().Centre());
    if (frozen) {
        EXPECT_TRUE(ReadingStaysFrozen(kColourA.reading)) << "the reading changed behind About";
        ASSERT_TRUE(Type('F', {VK_CONTROL}));
    } else {
        ASSERT_TRUE(Type('G', {VK_CONTROL}));
    }
    PressKey(VK_RETURN);
    ASSERT_TRUE(Closed(about));
    ASSERT_TRUE(MainActiveAgain());

    if (frozen) {
        EXPECT_TRUE(ReadingStaysFrozen(kColourA.reading)) << "no longer frozen";
        PressKey('F', {VK_CONTROL});
        EXPECT_TRUE(ReadingBecomes(App(), kColourB.reading)) << "Ctrl+F did not resume";
    } else {
        EXPECT_TRUE(ReadingBecomes(App(), kColourB.reading)) << "no longer live";
        EXPECT_TRUE(PointAt(TargetA(), kColourA)) << "no longer live";
    }
}

INSTANTIATE_TEST_SUITE_P(States, AboutKeepsTheSampling, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& param) {
                             return std::string(param.param ? "Frozen" : "Live");
                         });

} // namespace
} // namespace e2e
