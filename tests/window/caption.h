// What the screen shows in a window's title bar, left of its caption text: whether the program's
// icon is drawn there.
#pragma once

#include "tests/support/capture.h"

#include <windows.h>

#include <initializer_list>

namespace window_tests {

// The part of the title bar where an icon is drawn, as the screen shows it; calls seen(colour)
// for each pixel.
template <class Seen> void ForEachTitleBarPixel(HWND hwnd, Seen&& seen) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    POINT clientTop{0, 0};
    ClientToScreen(hwnd, &clientTop);
    const auto bar =
        test_support::Capture::Screen(RECT{window.left, window.top, window.left + 40, clientTop.y});
    for (int y = 0; y < bar.Height(); ++y) {
        for (int x = 0; x < bar.Width(); ++x) {
            seen(bar.At(x, y));
        }
    }
}

// The icon's ring shows red, yellow and green; the title bar's own colours (its gradient, the
// caption text) have none of them. Returns how many of the three colours appear where an icon
// is drawn.
inline int IconColoursInTitleBar(HWND hwnd) {
    bool red = false;
    bool yellow = false;
    bool green = false;
    ForEachTitleBarPixel(hwnd, [&](COLORREF c) {
        const int r = GetRValue(c);
        const int g = GetGValue(c);
        const int b = GetBValue(c);
        red = red || (r > 180 && g < 100 && b < 100);
        yellow = yellow || (r > 180 && g > 160 && b < 100);
        green = green || (g > 140 && r < 110 && b < 110);
    });
    return (red ? 1 : 0) + (yellow ? 1 : 0) + (green ? 1 : 0);
}

// Whether the title bar shows its caption colour there yet: it has been drawn on the screen.
inline bool TitleBarDrawn(HWND hwnd) {
    bool drawn = false;
    ForEachTitleBarPixel(hwnd, [&](COLORREF c) {
        for (const int part : {COLOR_ACTIVECAPTION, COLOR_INACTIVECAPTION,
                               COLOR_GRADIENTACTIVECAPTION, COLOR_GRADIENTINACTIVECAPTION}) {
            drawn = drawn || c == GetSysColor(part);
        }
    });
    return drawn;
}

} // namespace window_tests
