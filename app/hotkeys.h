// The main window's hotkeys: Ctrl+G freezes the reading, Ctrl+F resumes it.
#pragma once

#include "platform/shift_state.h"

#include <cstdint>

namespace app {

enum class HotkeyAction { None, Freeze, Resume };

// The modifier state as the key-down handler sees it: the masks of the keys held, summed.
using platform::kAltMask;
using platform::kCtrlMask;
using platform::kShiftMask;

inline constexpr std::int16_t kKeyF = 70;
inline constexpr std::int16_t kKeyG = 71;

// Only Ctrl alone counts: Ctrl+Shift, Ctrl+Alt (and so AltGr) and Alt leave the keys alone.
constexpr HotkeyAction DecideHotkey(std::int16_t keyCode, std::int16_t shift) {
    if (shift != kCtrlMask) {
        return HotkeyAction::None;
    }
    if (keyCode == kKeyG) {
        return HotkeyAction::Freeze;
    }
    if (keyCode == kKeyF) {
        return HotkeyAction::Resume;
    }
    return HotkeyAction::None;
}

} // namespace app
