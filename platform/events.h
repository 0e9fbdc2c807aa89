// The program's message loop: key preview, dialog keys, letting pending events run, the end.
#pragma once

#include "platform/shift_state.h"

#include <windows.h>

#include <cstdint>

namespace platform {

// Hands one message to its window, after the key preview of the form it belongs to and the
// dialog keys (Tab, Enter, Esc) of that form.
void DispatchOne(MSG& msg);

// Runs the loop until the program's main window has closed; returns the exit code.
int RunMessageLoop();

// The modifier keys held as the key being handled went down: kShiftMask, kCtrlMask and kAltMask,
// summed.
std::int16_t ShiftState();

// Lets every pending event of the program's windows run, then returns.
void DoEvents();

// Ends the program at once: every window closes and no further handler runs.
[[noreturn]] void EndProgram();

} // namespace platform
