// Pixels per inch of a window's monitor, and the frame around a client area at a density.
#pragma once

#include <windows.h>

namespace platform {

// The density of a window, or of the primary screen for a null handle.
int DpiOf(HWND hwnd);

// The outer rectangle of a window of these styles whose client area is `client`, with the
// frame drawn at dpi where the system can say so.
RECT WindowRectForClient(RECT client, DWORD style, DWORD exStyle, int dpi);

} // namespace platform
