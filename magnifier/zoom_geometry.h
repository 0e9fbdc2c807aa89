// Where the zoom view copies from and to: the screen rectangle around the pointer and the
// size it fills in the view, every screen pixel a ZoomFactor x ZoomFactor block.
#pragma once

#include <cstdint>

namespace magnifier {

struct ZoomPlan {
    std::int32_t sourceLeft;
    std::int32_t sourceTop;
    std::int32_t sourceWidth;
    std::int32_t sourceHeight;
    std::int32_t destWidth;  // from the view's left edge
    std::int32_t destHeight; // from the view's top edge
    friend constexpr bool operator==(const ZoomPlan&, const ZoomPlan&) = default;
};

// Rounds a view size to a signed 32-bit integer, to nearest with ties to even. Values beyond
// the 32-bit range saturate; NaN gives 0.
std::int32_t RoundToInt32(float value);

// Rounds a view size to a signed 16-bit integer, to nearest with ties to even (the grid
// handles views of up to 32767 pixels). Values beyond the range saturate; NaN gives 0.
std::int16_t RoundToInt16(float value);

// The copy for a pointer at (x, y), a view of scaleWidth x scaleHeight pixels and the zoom
// factor, used unrounded. The source rectangle is never clamped to the screen. A factor that
// is not a positive finite number gives an empty plan (all zero); results that would leave
// the 32-bit range saturate.
ZoomPlan PlanZoom(std::int32_t x, std::int32_t y, float scaleWidth, float scaleHeight,
                  float zoomFactor);

struct ViewBlock {
    std::int32_t left; // first view pixel across
    std::int32_t top;  // first view pixel down
    friend constexpr bool operator==(const ViewBlock&, const ViewBlock&) = default;
};

// The top-left view pixel of the block that shows the pointer's pixel.
ViewBlock PointerBlock(float scaleWidth, float scaleHeight, float zoomFactor);

} // namespace magnifier
