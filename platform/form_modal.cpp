// Modal display and unloading of a form.
#include "platform/form.h"

#include "platform/events.h"

#include <algorithm>

namespace platform {

void Form::ShowModal() {
    // The program's other windows take no input while this one is open.
    std::vector<HWND> others;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM list) -> BOOL {
            if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&others));
    // No owner is named: the window that is active now owns the modal one (or, when the
    // program is not the active one, its first window).
    HWND owner = GetActiveWindow();
    if (std::find(others.begin(), others.end(), owner) == others.end()) {
        owner = others.empty() ? nullptr : others.front();
    }
    Load(owner);
    modal_ = true;
    disabled_ = others;
    for (const HWND other : disabled_) {
        EnableWindow(other, FALSE);
    }
    Place(owner_);
    ShowWindow(hWnd(), SW_SHOW);
    UpdateWindow(hWnd());

    MSG msg{};
    while (IsLoaded()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam)); // for the outer loop
            }
            break;
        }
        DispatchOne(msg);
    }
    modal_ = false;
}

void Form::Unload() {
    if (!IsLoaded()) {
        return;
    }
    if (modal_) {
        // The other windows take input again before the modal one goes, so that activation
        // returns to its owner rather than to another program's window.
        for (const HWND other : disabled_) {
            if (IsWindow(other)) {
                EnableWindow(other, TRUE);
            }
        }
        disabled_.clear();
    }
    DestroyWindow(hWnd());
}

} // namespace platform
