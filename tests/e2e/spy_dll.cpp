// vorlith_e2e_spy.dll: loaded into the program by the driver's WH_GETMESSAGE hook, it counts
// what the program's thread removes from its queue (see spy_log.h).
#include "tests/e2e/spy_log.h"

namespace {

e2e::SpyLog* SharedLog() {
    // Opened once per process and kept until the process ends.
    static e2e::SpyLog* const log = [] {
        HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, e2e::kSpyMappingName);
        if (mapping == nullptr) {
            return static_cast<e2e::SpyLog*>(nullptr);
        }
        return static_cast<e2e::SpyLog*>(
            MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(e2e::SpyLog)));
    }();
    return log;
}

// The yardstick: a thread timer of the spy's own, set from inside the hook so that it runs in
// the program's thread. It has no procedure (this DLL may be unloaded while the timer lives):
// its WM_TIMER carries no window and dispatching it does nothing.
UINT_PTR g_yardstick = 0;

bool IsRecorded(UINT message) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP: return true;
    default: return false;
    }
}

void Note(e2e::SpyLog& log, const MSG& msg) {
    if (g_yardstick == 0) {
        g_yardstick = SetTimer(nullptr, 0, e2e::kSpyTimerMs, nullptr);
        if (g_yardstick != 0) {
            InterlockedExchange(&log.yardstickRunning, 1);
        }
    }
    if (msg.message == WM_TIMER) {
        if (msg.hwnd == nullptr && g_yardstick != 0 && msg.wParam == g_yardstick) {
            InterlockedIncrement(&log.yardstickTicks);
        } else if (reinterpret_cast<std::uint64_t>(msg.hwnd) == log.mainWindow) {
            InterlockedIncrement(&log.mainTicks);
        }
    } else if (IsRecorded(msg.message)) {
        const LONG index = InterlockedIncrement(&log.count) - 1;
        if (index >= 0 && index < e2e::SpyLog::kCapacity) {
            log.records[index] = {reinterpret_cast<std::uint64_t>(msg.hwnd), msg.message,
                                  static_cast<std::uint64_t>(msg.wParam)};
        }
    }
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    VorlithSpyGetMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        if (e2e::SpyLog* log = SharedLog()) {
            Note(*log, *reinterpret_cast<const MSG*>(lParam));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
