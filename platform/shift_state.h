// The modifier keys held as a key goes down, as the key handlers get them: the sum of one mask
// for each key held.
#pragma once

#include <cstdint>

namespace platform {

inline constexpr std::int16_t kShiftMask = 1;
inline constexpr std::int16_t kCtrlMask = 2;
inline constexpr std::int16_t kAltMask = 4;

} // namespace platform
