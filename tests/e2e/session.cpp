// The shared pieces of the end-to-end tests: reading the five boxes, waiting for a reading, the
// fixture with its target windows.
#include "tests/e2e/session.h"

#include "app/main_layout.h"

namespace e2e {
namespace {

using namespace app::layout;

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += (c > 0 && c < 128) ? static_cast<char>(c) : '?';
    }
    return out;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT both;
    return IntersectRect(&both, &a, &b) != FALSE;
}

} // namespace

void PrintTo(const Reading& r, std::ostream* out) {
    *out << '{' << Narrow(r.html) << " | " << Narrow(r.red) << ", " << Narrow(r.green) << ", "
         << Narrow(r.blue) << " | " << Narrow(r.vb) << '}';
}

void PrintTo(const ColourCase& c, std::ostream* out) {
    *out << c.name;
}

Reading ReadBoxes(const VorlithProcess& app) {
    return {WindowText(app.Control(kIdTxtHtml)), WindowText(app.Control(kIdTxtRed)),
            WindowText(app.Control(kIdTxtGreen)), WindowText(app.Control(kIdTxtBlue)),
            WindowText(app.Control(kIdTxtVb))};
}

testing::AssertionResult ReadingBecomes(const VorlithProcess& app, const Reading& expected,
                                        Millis timeout) {
    Reading seen;
    if (WaitUntil([&] { return (seen = ReadBoxes(app)) == expected; }, timeout)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "the boxes show " << testing::PrintToString(seen) << " after " << timeout.count()
           << " ms, expected " << testing::PrintToString(expected);
}

testing::AssertionResult ReadingStays(const VorlithProcess& app, const Reading& expected,
                                      Millis period) {
    Reading seen;
    const bool changed = WaitUntil([&] { return (seen = ReadBoxes(app)) != expected; }, period);
    if (!changed) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "the boxes changed to " << testing::PrintToString(seen)
                                       << ", expected to keep " << testing::PrintToString(expected);
}

RECT TargetRectA() {
    return {20, 20, 140, 140};
}
RECT TargetRectB() {
    return {160, 20, 280, 140};
}

void VorlithTest::SetUp() {
    app_.emplace(VorlithProcess::Launch());
    RECT mainRect{};
    GetWindowRect(App().Main(), &mainRect);
    ASSERT_FALSE(Overlap(mainRect, TargetRectA()) || Overlap(mainRect, TargetRectB()))
        << "the screen is too small: the targets would cover the main window";
    targetA_.emplace(TargetRectA(), kColourA.colour);
    targetB_.emplace(TargetRectB(), kColourB.colour);
    ASSERT_TRUE(MakeForeground(App().Main())) << "the main window cannot be made foreground";
    ASSERT_TRUE(PointAt(TargetA(), kColourA));
}

void VorlithTest::TearDown() {
    targetA_.reset();
    targetB_.reset();
    app_.reset();
}

testing::AssertionResult VorlithTest::PointAt(TargetWindow& target, const ColourCase& expected) {
    MovePointer(target.Centre());
    return ReadingBecomes(App(), expected.reading);
}

} // namespace e2e
