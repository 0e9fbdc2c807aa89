// The arrow keys on the swatch or the magnified view: the pointer one screen pixel that way, ten
// with Shift, and never off the desktop.
#pragma once

#include "app/hotkeys.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace app {

// Virtual-key codes of the arrow keys.
inline constexpr std::int16_t kKeyLeft = 0x25;
inline constexpr std::int16_t kKeyUp = 0x26;
inline constexpr std::int16_t kKeyRight = 0x27;
inline constexpr std::int16_t kKeyDown = 0x28;

inline constexpr std::int32_t kLongStep = 10;

struct PointerStep {
    std::int32_t dx;
    std::int32_t dy;
};

// The modifier state is that of the hotkeys: an arrow alone steps one pixel, with Shift alone
// ten; any other mix, or any other key, does not step.
constexpr std::optional<PointerStep> DecideNudge(std::int16_t keyCode, std::int16_t shift) {
    if (shift != 0 && shift != kShiftMask) {
        return std::nullopt;
    }
    const std::int32_t length = shift == kShiftMask ? kLongStep : 1;
    switch (keyCode) {
    case kKeyLeft: return PointerStep{-length, 0};
    case kKeyRight: return PointerStep{length, 0};
    case kKeyUp: return PointerStep{0, -length};
    case kKeyDown: return PointerStep{0, length};
    default: return std::nullopt;
    }
}

struct ScreenPoint {
    std::int32_t x;
    std::int32_t y;
    friend constexpr bool operator==(ScreenPoint, ScreenPoint) = default;
};

// The rectangle around every monitor, in screen pixels; right and bottom lie just outside.
struct DesktopBounds {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

// Where a step takes the pointer: it stops at the desktop's edge. A desktop of no size (none
// known) leaves the pointer where it is.
constexpr ScreenPoint Nudge(ScreenPoint from, PointerStep step, DesktopBounds desktop) {
    if (desktop.right <= desktop.left || desktop.bottom <= desktop.top) {
        return from;
    }
    // In 64 bits: a step from a point at the far end of the 32-bit range does not overflow.
    const auto along = [](std::int32_t at, std::int32_t by, std::int32_t low, std::int32_t end) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(
            std::int64_t{at} + by, std::int64_t{low}, std::int64_t{end} - 1));
    };
    return {along(from.x, step.dx, desktop.left, desktop.right),
            along(from.y, step.dy, desktop.top, desktop.bottom)};
}

} // namespace app
