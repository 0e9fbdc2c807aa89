// The text forms of a sampled colour: BgrHex, the HTML code, the colour literal and the
// decimal components. Pure text operations; no window or OS call is involved.
#pragma once

#include "platform/colour.h"

#include <string>
#include <string_view>

namespace sampling {

using platform::ColourValue;

// The top of the range that the text forms are defined for.
inline constexpr ColourValue kMaxColourValue = 0xFFFFFF;

// True for a colour value from 0 to 0xFFFFFF, which is what a successful screen read gives.
// A failed read (0xFFFFFFFF, CLR_INVALID) and anything with a non-zero top byte is false.
constexpr bool IsReadableColour(ColourValue value) {
    return value >= 0 && value <= kMaxColourValue;
}

// The six upper-case hexadecimal digits of value, blue pair first, filled out with leading
// zeros ("563412" for 0x563412). value must satisfy IsReadableColour.
std::string BgrHex(ColourValue value);

// "#RRGGBB" from a six-character BgrHex text.
std::string HtmlCode(std::string_view bgrHex);

// "&H00BBGGRR&" from a six-character BgrHex text: the pairs keep their order.
std::string VbCode(std::string_view bgrHex);

// "RGB(r, g, b)" from a six-character BgrHex text: the components as the HTML code gives them
// ("RGB(18, 52, 86)" for "563412"), a call that Visual Basic and CSS both read.
std::string RgbCode(std::string_view bgrHex);

// The decimal value ("0" to "255") of the two hexadecimal digits of text at start (counted
// from 1), or of as many of them as the text holds; no digits read as 0. Characters that are
// not hexadecimal digits end the number (they are never produced by HtmlCode).
std::string ComponentText(std::string_view text, int start);

} // namespace sampling
