// Taking the foreground in a test. Windows' foreground lock refuses SetForegroundWindow to a
// process that is not in the foreground and did not send the last input, as a test run started
// from a console in the background or by a CI service is; these helpers take it in the ways
// Windows allows and say whether it was taken.
#pragma once

#include <windows.h>

namespace test_support {

// Makes a window (of this process or another) the foreground window: asked plainly, then after
// an input event of no effect sent by this process, then with this thread's input attached to
// that of the window in the foreground. False when it did not become the foreground window.
bool BringToForeground(HWND hwnd);

// Lets a process that this one started bring its own windows to the foreground; false when
// this process could not pass that right on.
bool LetTakeTheForeground(DWORD processId);

} // namespace test_support
