// Reading another process's windows: by message where the answer lives in that process.
#include "tests/e2e/window_facts.h"

#include "tests/e2e/wait.h"
#include "tests/support/foreground.h"

namespace e2e {

LRESULT SendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result);
    return static_cast<LRESULT>(result);
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(hwnd, name, 256);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

LONG_PTR Style(HWND hwnd) {
    return GetWindowLongPtrW(hwnd, GWL_STYLE);
}

LONG_PTR ExStyle(HWND hwnd) {
    return GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
}

RECT WindowRect(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

RECT RectInParent(HWND child) {
    RECT rect = WindowRect(child);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT ClientToScreenPoint(HWND hwnd, int x, int y) {
    POINT point{x, y};
    ClientToScreen(hwnd, &point);
    return point;
}

POINT ClientCentre(HWND hwnd) {
    const SIZE size = ClientSize(hwnd);
    return ClientToScreenPoint(hwnd, size.cx / 2, size.cy / 2);
}

POINT RectCentre(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HWND FocusOf(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(threadId, &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

std::optional<POINT> CloseBoxPoint(HWND hwnd) {
    const RECT rect = WindowRect(hwnd);
    long sumX = 0;
    long sumY = 0;
    long hits = 0;
    // The close box lies in the title bar's right end: the middle of the points that say so.
    for (int y = rect.top; y < rect.top + 40 && y < rect.bottom; y += 2) {
        for (int x = rect.right - 1; x > rect.right - 80 && x > rect.left; x -= 2) {
            if (SendWithTimeout(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                sumX += x;
                sumY += y;
                ++hits;
            }
        }
    }
    if (hits == 0) {
        return std::nullopt;
    }
    return POINT{static_cast<LONG>(sumX / hits), static_cast<LONG>(sumY / hits)};
}

bool MakeForeground(HWND hwnd) {
    return test_support::BringToForeground(hwnd);
}

} // namespace e2e
