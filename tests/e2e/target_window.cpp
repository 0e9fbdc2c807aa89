// The target windows: painted by the driver, shown on top without taking the focus.
#include "tests/e2e/target_window.h"

#include "tests/e2e/screen.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_facts.h"

#include <stdexcept>

namespace e2e {
namespace {

constexpr wchar_t kTargetClass[] = L"VorlithE2eTarget";

} // namespace

COLORREF SeededMosaic(int x, int y, int seed) {
    return RGB((x * 37 + 11 + seed) & 0xFF, (y * 53 + 7 + 3 * seed) & 0xFF,
               ((x + y) * 29 + 3 + 5 * seed) & 0xFF);
}

COLORREF Mosaic(int x, int y) {
    return SeededMosaic(x, y, 0);
}

TargetWindow::TargetWindow(RECT screenRect, COLORREF colour) : rect_(screenRect), colour_(colour) {
    Create();
}

TargetWindow::TargetWindow(RECT screenRect, Pattern pattern)
    : rect_(screenRect), pattern_(pattern) {
    Create();
}

void TargetWindow::Create() {
    static const ATOM registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TargetWindow::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kTargetClass;
        return RegisterClassExW(&wc);
    }();
    if (registered == 0) {
        throw std::runtime_error("cannot register the target window class");
    }
    // Disabled as well as never activated: under Wine the X server's focus can fall on the
    // window under the pointer when another window closes, and Wine then activates it unless
    // it is disabled.
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kTargetClass, L"",
                            WS_POPUP | WS_DISABLED, rect_.left, rect_.top, rect_.right - rect_.left,
                            rect_.bottom - rect_.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                            this);
    if (hwnd_ == nullptr) {
        throw std::runtime_error("cannot create a target window");
    }
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd_);
    const POINT centre = Centre();
    const COLORREF expected = ColourAt(centre.x - rect_.left, centre.y - rect_.top);
    if (!WaitUntil([&] { return ScreenPixel(centre) == expected; })) {
        throw std::runtime_error("the target window does not show its colour on the screen");
    }
}

COLORREF TargetWindow::ColourAt(int x, int y) const {
    return pattern_ != nullptr ? pattern_(x, y) : colour_;
}

TargetWindow::~TargetWindow() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

void TargetWindow::SetColour(COLORREF colour) {
    colour_ = colour;
    pattern_ = nullptr;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
    if (!WaitUntil([this] { return ScreenPixel(Centre()) == colour_; })) {
        throw std::runtime_error("the target window does not show its new colour");
    }
}

POINT TargetWindow::Centre() const noexcept {
    return RectCentre(rect_);
}

LRESULT CALLBACK TargetWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TargetWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        if (self != nullptr && self->pattern_ != nullptr) {
            for (int y = paint.rcPaint.top; y < paint.rcPaint.bottom; ++y) {
                for (int x = paint.rcPaint.left; x < paint.rcPaint.right; ++x) {
                    SetPixelV(dc, x, y, self->pattern_(x, y));
                }
            }
        } else if (self != nullptr) {
            HBRUSH brush = CreateSolidBrush(self->colour_);
            FillRect(dc, &paint.rcPaint, brush);
            DeleteObject(brush);
        }
        EndPaint(hwnd, &paint);
        return 0;
    }
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace e2e
