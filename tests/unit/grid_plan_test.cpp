// Where the grid lines of the zoom view fall, and the two greys along them.
#include "magnifier/grid_plan.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

using magnifier::CheckerIsFirst;
using magnifier::ForEachGridLine;
using magnifier::GridIsDrawn;

std::vector<std::int32_t> Lines(std::int16_t limit, float zoom) {
    std::vector<std::int32_t> positions;
    const int count = ForEachGridLine(limit, zoom, [&](std::int32_t p) { positions.push_back(p); });
    EXPECT_EQ(count, static_cast<int>(positions.size()));
    return positions;
}

std::vector<std::int32_t> Steps(std::int32_t last, std::int32_t step) {
    std::vector<std::int32_t> positions;
    for (std::int32_t p = 0; p <= last; p += step) {
        positions.push_back(p);
    }
    return positions;
}

TEST(GridPlan, LinePositions) {
    // The limit is included: a line falls on x = 77, just outside the 77-pixel view.
    EXPECT_EQ(Lines(77, 7), Steps(77, 7));
    EXPECT_EQ(Lines(77, 7).size(), 12u);
    // 98 lies inside a 100-pixel view, on the cut-off last column of blocks.
    EXPECT_EQ(Lines(100, 7), Steps(98, 7));
    EXPECT_EQ(Lines(100, 7).size(), 15u);
    EXPECT_EQ(Lines(0, 7), std::vector<std::int32_t>{0});
    EXPECT_EQ(Lines(6, 7), std::vector<std::int32_t>{0});
    // A fractional factor: each line at the floor of the running single-precision sum.
    EXPECT_EQ(Lines(30, 7.5f), (std::vector<std::int32_t>{0, 7, 15, 22, 30}));
}

TEST(GridPlan, LargestViewAndNegativeLimits) {
    const std::vector<std::int32_t> lines = Lines(32767, 3);
    ASSERT_EQ(lines.size(), 10923u);
    EXPECT_EQ(lines.back(), 32766);
    EXPECT_TRUE(Lines(-1, 7).empty());
    EXPECT_TRUE(Lines(-32768, 3).empty());
}

TEST(GridPlan, DrawnOnlyFromFactorThree) {
    EXPECT_TRUE(GridIsDrawn(3.0f));
    EXPECT_TRUE(GridIsDrawn(7.0f));
    EXPECT_FALSE(GridIsDrawn(2.99f));
    EXPECT_FALSE(GridIsDrawn(std::nextafter(3.0f, 0.0f)));
    EXPECT_FALSE(GridIsDrawn(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_FALSE(GridIsDrawn(-7.0f));

    EXPECT_EQ(Lines(9, 3), (std::vector<std::int32_t>{0, 3, 6, 9}));
    int calls = 0;
    EXPECT_EQ(ForEachGridLine(77, 2.99f, [&](std::int32_t) { ++calls; }), 0);
    EXPECT_EQ(ForEachGridLine(77, std::numeric_limits<float>::quiet_NaN(),
                              [&](std::int32_t) { ++calls; }),
              0);
    EXPECT_EQ(calls, 0);
    // An infinite step paints the line at 0 and stops.
    EXPECT_EQ(Lines(77, std::numeric_limits<float>::infinity()), std::vector<std::int32_t>{0});
}

TEST(GridPlan, CheckerPattern) {
    EXPECT_TRUE(CheckerIsFirst(0, 0));
    EXPECT_FALSE(CheckerIsFirst(1, 0));
    EXPECT_FALSE(CheckerIsFirst(0, 1));
    EXPECT_TRUE(CheckerIsFirst(1, 1));
    EXPECT_TRUE(CheckerIsFirst(7, 7));
    EXPECT_FALSE(CheckerIsFirst(7, 6));
    // Coordinates at the ends of the int range keep the parity rule (no overflow of x + y).
    EXPECT_TRUE(CheckerIsFirst(INT_MAX, 1));
    EXPECT_TRUE(CheckerIsFirst(INT_MAX, INT_MAX));
    EXPECT_FALSE(CheckerIsFirst(INT_MIN, -1));
    EXPECT_TRUE(CheckerIsFirst(INT_MIN, INT_MIN));
    EXPECT_FALSE(CheckerIsFirst(-1, 0));
}

} // namespace
