// The clipboard through the plain system calls, with a message-only window of the test's own
// as its owner (SetClipboardData needs one).
#include "tests/support/clipboard.h"

#include <windows.h>

#include <cstring>

namespace test_support {
namespace {

HWND ClipboardWindow() {
    static const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                               nullptr, GetModuleHandleW(nullptr), nullptr);
    return window;
}

} // namespace

std::wstring ClipboardText() {
    if (!OpenClipboard(ClipboardWindow())) {
        return L"(the clipboard could not be opened)";
    }
    std::wstring text = L"(no text)";
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void SetClipboardText(const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (OpenClipboard(ClipboardWindow())) {
        EmptyClipboard();
        if (SetClipboardData(CF_UNICODETEXT, memory)) {
            memory = nullptr; // the clipboard's now
        }
        CloseClipboard();
    }
    GlobalFree(memory);
}

HeldClipboard::HeldClipboard() : open_(OpenClipboard(ClipboardWindow()) != FALSE) {}

HeldClipboard::~HeldClipboard() {
    if (open_) {
        CloseClipboard();
    }
}

} // namespace test_support
