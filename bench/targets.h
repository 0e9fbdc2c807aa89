// Windows that the benchmark and the soak paint for the program to read: the screen under Wine
// holds only Wine windows, so the pointer is moved over these.
#pragma once

#include "tests/support/target_window.h"

#include <windows.h>

#include <optional>

namespace bench {

class Targets {
  public:
    // Three mosaics at the left and the right of the screen, clear of the main window (which
    // opens centred). Waits until the screen shows them; throws std::runtime_error otherwise.
    Targets();

    // A point over a target, different for each step: the pointer walks a path that crosses
    // every target and goes from one to the next.
    POINT PointAt(long step) const;

    static constexpr int kCount = 3;

  private:
    std::optional<test_support::TargetWindow> windows_[kCount];
};

// Moves the pointer.
void MovePointer(POINT point);
// Answers this thread's messages for the given time.
void PumpFor(DWORD milliseconds);

} // namespace bench
