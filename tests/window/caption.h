// What the screen shows in a window's title bar, left of its caption text: whether the program's
// icon is drawn there.
#pragma once

#include <windows.h>

#include <algorithm>

namespace window_tests {

// The icon's ring shows red, yellow and green; the title bar's own colours (its gradient, the
// caption text) have none of them. Returns how many of the three colours appear in the part of
// the title bar where an icon is drawn, read from the screen.
inline int IconColoursInTitleBar(HWND hwnd) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT clientTop{0, 0};
    ClientToScreen(hwnd, &clientTop);
    bool red = false;
    bool yellow = false;
    bool green = false;
    const HDC screen = GetDC(nullptr);
    for (int y = window.top; y < clientTop.y; ++y) {
        for (int x = window.left; x < window.left + 40; ++x) {
            const COLORREF c = GetPixel(screen, x, y);
            const int r = GetRValue(c);
            const int g = GetGValue(c);
            const int b = GetBValue(c);
            red = red || (r > 180 && g < 100 && b < 100);
            yellow = yellow || (r > 180 && g > 160 && b < 100);
            green = green || (g > 140 && r < 110 && b < 110);
        }
    }
    ReleaseDC(nullptr, screen);
    return (red ? 1 : 0) + (yellow ? 1 : 0) + (green ? 1 : 0);
}

} // namespace window_tests
