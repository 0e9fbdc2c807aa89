// The main window's reading display and layout, driven through its own handlers.
#include "tests/window/caption.h"
#include "tests/window/window_fixture.h"

#include "tests/support/capture.h"
#include "tests/support/foreground.h"
#include "tests/support/process_windows.h"
#include "tests/support/target_window.h"
#include "tests/support/wait.h"

#include "platform/accessible.h"

#include <ole2.h>
#include <oleacc.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace window_tests {
namespace {

struct Shown {
    const wchar_t* html;
    const wchar_t* red;
    const wchar_t* green;
    const wchar_t* blue;
    const wchar_t* vb;
};

// What the swatch shows, painted into a bitmap of our own: its top-left and bottom-right pixels.
struct SwatchCorners {
    COLORREF topLeft;
    COLORREF bottomRight;
};

SwatchCorners PaintedSwatch(app::FrmMain& form) {
    const auto swatch = test_support::Capture::Painted(form.picColorDisplay.hWnd());
    return {swatch.At(0, 0), swatch.At(swatch.Width() - 1, swatch.Height() - 1)};
}

void ExpectShown(app::FrmMain& form, const Shown& expected) {
    EXPECT_EQ(form.txtHTML.Text(), expected.html);
    EXPECT_EQ(form.txtRed.Text(), expected.red);
    EXPECT_EQ(form.txtGreen.Text(), expected.green);
    EXPECT_EQ(form.txtBlue.Text(), expected.blue);
    EXPECT_EQ(form.txtVB.Text(), expected.vb);
}

TEST_F(MainWindowTest, UnreadablePixelShowsNoColourUntilTheNextReadablePixel) {
    Readout().Show(0x563412);
    ExpectShown(Form(), {L"#123456", L"18", L"52", L"86", L"&H00563412&"});
    EXPECT_EQ(Form().picColorDisplay.BackColor(), 0x563412);

    // CLR_INVALID: a failed read must not turn into #FFFFFF or a long literal.
    Readout().Show(CLR_INVALID);
    ExpectShown(Form(), {L"", L"", L"", L"", L""});
    EXPECT_EQ(PaintedSwatch(Form()).topLeft, GetSysColor(COLOR_BTNFACE));

    // A value with a non-zero top byte is no screen colour either.
    Readout().Show(0x01000000);
    ExpectShown(Form(), {L"", L"", L"", L"", L""});

    Readout().Show(0x0000FF);
    ExpectShown(Form(), {L"#FF0000", L"255", L"0", L"0", L"&H000000FF&"});
    EXPECT_EQ(Form().picColorDisplay.BackColor(), 0x0000FF);
}

// Ctrl+C with no colour shown copies nothing: the clipboard keeps what another program left.
TEST_F(MainWindowTest, CopyWithNoColourShownLeavesTheClipboard) {
    test_support::SetClipboardText(Form().hWnd(), L"kept");
    Readout().Show(CLR_INVALID);
    Form().CopyHtmlCode();
    EXPECT_EQ(test_support::ClipboardText(), L"kept");
    Readout().Show(0x563412);
    Form().CopyHtmlCode();
    EXPECT_EQ(test_support::ClipboardText(), L"#123456");
}

TEST_F(MainWindowTest, TypedTextIsOverwrittenByTheNextReading) {
    Form().txtHTML.SetText(L"typed by the user");
    Form().txtRed.SetText(L"x");
    Readout().Show(0x000000);
    ExpectShown(Form(), {L"#000000", L"0", L"0", L"0", L"&H00000000&"});
}

TEST_F(MainWindowTest, SwatchPaintsTheReadingsColour) {
    Readout().Show(0x0A0B0C);
    const SwatchCorners swatch = PaintedSwatch(Form());
    EXPECT_EQ(swatch.topLeft, 0x0A0B0Cu);
    EXPECT_EQ(swatch.bottomRight, 0x0A0B0Cu);
}

TEST_F(MainWindowTest, HotkeysSwitchOnlyTheTimer) {
    Form().Timer1.SetEnabled(true);
    struct Case {
        std::int16_t key;
        std::int16_t shift;
        bool enabledAfter;
    };
    const Case cases[] = {
        {'G', 2, false}, // Ctrl+G freezes
        {'G', 2, false}, // and again: still frozen
        {'F', 3, false}, // Ctrl+Shift+F: nothing
        {'F', 6, false}, // Ctrl+Alt+F (AltGr): nothing
        {'F', 2, true},  // Ctrl+F resumes
        {'F', 2, true},  // and again: still live
        {'G', 4, true},  // Alt+G: nothing
        {'G', 0, true},  // G alone: nothing
        {'G', 3, true},  // Ctrl+Shift+G: nothing
    };
    for (const Case& c : cases) {
        std::int16_t key = c.key;
        std::int16_t shift = c.shift;
        Form().Form_KeyDown(key, shift);
        EXPECT_EQ(Form().Timer1.Enabled(), c.enabledAfter)
            << "key " << c.key << " shift " << c.shift;
        // The key goes on to the control unchanged.
        EXPECT_EQ(key, c.key);
        EXPECT_EQ(shift, c.shift);
    }
    Form().Timer1.SetEnabled(false);
}

// The swatch's announcements to screen readers (a value change, a live region change), each
// with the colour the swatch showed as it was made: the hook runs in context, inside the call
// that raises the event.
constexpr DWORD kLiveRegionChanged = 0x8019; // EVENT_OBJECT_LIVEREGIONCHANGED
const platform::PictureBox* g_swatch = nullptr;
std::vector<std::pair<DWORD, COLORREF>> g_announced;

void CALLBACK SeeTheSwatchAnnounce(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child,
                                   DWORD, DWORD) {
    if ((event == EVENT_OBJECT_VALUECHANGE || event == kLiveRegionChanged) &&
        hwnd == g_swatch->hWnd() && object == OBJID_CLIENT && child == CHILDID_SELF) {
        g_announced.emplace_back(event, static_cast<COLORREF>(g_swatch->BackColor()));
    }
}

// Keys typed while a tick lets pending events run are handled there. A freeze keeps the reading
// that the tick then takes, and the swatch announces that reading once the tick has taken it; a
// freeze and a release together leave the reading live, with nothing announced. A tick that a
// menu's loop runs leaves the keys to the menu.
TEST_F(MainWindowTest, KeysTakenWithinATickAnnounceOnlyTheReadingItFreezes) {
    constexpr COLORREF kUnder = 0x563412;
    const test_support::TargetWindow target(RECT{40, 40, 88, 88}, kUnder);
    const POINT centre = target.Centre();
    SetCursorPos(centre.x, centre.y);
    ASSERT_TRUE(test_support::BringToForeground(Form().hWnd()));
    g_swatch = &Form().picColorDisplay;
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_VALUECHANGE, kLiveRegionChanged, GetModuleHandleW(nullptr),
                        &SeeTheSwatchAnnounce, GetCurrentProcessId(), 0, WINEVENT_INCONTEXT);
    ASSERT_NE(hook, nullptr);
    struct Case {
        const char* typed;
        std::vector<WORD> letters; // with Ctrl held
        bool inMenu;
        bool liveAfter;
        std::vector<std::pair<DWORD, COLORREF>> announced;
    };
    const Case cases[] = {
        {"Ctrl+G",
         {'G'},
         false,
         false,
         {{EVENT_OBJECT_VALUECHANGE, kUnder}, {kLiveRegionChanged, kUnder}}},
        {"Ctrl+G Ctrl+F", {'G', 'F'}, false, true, {}},
        {"Ctrl+G while a menu is open", {'G'}, true, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Readout().Show(0xABCDEF); // the last reading before the tick
        Form().Timer1.SetEnabled(true);
        std::vector<INPUT> keys(1, INPUT{INPUT_KEYBOARD, {.ki = {VK_CONTROL, 0, 0, 0, 0}}});
        for (const WORD letter : c.letters) {
            keys.push_back(INPUT{INPUT_KEYBOARD, {.ki = {letter, 0, 0, 0, 0}}});
            keys.push_back(INPUT{INPUT_KEYBOARD, {.ki = {letter, 0, KEYEVENTF_KEYUP, 0, 0}}});
        }
        keys.push_back(INPUT{INPUT_KEYBOARD, {.ki = {VK_CONTROL, 0, KEYEVENTF_KEYUP, 0, 0}}});
        ASSERT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)),
                  keys.size());
        g_announced.clear();
        if (c.inMenu) {
            SendMessageW(Form().hWnd(), WM_ENTERMENULOOP, FALSE, 0);
        }
        Form().Timer1_Timer();
        EXPECT_EQ(HIWORD(GetQueueStatus(QS_KEY)) != 0, c.inMenu) << "keys left for after the tick";
        if (c.inMenu) {
            SendMessageW(Form().hWnd(), WM_EXITMENULOOP, FALSE, 0);
            for (MSG key{}; PeekMessageW(&key, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE);) {
            }
        }
        EXPECT_EQ(Form().Timer1.Enabled(), c.liveAfter);
        EXPECT_EQ(g_announced, c.announced) << "events with the swatch's colour then";
        Form().Timer1.SetEnabled(false);
    }
    UnhookWinEvent(hook);
}

