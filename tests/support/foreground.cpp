// Taking the foreground as Windows' foreground lock allows it.
#include "tests/support/foreground.h"

#include "tests/support/wait.h"

namespace test_support {
namespace {

// A mouse event with no movement and no button: nothing happens, yet this process has sent the
// last input event, which lets it set the foreground window.
void SendInputOfNoEffect() {
    INPUT input{};
    input.type = INPUT_MOUSE;
    SendInput(1, &input, sizeof input);
}

// Asks for the foreground and waits a little while for it to come.
bool AskedFor(HWND hwnd) {
    SetForegroundWindow(hwnd);
    return WaitUntil([hwnd] { return GetForegroundWindow() == hwnd; }, Millis{3000});
}

} // namespace

bool BringToForeground(HWND hwnd) {
    if (GetForegroundWindow() == hwnd) {
        return true;
    }
    if (AskedFor(hwnd)) {
        return true;
    }
    SendInputOfNoEffect();
    if (AskedFor(hwnd)) {
        return true;
    }
    // The thread of the window in the foreground may hand it on to a thread that shares its
    // input state.
    const HWND current = GetForegroundWindow();
    const DWORD theirs = current ? GetWindowThreadProcessId(current, nullptr) : 0;
    const DWORD ours = GetCurrentThreadId();
    const bool attached = theirs != 0 && theirs != ours && AttachThreadInput(ours, theirs, TRUE);
    SetForegroundWindow(hwnd);
    if (attached) {
        AttachThreadInput(ours, theirs, FALSE);
    }
    return WaitUntil([hwnd] { return GetForegroundWindow() == hwnd; });
}

bool LetTakeTheForeground(DWORD processId) {
    if (AllowSetForegroundWindow(processId)) {
        return true;
    }
    SendInputOfNoEffect();
    return AllowSetForegroundWindow(processId) != FALSE;
}

} // namespace test_support
