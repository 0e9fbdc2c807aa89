// The target windows: stripes and a gradient, so that neighbouring pixels differ.
#include "bench/targets.h"

#include <iterator>

namespace bench {

namespace {

constexpr wchar_t kTargetClass[] = L"VorlithBenchTarget";
constexpr int kTargetSize = 160;
constexpr POINT kTargetPlaces[] = {{40, 560}, {1000, 120}, {1000, 560}};

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        return 1;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT ps{};
        const HDC dc = BeginPaint(hwnd, &ps);
        const int shade = static_cast<int>(GetWindowLongPtrW(hwnd, GWLP_ID));
        // Stripes of 3 pixels whose colour changes along both axes: every zoom view over a
        // target shows several colours, and the pixel under the pointer changes as it moves.
        const HGDIOBJ brush = GetStockObject(DC_BRUSH);
        for (int y = 0; y < kTargetSize; y += 3) {
            for (int x = 0; x < kTargetSize; x += 3) {
                SetDCBrushColor(dc, RGB((x * 3 + shade * 70) & 0xFF, (y * 5 + shade * 40) & 0xFF,
                                        ((x + y) * 2 + shade * 90) & 0xFF));
                const RECT r{x, y, x + 3, y + 3};
                FillRect(dc, &r, static_cast<HBRUSH>(brush));
            }
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

Targets::Targets() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TargetProc;
    wc.hInstance = instance;
    wc.lpszClassName = kTargetClass;
    RegisterClassExW(&wc);
    int id = 0;
    for (const POINT& place : kTargetPlaces) {
        const HWND hwnd = CreateWindowExW(
            WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kTargetClass, L"target", WS_POPUP | WS_VISIBLE,
            place.x, place.y, kTargetSize, kTargetSize, nullptr, nullptr, instance, nullptr);
        SetWindowLongPtrW(hwnd, GWLP_ID, ++id);
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
        windows_.push_back(hwnd);
    }
    PumpMessages();
}

Targets::~Targets() {
    for (const HWND hwnd : windows_) {
        DestroyWindow(hwnd);
    }
}

POINT Targets::PointAt(long step) const {
    // 100 steps across each target, diagonally, then on to the next one.
    constexpr long kStepsPerTarget = 100;
    const size_t target = static_cast<size_t>(step / kStepsPerTarget) % std::size(kTargetPlaces);
    const long along = step % kStepsPerTarget;
    const POINT place = kTargetPlaces[target];
    const long offset = 20 + along * (kTargetSize - 40) / kStepsPerTarget;
    return {place.x + offset, place.y + offset};
}

void MovePointer(POINT point) {
    SetCursorPos(point.x, point.y);
}

void PumpMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void PumpFor(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        PumpMessages();
    }
}

} // namespace bench
