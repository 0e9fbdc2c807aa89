// Ctrl+G and Ctrl+F act only with Ctrl alone; every other modifier mix leaves the keys alone.
#include "app/hotkeys.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using app::DecideHotkey;
using app::HotkeyAction;

TEST(Hotkeys, OnlyCtrlAloneTriggersTheHotkeys) {
    constexpr std::int16_t kOtherKeys[] = {0, 65, 69, 72, 102, 103, 0x7FFF, -1, 70 + 256};
    for (std::int16_t shift = 0; shift <= 7; ++shift) {
        SCOPED_TRACE(shift);
        const bool ctrlAlone = shift == app::kCtrlMask;
        EXPECT_EQ(DecideHotkey(app::kKeyG, shift),
                  ctrlAlone ? HotkeyAction::Freeze : HotkeyAction::None);
        EXPECT_EQ(DecideHotkey(app::kKeyF, shift),
                  ctrlAlone ? HotkeyAction::Resume : HotkeyAction::None);
        for (const std::int16_t key : kOtherKeys) {
            EXPECT_EQ(DecideHotkey(key, shift), HotkeyAction::None) << "key " << key;
        }
    }
}

TEST(Hotkeys, OutOfRangeModifierStatesDoNothing) {
    for (const std::int16_t shift : {-1, 8, 10, -32768, 32767}) {
        EXPECT_EQ(DecideHotkey(app::kKeyG, shift), HotkeyAction::None) << shift;
        EXPECT_EQ(DecideHotkey(app::kKeyF, shift), HotkeyAction::None) << shift;
    }
}

} // namespace
