// The zoom view's copy rectangle. All arithmetic is in double with the factor unrounded, so
// the results are those of the formulas at any factor; every result is saturated into its
// integer type on the way out, so no input (NaN, infinities, extreme pointer positions,
// denormal factors) can overflow a conversion.
#include "magnifier/zoom_geometry.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace magnifier {

namespace {

// Rounds to nearest with ties to even, without depending on the floating-point environment's
// rounding mode, and clamps into [low, high]. NaN gives 0.
double RoundHalfEvenClamped(double value, double low, double high) {
    if (std::isnan(value)) {
        return 0.0;
    }
    if (value <= low) {
        return low;
    }
    if (value >= high) {
        return high;
    }
    const double down = std::floor(value);
    const double fraction = value - down; // exact: value and down are close and finite
    if (fraction > 0.5) {
        return down + 1.0;
    }
    if (fraction < 0.5) {
        return down;
    }
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

constexpr double kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr double kInt32Max = std::numeric_limits<std::int32_t>::max();

// A result of the formulas, already a whole number (or beyond the range), as a 32-bit integer.
std::int32_t SaturateToInt32(double value) {
    return static_cast<std::int32_t>(RoundHalfEvenClamped(value, kInt32Min, kInt32Max));
}

// The factor is usable when it is a positive finite number; anything else plans nothing.
bool IsUsableFactor(float zoomFactor) {
    return std::isfinite(zoomFactor) && zoomFactor > 0.0f;
}

// The view size as the formulas take it. A pixel-scaled view is never negative; should a
// negative size ever be read, it is taken as an empty view instead of a mirrored copy.
double ViewSize(float scaleSize) {
    const std::int32_t rounded = RoundToInt32(scaleSize);
    return rounded < 0 ? 0.0 : static_cast<double>(rounded);
}

// floor(size / 2 / zoom): the index of the block that holds the view's centre line. The size
// is halved first, then divided by the factor.
double CentreBlockIndex(double size, double zoom) {
    return std::floor(size / 2.0 / zoom);
}

struct AxisPlan {
    double sourceStart;
    double sourceLength;
    double destLength;
};

// One axis of the copy: the source start around the pointer, the number of screen pixels, and
// the view length they fill. When the view is not a whole number of blocks long, one more
// screen pixel is taken and the length becomes the next multiple of the factor above it.
AxisPlan PlanAxis(std::int32_t pointer, double size, double zoom) {
    AxisPlan plan{};
    plan.sourceStart = static_cast<double>(pointer) - CentreBlockIndex(size, zoom);
    plan.sourceLength = std::floor(size / zoom);
    plan.destLength = size;
    const double covered = std::floor(zoom * plan.sourceLength);
    if (covered < size) {
        plan.sourceLength += 1.0;
        plan.destLength = RoundHalfEvenClamped(covered + zoom, kInt32Min, kInt32Max);
    }
    return plan;
}

} // namespace

std::int32_t RoundToInt32(float value) {
    return static_cast<std::int32_t>(RoundHalfEvenClamped(value, kInt32Min, kInt32Max));
}

std::int16_t RoundToInt16(float value) {
    return static_cast<std::int16_t>(RoundHalfEvenClamped(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

ZoomPlan PlanZoom(std::int32_t x, std::int32_t y, float scaleWidth, float scaleHeight,
                  float zoomFactor) {
    if (!IsUsableFactor(zoomFactor)) {
        return ZoomPlan{0, 0, 0, 0, 0, 0};
    }
    const double zoom = zoomFactor;
    const AxisPlan across = PlanAxis(x, ViewSize(scaleWidth), zoom);
    const AxisPlan down = PlanAxis(y, ViewSize(scaleHeight), zoom);
    return ZoomPlan{
        SaturateToInt32(across.sourceStart),  SaturateToInt32(down.sourceStart),
        SaturateToInt32(across.sourceLength), SaturateToInt32(down.sourceLength),
        SaturateToInt32(across.destLength),   SaturateToInt32(down.destLength),
    };
}

ViewBlock PointerBlock(float scaleWidth, float scaleHeight, float zoomFactor) {
    if (!IsUsableFactor(zoomFactor)) {
        return ViewBlock{0, 0};
    }
    const double zoom = zoomFactor;
    // Block i covers view pixels from floor(i * zoom); the sizes are those read before the fit.
    const double left = std::floor(CentreBlockIndex(ViewSize(scaleWidth), zoom) * zoom);
    const double top = std::floor(CentreBlockIndex(ViewSize(scaleHeight), zoom) * zoom);
    return ViewBlock{SaturateToInt32(left), SaturateToInt32(top)};
}

} // namespace magnifier
