// Keys typed into the real main window: Ctrl+G and Ctrl+F freezing and resuming the reading,
// every near miss that must leave the sampling as it was, the arrow keys moving the pointer, and
// Ctrl+C copying the HTML code where no text box takes it.
#include "tests/e2e/session.h"

#include "app/main_layout.h"

#include <utility>
#include <vector>

namespace e2e {
namespace {

using namespace app::layout;

struct KeyCase {
    const char* name;
    WORD key;
    std::vector<WORD> modifiers;
    bool startFrozen;
    bool frozenAfter;
    POINT step = {};                 // how far the key moves the pointer
    const wchar_t* copied = nullptr; // what the key puts on the clipboard
    bool held = false;               // another program holds the clipboard open meanwhile
};

void PrintTo(const KeyCase& c, std::ostream* out) {
    *out << c.name;
}

const KeyCase kKeyCases[] = {
    // The two hotkeys, from either state.
    {"CtrlGFreezes", 'G', {VK_CONTROL}, false, true},
    {"CtrlGTwiceStaysFrozen", 'G', {VK_CONTROL}, true, true},
    {"CtrlFResumes", 'F', {VK_CONTROL}, true, false},
    {"CtrlFWhileLiveStaysLive", 'F', {VK_CONTROL}, false, false},
    // G without exactly Ctrl does not freeze.
    {"GAloneNoFreeze", 'G', {}, false, false},
    {"ShiftGNoFreeze", 'G', {VK_SHIFT}, false, false},
    {"AltGNoFreeze", 'G', {VK_MENU}, false, false},
    {"CtrlShiftGNoFreeze", 'G', {VK_CONTROL, VK_SHIFT}, false, false},
    {"CtrlAltGNoFreeze", 'G', {VK_CONTROL, VK_MENU}, false, false},
    {"CtrlShiftAltGNoFreeze", 'G', {VK_CONTROL, VK_SHIFT, VK_MENU}, false, false},
    // F without exactly Ctrl does not resume.
    {"FAloneNoResume", 'F', {}, true, true},
    {"ShiftFNoResume", 'F', {VK_SHIFT}, true, true},
    {"AltFNoResume", 'F', {VK_MENU}, true, true},
    {"CtrlShiftFNoResume", 'F', {VK_CONTROL, VK_SHIFT}, true, true},
    {"CtrlAltFNoResume", 'F', {VK_CONTROL, VK_MENU}, true, true},
    // Ctrl with the neighbouring letters does neither.
    {"CtrlHNoFreeze", 'H', {VK_CONTROL}, false, false},
    {"CtrlENoResume", 'E', {VK_CONTROL}, true, true},
    {"CtrlNoLetterNoFreeze", VK_SPACE, {VK_CONTROL}, false, false},
    // The arrow keys on the swatch (the focus as the window opens): one screen pixel, ten with
    // Shift alone; frozen (the pointer on B), the reading stays on A all the same.
    {"RightNudges", VK_RIGHT, {}, false, false, {1, 0}},
    {"UpNudges", VK_UP, {}, false, false, {0, -1}},
    {"ShiftLeftNudgesTen", VK_LEFT, {VK_SHIFT}, false, false, {-10, 0}},
    {"RightWhileFrozenStaysFrozen", VK_RIGHT, {}, true, true, {1, 0}},
    {"ShiftDownWhileFrozenStaysFrozen", VK_DOWN, {VK_SHIFT}, true, true, {0, 10}},
    {"CtrlRightNoNudge", VK_RIGHT, {VK_CONTROL}, false, false},
    {"AltLeftNoNudge", VK_LEFT, {VK_MENU}, false, false},
    {"HomeNoNudge", VK_HOME, {}, false, false},
    // Ctrl+C on the swatch copies the HTML code shown, live or frozen (on A, the pointer on B);
    // with Shift too, nothing.
    {"CtrlCCopiesTheHtmlCode", 'C', {VK_CONTROL}, false, false, {}, L"#123456"},
    {"CtrlCWhileFrozenCopiesTheFrozenCode", 'C', {VK_CONTROL}, true, true, {}, L"#123456"},
    {"CtrlShiftCNoCopy", 'C', {VK_CONTROL, VK_SHIFT}, false, false},
    // Held by another program, the clipboard keeps its text, and the window answers.
    {"CtrlCWithTheClipboardHeldCopiesNothing", 'C', {VK_CONTROL}, false, false, {}, nullptr, true},
};

class Hotkeys : public VorlithTest, public testing::WithParamInterface<KeyCase> {};

// The pointer starts on A with the reading A. Once the key has been handled the pointer rests
// on B: a live program shows B, a frozen one keeps A and takes no tick. A frozen program must
// still resume on Ctrl+F, which shows that it was frozen and not hung.
TEST_P(Hotkeys, KeyLeavesTheSamplingInTheExpectedState) {
    const KeyCase& c = GetParam();
    if (c.startFrozen) {
        ASSERT_TRUE(FreezeOnA()) << "Ctrl+G did not freeze";
    }
    ASSERT_EQ(GetForegroundWindow(), App().Main());

    SetClipboardText(TargetA().hWnd(), kKeptText);
    const bool held = c.held && OpenClipboard(nullptr);
    const POINT before = PointerPosition();
    EXPECT_TRUE(Type(c.key, c.modifiers));
    if (held) {
        CloseClipboard();
    }
    ASSERT_TRUE(Settled());
    const POINT after = PointerPosition();
    EXPECT_EQ(std::pair(after.x - before.x, after.y - before.y), std::pair(c.step.x, c.step.y))
        << "how far the pointer moved";
    EXPECT_EQ(ClipboardText(), c.copied ? c.copied : kKeptText);
    MovePointer(TargetB().Centre());

    if (c.frozenAfter) {
        EXPECT_TRUE(ReadingStaysFrozen(kColourA.reading)) << "expected frozen";
        PressKey('F', {VK_CONTROL});
        EXPECT_TRUE(ReadingBecomes(App(), kColourB.reading)) << "Ctrl+F did not resume";
    } else {
        EXPECT_TRUE(ReadingBecomes(App(), kColourB.reading)) << "expected live";
    }
    EXPECT_TRUE(App().Running());
}

INSTANTIATE_TEST_SUITE_P(Keys, Hotkeys, testing::ValuesIn(kKeyCases), CaseName<KeyCase>);

// Key preview: the hotkeys act whichever control has the focus, and the key still goes on to
// that control, which keeps the focus. A focused text box keeps what is typed while frozen, and
// copies its own selection at Ctrl+C, where the magnified view copies the HTML code.
struct FocusCase {
    const char* name;
    int id;
    bool typable;
    int rightStep;        // how far the Right arrow moves the pointer, or kRightNotTried
    const wchar_t* ctrlC; // what Ctrl+C copies there (all of a text box's text selected)
};

// A check box hands the focus on with an arrow key, as in any dialog.
constexpr int kRightNotTried = -1;

void PrintTo(const FocusCase& c, std::ostream* out) {
    *out << c.name;
}

const FocusCase kFocusCases[] = {
    {"TxtHtml", kIdTxtHtml, true, 0, L"#123456"},
    {"TxtRed", kIdTxtRed, true, 0, L"18"},
    {"TxtVb", kIdTxtVb, true, 0, L"&H00563412&"},
    {"ChkGrid", kIdChkGrid, false, kRightNotTried, kKeptText},
    {"PicZoom", kIdPicZoom, false, 1, L"#123456"},
};

class HotkeysWithFocus : public VorlithTest, public testing::WithParamInterface<FocusCase> {};

TEST_P(HotkeysWithFocus, CtrlGAndCtrlFActAndTheControlKeepsTheFocus) {
    const FocusCase& c = GetParam();
    HWND control = Control(c.id);
    ASSERT_TRUE(Click(ClientCentre(control)));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(App().ThreadId()) == control; }))
        << "a click did not focus the control";
    ASSERT_TRUE(PointAt(TargetA(), kColourA));

    const int mark = Spy().InputCount();
    ASSERT_TRUE(FreezeOnA()) << "Ctrl+G did not freeze";
    EXPECT_EQ(FocusOf(App().ThreadId()), control);
    // The key went on to the control: its key-down, and the character that translating it
    // gives (Ctrl+G is BEL), were taken from the queue for the control itself.
    EXPECT_TRUE(Spy().Saw(control, WM_KEYDOWN, 'G', mark)) << "no WM_KEYDOWN G for the control";
    EXPECT_TRUE(Spy().Saw(control, WM_CHAR, 0x07, mark)) << "no WM_CHAR Ctrl+G for the control";
    // A text box keeps its arrow keys for its caret; the magnified view moves the pointer.
    if (c.rightStep != kRightNotTried) {
        const LONG before = PointerPosition().x;
        ASSERT_TRUE(Type(VK_RIGHT));
        EXPECT_EQ(PointerPosition().x - before, c.rightStep) << "how far Right moved the pointer";
    }
    SetClipboardText(TargetA().hWnd(), kKeptText);
    if (c.typable) {
        PressKey(VK_HOME);
        PressKey(VK_END, {VK_SHIFT});
    }
    ASSERT_TRUE(Type('C', {VK_CONTROL}));
    EXPECT_EQ(ClipboardText(), c.ctrlC) << "what Ctrl+C copied";

    if (c.typable) {
        // Replace the frozen text by typing: it stays while the sampling is frozen.
        PressKey(VK_HOME);
        PressKey(VK_END, {VK_SHIFT});
        PressKey('X');
        ASSERT_TRUE(Type('Y'));
        EXPECT_EQ(WindowText(control), L"xy");
        EXPECT_TRUE(StaysFrozen([&]() -> std::string {
            const std::wstring text = WindowText(control);
            return text == L"xy" ? "" : "the typed text became " + testing::PrintToString(text);
        }));
    }

    PressKey('F', {VK_CONTROL});
    EXPECT_TRUE(ReadingBecomes(App(), kColourB.reading)) << "Ctrl+F did not resume";
    EXPECT_EQ(FocusOf(App().ThreadId()), control);
}

INSTANTIATE_TEST_SUITE_P(Focus, HotkeysWithFocus, testing::ValuesIn(kFocusCases),
                         CaseName<FocusCase>);

using HotkeyRepeat = VorlithTest;

// Holding Ctrl+G down repeats the key: each repeat freezes again, nothing else happens.
TEST_F(HotkeyRepeat, HeldCtrlGStaysFrozen) {
    std::vector<INPUT> events{KeyEvent(VK_CONTROL, false)};
    for (int repeat = 0; repeat < 8; ++repeat) {
        events.push_back(KeyEvent('G', false));
    }
    events.push_back(KeyEvent('G', true));
    events.push_back(KeyEvent(VK_CONTROL, true));
    const int mark = Spy().InputCount();
    SendEvents(events);
    ASSERT_TRUE(WaitUntil([&] { return Spy().SawKeyUp(VK_CONTROL, mark); }))
        << "the program's thread did not take the keys";
    ASSERT_TRUE(Settled());
    MovePointer(TargetB().Centre());
    EXPECT_TRUE(ReadingStaysFrozen(kColourA.reading));
    PressKey('F', {VK_CONTROL});
    EXPECT_TRUE(ReadingBecomes(App(), kColourB.reading));
}

} // namespace
} // namespace e2e
