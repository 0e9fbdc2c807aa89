// The windows of another process, found by their class: the program's main window, a message
// box it shows, a window of a child test process; their texts, and the clipboard they share.
#pragma once

#include <windows.h>

#include <string>

namespace test_support {

// The first top-level window of the process with this class name (a visible one only, when
// asked), or null.
HWND TopWindowOf(DWORD processId, const wchar_t* className, bool visibleOnly = false);

// The text a window holds now, a control of another process included; empty when its thread
// does not answer within a few seconds.
std::wstring WindowText(HWND hwnd);

// The clipboard's text (CF_UNICODETEXT), or "(no text)"; and text put on it for `owner`.
std::wstring ClipboardText();
void SetClipboardText(HWND owner, const std::wstring& text);

} // namespace test_support
