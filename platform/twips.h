// Twips (1/1440 inch), the unit of every control position, and their pixels at a density.
#pragma once

#include <cstdint>

namespace platform {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultDpi = 96;

// Pixels for a length in twips at dpi pixels per inch, rounded to nearest (halves away
// from zero), computed in 64 bits so that no length overflows on the way.
constexpr int TwipsToPixels(int twips, int dpi) {
    const std::int64_t scaled = static_cast<std::int64_t>(twips) * dpi;
    const std::int64_t half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                        : -((-scaled + half) / kTwipsPerInch));
}

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A straight line between two points, in twips.
struct TwipLine {
    int x1;
    int y1;
    int x2;
    int y2;
};

// The rectangle in pixels. Edges are converted, not sizes, so that neighbouring controls
// that touch in twips still touch in pixels at any density.
constexpr PixelRect TwipsToPixels(const TwipRect& r, int dpi) {
    const int left = TwipsToPixels(r.left, dpi);
    const int top = TwipsToPixels(r.top, dpi);
    return {left, top, TwipsToPixels(r.left + r.width, dpi) - left,
            TwipsToPixels(r.top + r.height, dpi) - top};
}

} // namespace platform
