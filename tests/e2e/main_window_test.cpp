// The real main window from outside: its frame and controls at 96 pixels per inch, the focus,
// its mark and the dialog keys, the shortcut menu and the clipboard, "Always on top", and the
// ways the program ends.
#include "tests/e2e/session.h"

#include "tests/support/desktop.h"

#include "app/main_layout.h"

#include <ole2.h>
#include <oleacc.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {
namespace {

using namespace app::layout;

constexpr wchar_t kEdit[] = L"Edit";
constexpr wchar_t kButton[] = L"Button";
constexpr wchar_t kStatic[] = L"Static";
constexpr wchar_t kPicture[] = L"VorlithPicture";

enum class Kind { Label, Picture, CheckBox, PushButton, TextCentred, TextLeft };

struct ControlCase {
    const char* name;
    int id;
    Kind kind;
    const wchar_t* caption; // null for the text boxes, whose text the ticks overwrite
    RECT pixels;            // left, top, right, bottom in the client area at 96 dpi
    const wchar_t* spoken;  // the name a screen reader hears
};

void PrintTo(const ControlCase& c, std::ostream* out) {
    *out << c.name;
}

constexpr RECT Px(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

// Every control's place in pixels at 96 pixels per inch, with its caption.
const ControlCase kControls[] = {
    {"Label2", kIdLabel2, Kind::Label, L"Ctrl+G to Pick <-> Ctrl+F to Release", Px(8, 8, 177, 17),
     L"Ctrl+G to Pick <-> Ctrl+F to Release"},
    {"picZoom", kIdPicZoom, Kind::Picture, nullptr, Px(8, 32, 81, 81), L"Magnified view"},
    {"picColorDisplay", kIdPicColorDisplay, Kind::Picture, nullptr, Px(96, 32, 89, 33), L"Colour"},
    {"chkGrid", kIdChkGrid, Kind::CheckBox, L"Show Grid", Px(96, 72, 89, 17), L"Show Grid"},
    {"chkOnTop", kIdChkOnTop, Kind::CheckBox, L"Always on top", Px(96, 96, 89, 17),
     L"Always on top"},
    {"txtRed", kIdTxtRed, Kind::TextCentred, nullptr, Px(8, 120, 49, 19), L"Red"},
    {"txtGreen", kIdTxtGreen, Kind::TextCentred, nullptr, Px(72, 120, 49, 19), L"Green"},
    {"txtBlue", kIdTxtBlue, Kind::TextCentred, nullptr, Px(136, 120, 49, 19), L"Blue"},
    {"Label1", kIdLabel1, Kind::Label, L"HTML Code", Px(8, 144, 97, 17), L"HTML Code"},
    {"txtHTML", kIdTxtHtml, Kind::TextLeft, nullptr, Px(104, 144, 81, 19), L"HTML Code"},
    {"Label5", kIdLabel5, Kind::Label, L"Visual Basic Code", Px(8, 168, 97, 17),
     L"Visual Basic Code"},
    {"txtVB", kIdTxtVb, Kind::TextLeft, nullptr, Px(104, 168, 81, 19), L"Visual Basic Code"},
    {"cmdAbout", kIdCmdAbout, Kind::PushButton, L"About", Px(8, 192, 113, 25), L"About"},
    {"cmdExit", kIdCmdExit, Kind::PushButton, L"Exit", Px(136, 192, 49, 25), L"Exit"},
};

std::string NameOfControl(HWND hwnd) {
    if (hwnd == nullptr) {
        return "(no focus)";
    }
    const int id = GetDlgCtrlID(hwnd);
    for (const ControlCase& c : kControls) {
        if (c.id == id) {
            return c.name;
        }
    }
    return "(window " + std::to_string(id) + ")";
}

// The layout tests only look: one program serves them all.
class MainWindowLayout : public testing::TestWithParam<ControlCase> {
  protected:
    static void TearDownTestSuite() { app_.reset(); }
    void SetUp() override {
        if (!app_ || !app_->Running()) {
            app_.reset();
            app_.emplace(VorlithProcess::Launch());
        }
    }
    static std::optional<VorlithProcess> app_;
};

std::optional<VorlithProcess> MainWindowLayout::app_;

TEST_P(MainWindowLayout, ControlHasItsClassPlaceCaptionAndStyle) {
    const ControlCase& c = GetParam();
    HWND control = app_->Control(c.id);
    if (c.caption != nullptr) {
        EXPECT_EQ(WindowText(control), c.caption);
    }

    const LONG_PTR style = Style(control);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_FALSE(style & WS_DISABLED);
    const std::wstring cls = ClassName(control);
    switch (c.kind) {
    case Kind::Label:
        EXPECT_EQ(cls, kStatic);
        EXPECT_EQ(style & SS_TYPEMASK, SS_CENTER) << "label text is centred";
        EXPECT_FALSE(style & WS_TABSTOP);
        break;
    case Kind::Picture:
        EXPECT_EQ(cls, kPicture);
        EXPECT_TRUE(style & WS_TABSTOP);
        break;
    case Kind::CheckBox:
        EXPECT_EQ(cls, kButton);
        EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
        EXPECT_TRUE(style & WS_TABSTOP);
        break;
    case Kind::PushButton:
        EXPECT_EQ(cls, kButton);
        EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << "no default button";
        EXPECT_TRUE(style & WS_TABSTOP);
        break;
    case Kind::TextCentred:
    case Kind::TextLeft:
        EXPECT_EQ(cls, kEdit);
        EXPECT_EQ(style & (ES_CENTER | ES_RIGHT),
                  c.kind == Kind::TextCentred ? ES_CENTER : ES_LEFT);
        EXPECT_FALSE(style & ES_MULTILINE);
        EXPECT_FALSE(style & ES_READONLY);
        EXPECT_TRUE(style & WS_TABSTOP);
        break;
    }

    // The places in the table are the layout's pixels at 96 per inch; the HighDpi suite has
    // those at 120 and 144.
    if (const UINT dpi = GetDpiForWindow(app_->Main()); dpi != 96) {
        GTEST_SKIP() << "class, caption and style checked; the place not: the table is in pixels "
                        "at 96 per inch and the desktop is at "
                     << dpi;
    }
    const RECT rect = RectInParent(control);
    EXPECT_EQ(rect.left, c.pixels.left);
    EXPECT_EQ(rect.top, c.pixels.top);
    EXPECT_EQ(rect.right - rect.left, c.pixels.right - c.pixels.left) << "width";
    EXPECT_EQ(rect.bottom - rect.top, c.pixels.bottom - c.pixels.top) << "height";
}

// The role a screen reader hears where the program sets it or the system's text box gives it;
// 0 where it is the system's own for a label or a button, which differs from system to system.
long RoleOf(Kind kind) {
    switch (kind) {
    case Kind::Picture: return ROLE_SYSTEM_GRAPHIC;
    case Kind::TextCentred:
    case Kind::TextLeft: return ROLE_SYSTEM_TEXT;
    case Kind::Label:
    case Kind::CheckBox:
    case Kind::PushButton: return 0;
    }
    return 0;
}

// Asked from this process, as a screen reader asks from its own.
TEST_P(MainWindowLayout, ScreenReaderHearsItsNameAndRole) {
    const ControlCase& c = GetParam();
    const AccessibleObject object(app_->Control(c.id));
    ASSERT_TRUE(object) << "the control gives no accessible object";
    EXPECT_EQ(object.Name(), std::optional<std::wstring>(c.spoken));
    if (RoleOf(c.kind) != 0) {
        EXPECT_EQ(object.Role(), RoleOf(c.kind));
    }
    // Where the program gives the name or the role, a late-bound client (a script) hears it too.
    if (c.kind == Kind::Picture || c.kind == Kind::TextCentred || c.kind == Kind::TextLeft) {
        EXPECT_EQ(object.DispatchedText(DISPID_ACC_NAME), std::optional<std::wstring>(c.spoken))
            << "IDispatch";
    }
    if (c.kind == Kind::Picture) {
        EXPECT_EQ(object.DispatchedRole(), ROLE_SYSTEM_GRAPHIC) << "IDispatch";
    }
    // The object around the client area, through which a reader walks the windows, stays the
    // system's: a window (Wine's answers no question, role 0).
    const long frame = AccessibleObject(app_->Control(c.id), OBJID_WINDOW).Role();
    EXPECT_TRUE(frame == ROLE_SYSTEM_WINDOW || (test_support::UnderWine() && frame == 0))
        << "the window object's role is " << frame;
}

INSTANTIATE_TEST_SUITE_P(Controls, MainWindowLayout, testing::ValuesIn(kControls),
                         CaseName<ControlCase>);

using MainWindow = VorlithTest;

TEST_F(MainWindow, FrameCaptionAndClientArea) {
    HWND main = App().Main();
    EXPECT_EQ(WindowText(main), L"Vorlith v2.0");
    // 193 x 225 pixels at 96 per inch.
    const int dpi = static_cast<int>(GetDpiForWindow(main));
    const SIZE client = ClientSize(main);
    EXPECT_EQ(client.cx, platform::TwipsToPixels(kClientWidth, dpi));
    EXPECT_EQ(client.cy, platform::TwipsToPixels(kClientHeight, dpi));

    const LONG_PTR style = Style(main);
    EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU) << "close box";
    EXPECT_FALSE(style & WS_THICKFRAME) << "fixed size";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(ExStyle(main) & WS_EX_TOPMOST) << "starts in the normal layer";

    // The magnifier's 2-pixel sunken border leaves 77 x 77 pixels to draw in at 96 per inch.
    const platform::PixelRect picZoom = platform::TwipsToPixels(kPicZoom, dpi);
    const SIZE zoom = ClientSize(Control(kIdPicZoom));
    EXPECT_EQ(zoom.cx, picZoom.width - 4);
    EXPECT_EQ(zoom.cy, picZoom.height - 4);
}

TEST_F(MainWindow, StartsCentredOnTheScreen) {
    const RECT rect = WindowRect(App().Main());
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR(rect.left, screenWidth - rect.right, 1);
    EXPECT_NEAR(rect.top, screenHeight - rect.bottom, 1);
}

TEST_F(MainWindow, CheckBoxesStartUnticked) {
    EXPECT_EQ(SendWithTimeout(Control(kIdChkGrid), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendWithTimeout(Control(kIdChkOnTop), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// Background colours as drawn on the screen, one pixel inside each control's client area
// (where no text reaches).
TEST_F(MainWindow, ControlColoursOnTheScreen) {
    struct Expected {
        const char* name;
        int id;
        COLORREF colour;
    };
    const Expected expected[] = {
        {"txtRed", kIdTxtRed, RGB(192, 0, 0)},
        {"txtGreen", kIdTxtGreen, RGB(0, 192, 0)},
        {"txtBlue", kIdTxtBlue, RGB(0, 0, 192)},
        {"Label2", kIdLabel2, RGB(255, 255, 192)},
        {"txtHTML", kIdTxtHtml, GetSysColor(COLOR_WINDOW)},
        {"txtVB", kIdTxtVb, GetSysColor(COLOR_WINDOW)},
        {"Label1", kIdLabel1, GetSysColor(COLOR_BTNFACE)},
    };
    for (const Expected& e : expected) {
        const POINT inside = ClientToScreenPoint(Control(e.id), 1, 1);
        EXPECT_EQ(ScreenPixel(inside), e.colour)
            << std::hex << e.name << " expected 0x" << e.colour;
    }
}

// The five boxes give a screen reader the text they show whenever it asks, through an object
// it holds or one it asks for afresh: the reading live, frozen, and a text typed in. The swatch
// gives the HTML code of its colour (also to a late-bound client), and announces it once as the
// reading freezes, so that a reader says the colour picked: as a value change, for a reader on
// the swatch, and as a live region, heard wherever the focus is (here in HTML Code); never while
// the reading is live (twenty times a second), nor at a second Ctrl+G or at Ctrl+F.
TEST_F(MainWindow, ScreenReaderHearsWhatTheBoxesAndTheSwatchShow) {
    const int controls[] = {kIdTxtHtml, kIdTxtRed, kIdTxtGreen,
                            kIdTxtBlue, kIdTxtVb,  kIdPicColorDisplay};
    const auto shown = [](const Reading& r) {
        return std::vector<std::wstring>{r.html, r.red, r.green, r.blue, r.vb, r.html, r.html};
    };
    const HWND swatch = Control(kIdPicColorDisplay);
    constexpr DWORD kLiveRegionChanged = 0x8019; // EVENT_OBJECT_LIVEREGIONCHANGED
    const test_support::WinEventCounter valueChanges(swatch, EVENT_OBJECT_VALUECHANGE);
    const test_support::WinEventCounter liveRegionChanges(swatch, kLiveRegionChanged);
    const auto announced = [&] {
        return std::vector<int>{valueChanges.Count(), liveRegionChanges.Count()};
    };
    std::vector<std::unique_ptr<AccessibleObject>> held;
    for (const int id : controls) {
        held.push_back(std::make_unique<AccessibleObject>(Control(id)));
        ASSERT_TRUE(*held.back()) << "no accessible object for control " << id;
    }
    const auto heard = [&](bool afresh) {
        std::vector<std::wstring> values;
        for (size_t i = 0; i < std::size(controls); ++i) {
            values.push_back(
                (afresh ? AccessibleObject(Control(controls[i])).Value() : held[i]->Value())
                    .value_or(L"(no value)"));
        }
        // The swatch's, through IDispatch.
        values.push_back((afresh ? AccessibleObject(swatch).DispatchedText(DISPID_ACC_VALUE)
                                 : held.back()->DispatchedText(DISPID_ACC_VALUE))
                             .value_or(L"(no value)"));
        return values;
    };
    EXPECT_EQ(heard(false), shown(kColourA.reading));

    MovePointer(TargetB().Centre());
    ASSERT_TRUE(ReadingBecomes(App(), kColourB.reading));
    EXPECT_EQ(heard(false), shown(kColourB.reading)) << "held, live";
    EXPECT_EQ(heard(true), shown(kColourB.reading)) << "afresh, live";

    ASSERT_TRUE(PointAt(TargetA(), kColourA));
    EXPECT_EQ(announced(), (std::vector<int>{0, 0})) << "value and live region changes, live";
    ASSERT_TRUE(Type(VK_TAB));
    ASSERT_EQ(FocusOf(App().ThreadId()), Control(kIdTxtHtml)) << "Tab did not reach HTML Code";
    ASSERT_TRUE(FreezeOnA()) << "Ctrl+G did not freeze";
    EXPECT_TRUE(WaitUntil([&] {
        return announced() == std::vector<int>{1, 1};
    })) << "value and live region changes at the freeze: "
        << testing::PrintToString(announced());
    EXPECT_EQ(heard(false), shown(kColourA.reading)) << "held, frozen";
    EXPECT_EQ(heard(true), shown(kColourA.reading)) << "afresh, frozen";
    Reading typed = kColourA.reading;
    typed.green = L"typed";
    SendWithTimeout(Control(kIdTxtGreen), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed"));
    EXPECT_EQ(heard(false), shown(typed)) << "held, a text typed in";
    EXPECT_EQ(heard(true), shown(typed)) << "afresh, a text typed in";

    // Ctrl+G again while frozen, then live again: nothing more to announce.
    ASSERT_TRUE(Type('G', {VK_CONTROL}));
    ASSERT_TRUE(Type('F', {VK_CONTROL}));
    ASSERT_TRUE(ReadingBecomes(App(), kColourB.reading));
    EXPECT_TRUE(ReadingStaysWhileTicking(kColourB.reading, 20));
    EXPECT_EQ(announced(), (std::vector<int>{1, 1}))
        << "value and live region changes for one freeze";
}

// A copy of the program unpacked into a folder of its own, as into a user's Downloads, with a
// DLL of the test's (it leaves a mark when it loads) beside it as oleacc.dll, which Active
// Accessibility is: when a screen reader asks, the program loads the system's and never that one.
TEST(PlantedDll, NeverLoadsWhenAScreenReaderAsks) {
    wchar_t temp[MAX_PATH]{};
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder = temp + std::wstring(L"vorlith-planted\\");
    const std::wstring exe = folder + L"vorlith.exe";
    const std::wstring dll = folder + L"oleacc.dll";
    const std::wstring mark = dll + L".loaded";
    CreateDirectoryW(folder.c_str(), nullptr);
    DeleteFileW(mark.c_str());
    ASSERT_TRUE(CopyFileW(VorlithPath().c_str(), exe.c_str(), FALSE)) << GetLastError();
    ASSERT_TRUE(
        CopyFileW((DriverDirectory() + L"vorlith_e2e_planted.dll").c_str(), dll.c_str(), FALSE));
    // Wine takes its own oleacc.dll whatever lies beside a program; told to prefer a native one
    // for vorlith.exe (in the test run's own prefix), it searches as Windows does.
    constexpr wchar_t kOverrides[] = L"Software\\Wine\\AppDefaults\\vorlith.exe\\DllOverrides";
    constexpr wchar_t kNativeFirst[] = L"native,builtin";
    if (test_support::UnderWine()) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, L"oleacc", REG_SZ, kNativeFirst,
                        sizeof kNativeFirst);
    }
    const std::wstring original = VorlithPath();
    SetVorlithPath(exe);
    {
        const VorlithProcess app = VorlithProcess::Launch();
        for (const auto& [id, name] : {std::pair{kIdTxtRed, L"Red"}, std::pair{kIdTxtBlue, L"Blue"},
                                       std::pair{kIdPicColorDisplay, L"Colour"}}) {
            EXPECT_EQ(AccessibleObject(app.Control(id)).Name(), std::optional<std::wstring>(name));
        }
        EXPECT_EQ(GetFileAttributesW(mark.c_str()), INVALID_FILE_ATTRIBUTES)
            << "the planted oleacc.dll was loaded into the program";
    }
    SetVorlithPath(original);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kOverrides, L"oleacc");
    for (const std::wstring& file : {exe, dll, mark}) {
        DeleteFileW(file.c_str());
    }
    RemoveDirectoryW(folder.c_str());
}

// --- Focus and the dialog keys ------------------------------------------------------------

TEST_F(MainWindow, FocusStartsOnTheSwatch) {
    EXPECT_EQ(NameOfControl(FocusOf(App().ThreadId())), "picColorDisplay");
}

TEST_F(MainWindow, TabVisitsTheControlsInTabOrder) {
    const int forward[] = {kIdTxtHtml, kIdTxtVb,    kIdCmdAbout,       kIdCmdExit,
                           kIdTxtRed,  kIdTxtGreen, kIdTxtBlue,        kIdPicZoom,
                           kIdChkGrid, kIdChkOnTop, kIdPicColorDisplay};
    ASSERT_EQ(NameOfControl(FocusOf(App().ThreadId())), "picColorDisplay");
    std::vector<std::string> expected;
    std::vector<std::string> seen;
    for (int id : forward) {
        ASSERT_TRUE(Type(VK_TAB));
        expected.push_back(NameOfControl(Control(id)));
        seen.push_back(NameOfControl(FocusOf(App().ThreadId())));
    }
    EXPECT_EQ(seen, expected);

    // Shift+Tab goes back the same way.
    const int backward[] = {kIdChkOnTop, kIdChkGrid};
    expected.clear();
    seen.clear();
    for (int id : backward) {
        ASSERT_TRUE(Type(VK_TAB, {VK_SHIFT}));
        expected.push_back(NameOfControl(Control(id)));
        seen.push_back(NameOfControl(FocusOf(App().ThreadId())));
    }
    EXPECT_EQ(seen, expected);
}

// Enter and Esc press no button, wherever the focus is (other than on a button itself).
struct DialogKeyCase {
    const char* name;
    int focusId; // 0: the focus as the window opens
    WORD key;
};

void PrintTo(const DialogKeyCase& c, std::ostream* out) {
    *out << c.name;
}

const DialogKeyCase kDialogKeys[] = {
    {"EnterOnTheSwatch", 0, VK_RETURN},        {"EscOnTheSwatch", 0, VK_ESCAPE},
    {"EnterInTxtHtml", kIdTxtHtml, VK_RETURN}, {"EscInTxtHtml", kIdTxtHtml, VK_ESCAPE},
    {"EnterInTxtBlue", kIdTxtBlue, VK_RETURN}, {"EscInTxtBlue", kIdTxtBlue, VK_ESCAPE},
};

class DialogKeys : public VorlithTest, public testing::WithParamInterface<DialogKeyCase> {};

TEST_P(DialogKeys, PressNoButton) {
    const DialogKeyCase& c = GetParam();
    if (c.focusId != 0) {
        HWND control = Control(c.focusId);
        ASSERT_TRUE(Click(ClientCentre(control)));
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(App().ThreadId()) == control; }));
        ASSERT_TRUE(PointAt(TargetA(), kColourA));
    }
    // Handled, and whatever it posted handled too.
    EXPECT_TRUE(Type(c.key));

