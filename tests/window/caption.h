// A window's title bar: which icon the system draws there, found from the window's own state
// (its frame and the icons that it and its class hold), and, under Wine, what the screen shows
// there. Wine draws title bars itself from that state; on Windows 10 and 11 the desktop window
// manager draws them in colours of its own, so the screen is read under Wine only.
#pragma once

#include "tests/support/capture.h"
#include "tests/support/desktop.h"

#include <windows.h>

#include <initializer_list>

namespace window_tests {

// Under Wine, whose title bars these checks know how to read.
using test_support::UnderWine;

// The icon the system draws in a window's title bar, or null for none. A title bar with a
// system menu shows the small icon that the window holds (WM_SETICON), else its big one, else
// its class's; with none of them, a dialog frame (WS_EX_DLGMODALFRAME) shows no icon and any
// other frame the system's default application icon. What the window holds is what the default
// window procedure answers to WM_GETICON: the window's own procedure may answer otherwise.
inline HICON TitleBarIcon(HWND hwnd) {
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    if ((style & WS_CAPTION) != WS_CAPTION || (style & WS_SYSMENU) == 0) {
        return nullptr;
    }
    for (const WPARAM which : {ICON_SMALL, ICON_BIG}) {
        if (const auto held = reinterpret_cast<HICON>(DefWindowProcW(hwnd, WM_GETICON, which, 0))) {
            return held;
        }
    }
    for (const int which : {GCLP_HICONSM, GCLP_HICON}) {
        if (const auto held = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, which))) {
            return held;
        }
    }
    if ((GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) != 0) {
        return nullptr;
    }
    return LoadIconW(nullptr, IDI_APPLICATION);
}

// The program's icon has a ring of red, yellow and green; a title bar's own colours (its
// gradient, the caption text) and the system's default icon have none of them. Returns how
// many of the three colours a picture shows.
inline int IconColours(const test_support::Capture& picture) {
    bool red = false;
    bool yellow = false;
    bool green = false;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const COLORREF c = picture.At(x, y);
            const int r = GetRValue(c);
            const int g = GetGValue(c);
            const int b = GetBValue(c);
            red = red || (r > 180 && g < 100 && b < 100);
            yellow = yellow || (r > 180 && g > 160 && b < 100);
            green = green || (g > 140 && r < 110 && b < 110);
        }
    }
    return (red ? 1 : 0) + (yellow ? 1 : 0) + (green ? 1 : 0);
}

// How many of the program icon's colours an icon shows, drawn at the small icon's size over
// grey; 0 for no icon.
inline int IconColours(HICON icon) {
    if (!icon) {
        return 0;
    }
    const int size = GetSystemMetrics(SM_CXSMICON);
    return IconColours(test_support::Capture::Icon(icon, size, RGB(128, 128, 128)));
}

// Under Wine: the part of the title bar where an icon is drawn, as the screen shows it.
inline test_support::Capture TitleBarOnScreen(HWND hwnd) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    POINT clientTop{0, 0};
    ClientToScreen(hwnd, &clientTop);
    return test_support::Capture::Screen(
        RECT{window.left, window.top, window.left + 40, clientTop.y});
}

// Under Wine: how many of the program icon's colours the screen shows where an icon is drawn.
inline int IconColoursInTitleBar(HWND hwnd) {
    return IconColours(TitleBarOnScreen(hwnd));
}

// Under Wine: whether the title bar shows its caption colour there yet, that is, whether it has
// been drawn on the screen.
inline bool TitleBarDrawn(HWND hwnd) {
    const test_support::Capture bar = TitleBarOnScreen(hwnd);
    for (int y = 0; y < bar.Height(); ++y) {
        for (int x = 0; x < bar.Width(); ++x) {
            for (const int part : {COLOR_ACTIVECAPTION, COLOR_INACTIVECAPTION,
                                   COLOR_GRADIENTACTIVECAPTION, COLOR_GRADIENTINACTIVECAPTION}) {
                if (bar.At(x, y) == GetSysColor(part)) {
                    return true;
                }
            }
        }
    }
    return false;
}

} // namespace window_tests
