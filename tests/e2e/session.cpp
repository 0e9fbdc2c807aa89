// The shared pieces of the end-to-end tests: reading the five boxes, the fixture with its
// target windows and spy, and the waits on what the spy sees.
#include "tests/e2e/session.h"

#include "tests/e2e/text.h"

#include "app/main_layout.h"

namespace e2e {
namespace {

using namespace app::layout;

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

testing::AssertionResult ReadingBecomes(const VorlithProcess& app, const Reading& expected) {
    Reading seen;
    if (WaitUntil([&] { return (seen = ReadBoxes(app)) == expected; })) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "the boxes show " << testing::PrintToString(seen) << " after " << kPatience.count()
           << " ms, expected " << testing::PrintToString(expected);
}

RECT TargetRectA() {
    return {20, 20, 140, 140};
}
RECT TargetRectB() {
    return {160, 20, 280, 140};
}
RECT MosaicRect() {
    return {20, 160, 100, 240};
}

void VorlithTest::SetUp() {
    app_.emplace(VorlithProcess::Launch());
    spy_.emplace(App().Main(), App().ThreadId());
    const RECT mainRect = WindowRect(App().Main());
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
    spy_.reset();
    app_.reset();
}

testing::AssertionResult VorlithTest::PointAt(TargetWindow& target, const ColourCase& expected) {
    MovePointer(target.Centre());
    return ReadingBecomes(App(), expected.reading);
}

testing::AssertionResult VorlithTest::Settled() {
    // The thread answers a sent message only between the messages it handles, so the answer
    // comes after the handler of whatever it took before.
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(App().Main(), WM_NULL, 0, 0, SMTO_NORMAL,
                             static_cast<UINT>(kPatience.count()), &ignored)) {
        return testing::AssertionFailure()
               << (App().Running() ? "the program does not answer" : "the program has ended");
    }
    const long start = Spy().YardstickTicks();
    if (!WaitUntil([&] { return Spy().YardstickTicks() - start >= 2 || !App().Running(); })) {
        return testing::AssertionFailure() << "the program's thread takes no more messages";
    }
    if (!App().Running()) {
        return testing::AssertionFailure() << "the program has ended";
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult VorlithTest::Type(WORD vk, const std::vector<WORD>& modifiers) {
    const int mark = Spy().InputCount();
    PressKey(vk, modifiers);
    const WORD last = modifiers.empty() ? vk : modifiers.front();
    if (!WaitUntil([&] { return Spy().SawKeyUp(last, mark) || !App().Running(); })) {
        return testing::AssertionFailure()
               << "the program's thread did not take the key (0x" << std::hex << vk
               << "): is another window in the foreground?";
    }
    return Settled();
}

testing::AssertionResult VorlithTest::Click(POINT screen) {
    const int mark = Spy().InputCount();
    MouseClick(screen);
    if (!WaitUntil([&] { return Spy().SawButtonUp(mark) || !App().Running(); })) {
        return testing::AssertionFailure()
               << "the program's thread did not take the click at " << screen.x << "," << screen.y;
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult VorlithTest::StaysFrozen(const std::function<std::string()>& change) {
    const long yardstick = Spy().YardstickTicks();
    const long ticks = Spy().MainTicks();
    std::string changed;
    const bool spanned = WaitUntil([&] {
        changed = change();
        return !changed.empty() || Spy().MainTicks() != ticks || !App().Running() ||
               Spy().YardstickTicks() - yardstick >= kFrozenSpan;
    });
    if (!changed.empty()) {
        return testing::AssertionFailure() << changed;
    }
    if (Spy().MainTicks() != ticks) {
        return testing::AssertionFailure()
               << "the main window took " << Spy().MainTicks() - ticks << " tick(s) within "
               << Spy().YardstickTicks() - yardstick << " of the yardstick's: not frozen";
    }
    if (!App().Running()) {
        return testing::AssertionFailure() << "the program has ended";
    }
    if (!spanned) {
        return testing::AssertionFailure()
               << "the program's thread took only " << Spy().YardstickTicks() - yardstick
               << " of the yardstick's ticks within " << kPatience.count() << " ms: it hangs";
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult VorlithTest::ReadingStaysFrozen(const Reading& expected) {
    return StaysFrozen([&]() -> std::string {
        const Reading seen = ReadBoxes(App());
        if (seen == expected) {
            return {};
        }
        return "the boxes changed to " + testing::PrintToString(seen) + ", expected to keep " +
               testing::PrintToString(expected);
    });
}

testing::AssertionResult VorlithTest::FreezeOnA() {
    if (testing::AssertionResult typed = Type('G', {VK_CONTROL}); !typed) {
        return typed;
    }
    MovePointer(TargetB().Centre());
    return ReadingStaysFrozen(kColourA.reading);
}

testing::AssertionResult VorlithTest::ReadingStaysWhileTicking(const Reading& expected,
                                                               long ticks) {
    const long start = Spy().MainTicks();
    Reading seen = expected;
    const bool ticked = WaitUntil([&] {
        seen = ReadBoxes(App());
        return seen != expected || Spy().MainTicks() - start >= ticks;
    });
    if (seen != expected) {
        return testing::AssertionFailure()
               << "the boxes changed to " << testing::PrintToString(seen) << ", expected to keep "
               << testing::PrintToString(expected);
    }
    if (!ticked) {
        return testing::AssertionFailure()
               << "the main window took only " << Spy().MainTicks() - start << " of " << ticks
               << " ticks within " << kPatience.count() << " ms: not live";
    }
    return testing::AssertionSuccess();
}

} // namespace e2e
