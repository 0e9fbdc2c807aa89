// What the end-to-end tests share: the five boxes of a reading, the colour table, and a test
// fixture that starts the program with two target windows beside it and a spy in its thread,
// with the waits that the spy makes possible.
#pragma once

#include "tests/e2e/input.h"
#include "tests/e2e/process.h"
#include "tests/e2e/spy.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_facts.h"

#include "tests/support/capture.h"
#include "tests/support/target_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

// The screen as the user sees it, and the windows of the driver's own that the program reads.
using test_support::Capture;
using test_support::Mosaic;
using test_support::ScreenPixel;
using test_support::SeededMosaic;
using test_support::TargetWindow;

// The five text boxes that one tick writes.
struct Reading {
    std::wstring html;
    std::wstring red;
    std::wstring green;
    std::wstring blue;
    std::wstring vb;
    friend bool operator==(const Reading&, const Reading&) = default;
};
void PrintTo(const Reading& reading, std::ostream* out);

Reading ReadBoxes(const VorlithProcess& app);

// The reading becomes `expected` within the patience (the program is live).
testing::AssertionResult ReadingBecomes(const VorlithProcess& app, const Reading& expected);

// A colour and the exact texts that the main window shows for it.
struct ColourCase {
    const char* name;
    COLORREF colour;
    Reading reading;
};
void PrintTo(const ColourCase& c, std::ostream* out);

// Every row of the colour-code table, from black and white to mixed values with leading zeros,
// and mid-grey, on which an inverted focus mark vanishes.
inline const ColourCase kColourTable[] = {
    {"Black", 0x000000, {L"#000000", L"0", L"0", L"0", L"&H00000000&"}},
    {"White", 0xFFFFFF, {L"#FFFFFF", L"255", L"255", L"255", L"&H00FFFFFF&"}},
    {"Red", 0x0000FF, {L"#FF0000", L"255", L"0", L"0", L"&H000000FF&"}},
    {"Green", 0x00FF00, {L"#00FF00", L"0", L"255", L"0", L"&H0000FF00&"}},
    {"Blue", 0xFF0000, {L"#0000FF", L"0", L"0", L"255", L"&H00FF0000&"}},
    {"DarkRed15", 0x00000F, {L"#0F0000", L"15", L"0", L"0", L"&H0000000F&"}},
    {"DarkBlue15", 0x0F0000, {L"#00000F", L"0", L"0", L"15", L"&H000F0000&"}},
    {"Mixed0A0B0C", 0x0A0B0C, {L"#0C0B0A", L"12", L"11", L"10", L"&H000A0B0C&"}},
    {"Mixed563412", 0x563412, {L"#123456", L"18", L"52", L"86", L"&H00563412&"}},
    {"MixedABCDEF", 0xABCDEF, {L"#EFCDAB", L"239", L"205", L"171", L"&H00ABCDEF&"}},
    {"MidGrey808080", 0x808080, {L"#808080", L"128", L"128", L"128", L"&H00808080&"}},
};

// Two distinct colours for tests that only need to tell "followed the pointer" from "stayed".
inline const ColourCase& kColourA = kColourTable[8]; // #123456
inline const ColourCase& kColourB = kColourTable[9]; // #EFCDAB

// What another program left on the clipboard, which only a copy of the program's may replace.
inline constexpr wchar_t kKeptText[] = L"kept from another program";

// Starts a fresh program for each test, with targets A and B beside its window, the pointer
// on A and the reading showing A. Keys go to the main window: it is made foreground.
class VorlithTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    VorlithProcess& App() { return *app_; }
    ProgramSpy& Spy() { return *spy_; }
    HWND Control(int id) { return app_->Control(id); }
    TargetWindow& TargetA() { return *targetA_; }
    TargetWindow& TargetB() { return *targetB_; }

    // Pointer to a target and wait for its reading.
    testing::AssertionResult PointAt(TargetWindow& target, const ColourCase& expected);

    // The program's thread has dealt with everything that was in its queue: it answered a
    // message sent to the main window, then took two ticks of the spy's yardstick, which the
    // system hands out only when no posted message and no input is waiting.
    testing::AssertionResult Settled();
    // Types a key (see PressKey) and waits until the program's thread has taken its last
    // key-up and then Settled(): the key's handlers have run.
    testing::AssertionResult Type(WORD vk, const std::vector<WORD>& modifiers = {});
    // Clicks the left button at a screen point and waits until the program's thread has taken
    // the release: Wine moves the pointer to a queued button event's point when the event is
    // taken, so the pointer can move on only then (or once the click has ended the program).
    testing::AssertionResult Click(POINT screen);

    // The sampling is off: over kFrozenSpan ticks of the yardstick the main window takes no
    // tick, and change() reports nothing (it describes a change it sees, else returns "").
    testing::AssertionResult StaysFrozen(const std::function<std::string()>& change);
    testing::AssertionResult ReadingStaysFrozen(const Reading& expected);
    // Ctrl+G with the reading on A, then the pointer onto B: the reading stays A, frozen.
    testing::AssertionResult FreezeOnA();
    // The sampling runs and the reading stays `expected` for `ticks` ticks of the main window.
    testing::AssertionResult ReadingStaysWhileTicking(const Reading& expected, long ticks);

    std::optional<VorlithProcess> app_;
    std::optional<ProgramSpy> spy_;
    std::optional<TargetWindow> targetA_;
    std::optional<TargetWindow> targetB_;
};

// Ten ticks of 50 ms: a live program would have read the pointer's pixel ten times.
inline constexpr long kFrozenSpan = 10;

// The name of a case of a table, as GoogleTest shows it.
template <class Case> std::string CaseName(const testing::TestParamInfo<Case>& param) {
    return param.param.name;
}

// Two 120-pixel squares in the screen's top left corner, clear of the centred main window, and
// an 80-pixel square below them for a mosaic.
RECT TargetRectA();
RECT TargetRectB();
RECT MosaicRect();

} // namespace e2e
