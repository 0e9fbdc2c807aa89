// A failed toolkit operation ends the program with a report rather than leaving it running half
// made (a main window that never samples, say).
#include "platform/failure.h"

#include "platform/window.h"

#include <windows.h>

#include <cwctype>
#include <string>

namespace platform {

namespace {

// The program's name for the message's title: its file's name, which is what the user started.
std::wstring ProgramName() {
    wchar_t path[MAX_PATH]{};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, length);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    if (const auto dot = name.find_last_of(L'.'); dot != std::wstring::npos) {
        name.resize(dot);
    }
    if (!name.empty()) {
        name[0] = static_cast<wchar_t>(std::towupper(name[0]));
    }
    return name;
}

} // namespace

void EndWithError(std::wstring_view whatFailed) {
    // The message box runs a loop of its own, which still delivers the main window's timer
    // ticks and whatever else is queued for the program's windows. None of it may run now: a
    // tick would read the screen behind the report and let pending events run, taking keys
    // meant for the box from the queue.
    Window::StopHandlers();
    const std::wstring text = std::wstring(whatFailed) + L"\n\nThe program has to end.";
    // The same words for a debugger or a log that collects them, first: they stay even when
    // the box cannot show (no desktop to show it on, a dialog that cannot be made).
    OutputDebugStringW((ProgramName() + L": " + text + L"\n").c_str());
    MessageBoxW(nullptr, text.c_str(), ProgramName().c_str(),
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TASKMODAL);
    ExitProcess(kFailureExitCode);
}

void EndWithFixedError(const wchar_t* text) noexcept {
    Window::StopHandlers();
    OutputDebugStringW(text);
    MessageBoxW(nullptr, text, nullptr, MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TASKMODAL);
    ExitProcess(kFailureExitCode);
}

} // namespace platform
