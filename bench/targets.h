// Windows that the benchmark and the soak paint for the program to read: the screen under Wine
// holds only Wine windows, so the pointer is moved over these.
#pragma once

#include <windows.h>

#include <vector>

namespace bench {

class Targets {
  public:
    // Three patterned windows at the left and the right of the screen, clear of the main window
    // (which opens centred).
    Targets();
    Targets(const Targets&) = delete;
    Targets& operator=(const Targets&) = delete;
    ~Targets();

    // A point over a target, different for each step: the pointer walks a path that crosses
    // every target and goes from one to the next.
    POINT PointAt(long step) const;

  private:
    std::vector<HWND> windows_;
};

// Moves the pointer and lets the windows of this thread answer whatever is pending.
void MovePointer(POINT point);
void PumpMessages();
// Answers this thread's messages for the given time.
void PumpFor(DWORD milliseconds);

} // namespace bench
