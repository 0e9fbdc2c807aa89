// The pixel grid drawn over the zoom view: where its lines fall, and the two-grey checker
// pattern they are painted with.
#pragma once

#include "platform/colour.h"

#include <cmath>
#include <cstdint>

namespace magnifier {

// The grid is drawn only from this factor up (3 included).
inline constexpr float kMinGridFactor = 3.0f;

// The two greys of the checker pattern, as colour values 0x00BBGGRR.
inline constexpr platform::ColourValue kGridFirstColour = 0x808080;
inline constexpr platform::ColourValue kGridSecondColour = 0xC0C0C0;

inline constexpr int kCheckerSize = 8;

constexpr bool GridIsDrawn(float zoomFactor) {
    return zoomFactor >= kMinGridFactor;
}

// Pixel (x, y) of the 8 x 8 pattern, and so of a grid line anchored at the view's top-left:
// the first colour where x + y is even, the second where it is odd.
// The parity of x + y is that of x ^ y, which cannot overflow at the ends of the int range.
constexpr bool CheckerIsFirst(int x, int y) {
    return ((x ^ y) & 1) == 0;
}

// Calls line(position) for each grid line along one axis, in order: a single-precision
// counter from 0 up to and including limit, in steps of zoomFactor, each position its floor.
// Nothing is called when the grid is not drawn at this factor. Returns the number of lines.
template <class LineFn> int ForEachGridLine(std::int16_t limit, float zoomFactor, LineFn&& line) {
    if (!GridIsDrawn(zoomFactor)) {
        return 0;
    }
    const float end = static_cast<float>(limit);
    const float step = zoomFactor;
    int count = 0;
    for (float k = 0.0f; k <= end; k += step) {
        line(static_cast<std::int32_t>(std::floor(k)));
        ++count;
    }
    return count;
}

} // namespace magnifier
