// Facts about windows of another process, read from outside: texts, classes, styles, places,
// the focus, the close box, and what a screen reader hears of them.
#pragma once

#include "tests/support/accessible_object.h"
#include "tests/support/capture.h"
#include "tests/support/process_windows.h"

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

using test_support::AccessibleObject;
using test_support::ClientSize;
using test_support::ClipboardText;
using test_support::SetClipboardText;
using test_support::WindowText;

// Sends a message and waits at most two seconds for the answer (the target may be ending).
LRESULT SendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

std::wstring ClassName(HWND hwnd);
LONG_PTR Style(HWND hwnd);
LONG_PTR ExStyle(HWND hwnd);
// A window's rectangle on the screen.
RECT WindowRect(HWND hwnd);
// A child's window rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);
// A point of a window's client area on the screen.
POINT ClientToScreenPoint(HWND hwnd, int x, int y);
// The middle of a window's client area on the screen.
POINT ClientCentre(HWND hwnd);
POINT RectCentre(const RECT& rect);
// The window with the keyboard focus in a thread, or null.
HWND FocusOf(DWORD threadId);

// The screen point of a window's close box, asked of the window itself (WM_NCHITTEST).
std::optional<POINT> CloseBoxPoint(HWND hwnd);

// Makes a window the foreground window, so that keys go to it, in the ways that Windows'
// foreground lock allows a test in the background (test_support::BringToForeground); false when
// it did not become so.
bool MakeForeground(HWND hwnd);

} // namespace e2e