    EXPECT_TRUE(App().Running()) << "Exit was pressed";
    EXPECT_EQ(App().VisibleTopLevelWindows(), std::vector<HWND>{App().Main()})
        << "a window opened (About?)";
    EXPECT_EQ(SendWithTimeout(Control(kIdChkOnTop), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(PointAt(TargetB(), kColourB)) << "the sampling stopped";
}

INSTANTIATE_TEST_SUITE_P(Keys, DialogKeys, testing::ValuesIn(kDialogKeys), CaseName<DialogKeyCase>);

// --- The focus mark, the shortcut menu and the clipboard ------------------------------------

// The contrast of two colours: relative luminances, the lighter + 0.05 over the darker + 0.05.
double Contrast(COLORREF a, COLORREF b) {
    const auto luminance = [](COLORREF c) {
        double sum = 0;
        for (const auto& [byte, weight] :
             {std::pair{GetRValue(c), 0.2126}, std::pair{GetGValue(c), 0.7152},
              std::pair{GetBValue(c), 0.0722}}) {
            const double v = byte / 255.0;
            sum += weight * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        }
        return sum;
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What keeps `now` from being `before` with a mark in the band along its edge (none for band 0):
// on each edge, corners aside, a line that stands out at least 3:1 from what was there, and
// nothing changed inside. "" when nothing does.
std::string MarkFaults(const Capture& before, const Capture& now, int band) {
    const int w = now.Width();
    const int h = now.Height();
    for (int side = 0; side < 4 && band > 0; ++side) {
        double best = 0;
        for (int depth = 0; depth < band; ++depth) {
            double least = 21;
            for (int i = band; i < (side < 2 ? w : h) - band; ++i) {
                const int x = side < 2 ? i : (side == 2 ? depth : w - 1 - depth);
                const int y = side >= 2 ? i : (side == 0 ? depth : h - 1 - depth);
                least = std::min(least, Contrast(now.At(x, y), before.At(x, y)));
            }
            best = std::max(best, least);
        }
        if (best < 3) {
            return "edge " + std::to_string(side) + " stands out " + std::to_string(best) + ":1";
        }
    }
    for (int y = band; y < h - band; ++y) {
        for (int x = band; x < w - band; ++x) {
            if (now.At(x, y) != before.At(x, y)) {
                return "changed at " + std::to_string(x) + ", " + std::to_string(y);
            }
        }
    }
    return "";
}

struct MarkCase {
    const char* name;
    int id;
    int backTabs; // Shift+Tab from HTML Code
    const ColourCase* colour;
};

void PrintTo(const MarkCase& c, std::ostream* out) {
    *out << c.name;
}

const MarkCase kMarks[] = {
    {"SwatchOnMidGrey", kIdPicColorDisplay, 1, &kColourTable[10]},
    {"SwatchOnBlack", kIdPicColorDisplay, 1, &kColourTable[0]},
    {"SwatchOnWhite", kIdPicColorDisplay, 1, &kColourTable[1]},
    {"ViewOnMidGrey", kIdPicZoom, 4, &kColourTable[10]},
};

class FocusMark : public VorlithTest, public testing::WithParamInterface<MarkCase> {};

// Frozen, so that the box paints only as its mark changes. Reached with the keyboard, it shows a
// mark that stands out from its picture, hides it while the keyboard cues are hidden, and gives
// back its picture as it was when the focus goes.
TEST_P(FocusMark, SeenOnEveryColourAndGoneWithTheFocus) {
    const MarkCase& c = GetParam();
    TargetA().SetColour(c.colour->colour);
    ASSERT_TRUE(PointAt(TargetA(), *c.colour));
    ASSERT_TRUE(Type('G', {VK_CONTROL}));
    ASSERT_TRUE(Type(VK_TAB));
    HWND box = Control(c.id);
    const Capture before = Capture::Client(box);
    std::string faults;
    // Seen, and still so once the program has taken its messages: not a paint half done. The
    // mark lies within 4 pixels of the edge at 96 pixels per inch.
    const auto shows = [&](bool marked) {
        const auto seen = [&] {
            return (faults = MarkFaults(before, Capture::Client(box), marked ? 4 : 0)).empty();
        };
        return WaitUntil(seen) && Settled() && seen();
    };
    for (int i = 0; i < c.backTabs; ++i) {
        ASSERT_TRUE(Type(VK_TAB, {VK_SHIFT}));
    }
    EXPECT_TRUE(shows(true)) << "focused: " << faults;
    for (const WORD cues : {UIS_SET, UIS_CLEAR}) {
        SendWithTimeout(box, WM_UPDATEUISTATE, MAKEWPARAM(cues, UISF_HIDEFOCUS), 0);
        EXPECT_TRUE(shows(cues == UIS_CLEAR)) << "cues " << cues << ": " << faults;
    }
    ASSERT_TRUE(Type(VK_TAB));
    EXPECT_TRUE(shows(false)) << "the focus gone: " << faults;
}

INSTANTIATE_TEST_SUITE_P(Boxes, FocusMark, testing::ValuesIn(kMarks), CaseName<MarkCase>);

struct MenuCase {
    const char* name;
    int clickId;            // the box right-clicked, or 0 for the key (F10 with Shift)
    WORD key;               // on the swatch, which has the focus
    std::vector<WORD> keys; // typed into the menu
    int copied;             // the item chosen (kCopyHtml, kCopyVb, kCopyRgb), 0 for none
    bool frozen;
};

void PrintTo(const MenuCase& c, std::ostream* out) {
    *out << c.name;
}

const MenuCase kMenus[] = {
    {"HtmlByAccessKeyOnTheSwatch", kIdPicColorDisplay, 0, {'H'}, kCopyHtml, false},
    {"VbByAccessKeyOnTheView", kIdPicZoom, 0, {'V'}, kCopyVb, false},
    {"RgbByAccessKeyAfterShiftF10", 0, VK_F10, {'R'}, kCopyRgb, false},
    {"VbByArrowsAfterTheMenuKey", 0, VK_APPS, {VK_DOWN, VK_DOWN, VK_RETURN}, kCopyVb, false},
    {"RgbByArrowWhileFrozen", 0, VK_APPS, {VK_UP, VK_RETURN}, kCopyRgb, true},
    {"EscCopiesNothing", 0, VK_F10, {VK_ESCAPE}, 0, false},
};

class CopyMenu : public VorlithTest, public testing::WithParamInterface<MenuCase> {};

// One menu opens, at the pointer for a click and below the swatch for a key. Ticks go on while
// it is open: A's colour changes under the pointer and a live reading follows it (where the
// pointer rests on A: a click's menu lies under it), a frozen one stays. It copies the code
// shown when it opened, A's, in the form chosen, and leaves the reading live or frozen. (Under
// Wine a program with a menu open did not always see the pointer moved by another process.)
TEST_P(CopyMenu, CopiesTheFormChosenAsShownWhenItOpened) {
    const MenuCase& c = GetParam();
    if (c.frozen) {
        ASSERT_TRUE(FreezeOnA());
    }
    SetClipboardText(TargetA().hWnd(), kKeptText);
    const RECT swatch = WindowRect(Control(kIdPicColorDisplay));
    POINT at{swatch.left, swatch.bottom};
    if (c.clickId != 0) {
        at = ClientCentre(Control(c.clickId));
        MouseClick(at, true);
    } else {
        PressKey(c.key, c.key == VK_F10 ? std::vector<WORD>{VK_SHIFT} : std::vector<WORD>{});
    }
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = App().VisibleWindowOfClass(L"#32768")); }));
    EXPECT_EQ(WindowRect(menu).left, at.x);
    EXPECT_EQ(WindowRect(menu).top, at.y);
    TargetA().SetColour(kColourB.colour);
    if (c.frozen || c.clickId == 0) {
        EXPECT_TRUE(c.frozen ? ReadingStaysFrozen(kColourA.reading)
                             : ReadingBecomes(App(), kColourB.reading));
    }
    EXPECT_EQ(App().VisibleTopLevelWindows().size(), 2u) << "the main window and one menu";
    for (const WORD key : c.keys) {
        ASSERT_TRUE(Type(key));
    }
    EXPECT_TRUE(WaitUntil([&] { return !App().VisibleWindowOfClass(L"#32768"); })) << "still open";
    const Reading& a = kColourA.reading;
    const std::wstring texts[] = {kKeptText, a.html, a.vb,
                                  L"RGB(" + a.red + L", " + a.green + L", " + a.blue + L")"};
    EXPECT_EQ(ClipboardText(), texts[c.copied]);
    TargetA().SetColour(kColourA.colour);
    EXPECT_TRUE(c.frozen ? ReadingStaysFrozen(kColourA.reading) : PointAt(TargetA(), kColourA));
}

