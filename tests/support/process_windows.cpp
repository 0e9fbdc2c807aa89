// Top-level windows of a process, walked by class with FindWindowEx; texts; the clipboard.
#include "tests/support/process_windows.h"

#include <cstring>

namespace test_support {

HWND TopWindowOf(DWORD processId, const wchar_t* className, bool visibleOnly) {
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExW(nullptr, hwnd, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == processId && (!visibleOnly || IsWindowVisible(hwnd))) {
            return hwnd;
        }
    }
    return nullptr;
}

std::wstring WindowText(HWND hwnd) {
    // WM_GETTEXT, not GetWindowText: for another process's window GetWindowText returns the
    // caption stored at creation, not what an edit control holds now. The window's thread
    // answers from whatever message loop it is in.
    constexpr UINT kPatienceMs = 5000;
    DWORD_PTR length = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kPatienceMs, &length);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kPatienceMs, &copied);
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::wstring ClipboardText() {
    std::wstring text = L"(no text)";
    if (OpenClipboard(nullptr)) {
        const HANDLE data = GetClipboardData(CF_UNICODETEXT);
        if (const auto* chars = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr) {
            text = chars;
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

void SetClipboardText(HWND owner, const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    OpenClipboard(owner);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

} // namespace test_support
