// The message loop of the program's single user-interface thread.
#include "platform/events.h"

#include "platform/form.h"

#include <cstdint>

namespace platform {

namespace {

Form* FormOf(HWND hwnd) {
    const HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    return dynamic_cast<Form*>(Window::FromHandle(root));
}

} // namespace

std::int16_t ShiftState() {
    std::int16_t state = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        state |= kShiftMask;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        state |= kCtrlMask;
    }
    if (GetKeyState(VK_MENU) < 0) {
        state |= kAltMask;
    }
    return state;
}

void DispatchOne(MSG& msg) {
    Form* form = FormOf(msg.hwnd);
    if (form && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && form->KeyPreview()) {
        // The form sees the key first; the control with the focus gets it afterwards,
        // unchanged, as below.
        std::int16_t keyCode = static_cast<std::int16_t>(msg.wParam);
        std::int16_t shift = ShiftState();
        form->Form_KeyDown(keyCode, shift);
        if (!IsWindow(msg.hwnd)) {
            return;
        }
    }
    if (form && form->hWnd() && IsDialogMessageW(form->hWnd(), &msg)) {
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int RunMessageLoop() {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchOne(msg);
    }
    return static_cast<int>(msg.wParam);
}

void DoEvents() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the end of the program to the loop that is waiting for it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchOne(msg);
    }
}

void EndProgram() {
    ExitProcess(0);
}

} // namespace platform
