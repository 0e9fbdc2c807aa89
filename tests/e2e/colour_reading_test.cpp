// The reading through the real window: the pointer over a pixel of known colour, the five text
// boxes and the swatch as the user sees them.
#include "tests/e2e/session.h"

#include "app/main_layout.h"

namespace e2e {
namespace {

using namespace app::layout;

// One program for the whole table: each case only changes the colour under the pointer.
class ColourReading : public testing::TestWithParam<ColourCase> {
  protected:
    static void TearDownTestSuite() {
        target_.reset();
        app_.reset();
    }

    void SetUp() override {
        if (!app_ || !app_->Running()) {
            target_.reset();
            app_.reset();
            app_.emplace(VorlithProcess::Launch());
            target_.emplace(TargetRectA(), 0x808080);
        }
    }

    static std::optional<VorlithProcess> app_;
    static std::optional<TargetWindow> target_;
};

std::optional<VorlithProcess> ColourReading::app_;
std::optional<TargetWindow> ColourReading::target_;

TEST_P(ColourReading, BoxesAndSwatchShowThePixelUnderThePointer) {
    const ColourCase& c = GetParam();
    target_->SetColour(c.colour);
    MovePointer(target_->Centre());

    EXPECT_TRUE(ReadingBecomes(*app_, c.reading));

    // The swatch is repainted in the sampled colour: read it off the screen.
    const POINT swatch = ClientCentre(app_->Control(kIdPicColorDisplay));
    COLORREF seen = CLR_INVALID;
    EXPECT_TRUE(WaitUntil([&] { return (seen = ScreenPixel(swatch)) == c.colour; }))
        << std::hex << "swatch pixel 0x" << seen << ", expected 0x" << c.colour;
}

INSTANTIATE_TEST_SUITE_P(ColourTable, ColourReading, testing::ValuesIn(kColourTable),
                         CaseName<ColourCase>);

using Sampling = VorlithTest;

// With the pointer on the swatch itself the program reads its own last colour back: the reading
// stays put from tick to tick.
TEST_F(Sampling, PointerOnTheSwatchKeepsTheReading) {
    MovePointer(ClientCentre(Control(kIdPicColorDisplay)));
    EXPECT_TRUE(ReadingStaysWhileTicking(kColourA.reading, 20));
    EXPECT_EQ(ScreenPixel(ClientCentre(Control(kIdPicColorDisplay))), kColourA.colour);
}

// The reading follows the pointer from one window to another and back, tick after tick.
TEST_F(Sampling, ReadingFollowsThePointer) {
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(PointAt(TargetB(), kColourB)) << "round " << round;
        ASSERT_TRUE(PointAt(TargetA(), kColourA)) << "round " << round;
    }
}

// The picture under a still pointer changes: the next ticks read the new colour.
TEST_F(Sampling, ReadingFollowsAChangeUnderAStillPointer) {
    TargetA().SetColour(kColourB.colour);
    EXPECT_TRUE(ReadingBecomes(App(), kColourB.reading));
}

} // namespace
} // namespace e2e
