// What the spy DLL, loaded into the program's user-interface thread, writes for the driver: the
// keyboard messages and mouse-button messages that the thread takes from its queue, the ticks its
// main window takes, and the ticks of a yardstick timer of the spy's own in the same thread.
#pragma once

#include <windows.h>

#include <cstdint>

namespace e2e {

inline constexpr wchar_t kSpyMappingName[] = L"Local\\VorlithE2eSpy";
inline constexpr char kSpyHookProcName[] = "VorlithSpyGetMessage";
// The yardstick's interval: the same as the program's sampling timer.
inline constexpr UINT kSpyTimerMs = 50;

struct SpyRecord {
    std::uint64_t hwnd;
    std::uint32_t message;
    std::uint64_t wParam;
};

// Memory shared by the driver and the DLL. The driver fills in mainWindow before it hooks.
struct SpyLog {
    static constexpr int kCapacity = 4096;
    std::uint64_t mainWindow;
    volatile LONG yardstickRunning; // the DLL runs in the thread and its own timer is set
    volatile LONG yardstickTicks;   // WM_TIMER of that timer, taken by the thread
    volatile LONG mainTicks;        // WM_TIMER for mainWindow, taken by the thread
    volatile LONG count;            // key and button messages taken; the first kCapacity recorded
    SpyRecord records[kCapacity];
};

} // namespace e2e
