// The main window's hotkeys: Ctrl+G freezes the reading, Ctrl+F resumes it; Ctrl+C on the swatch
// or the magnified view copies the HTML code.
#pragma once

#include "platform/shift_state.h"

#include <cstdint>

namespace app {

enum class HotkeyAction { None, Freeze, Resume };

// The modifier state as the key-down handler sees it: the masks of the keys held, summed.
using platform::kAltMask;
using platform::kCtrlMask;
using platform::kShiftMask;

inline constexpr std::int16_t kKeyC = 67;
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

// Ctrl+C on the swatch or the magnified view (a text box copies its selection itself), with
// Ctrl alone as for the hotkeys.
constexpr bool IsCopyKey(std::int16_t keyCode, std::int16_t shift) {
    return shift == kCtrlMask && keyCode == kKeyC;
}

} // namespace app
