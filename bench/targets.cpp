// The target windows: a mosaic of their own each, so that neighbouring pixels differ, every zoom
// view over a target shows many colours and the pixel under the pointer changes as it moves.
#include "bench/targets.h"

#include <iterator>

namespace bench {

namespace {

constexpr int kTargetSize = 160;
constexpr POINT kTargetPlaces[Targets::kCount] = {{40, 560}, {1000, 120}, {1000, 560}};

} // namespace

Targets::Targets() {
    for (int i = 0; i < kCount; ++i) {
        const POINT place = kTargetPlaces[i];
        const int seed = i + 1;
        windows_[i].emplace(
            RECT{place.x, place.y, place.x + kTargetSize, place.y + kTargetSize},
            [seed](int x, int y) { return test_support::SeededMosaic(x, y, seed); },
            test_support::TargetWindow::Stacking::Normal);
    }
}

POINT Targets::PointAt(long step) const {
    // 100 steps across each target, diagonally, then on to the next one.
    constexpr long kStepsPerTarget = 100;
    const size_t target = static_cast<size_t>(step / kStepsPerTarget) % std::size(kTargetPlaces);
    const long along = step % kStepsPerTarget;
    const POINT place = kTargetPlaces[target];
    const long offset = 20 + along * (kTargetSize - 40) / kStepsPerTarget;
    return {place.x + offset, place.y + offset};
}

void MovePointer(POINT point) {
    SetCursorPos(point.x, point.y);
}

void PumpFor(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        test_support::PumpMessages();
    }
}

} // namespace bench
