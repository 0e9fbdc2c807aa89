// The one window procedure of the program's window classes.
#include "platform/window.h"

namespace platform {

namespace {

bool g_handlersStopped = false;

// What a window still does once the handlers have stopped: it paints what it showed, so that
// the windows behind the report do not turn blank when something moves over them; it answers
// who it is (its icon for the task bar, its names for a screen reader); and a window that ends
// meanwhile lets go of what it held.
bool RunsAfterStop(UINT message) {
    switch (message) {
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_GETICON:
    case WM_GETOBJECT:
    case WM_NCDESTROY: return true;
    default: return false;
    }
}

} // namespace

Window::~Window() {
    // The owner outlives its window as a rule; a window still alive here is taken down without
    // reaching back into the half-destroyed object.
    if (hwnd_ && IsWindow(hwnd_)) {
        if (FromHandle(hwnd_) == this) {
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        }
        DestroyWindow(hwnd_);
    }
}

void Window::StopHandlers() noexcept {
    g_handlersStopped = true;
}

Window* Window::FromHandle(HWND hwnd) noexcept {
    if (!hwnd || GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&WindowProc)) {
        return nullptr;
    }
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Window::RegisterWindowClass(const wchar_t* className, HBRUSH background) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, className, &existing)) {
        return;
    }
    // No class icon: a window that shows an icon sets its own, so that a dialog frame can
    // leave it out of the title bar.
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
}

HWND Window::CreateWindowObject(DWORD exStyle, const wchar_t* className, const wchar_t* caption,
                                DWORD style, const RECT& place, HWND parent, HMENU menuOrId) {
    return CreateWindowExW(exStyle, className, caption, style, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, parent, menuOrId,
                           GetModuleHandleW(nullptr), this);
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        // The object arrives with the creation parameters; messages before this one
        // (WM_GETMINMAXINFO) find none and get the default treatment.
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (g_handlersStopped && !RunsAfterStop(message)) {
        // The program is ending through its report: a tick, key, click or close that the
        // report's own message loop delivers must find nothing to do. The program leaves only
        // through the report, so a close (which the default would carry out) is ignored.
        return message == WM_CLOSE ? 0 : DefWindowProcW(hwnd, message, wParam, lParam);
    }
    const LRESULT result = self->OnMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

} // namespace platform
