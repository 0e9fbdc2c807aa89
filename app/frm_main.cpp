// The main window's handlers: the sampling tick, the hotkeys, "Always on top", "About", "Exit".
#include "app/frm_main.h"

#include "app/hotkeys.h"
#include "app/main_layout.h"
#include "platform/events.h"

namespace app {

void FrmMain::Form_Load() {
    zoom_.ZoomFactor = 7.0f;
}

void FrmMain::Timer1_Timer() {
    // Other handlers (the hotkeys, the buttons, even the About window) run here and only here;
    // from now on the tick runs to its end.
    platform::DoEvents();
    if (!IsLoaded()) {
        return; // the window was closed meanwhile
    }
    GetCursorPos(&CursorPos);
    // The magnified view is drawn before the colour is read.
    zoom_.UpdateZoom(CursorPos);
    readout_.ReadPixel(CursorPos);
}

void FrmMain::Form_KeyDown(std::int16_t& keyCode, std::int16_t& shift) {
    switch (DecideHotkey(keyCode, shift)) {
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

void FrmMain::cmdAbout_Click() {
    aboutBox_.Show();
}

void FrmMain::OnLayOut() {
    // The eyedropper marks the sampled pixel: its tip goes a few pixels into the pointer's
    // block, wherever the view's size at this density puts that block.
    const magnifier::ViewBlock block = zoom_.PointerBlock();
    Image1.MoveTo({block.left + layout::kTipInBlock - layout::kEyedropperTip.x,
                   block.top + layout::kTipInBlock - layout::kEyedropperTip.y});
    picZoom.Refresh();
}

void FrmMain::OnClick(int controlId) {
    switch (controlId) {
    case layout::kIdChkOnTop: chkOnTop_Click(); break;
    case layout::kIdCmdAbout: cmdAbout_Click(); break;
    case layout::kIdCmdExit: cmdExit_Click(); break;
    default: break;
    }
}

void FrmMain::OnTimer(int timerId) {
    if (timerId == Timer1.Id() && Timer1.Enabled()) {
        Timer1_Timer();
    }
}

} // namespace app
