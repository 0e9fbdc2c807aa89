// Forms: creation from the layout, placement, modal display, routing of control messages.
#include "platform/form.h"

#include "platform/events.h"

#include <algorithm>
#include <iterator>

namespace platform {

namespace {

// Per-monitor density functions exist from Windows 10 on; older systems get the screen's.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

template <class Fn> Fn User32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                  : nullptr;
}

} // namespace

int DpiOf(HWND hwnd) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (hwnd && getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(hwnd); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDefaultDpi;
}

void Form::Form_KeyDown(std::int16_t& /*keyCode*/, std::int16_t& /*shift*/) {}

bool Form::Load(HWND owner) {
    if (IsLoaded()) {
        return true;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const HICON icon =
        design_.iconId
            ? static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(design_.iconId), IMAGE_ICON,
                                            0, 0, LR_DEFAULTSIZE | LR_SHARED))
            : nullptr;
    // No class icon: the window sets its own, so that a dialog frame can leave it out of the
    // title bar.
    RegisterWindowClass(design_.className, 0, nullptr, GetSysColorBrush(COLOR_BTNFACE));

    owner_ = owner;
    dpi_ = DpiOf(owner);
    MakeFont();
    controls_.clear();
    images_.clear();
    lines_.clear();
    lastFocus_ = nullptr;

    DWORD exStyle = 0;
    if (design_.frame == FrameStyle::FixedDialog) {
        exStyle |= WS_EX_DLGMODALFRAME;
    }
    if (design_.endsProgramOnClose) {
        exStyle |= WS_EX_APPWINDOW;
    }
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    if (!CreateWindowObject(exStyle, design_.className, design_.caption, style, CW_USEDEFAULT,
                            CW_USEDEFAULT, 0, 0, owner, nullptr)) {
        return false;
    }
    // The density of the monitor the window landed on decides the layout.
    if (const int dpi = DpiOf(hWnd()); dpi != dpi_) {
        ChangeDpi(dpi, nullptr);
    }
    SetOuterSize();
    if (icon) {
        // The task bar and the task switcher show the large icon. A dialog frame shows no
        // icon in its title bar as long as it has no small one.
        SendMessageW(hWnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }
    if (icon && design_.frame != FrameStyle::FixedDialog) {
        const HICON small = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(design_.iconId), IMAGE_ICON,
                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
        SendMessageW(hWnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
    Form_Load();
    return IsLoaded();
}

bool Form::Show() {
    if (!IsLoaded() && !Load(nullptr)) {
        return false;
    }
    Place(owner_);
    ShowWindow(hWnd(), SW_SHOW);
    UpdateWindow(hWnd());
    return true;
}

bool Form::ShowModal() {
    // The program's other windows take no input while this one is open.
    std::vector<HWND> others;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM list) -> BOOL {
            if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&others));
    // No owner is named: the window that is active now owns the modal one (or, when the
    // program is not the active one, its first window).
    HWND owner = GetActiveWindow();
    if (std::find(others.begin(), others.end(), owner) == others.end()) {
        owner = others.empty() ? nullptr : others.front();
    }
    if (!IsLoaded() && !Load(owner)) {
        return false;
    }
    modal_ = true;
    disabled_ = others;
    for (const HWND other : disabled_) {
        EnableWindow(other, FALSE);
    }
    Place(owner_);
    ShowWindow(hWnd(), SW_SHOW);
    UpdateWindow(hWnd());

    MSG msg{};
    while (IsLoaded()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam)); // for the outer loop
            }
            break;
        }
        DispatchOne(msg);
    }
    modal_ = false;
    return true;
}

void Form::Unload() {
    if (!IsLoaded()) {
        return;
    }
    if (modal_) {
        // The other windows take input again before the modal one goes, so that activation
        // returns to its owner rather than to another program's window.
        for (const HWND other : disabled_) {
            if (IsWindow(other)) {
                EnableWindow(other, TRUE);
            }
        }
        disabled_.clear();
    }
    DestroyWindow(hWnd());
}

