// A window of the test's own whose every pixel has a colour of its own, for the magnifier to
// copy: red follows x and green follows y, so that no two pixels of it are alike.
#pragma once

#include <windows.h>

namespace window_tests {

class PatternWindow {
  public:
    static constexpr int kLeft = 40;
    static constexpr int kTop = 40;
    static constexpr int kSize = 48;

    PatternWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VorlithTestPattern";
        RegisterClassW(&wc);
        hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, kLeft, kTop, kSize,
                                kSize, nullptr, nullptr, wc.hInstance, nullptr);
        UpdateWindow(hwnd_);
        GdiFlush();
    }
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;
    ~PatternWindow() { DestroyWindow(hwnd_); }

    // The colour of the window's pixel (x, y); 37 and 53 are odd, so x and y each give 256
    // different reds and greens.
    static COLORREF ColourAt(int x, int y) {
        return RGB((x * 37 + 11) & 0xFF, (y * 53 + 7) & 0xFF, ((x + y) * 29) & 0xFF);
    }
    // A screen point of the window, from its top-left corner.
    static POINT ScreenPoint(int x, int y) { return {kLeft + x, kTop + y}; }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_PAINT) {
            PAINTSTRUCT ps{};
            const HDC dc = BeginPaint(hwnd, &ps);
            for (int y = 0; y < kSize; ++y) {
                for (int x = 0; x < kSize; ++x) {
                    SetPixelV(dc, x, y, ColourAt(x, y));
                }
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    HWND hwnd_ = nullptr;
};

// Runs the test thread's pending messages, so that its windows paint.
inline void Pump() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
}

} // namespace window_tests