INSTANTIATE_TEST_SUITE_P(Ways, CopyMenu, testing::ValuesIn(kMenus), CaseName<MenuCase>);

// --- Always on top -------------------------------------------------------------------------

bool IsTopmost(HWND hwnd) {
    return (ExStyle(hwnd) & WS_EX_TOPMOST) != 0;
}

class AlwaysOnTop : public VorlithTest, public testing::WithParamInterface<bool> {};

// Ticking moves the window into the topmost layer, unticking out of it; neither moves, sizes or
// activates it, and neither touches the sampling state (live or frozen).
TEST_P(AlwaysOnTop, TickAndUntickToggleTheTopmostLayerOnly) {
    const bool frozen = GetParam();
    HWND main = App().Main();
    HWND check = Control(kIdChkOnTop);
    if (frozen) {
        ASSERT_TRUE(Type('G', {VK_CONTROL}));
    }
    const RECT before = WindowRect(main);

    for (const bool tick : {true, false}) {
        SCOPED_TRACE(tick ? "ticking" : "unticking");
        ASSERT_TRUE(Click(ClientCentre(check)));
        EXPECT_TRUE(WaitUntil([&] { return IsTopmost(main) == tick; }))
            << "WS_EX_TOPMOST is " << IsTopmost(main);
        EXPECT_EQ(SendWithTimeout(check, BM_GETCHECK, 0, 0), tick ? BST_CHECKED : BST_UNCHECKED);
        const RECT after = WindowRect(main);
        EXPECT_TRUE(EqualRect(&before, &after)) << "the window moved or changed its size";
        EXPECT_EQ(GetForegroundWindow(), main);

        MovePointer(TargetB().Centre());
        if (frozen) {
            EXPECT_TRUE(ReadingStaysFrozen(kColourA.reading)) << "no longer frozen";
        } else {
            EXPECT_TRUE(ReadingBecomes(App(), kColourB.reading)) << "no longer live";
            ASSERT_TRUE(PointAt(TargetA(), kColourA));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(States, AlwaysOnTop, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& param) {
                             return std::string(param.param ? "Frozen" : "Live");
                         });

// --- Ending the program -------------------------------------------------------------------

enum class Ender { ExitClick, ExitMessage, CloseBoxClick, WmClose, SysCommandClose };
enum class Before { Live, Frozen, Topmost };

struct EndCase {
    const char* name;
    Ender ender;
    Before before;
};

void PrintTo(const EndCase& c, std::ostream* out) {
    *out << c.name;
}

const EndCase kEndCases[] = {
    {"ExitClickWhileLive", Ender::ExitClick, Before::Live},
    {"ExitClickWhileFrozen", Ender::ExitClick, Before::Frozen},
    {"ExitClickWhileTopmost", Ender::ExitClick, Before::Topmost},
    {"ExitByMessage", Ender::ExitMessage, Before::Live},
    {"CloseBoxClickWhileLive", Ender::CloseBoxClick, Before::Live},
    {"CloseBoxClickWhileTopmost", Ender::CloseBoxClick, Before::Topmost},
    {"WmClose", Ender::WmClose, Before::Live},
    {"WmCloseWhileFrozen", Ender::WmClose, Before::Frozen},
    {"SysCommandClose", Ender::SysCommandClose, Before::Live},
};

class Ending : public VorlithTest, public testing::WithParamInterface<EndCase> {};

TEST_P(Ending, TheProgramEnds) {
    const EndCase& c = GetParam();
    HWND main = App().Main();
    switch (c.before) {
    case Before::Live: break;
    case Before::Frozen: ASSERT_TRUE(FreezeOnA()) << "Ctrl+G did not freeze"; break;
    case Before::Topmost:
        ASSERT_TRUE(Click(ClientCentre(Control(kIdChkOnTop))));
        ASSERT_TRUE(WaitUntil([&] { return IsTopmost(main); }));
        break;
    }

    switch (c.ender) {
    case Ender::ExitClick: MouseClick(ClientCentre(Control(kIdCmdExit))); break;
    case Ender::ExitMessage: ClickButton(Control(kIdCmdExit)); break;
    case Ender::CloseBoxClick: {
        const std::optional<POINT> closeBox = CloseBoxPoint(main);
        ASSERT_TRUE(closeBox) << "no close box in the title bar";
        MouseClick(*closeBox);
        break;
    }
    case Ender::WmClose: PostMessageW(main, WM_CLOSE, 0, 0); break;
    case Ender::SysCommandClose: PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
    EXPECT_TRUE(App().WaitForExit()) << "the program still runs";
}

INSTANTIATE_TEST_SUITE_P(Ways, Ending, testing::ValuesIn(kEndCases), CaseName<EndCase>);

} // namespace
} // namespace e2e