// The dialog frame shows no icon in its title bar; the task bar and the task switcher still get
// the program's icon when they ask the window for it.
TEST_F(MainWindowTest, TitleBarShowsNoIconWhileTheWindowAnswersForIt) {
    const HWND main = Form().hWnd();
    EXPECT_NE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0) << "no dialog frame";
    EXPECT_EQ(TitleBarIcon(main), nullptr)
        << "the window or its class holds an icon, which the title bar would show";
    if (UnderWine()) {
        RedrawWindow(main, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        ASSERT_TRUE(test_support::WaitUntil([&] { return TitleBarDrawn(main); }))
            << "the title bar did not show its caption colour within 15 s";
        EXPECT_EQ(IconColoursInTitleBar(main), 0) << "Wine drew an icon in the title bar";
    }
    for (const WPARAM which : {ICON_BIG, ICON_SMALL, ICON_SMALL2}) {
        const auto icon = reinterpret_cast<HICON>(SendMessageW(main, WM_GETICON, which, 0));
        EXPECT_EQ(IconColours(icon), 3) << "WM_GETICON " << which << " gives " << icon;
    }
}

TEST_F(MainWindowTest, LayoutFollowsTheDensityWhenItChanges) {
    const HWND main = Form().hWnd();
    RECT window{};
    GetWindowRect(main, &window);
    // What the system sends when the window moves to a monitor of 144 pixels per inch.
    RECT suggested = window;
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(Form().Dpi(), 144);

    // 2895 x 3375 twips are 289.5 x 337.5 pixels at 144 per inch, rounded up.
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 290);
    EXPECT_EQ(client.bottom, 338);

    // picZoom: 120, 480, 1215, 1215 twips; its edges at 12, 48 and 133.5, 169.5 pixels.
    RECT zoom{};
    GetWindowRect(Form().picZoom.hWnd(), &zoom);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&zoom), 2);
    EXPECT_EQ(zoom.left, 12);
    EXPECT_EQ(zoom.top, 48);
    EXPECT_EQ(zoom.right - zoom.left, 122);
    // The magnifier reads its new size: a client area inside the 2-pixel border.
    EXPECT_EQ(Form().picZoom.ScaleWidth(), 118.0f);

    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&window));
    EXPECT_EQ(Form().picZoom.ScaleWidth(), 77.0f);
}

