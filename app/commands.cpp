// The main window's commands: the hotkeys, "Always on top" and "Exit".
#include "app/frm_main.h"

#include "app/hotkeys.h"
#include "platform/events.h"

namespace app {

void FrmMain::Form_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
    switch (DecideHotkey(KeyCode, Shift)) {
    case HotkeyAction::Freeze: Timer1.SetEnabled(false); break;
    case HotkeyAction::Resume: Timer1.SetEnabled(true); break;
    case HotkeyAction::None: break;
    }
}

void FrmMain::chkOnTop_Click() {
    const HWND insertAfter = chkOnTop.Value() == 1 ? HWND_TOPMOST : HWND_NOTOPMOST;
    SetWindowPos(hWnd(), insertAfter, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void FrmMain::cmdExit_Click() {
    platform::EndProgram();
}

} // namespace app
