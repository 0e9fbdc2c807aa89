// The target windows: one window class and procedure, painted by the test's own thread.
#include "tests/support/target_window.h"

#include "tests/support/capture.h"
#include "tests/support/wait.h"

#include "platform/gdi.h"

#include <stdexcept>
#include <utility>

namespace test_support {
namespace {

constexpr wchar_t kTargetClass[] = L"VorlithTestTarget";

} // namespace

COLORREF SeededMosaic(int x, int y, int seed) {
    return RGB((x * 37 + 11 + seed) & 0xFF, (y * 53 + 7 + 3 * seed) & 0xFF,
               ((x + y) * 29 + 3 + 5 * seed) & 0xFF);
}

COLORREF Mosaic(int x, int y) {
    return SeededMosaic(x, y, 0);
}

void PumpMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

TargetWindow::TargetWindow(const RECT& screenRect, COLORREF colour, Stacking stacking)
    : rect_(screenRect), colour_(colour) {
    Open(stacking);
}

TargetWindow::TargetWindow(const RECT& screenRect, Pattern pattern, Stacking stacking)
    : rect_(screenRect), pattern_(std::move(pattern)) {
    Open(stacking);
}

TargetWindow::TargetWindow(HWND parent, const RECT& rect, COLORREF colour)
    : parent_(parent), rect_(rect), colour_(colour) {
    Create(parent, WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE);
}

TargetWindow::~TargetWindow() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

void TargetWindow::Create(HWND parent, DWORD style, DWORD exStyle) {
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
    hwnd_ = CreateWindowExW(exStyle, kTargetClass, L"", style, rect_.left, rect_.top,
                            rect_.right - rect_.left, rect_.bottom - rect_.top, parent, nullptr,
                            GetModuleHandleW(nullptr), this);
    if (hwnd_ == nullptr) {
        throw std::runtime_error("cannot create a target window");
    }
}

// Disabled as well as never activated: under Wine the X server's focus can fall on the window
// under the pointer when another window closes, and Wine then activates it unless it is
// disabled.
void TargetWindow::Open(Stacking stacking) {
    const DWORD stack = stacking == Stacking::Topmost ? WS_EX_TOPMOST : 0;
    Create(nullptr, WS_POPUP | WS_DISABLED, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | stack);
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    if (!WaitUntilShown()) {
        // No destructor runs for an object whose constructor throws.
        DestroyWindow(hwnd_);
        throw std::runtime_error("the target window does not show its picture on the screen");
    }
}

bool TargetWindow::WaitUntilShown() const {
    UpdateWindow(hwnd_);
    const POINT centre = Centre();
    const COLORREF expected = ColourAt(centre.x - rect_.left, centre.y - rect_.top);
    return WaitUntil([&] { return ScreenPixel(centre) == expected; });
}

void TargetWindow::SetColour(COLORREF colour) {
    colour_ = colour;
    pattern_ = nullptr;
    InvalidateRect(hwnd_, nullptr, FALSE);
    if (parent_ == nullptr && !WaitUntilShown()) {
        throw std::runtime_error("the target window does not show its new colour");
    }
}

POINT TargetWindow::Centre() const noexcept {
    POINT centre{(rect_.left + rect_.right) / 2, (rect_.top + rect_.bottom) / 2};
    if (parent_ != nullptr) {
        ClientToScreen(parent_, &centre);
    }
    return centre;
}

POINT TargetWindow::ScreenPoint(int x, int y) const noexcept {
    POINT point{x, y};
    ClientToScreen(hwnd_, &point);
    return point;
}

COLORREF TargetWindow::ColourAt(int x, int y) const {
    return pattern_ ? pattern_(x, y) : colour_;
}

// Only the part that needs painting: a pattern is drawn pixel by pixel.
void TargetWindow::Paint(HDC dc) const {
    RECT box{};
    GetClipBox(dc, &box);
    if (!pattern_) {
        platform::FillWithColour(dc, box, static_cast<platform::ColourValue>(colour_));
        return;
    }
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            SetPixelV(dc, x, y, pattern_(x, y));
        }
    }
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
        const platform::PaintDc dc{hwnd};
        if (self != nullptr) {
            self->Paint(dc.get());
        }
        return 0;
    }
    case WM_NCDESTROY:
        // Destroyed with its parent, a child leaves nothing for the destructor to destroy.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (self != nullptr) {
            self->hwnd_ = nullptr;
        }
        break;
    default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace test_support
