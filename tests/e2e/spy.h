// The driver's view into the program's user-interface thread, through the spy DLL that a
// message hook loads there (spy_dll.cpp): which keys and clicks the thread took, how many ticks its main
// window took, and a yardstick of 50 ms ticks that runs as fast as that thread does.
#pragma once

#include "tests/e2e/spy_log.h"

#include <windows.h>

#include <functional>

namespace e2e {

class ProgramSpy {
  public:
    // Hooks the thread of the program's main window and waits until the spy's yardstick runs
    // there. Throws std::runtime_error when it cannot be set up.
    ProgramSpy(HWND mainWindow, DWORD threadId);
    ProgramSpy(const ProgramSpy&) = delete;
    ProgramSpy& operator=(const ProgramSpy&) = delete;
    ~ProgramSpy();

    // How many key and mouse-button messages the thread has taken: a mark for the questions
    // below.
    int InputCount() const;
    // Whether the thread took a message of this kind for this window with this wParam, at or
    // after the mark `since`.
    bool Saw(HWND hwnd, UINT message, WPARAM wParam, int since = 0) const;
    // Whether the thread took the key-up (WM_KEYUP or WM_SYSKEYUP) of vk, for any window, at or
    // after the mark `since`.
    bool SawKeyUp(WORD vk, int since) const;
    // Whether the thread took the release of the left button (in a client area or on a frame),
    // at or after the mark `since`.
    bool SawButtonUp(int since) const;

    // WM_TIMER messages that the thread took for the main window: the program's ticks.
    long MainTicks() const;
    // Ticks of the yardstick, a timer of the same 50 ms that the spy set in the same thread.
    long YardstickTicks() const;

  private:
    void Release() noexcept;
    // Whether a record at or after the mark `since` matches.
    bool SawSince(int since, const std::function<bool(const SpyRecord&)>& match) const;

    HANDLE mapping_ = nullptr;
    SpyLog* log_ = nullptr;
    HMODULE dll_ = nullptr;
    HHOOK hook_ = nullptr;
};

} // namespace e2e