void Form::MakeFont() {
    // The program's interface font: Tahoma, a plain sans-serif face on every Windows and in
    // Wine, scalable at any density. At 7.5 points the longest caption and the widest colour
    // literal (&H00DDDDDD&) fit their controls.
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(75, dpi_, 720);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    constexpr wchar_t kFace[] = L"Tahoma";
    std::copy(std::begin(kFace), std::end(kFace), lf.lfFaceName);
    font_.reset(CreateFontIndirectW(&lf));
}

void Form::SetOuterSize() {
    RECT rect{0, 0, TwipsToPixels(design_.clientWidth, dpi_),
              TwipsToPixels(design_.clientHeight, dpi_)};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hWnd(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hWnd(), GWL_EXSTYLE));
    static const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi_))) {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    SetWindowPos(hWnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame the system really draws can differ from the computed one (a frame still at
    // the old density, a theme): what the client area misses is added to the outer size.
    RECT client{};
    GetClientRect(hWnd(), &client);
    const int missingWidth = TwipsToPixels(design_.clientWidth, dpi_) - client.right;
    const int missingHeight = TwipsToPixels(design_.clientHeight, dpi_) - client.bottom;
    if (missingWidth != 0 || missingHeight != 0) {
        width += missingWidth;
        height += missingHeight;
        SetWindowPos(hWnd(), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Form::Place(HWND owner) {
    RECT window{};
    GetWindowRect(hWnd(), &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (design_.start == StartPosition::CenterOwner && owner) {
        GetWindowRect(owner, &area);
    }
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(hWnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::ChangeDpi(int dpi, const RECT* suggested) {
    dpi_ = dpi;
    Font previous = std::move(font_);
    MakeFont();
    OnDpiChanged();
    for (Control* control : controls_) {
        control->LayOut(); // takes the new font too
    }
    if (suggested) {
        SetWindowPos(hWnd(), nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetOuterSize();
    InvalidateRect(hWnd(), nullptr, TRUE);
}

void Form::Paint(HDC dc) const {
    for (const Line* line : lines_) {
        line->Paint(dc, dpi_);
    }
    for (const Image* image : images_) {
        image->Paint(dc, dpi_);
    }
}

Control* Form::ControlOf(HWND hwnd) const {
    for (Control* control : controls_) {
        if (control->hWnd() == hwnd) {
            return control;
        }
    }
    return nullptr;
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return CreateControls() ? 0 : -1;
    case WM_COMMAND:
        if (lParam != 0 && HIWORD(wParam) == BN_CLICKED) {
            OnClick(LOWORD(wParam));
        } else if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            OnDialogKey(LOWORD(wParam));
        }
        return 0;
    case DM_GETDEFID:
        if (const int id = DefaultButtonId(); id != 0) {
            return MAKELRESULT(id, DC_HASDEFID);
        }
        return 0;
    case WM_TIMER: OnTimer(static_cast<int>(wParam)); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (Control* control = ControlOf(reinterpret_cast<HWND>(lParam))) {
            if (const HBRUSH brush = control->OnCtlColor(reinterpret_cast<HDC>(wParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        const HDC dc = BeginPaint(hWnd(), &ps);
        Paint(dc);
        EndPaint(hWnd(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            lastFocus_ = (focus && IsChild(hWnd(), focus)) ? focus : lastFocus_;
        } else {
            // The focus goes back where it was, or to the first control in tab order.
            HWND focus = (lastFocus_ && IsChild(hWnd(), lastFocus_)) ? lastFocus_ : nullptr;
            for (size_t i = 0; !focus && i < controls_.size(); ++i) {
                const auto style = GetWindowLongPtrW(controls_[i]->hWnd(), GWL_STYLE);
                if ((style & WS_TABSTOP) && IsWindowEnabled(controls_[i]->hWnd())) {
                    focus = controls_[i]->hWnd();
                }
            }
            if (focus) {
                SetFocus(focus);
                return 0;
            }
        }
        break;
    case WM_DPICHANGED: ChangeDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_CLOSE: Unload(); return 0;
    case WM_DESTROY:
        if (design_.endsProgramOnClose) {
            PostQuitMessage(0);
        }
        break;
    case WM_NCDESTROY:
        controls_.clear();
        images_.clear();
        lines_.clear();
        break;
    default: break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

} // namespace platform
