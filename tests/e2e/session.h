// What the end-to-end tests share: the five boxes of a reading, the colour table, and a test
// fixture that starts the program with two target windows beside it.
#pragma once

#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace e2e {

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
testing::AssertionResult ReadingBecomes(const VorlithProcess& app, const Reading& expected,
                                        Millis timeout = kPatience);
// The reading is `expected` and stays so for the whole period (the program is frozen, or the
// pixel under the pointer does not change).
testing::AssertionResult ReadingStays(const VorlithProcess& app, const Reading& expected,
                                      Millis period = kQuietPeriod);

// A colour and the exact texts that the main window shows for it.
struct ColourCase {
    const char* name;
    COLORREF colour;
    Reading reading;
};
void PrintTo(const ColourCase& c, std::ostream* out);

// Every row of the colour-code table, from black and white to mixed values with leading zeros.
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
};

// Two distinct colours for tests that only need to tell "followed the pointer" from "stayed".
inline const ColourCase& kColourA = kColourTable[8]; // #123456
inline const ColourCase& kColourB = kColourTable[9]; // #EFCDAB

// Time for a key that the driver typed to reach the program and be handled, before the test
// changes what lies under the pointer. The input queue gives no sign of "handled".
inline constexpr Millis kKeySettle{200};

// Starts a fresh program for each test, with targets A and B beside its window, the pointer
// on A and the reading showing A. Keys go to the main window: it is made foreground.
class VorlithTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    VorlithProcess& App() { return *app_; }
    HWND Control(int id) { return app_->Control(id); }
    TargetWindow& TargetA() { return *targetA_; }
    TargetWindow& TargetB() { return *targetB_; }

    // Pointer to a target and wait for its reading.
    testing::AssertionResult PointAt(TargetWindow& target, const ColourCase& expected);

    std::optional<VorlithProcess> app_;
    std::optional<TargetWindow> targetA_;
    std::optional<TargetWindow> targetB_;
};

// The name of a case of a table, as GoogleTest shows it.
template <class Case> std::string CaseName(const testing::TestParamInfo<Case>& param) {
    return param.param.name;
}

// Two 120-pixel squares in the screen's top left corner, clear of the centred main window.
RECT TargetRectA();
RECT TargetRectB();

} // namespace e2e
