// The main window's handlers: the sampling tick, the hotkeys, "Always on top", "About", "Exit".
#include "app/frm_main.h"

#include "app/hotkeys.h"
#include "app/main_layout.h"
#include "app/pointer_nudge.h"
#include "platform/clipboard.h"
#include "platform/events.h"
#include "platform/popup_menu.h"

#include <optional>

namespace app {

namespace {

bool IsPicture(int controlId) {
    return controlId == layout::kIdPicColorDisplay || controlId == layout::kIdPicZoom;
}

const std::wstring& CodeOf(const sampling::ShownCodes& codes, int item) {
    switch (item) {
    case layout::kCopyVb: return codes.vb;
    case layout::kCopyRgb: return codes.rgb;
    default: return codes.html;
    }
}

} // namespace

void FrmMain::Form_Load() {
    zoom_.ZoomFactor = 7.0f;
}

void FrmMain::Timer1_Timer() {
    // Other handlers (the hotkeys, the buttons, even the About window) run here and only here;
    // from now on the tick runs to its end. Not while a menu is open: its loop sent this tick,
    // and takes the keys and clicks for the menu itself, which events let run here would hand
    // to the window under the menu instead.
    if (!InMenuLoop()) {
        ++ticking_;
        platform::DoEvents();
        --ticking_;
    }
    if (!IsLoaded()) {
        return; // the window was closed meanwhile
    }
    GetCursorPos(&CursorPos);
    // The magnified view is drawn before the colour is read.
    zoom_.UpdateZoom(CursorPos);
    readout_.ReadPixel(CursorPos);
    if (announceAfterTick_) {
        announceAfterTick_ = false;
        readout_.AnnounceColour();
    }
}

void FrmMain::Form_KeyDown(std::int16_t& keyCode, std::int16_t& shift) {
    switch (DecideHotkey(keyCode, shift)) {
    case HotkeyAction::Freeze:
        // A screen reader hears the frozen colour once, as the reading stops; while the reading
        // is live the swatch changes up to twenty times a second and says nothing.
        if (Timer1.Enabled()) {
            if (ticking_ > 0) {
                announceAfterTick_ = true;
            } else {
                readout_.AnnounceColour();
            }
        }
        Timer1.SetEnabled(false);
        break;
    case HotkeyAction::Resume:
        // A freeze taken in the same tick is undone before the tick has taken its reading:
        // nothing to announce, the reading is live.
        announceAfterTick_ = false;
        Timer1.SetEnabled(true);
        break;
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

void FrmMain::NudgePointer(std::int16_t keyCode, std::int16_t shift) {
    const std::optional<PointerStep> step = DecideNudge(keyCode, shift);
    POINT at{};
    if (!step || !GetCursorPos(&at)) {
        return;
    }
    // Screen pixels at every density: the program is aware of each monitor's own. The desktop
    // is read at each press, since monitors come and go.
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const DesktopBounds desktop{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const ScreenPoint to = Nudge({at.x, at.y}, *step, desktop);
    SetCursorPos(to.x, to.y);
}

void FrmMain::CopyHtmlCode() const {
    // Nothing while the boxes are empty (no pixel could be read): the clipboard stays as it was.
    if (const std::optional<sampling::ShownCodes> codes = readout_.Codes()) {
        PutOnClipboard(codes->html);
    }
}

void FrmMain::ShowCopyMenu(POINT screen) const {
    // The codes of the reading as the menu opens: the ticks go on while it is open, and it
    // copies what was shown when the user asked for it. With no colour shown, nothing to copy.
    const std::optional<sampling::ShownCodes> codes = readout_.Codes();
    platform::PopupMenu menu;
    for (const layout::CopyMenuItem& item : layout::kCopyMenu) {
        menu.Add(item.id, item.text, codes.has_value());
    }
    const int chosen = menu.Choose(hWnd(), screen);
    if (codes && chosen != 0) {
        PutOnClipboard(CodeOf(*codes, chosen));
    }
}

void FrmMain::PutOnClipboard(const std::wstring& text) const {
    // The system's default beep: nothing was copied, and the clipboard keeps what it held.
    if (!platform::CopyTextToClipboard(hWnd(), text)) {
        MessageBeep(MB_OK);
    }
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

void FrmMain::OnControlKey(int controlId, unsigned key, std::int16_t shift) {
    if (!IsPicture(controlId)) {
        return;
    }
    const auto keyCode = static_cast<std::int16_t>(key);
    if (IsCopyKey(keyCode, shift)) {
        CopyHtmlCode();
    } else {
        NudgePointer(keyCode, shift);
    }
}

void FrmMain::OnControlMenu(int controlId, POINT screen) {
    if (IsPicture(controlId)) {
        ShowCopyMenu(screen);
    }
}

void FrmMain::OnTimer(int timerId) {
    if (timerId == Timer1.Id() && Timer1.Enabled()) {
        Timer1_Timer();
    }
}

} // namespace app
