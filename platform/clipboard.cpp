// Text onto the shared clipboard: the data made first, the clipboard emptied only once it is
// open and the data is ready, so that a failure never leaves it empty.
#include "platform/clipboard.h"

#include "platform/gdi.h"

#include <cstring>

namespace platform {

namespace {

// Global memory given to the clipboard. Until SetClipboardData takes it, it is the program's to
// free; once taken, the clipboard owns it and it is only let go of here.
using GlobalMemory = Unique<HGLOBAL, &GlobalFree>;

// OpenClipboard fails while another program has it open, which it holds only for as long as it
// reads or writes: a few tries a little apart are enough, and the window answers again soon
// when that program keeps it.
constexpr int kOpenTries = 10;
constexpr DWORD kOpenPauseMs = 20;

GlobalMemory MakeText(std::wstring_view text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory{GlobalAlloc(GMEM_MOVEABLE, bytes)};
    if (!memory) {
        return memory;
    }
    auto* const to = static_cast<wchar_t*>(GlobalLock(memory.get()));
    if (!to) {
        return GlobalMemory{};
    }
    std::memcpy(to, text.data(), text.size() * sizeof(wchar_t));
    to[text.size()] = L'\0';
    GlobalUnlock(memory.get());
    return memory;
}

bool OpenWithin(HWND owner) {
    for (int tried = 0; tried < kOpenTries; ++tried) {
        if (tried > 0) {
            Sleep(kOpenPauseMs);
        }
        if (OpenClipboard(owner)) {
            return true;
        }
    }
    return false;
}

} // namespace

bool CopyTextToClipboard(HWND owner, std::wstring_view text) {
    GlobalMemory memory = MakeText(text);
    if (!memory || !OpenWithin(owner)) {
        return false;
    }
    EmptyClipboard();
    const bool taken = SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr;
    CloseClipboard();
    if (taken) {
        memory.release(); // the clipboard's now
    }
    return taken;
}

} // namespace platform
