// The main window's keys: Ctrl+G and Ctrl+F act only with Ctrl alone, every other modifier mix
// leaving them alone; the arrow keys on the swatch or the view move the pointer.
#include "app/hotkeys.h"
#include "app/pointer_nudge.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using app::DecideHotkey;
using app::HotkeyAction;

// Key codes are virtual-key codes ('G' is 71, 'F' 70); the modifier state adds Shift 1, Ctrl 2
// and Alt 4.
constexpr std::int16_t kG = 71;
constexpr std::int16_t kF = 70;
constexpr std::int16_t kCtrl = 2;

TEST(Hotkeys, OnlyCtrlAloneTriggersTheHotkeys) {
    constexpr std::int16_t kOtherKeys[] = {0, 65, 69, 72, 102, 103, 0x7FFF, -1, 70 + 256};
    for (std::int16_t shift = 0; shift <= 7; ++shift) {
        SCOPED_TRACE(shift);
        const bool ctrlAlone = shift == kCtrl;
        EXPECT_EQ(DecideHotkey(kG, shift), ctrlAlone ? HotkeyAction::Freeze : HotkeyAction::None);
        EXPECT_EQ(DecideHotkey(kF, shift), ctrlAlone ? HotkeyAction::Resume : HotkeyAction::None);
        for (const std::int16_t key : kOtherKeys) {
            EXPECT_EQ(DecideHotkey(key, shift), HotkeyAction::None) << "key " << key;
        }
    }
}

TEST(Hotkeys, OutOfRangeModifierStatesDoNothing) {
    for (const std::int16_t shift : {-1, 8, 10, -32768, 32767}) {
        EXPECT_EQ(DecideHotkey(kG, shift), HotkeyAction::None) << shift;
        EXPECT_EQ(DecideHotkey(kF, shift), HotkeyAction::None) << shift;
    }
}

// The arrow keys' step never takes the pointer off the desktop, which may lie at negative
// coordinates (a monitor left of or above the primary); the steps themselves are tried on the
// real window (tests/e2e/hotkeys_test.cpp).
TEST(PointerNudge, StopsAtTheDesktopsEdgeOnEverySide) {
    using app::Nudge;
    using app::ScreenPoint;
    // A monitor of 1024 x 768 left of the primary, which is 1920 x 1080 at (0, 0).
    const app::DesktopBounds desktop{-1024, 0, 1920, 1080};
    EXPECT_EQ(Nudge({-1, 500}, {1, 0}, desktop), (ScreenPoint{0, 500})) << "across x = 0";
    // A monitor above the primary instead.
    EXPECT_EQ(Nudge({5, 0}, {0, -10}, {0, -768, 1920, 1080}), (ScreenPoint{5, -10})) << "above";
    EXPECT_EQ(Nudge({5, -765}, {0, -10}, {0, -768, 1920, 1080}), (ScreenPoint{5, -768}));
    EXPECT_EQ(Nudge({-1020, 5}, {-10, -10}, desktop), (ScreenPoint{-1024, 0})) << "top left";
    EXPECT_EQ(Nudge({1915, 1075}, {10, 10}, desktop), (ScreenPoint{1919, 1079})) << "bottom right";
    EXPECT_EQ(Nudge({2147483647, 0}, {10, 0}, {0, 0, 2147483647, 1}), (ScreenPoint{2147483646, 0}))
        << "at the end of the range";
    EXPECT_EQ(Nudge({5, 5}, {1, 0}, {0, 0, 0, 0}), (ScreenPoint{5, 5})) << "no desktop known";
}

} // namespace
