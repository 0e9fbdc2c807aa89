// Keys typed into the real main window: Ctrl+G and Ctrl+F freezing and resuming the reading,
// every near miss that must leave the sampling as it was, and the arrow keys that move the
// pointer.
#include "tests/e2e/session.h"

#include "app/main_layout.h"

#include <string>
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

    ASSERT_TRUE(Type(c.key, c.modifiers));
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
// that control, which keeps the focus. A focused text box keeps what is typed while frozen.
struct FocusCase {
    const char* name;
    int id;
    bool typable;
};

void PrintTo(const FocusCase& c, std::ostream* out) {
    *out << c.name;
}

const FocusCase kFocusCases[] = {
    {"TxtHtml", kIdTxtHtml, true},
    {"TxtRed", kIdTxtRed, true},
    {"TxtVb", kIdTxtVb, true},
    {"ChkGrid", kIdChkGrid, false},
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

// --- The arrow keys ------------------------------------------------------------------------

// On the swatch (the focus as the window opens) or the view, an arrow key moves the pointer one
// screen pixel, ten with Shift; with any other modifier, and any other key, it stays.
struct ArrowCase {
    const char* name;
    int focusId; // 0: the focus as the window opens
    WORD key;
    std::vector<WORD> modifiers;
    POINT step;
};

void PrintTo(const ArrowCase& c, std::ostream* out) {
    *out << c.name;
}

const ArrowCase kArrowCases[] = {
    {"RightOnTheSwatch", 0, VK_RIGHT, {}, {1, 0}},
    {"LeftOnTheSwatch", 0, VK_LEFT, {}, {-1, 0}},
    {"UpOnTheSwatch", 0, VK_UP, {}, {0, -1}},
    {"DownOnTheSwatch", 0, VK_DOWN, {}, {0, 1}},
    {"ShiftRightOnTheSwatch", 0, VK_RIGHT, {VK_SHIFT}, {10, 0}},
    {"ShiftDownOnTheSwatch", 0, VK_DOWN, {VK_SHIFT}, {0, 10}},
    {"LeftOnTheView", kIdPicZoom, VK_LEFT, {}, {-1, 0}},
    {"ShiftUpOnTheView", kIdPicZoom, VK_UP, {VK_SHIFT}, {0, -10}},
    {"CtrlRightOnTheSwatch", 0, VK_RIGHT, {VK_CONTROL}, {0, 0}},
    {"AltLeftOnTheSwatch", 0, VK_LEFT, {VK_MENU}, {0, 0}},
    {"HomeOnTheSwatch", 0, VK_HOME, {}, {0, 0}},
    {"RightInTxtHtml", kIdTxtHtml, VK_RIGHT, {}, {0, 0}},
    {"DownInTxtRed", kIdTxtRed, VK_DOWN, {}, {0, 0}},
};

class ArrowKeys : public VorlithTest, public testing::WithParamInterface<ArrowCase> {};

TEST_P(ArrowKeys, MoveThePointerFromTheSwatchAndTheViewOnly) {
    const ArrowCase& c = GetParam();
    const HWND focus = Control(c.focusId != 0 ? c.focusId : kIdPicColorDisplay);
    if (c.focusId != 0) {
        // The click's input all taken before the pointer moves on: Wine puts the pointer back
        // at a mouse event's point when the program takes the event from its queue.
        ASSERT_TRUE(Click(ClientCentre(focus)));
        ASSERT_TRUE(Settled());
        ASSERT_TRUE(PointAt(TargetA(), kColourA));
    }
    ASSERT_EQ(FocusOf(App().ThreadId()), focus);
    for (int press = 1; press <= 2; ++press) {
        SCOPED_TRACE(testing::Message() << "press " << press);
        const POINT from = PointerPosition();
        ASSERT_TRUE(Type(c.key, c.modifiers));
        const POINT to = PointerPosition();
        EXPECT_EQ(to.x - from.x, c.step.x);
        EXPECT_EQ(to.y - from.y, c.step.y);
        EXPECT_EQ(FocusOf(App().ThreadId()), focus) << "the focus moved";
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, ArrowKeys, testing::ValuesIn(kArrowCases), CaseName<ArrowCase>);

class ArrowKeysOntoB : public VorlithTest, public testing::WithParamInterface<bool> {};

// From A's last column to B's first, 21 pixels on: live, the reading follows the pointer onto
// B; frozen, the pointer goes all the same and the reading stays on A until Ctrl+F.
TEST_P(ArrowKeysOntoB, TheReadingFollowsWhileLiveAndHoldsWhileFrozen) {
    const bool frozen = GetParam();
    MovePointer({TargetRectA().right - 1, TargetA().Centre().y});
    ASSERT_TRUE(ReadingBecomes(App(), kColourA.reading));
    if (frozen) {
        ASSERT_TRUE(Type('G', {VK_CONTROL}));
    }
    ASSERT_TRUE(Type(VK_RIGHT, {VK_SHIFT}));
    ASSERT_TRUE(Type(VK_RIGHT, {VK_SHIFT}));
    ASSERT_TRUE(Type(VK_RIGHT));
    ASSERT_EQ(PointerPosition().x, TargetRectB().left);
    if (frozen) {
        EXPECT_TRUE(ReadingStaysFrozen(kColourA.reading));
        ASSERT_TRUE(Type('F', {VK_CONTROL}));
    }
    EXPECT_TRUE(ReadingBecomes(App(), kColourB.reading));
}

INSTANTIATE_TEST_SUITE_P(States, ArrowKeysOntoB, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& param) {
                             return std::string(param.param ? "Frozen" : "Live");
                         });

using ArrowKeysInATextBox = VorlithTest;

// A text box keeps its arrow keys: they move its caret and selection, never the pointer.
TEST_F(ArrowKeysInATextBox, MoveTheCaretAndTheSelection) {
    const HWND box = Control(kIdTxtHtml);
    ASSERT_TRUE(Click(ClientCentre(box)));
    ASSERT_TRUE(Settled());
    ASSERT_TRUE(PointAt(TargetA(), kColourA));
    ASSERT_TRUE(FreezeOnA()); // the ticks would put the caret back at the start
    const POINT pointer = PointerPosition();
    const auto selection = [box] {
        const auto both = static_cast<DWORD>(SendWithTimeout(box, EM_GETSEL, 0, 0));
        return std::pair<int, int>(LOWORD(both), HIWORD(both));
    };
    ASSERT_TRUE(Type(VK_HOME));
    EXPECT_EQ(selection(), std::pair(0, 0));
    ASSERT_TRUE(Type(VK_RIGHT));
    EXPECT_EQ(selection(), std::pair(1, 1));
    ASSERT_TRUE(Type(VK_RIGHT, {VK_SHIFT}));
    EXPECT_EQ(selection(), std::pair(1, 2));
    EXPECT_EQ(PointerPosition().x, pointer.x);
    EXPECT_EQ(PointerPosition().y, pointer.y);
}

} // namespace
} // namespace e2e
