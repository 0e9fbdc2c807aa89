// vorlith_e2e_spy.dll: loaded into the program by the driver's WH_GETMESSAGE hook, it records
// the keyboard messages that the program's thread removes from its queue.
#include "tests/e2e/key_spy.h"

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

bool IsKeyboardMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR ||
           message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR;
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    VorlithSpyGetMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        e2e::SpyLog* log = SharedLog();
        if (log != nullptr && IsKeyboardMessage(msg->message)) {
            const LONG index = InterlockedIncrement(&log->count) - 1;
            if (index >= 0 && index < e2e::SpyLog::kCapacity) {
                log->records[index] = {reinterpret_cast<std::uint64_t>(msg->hwnd), msg->message,
                                       static_cast<std::uint64_t>(msg->wParam)};
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
