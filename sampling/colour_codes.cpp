// The text forms of a sampled colour. Every operation only reads the characters that exist,
// so a short or odd text gives a short or zero result rather than a read past its end.
#include "sampling/colour_codes.h"

#include <cstddef>
#include <cstdint>

namespace sampling {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The value of one hexadecimal digit (either case), or -1 for any other character. Written out
// rather than with <cctype>, whose functions are undefined for negative char values.
int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Appends the characters from..from+1 (0-based) of text that exist.
void AppendPair(std::string& out, std::string_view text, std::size_t from) {
    if (from < text.size()) {
        out.append(text.substr(from, 2));
    }
}

} // namespace

std::string BgrHex(ColourValue value) {
    // The digits of the 32-bit pattern, most significant first, without leading zeros; then
    // filled out to six places. A readable colour has at most six digits; anything else (the
    // 0xFFFFFFFF of a failed read) simply keeps all of its digits.
    auto bits = static_cast<std::uint32_t>(value);
    char digits[8];
    std::size_t count = 0;
    do {
        digits[count++] = kHexDigits[bits & 0xFu];
        bits >>= 4;
    } while (bits != 0);

    std::string text;
    text.reserve(count < 6 ? 6 : count);
    if (count < 6) {
        text.append(6 - count, '0');
    }
    while (count > 0) {
        text.push_back(digits[--count]);
    }
    return text;
}

std::string HtmlCode(std::string_view bgrHex) {
    // BBGGRR -> #RRGGBB: the pairs swap ends, each pair keeps its own order.
    std::string html = "#";
    AppendPair(html, bgrHex, 4);
    AppendPair(html, bgrHex, 2);
    AppendPair(html, bgrHex, 0);
    return html;
}

std::string VbCode(std::string_view bgrHex) {
    std::string literal = "&H00";
    literal.append(bgrHex);
    literal.push_back('&');
    return literal;
}

std::string RgbCode(std::string_view bgrHex) {
    // The components that the three boxes show: decoded from the HTML code, as they are.
    // Appended piece by piece: a text put in front of another ("RGB(" + ...) takes a path of
    // the C++ library that GCC 14 keeps out of line, with the exception machinery around it.
    const std::string html = HtmlCode(bgrHex);
    std::string rgb = "RGB(";
    rgb.append(ComponentText(html, 2)).append(", ").append(ComponentText(html, 4));
    rgb.append(", ").append(ComponentText(html, 6)).push_back(')');
    return rgb;
}

std::string ComponentText(std::string_view text, int start) {
    int value = 0;
    if (start >= 1 && static_cast<std::size_t>(start) <= text.size()) {
        const std::string_view pair = text.substr(static_cast<std::size_t>(start) - 1, 2);
        for (const char c : pair) {
            const int digit = HexDigitValue(c);
            if (digit < 0) {
                break;
            }
            value = value * 16 + digit;
        }
    }
    return std::to_string(value);
}

} // namespace sampling
