// Colour values as the program writes them: 0x00BBGGRR, or a negative value naming a system
// colour. Plain integers, free of the system headers, so that the logic can use them anywhere.
#pragma once

#include <cstdint>

namespace platform {

// A COLORREF 0x00BBGGRR in a signed 32-bit integer, or, when negative, the system colour whose
// index is the low byte (0x8000000F is the button face).
using ColourValue = std::int32_t;

constexpr ColourValue Rgb(int red, int green, int blue) {
    return static_cast<ColourValue>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr ColourValue SystemColour(int index) {
    return static_cast<ColourValue>(0x80000000u | static_cast<std::uint32_t>(index & 0xFF));
}

constexpr bool IsSystemColour(ColourValue value) {
    return value < 0;
}
constexpr int SystemColourIndex(ColourValue value) {
    return value & 0xFF;
}

inline constexpr ColourValue kSysWindowBackground = SystemColour(0x05);
inline constexpr ColourValue kSysWindowText = SystemColour(0x08);
inline constexpr ColourValue kSysButtonFace = SystemColour(0x0F);
inline constexpr ColourValue kSysButtonShadow = SystemColour(0x10);
inline constexpr ColourValue kSysButtonText = SystemColour(0x12);
inline constexpr ColourValue kSysButtonHighlight = SystemColour(0x14);

} // namespace platform