// The text boxes' windows that ended while the object of theirs was still behind them or their
// procedure still the program's: WM_NCDESTROY as the hook sees it, before any procedure.
std::vector<HWND> g_boxes;
LONG_PTR g_programProcedure = 0;
int g_boxesEnded = 0;
int g_endedReachingTheObject = 0;

LRESULT CALLBACK SeeTheBoxesEnd(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_NCDESTROY &&
        std::count(g_boxes.begin(), g_boxes.end(), sent->hwnd)) {
        ++g_boxesEnded;
        g_endedReachingTheObject +=
            GetWindowLongPtrW(sent->hwnd, GWLP_USERDATA) != 0 ||
            GetWindowLongPtrW(sent->hwnd, GWLP_WNDPROC) == g_programProcedure;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A procedure that someone else (an input method, a tool) sets in front of a text box's later,
// calling on to the one it found there; as the box ends, it asks the length of its text.
WNDPROC g_foundThere = nullptr;
int g_laterProcedureSawTheEnd = 0;
LRESULT g_lengthAsTheBoxEnds = -1;

LRESULT CALLBACK LaterProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        g_lengthAsTheBoxEnds = CallWindowProcW(g_foundThere, hwnd, WM_GETTEXTLENGTH, 0, 0);
    }
    g_laterProcedureSawTheEnd += message == WM_NCDESTROY;
    return CallWindowProcW(g_foundThere, hwnd, message, wParam, lParam);
}

