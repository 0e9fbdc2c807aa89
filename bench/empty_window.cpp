// The yardsticks for start-up and memory, one source built twice:
//   vorlith_empty_window: what any Win32 window in the system's visual style loads. It embeds the
//     program's manifest (Common Controls 6, per-monitor DPI), initialises the common controls as
//     the program does, and holds one standard button;
//   vorlith_bare_window (VORLITH_BARE_WINDOW defined): one empty window and nothing else, no
//     manifest, no common controls.
#include <windows.h>
#ifndef VORLITH_BARE_WINDOW
#include <commctrl.h>
#endif

namespace {

LRESULT CALLBACK EmptyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
#ifndef VORLITH_BARE_WINDOW
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
#endif
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &EmptyProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"VorlithBenchEmpty";
    RegisterClassExW(&wc);
    const HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Empty",
                                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 200, 250, nullptr, nullptr, instance, nullptr);
    if (!hwnd) {
        return 1;
    }
#ifndef VORLITH_BARE_WINDOW
    const HWND button =
        CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 60,
                        160, 75, 23, hwnd, nullptr, instance, nullptr);
    if (!button) {
        return 1;
    }
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
#endif
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
