// Per-monitor density functions exist from Windows 10 on; older systems get the screen's.
#include "platform/dpi.h"

#include "platform/dll_search.h"
#include "platform/gdi.h"
#include "platform/twips.h"

namespace platform {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

template <class Fn> Fn User32Function(const char* name) {
    return FindFunction<Fn>(GetModuleHandleW(L"user32.dll"), name);
}

} // namespace

int DpiOf(HWND hwnd) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (hwnd && getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(hwnd); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    const WindowDc screen{nullptr};
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    return dpi > 0 ? dpi : kDefaultDpi;
}

RECT WindowRectForClient(RECT client, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&client, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&client, style, FALSE, exStyle);
    }
    return client;
}

} // namespace platform