// A text box has a procedure of the program's in front of the system's, which finds its object
// through the window. When the object goes first (the end of every test here), the system's
// procedure is back and the window holds no pointer to the object before the window ends. A
// procedure set in front of the program's later stays in front to the end, and what it passes
// on still reaches the system's.
TEST_F(MainWindowTest, TextBoxesEndWithoutReachingTheirGoneObjects) {
    g_boxes = {Form().txtHTML.hWnd(), Form().txtVB.hWnd(), Form().txtRed.hWnd(),
               Form().txtGreen.hWnd(), Form().txtBlue.hWnd()};
    g_programProcedure = GetWindowLongPtrW(g_boxes.front(), GWLP_WNDPROC);
    Form().txtVB.SetText(L"&H00563412&");
    g_foundThere = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        Form().txtVB.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProcedure)));
    const HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROC, &SeeTheBoxesEnd, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    DestroyForm();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_boxesEnded, 5);
    EXPECT_EQ(g_endedReachingTheObject, 0) << "boxes that ended reaching their gone object";
    EXPECT_EQ(g_laterProcedureSawTheEnd, 1) << "the procedure set later was taken out";
    EXPECT_EQ(g_lengthAsTheBoxEnds, 11) << "what it passed on did not reach the system's";
}

// A screen reader gets the same object of a control on every request, and gives back what it
// took: however often it asks, one object lives per control, and it goes when the control's
// window and the last reader have let go of it.
TEST_F(MainWindowTest, ScreenReaderObjectsAreOnePerControlAndGoWithItsWindow) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    // A system control (a text box) and one of the program's own (a picture box).
    for (const HWND control : {Form().txtRed.hWnd(), Form().picZoom.hWnd()}) {
        SCOPED_TRACE(testing::Message() << "control " << GetDlgCtrlID(control));
        const int before = platform::LiveAccessibleObjectsForTesting();
        const auto ask = [control] {
            void* object = nullptr;
            AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                       platform::kIidIAccessible, &object);
            return static_cast<IAccessible*>(object);
        };
        IAccessible* const first = ask();
        ASSERT_NE(first, nullptr);
        first->Release();
        for (int request = 0; request < 3; ++request) {
            IAccessible* const again = ask();
            ASSERT_NE(again, nullptr);
            EXPECT_EQ(again, first) << "a new object for request " << request;
            again->Release();
        }
        EXPECT_EQ(platform::LiveAccessibleObjectsForTesting(), before + 1)
            << "objects for one control";
        IAccessible* const last = ask();
        ASSERT_NE(last, nullptr);
        DestroyWindow(control);
        EXPECT_EQ(platform::LiveAccessibleObjectsForTesting(), before + 1)
            << "gone while a reader held it";
        last->Release();
        EXPECT_EQ(platform::LiveAccessibleObjectsForTesting(), before)
            << "the object outlived its window";
    }
    CoUninitialize();
}

} // namespace
} // namespace window_tests
