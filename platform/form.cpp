// Forms: creation from the layout, the frame and its icons, the density, routing of messages.
#include "platform/form.h"

#include "platform/dpi.h"
#include "platform/failure.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace platform {

void Form::Form_KeyDown(std::int16_t& /*keyCode*/, std::int16_t& /*shift*/) {}

void Form::Load(HWND owner) {
    if (IsLoaded()) {
        return;
    }
    // The background as the colour's index, which the system resolves at each erase. The brush
    // that GetSysColorBrush hands out is not a safe class background: a change of the system
    // colours may delete it (Wine does) and leave the window erased with a dead brush.
    RegisterWindowClass(design_.className,
                        reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    LoadIcons();
    owner_ = owner;
    dpi_ = DpiOf(owner);
    MakeFont();
    controls_.clear();
    images_.clear();
    lines_.clear();
    lastFocus_ = nullptr;
    menuLoop_ = false;

    DWORD exStyle = 0;
    if (design_.frame == FrameStyle::FixedDialog) {
        exStyle |= WS_EX_DLGMODALFRAME;
    }
    if (design_.endsProgramOnClose) {
        exStyle |= WS_EX_APPWINDOW;
    }
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    const RECT place{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    if (!CreateWindowObject(exStyle, design_.className, design_.caption, style, place, owner,
                            nullptr)) {
        EndWithError(std::wstring(L"Could not create the window ") + design_.name + L".");
    }
    // The density of the monitor the window landed on decides the layout.
    if (const int dpi = DpiOf(hWnd()); dpi != dpi_) {
        ChangeDpi(dpi, nullptr);
    }
    SetOuterSize();
    if (design_.frame == FrameStyle::FixedSingle) {
        SendMessageW(hWnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
        SendMessageW(hWnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    }
    Form_Load();
    OnLayOut();
}

void Form::LoadIcons() {
    // Loaded without LR_SHARED, so that the form owns them; a window that is gone holds none.
    const auto load = [this](int size) {
        return Icon{static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                  MAKEINTRESOURCEW(design_.iconId), IMAGE_ICON,
                                                  size, size, LR_DEFAULTCOLOR))};
    };
    bigIcon_ = design_.iconId ? load(GetSystemMetrics(SM_CXICON)) : Icon{};
    smallIcon_ = design_.iconId ? load(GetSystemMetrics(SM_CXSMICON)) : Icon{};
}

LRESULT Form::OnGetIcon(WPARAM which) const {
    // A dialog frame shows no icon in its title bar, yet the task bar and the task switcher
    // must show the program's. The system draws a caption icon from the icon the window holds
    // (WM_SETICON, or its class's), and a dialog frame draws one only when it holds one; the
    // task bar and the switcher ask the window with WM_GETICON. So the form holds no icon and
    // answers this question itself, which gives the icon to every place but the caption.
    const HICON icon = which == ICON_BIG ? bigIcon_.get() : smallIcon_.get();
    return reinterpret_cast<LRESULT>(icon);
}

void Form::Show() {
    Load(nullptr);
    Place(owner_);
    // The keyboard cues (focus marks, access keys) as the system's dialogs have them: hidden
    // when the last input was the mouse's, until a key is used. The dialog manager decides this
    // for a dialog; a window of its own class asks for it.
    SendMessageW(hWnd(), WM_CHANGEUISTATE,
                 MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    ShowWindow(hWnd(), SW_SHOW);
    UpdateWindow(hWnd());
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
    const int clientWidth = TwipsToPixels(design_.clientWidth, dpi_);
    const int clientHeight = TwipsToPixels(design_.clientHeight, dpi_);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hWnd(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hWnd(), GWL_EXSTYLE));
    const RECT outer = WindowRectForClient({0, 0, clientWidth, clientHeight}, style, exStyle, dpi_);
    int width = outer.right - outer.left;
    int height = outer.bottom - outer.top;
    SetWindowPos(hWnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame the system really draws can differ from the computed one (a frame still at the
    // old density, a theme): what the client area misses is added to the outer size.
    RECT client{};
    GetClientRect(hWnd(), &client);
    if (client.right != clientWidth || client.bottom != clientHeight) {
        width += clientWidth - client.right;
        height += clientHeight - client.bottom;
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
    const Font previous = std::move(font_); // the controls let go of it below
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
        image->Paint(dc);
    }
}

Control* Form::ControlOf(HWND hwnd) const {
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [hwnd](const Control* c) { return c->hWnd() == hwnd; });
    return found == controls_.end() ? nullptr : *found;
}

bool Form::RestoreFocus() {
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
    }
    return focus != nullptr;
}

bool Form::OnActivate(bool active) {
    if (active) {
        return RestoreFocus();
    }
    const HWND focus = GetFocus();
    if (focus && IsChild(hWnd(), focus)) {
        lastFocus_ = focus;
    }
    return false;
}

void Form::OnCommand(int id, int notification, bool fromControl) {
    if (fromControl && notification == BN_CLICKED) {
        OnClick(id);
    } else if (id == IDOK || id == IDCANCEL) {
        OnDialogKey(id);
    }
}

HBRUSH Form::ControlColours(HWND control, HDC dc) const {
    Control* owner = ControlOf(control);
    return owner ? owner->OnCtlColor(dc) : nullptr;
}

void Form::OnSysColorChange() {
    // The system tells top-level windows only; the controls and lines hear of it from here. The
    // repaint in the new colours follows from the system, which repaints every window after a
    // change.
    for (Control* control : controls_) {
        control->OnSysColorChange();
    }
    for (Line* line : lines_) {
        line->OnSysColorChange();
    }
}

void Form::ForgetControls() {
    for (Control* control : controls_) {
        control->ForgetWindow();
    }
    controls_.clear();
    images_.clear();
    lines_.clear();
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: CreateControls(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), lParam != 0); return 0;
    case DM_GETDEFID:
        return DefaultButtonId() != 0 ? MAKELRESULT(DefaultButtonId(), DC_HASDEFID) : 0;
    case WM_TIMER: OnTimer(static_cast<int>(wParam)); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (const HBRUSH brush =
                ControlColours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_SYSCOLORCHANGE: OnSysColorChange(); break;
    case WM_PAINT: Paint(PaintDc{hWnd()}.get()); return 0;
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_GETICON:
        if (design_.frame == FrameStyle::FixedDialog) {
            return OnGetIcon(wParam);
        }
        break;
    case WM_ACTIVATE:
        if (OnActivate(LOWORD(wParam) != WA_INACTIVE)) {
            return 0;
        }
        break;
    case WM_DPICHANGED:
        ChangeDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        OnLayOut();
        return 0;
    case WM_ENTERMENULOOP: menuLoop_ = true; break;
    case WM_EXITMENULOOP: menuLoop_ = false; break;
    case WM_CLOSE: Unload(); return 0;
    case WM_DESTROY:
        if (design_.endsProgramOnClose) {
            PostQuitMessage(0);
        }
        break;
    case WM_NCDESTROY: ForgetControls(); break;
    default: break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

} // namespace platform
