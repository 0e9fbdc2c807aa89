// Ctrl+G and Ctrl+F act only with Ctrl alone; every other modifier mix leaves the keys alone.
#include "app/hotkeys.h"

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

} // namespace
