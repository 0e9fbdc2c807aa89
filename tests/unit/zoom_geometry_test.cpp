// The zoom view's copy rectangle and the block of the pointer's pixel.
#include "magnifier/zoom_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>

// Readable failure messages; found by argument-dependent lookup.
namespace magnifier {
void PrintTo(const ZoomPlan& p, std::ostream* os) {
    *os << "src " << p.sourceLeft << "," << p.sourceTop << " " << p.sourceWidth << "x"
        << p.sourceHeight << " dest " << p.destWidth << "x" << p.destHeight;
}
void PrintTo(const ViewBlock& b, std::ostream* os) {
    *os << "block " << b.left << "," << b.top;
}
} // namespace magnifier

namespace {

using magnifier::PlanZoom;
using magnifier::PointerBlock;
using magnifier::RoundToInt16;
using magnifier::RoundToInt32;
using magnifier::ViewBlock;
using magnifier::ZoomPlan;

constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct PlanCase {
    std::int32_t x;
    std::int32_t y;
    float width;
    float height;
    float zoom;
    ZoomPlan plan;
    ViewBlock block;
};

const PlanCase kPlanCases[] = {
    // The view of the main window at 96 DPI: eleven whole blocks, nothing fitted.
    {500, 300, 77, 77, 7, {495, 295, 11, 11, 77, 77}, {35, 35}},
    // Not a whole number of blocks: one more source pixel, the view overrun by one pixel.
    {500, 300, 97, 97, 7, {494, 294, 14, 14, 98, 98}, {42, 42}},
    {500, 300, 100, 60, 7, {493, 296, 15, 9, 105, 63}, {49, 28}},
    // Two whole blocks: the pointer's pixel is the second, the one holding the centre line.
    {500, 300, 14, 14, 7, {499, 299, 2, 2, 14, 14}, {7, 7}},
    // Near and beyond the screen's top-left corner nothing is clamped.
    {0, 0, 77, 77, 7, {-5, -5, 11, 11, 77, 77}, {35, 35}},
    {-1920, -50, 77, 77, 7, {-1925, -55, 11, 11, 77, 77}, {35, 35}},
    // Views narrower than one block show part of the pointer's block; an empty view copies nothing.
    {500, 300, 1, 6, 7, {500, 300, 1, 1, 7, 7}, {0, 0}},
    {500, 300, 3, 4, 7, {500, 300, 1, 1, 7, 7}, {0, 0}},
    {500, 300, 0, 0, 7, {500, 300, 0, 0, 0, 0}, {0, 0}},
    {500, 300, 7, 8, 7, {500, 300, 1, 2, 7, 14}, {0, 0}},
    // Sizes are rounded with ties to even: 76.5 reads as 76, 77.5 as 78.
    {500, 300, 76.5f, 77.5f, 7, {495, 295, 11, 12, 77, 84}, {35, 35}},
    {500, 300, 76.51f, 77.49f, 7, {495, 295, 11, 11, 77, 77}, {35, 35}},
    // The size is halved exactly before the division: 7.5 / 7.5 gives block 1, where a halving
    // in whole numbers (7 / 7.5) would give block 0.
    {500, 300, 15, 15, 7.5f, {499, 299, 2, 2, 15, 15}, {7, 7}},
    // A fitted length t + Z is rounded with ties to even: 10 + 2.5 gives 12.
    {0, 0, 11, 11, 2.5f, {-2, -2, 5, 5, 12, 12}, {5, 5}},
    // Factors of 1 and below 1 follow the same formulas.
    {10, 10, 9, 9, 1, {6, 6, 9, 9, 9, 9}, {4, 4}},
    {10, 10, 77, 77, 0.5f, {-67, -67, 154, 154, 77, 77}, {38, 38}},
};

TEST(ZoomGeometry, WorkedExamples) {
    for (const PlanCase& c : kPlanCases) {
        SCOPED_TRACE(testing::Message() << "pointer " << c.x << "," << c.y << " view " << c.width
                                        << "x" << c.height << " zoom " << c.zoom);
        EXPECT_EQ(PlanZoom(c.x, c.y, c.width, c.height, c.zoom), c.plan);
        EXPECT_EQ(PointerBlock(c.width, c.height, c.zoom), c.block);
    }
}

// For whole-number factors the copy is whole blocks: the destination is source × factor, it
// covers the view and overruns it by less than one block, and the pointer's pixel lands in the
// block that holds the view's centre.
TEST(ZoomGeometry, WholeFactorsGiveWholeBlocksThatCoverTheView) {
    for (int zoom = 1; zoom <= 12; ++zoom) {
        for (int size = 0; size <= 300; ++size) {
            SCOPED_TRACE(testing::Message() << "zoom " << zoom << " size " << size);
            const float z = static_cast<float>(zoom);
            const float s = static_cast<float>(size);
            const ZoomPlan plan = PlanZoom(1000, -1000, s, s, z);
            const ViewBlock block = PointerBlock(s, s, z);
            ASSERT_EQ(plan.destWidth, plan.sourceWidth * zoom);
            ASSERT_EQ(plan.destHeight, plan.sourceHeight * zoom);
            ASSERT_GE(plan.destWidth, size);
            ASSERT_LT(plan.destWidth - size, zoom);
            // The pointer's pixel is the block (x - left) of the copy.
            ASSERT_EQ(block.left, (1000 - plan.sourceLeft) * zoom);
            ASSERT_EQ(block.top, (-1000 - plan.sourceTop) * zoom);
            if (size > 0) {
                ASSERT_LE(2 * block.left, size);
                ASSERT_GT(2 * (block.left + zoom), size);
                ASSERT_LT(block.left, plan.destWidth);
            }
        }
    }
}

TEST(ZoomGeometry, RoundingTiesToEvenAndSaturates) {
    const struct {
        float value;
        std::int32_t rounded;
    } cases32[] = {
        {76.5f, 76},
        {77.5f, 78},
        {76.4999f, 76},
        {76.51f, 77},
        {0.5f, 0},
        {1.5f, 2},
        {-0.5f, 0},
        {-1.5f, -2},
        {-2.5f, -2},
        {-0.0f, 0},
        {3e9f, kMax32},
        {-3e9f, kMin32},
        {kInf, kMax32},
        {-kInf, kMin32},
        {kNaN, 0},
        {2147483520.0f, 2147483520},
        {2147483648.0f, kMax32},
        {-2147483648.0f, kMin32},
    };
    for (const auto& c : cases32) {
        EXPECT_EQ(RoundToInt32(c.value), c.rounded) << c.value;
    }
    const struct {
        float value;
        std::int16_t rounded;
    } cases16[] = {
        {2.5f, 2},           {3.5f, 4},         {32766.5f, 32766},   {32767.4f, 32767},
        {32767.5f, 32767},   {40000.0f, 32767}, {-32768.0f, -32768}, {-32768.6f, -32768},
        {-40000.0f, -32768}, {kInf, 32767},     {-kInf, -32768},     {kNaN, 0},
    };
    for (const auto& c : cases16) {
        EXPECT_EQ(RoundToInt16(c.value), c.rounded) << c.value;
    }
}

TEST(ZoomGeometry, AFactorThatIsNotPositiveAndFinitePlansNothing) {
    const ZoomPlan empty{0, 0, 0, 0, 0, 0};
    for (const float zoom : {0.0f, -0.0f, -7.0f, kNaN, kInf, -kInf}) {
        EXPECT_EQ(PlanZoom(500, 300, 77, 77, zoom), empty) << zoom;
        EXPECT_EQ(PointerBlock(77, 77, zoom), (ViewBlock{0, 0})) << zoom;
    }
}

TEST(ZoomGeometry, PointerAtTheEndsOfTheIntRangeSaturates) {
    EXPECT_EQ(PlanZoom(kMin32, kMin32, 77, 77, 7), (ZoomPlan{kMin32, kMin32, 11, 11, 77, 77}));
    EXPECT_EQ(PlanZoom(kMin32 + 5, kMin32 + 4, 77, 77, 7),
              (ZoomPlan{kMin32, kMin32, 11, 11, 77, 77}));
    EXPECT_EQ(PlanZoom(kMax32, kMax32, 77, 77, 7),
              (ZoomPlan{kMax32 - 5, kMax32 - 5, 11, 11, 77, 77}));
}

TEST(ZoomGeometry, HugeViewsSaturateTheFittedLength) {
    // floor(2147483647 / 7) = 306783378 blocks cover 2147483646 pixels; the fitted length
    // 2147483653 does not fit in 32 bits.
    const ZoomPlan plan = PlanZoom(0, 0, kInf, 3e9f, 7);
    EXPECT_EQ(plan, (ZoomPlan{-153391689, -153391689, 306783379, 306783379, kMax32, kMax32}));
    EXPECT_EQ(PointerBlock(kInf, kInf, 7), (ViewBlock{1073741823, 1073741823}));
}

TEST(ZoomGeometry, NegativeOrNaNViewsAreEmpty) {
    const ZoomPlan empty{500, 300, 0, 0, 0, 0};
    EXPECT_EQ(PlanZoom(500, 300, -5, -77, 7), empty);
    EXPECT_EQ(PlanZoom(500, 300, kNaN, -kInf, 7), empty);
    EXPECT_EQ(PointerBlock(-77, kNaN, 7), (ViewBlock{0, 0}));
}

TEST(ZoomGeometry, ExtremeFactorsSaturate) {
    // A denormal factor: millions of billions of source pixels, saturated.
    const float tiny = std::numeric_limits<float>::denorm_min();
    const ZoomPlan small = PlanZoom(500, 300, 77, 77, tiny);
    EXPECT_EQ(small.sourceLeft, kMin32);
    EXPECT_EQ(small.sourceTop, kMin32);
    EXPECT_EQ(small.sourceWidth, kMax32);
    EXPECT_EQ(small.sourceHeight, kMax32);
    EXPECT_GE(small.destWidth, 76);
    EXPECT_LE(small.destWidth, 77);
    const ViewBlock smallBlock = PointerBlock(77, 77, tiny);
    EXPECT_GE(smallBlock.left, 37);
    EXPECT_LE(smallBlock.left, 38);

    // The largest float: one source pixel, a block wider than any view.
    const float huge = std::numeric_limits<float>::max();
    EXPECT_EQ(PlanZoom(500, 300, 77, 77, huge), (ZoomPlan{500, 300, 1, 1, kMax32, kMax32}));
    EXPECT_EQ(PointerBlock(77, 77, huge), (ViewBlock{0, 0}));
}

} // namespace
