// Child windows placed in twips on their form.
#include "platform/control.h"

#include "platform/failure.h"
#include "platform/form.h"

#include <string>

namespace platform {

void Control::CreateChild(Form& form, const ChildDesign& design, const wchar_t* kind,
                          const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle,
                          bool ownClass, long spokenRole) {
    form_ = &form;
    design_ = design;
    systemProc_ = nullptr;
    spoken_.SetDesign({design.spokenName, spokenRole});
    const PixelRect r = form.ToPixels(design.place);
    const RECT place{r.left, r.top, r.left + r.width, r.top + r.height};
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id));
    style |= WS_CHILD | WS_VISIBLE;
    if (ownClass) {
        CreateWindowObject(exStyle, className, text, style, place, form.hWnd(), id);
    } else {
        Attach(CreateWindowExW(exStyle, className, text, style, place.left, place.top, r.width,
                               r.height, form.hWnd(), id, GetModuleHandleW(nullptr), nullptr));
    }
    if (!hWnd()) {
        EndWithError(std::wstring(L"Could not create the ") + kind + L" " + design.name + L".");
    }
    if (!ownClass && spoken_.AnswersReaders()) {
        // The system's procedure stays behind the program's, which only takes WM_GETOBJECT. Set
        // by hand rather than through the common controls' subclassing, which looks the window's
        // properties up on every message: the text boxes take many in every tick.
        SetWindowLongPtrW(hWnd(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        systemProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SpokenSystemControlProc)));
    }
    SendMessageW(hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    form.Register(*this);
}

Control::~Control() {
    // The object goes before its window (the window base takes the window down next): the
    // system's procedure goes back in front first, so that the messages of the window's end
    // never reach this object once it is gone.
    if (systemProc_ && hWnd() && IsWindow(hWnd())) {
        GiveBackSystemProc(hWnd());
    }
    spoken_.Release();
}

void Control::GiveBackSystemProc(HWND hwnd) noexcept {
    // Only while the program's procedure is still the window's: one that something set in front
    // of it later stays in front, and what it passes on goes through to the system's (below).
    if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) ==
        reinterpret_cast<LONG_PTR>(&SpokenSystemControlProc)) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
    }
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    systemProc_ = nullptr;
}

LRESULT Control::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (message == WM_GETOBJECT && spoken_.Answer(hWnd(), wParam, lParam, &answer)) {
        return answer;
    }
    if (message == WM_NCDESTROY) {
        spoken_.Release();
    }
    return Window::OnMessage(message, wParam, lParam);
}

LRESULT CALLBACK Control::SpokenSystemControlProc(HWND hwnd, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
    auto* self = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        // The object has let go of the window while a procedure set in front of this one still
        // passes messages here: they go on to the system control's own, its class's.
        const auto system = reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC));
        return CallWindowProcW(system, hwnd, message, wParam, lParam);
    }
    LRESULT answer = 0;
    if (message == WM_GETOBJECT && self->spoken_.Answer(hwnd, wParam, lParam, &answer)) {
        return answer;
    }
    const WNDPROC system = self->systemProc_;
    if (message == WM_NCDESTROY) {
        self->spoken_.Release();
        self->GiveBackSystemProc(hwnd);
    }
    return CallWindowProcW(system, hwnd, message, wParam, lParam);
}

void Control::AnnounceValueChange() const {
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hWnd(), OBJID_CLIENT, CHILDID_SELF);
}

void Control::AnnounceLiveRegionChange() const {
    // EVENT_OBJECT_LIVEREGIONCHANGED, which the headers declare only for Windows 8 and later;
    // an older Windows passes it on to whoever listens, unknown.
    constexpr DWORD kLiveRegionChanged = 0x8019;
    NotifyWinEvent(kLiveRegionChanged, hWnd(), OBJID_CLIENT, CHILDID_SELF);
}

void Control::LayOut() {
    if (!hWnd() || !form_) {
        return;
    }
    SendMessageW(hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    const PixelRect r = form_->ToPixels(design_.place);
    SetWindowPos(hWnd(), nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::OnSysColorChange() {
    // A system control (the edit box, the button) may keep colours of its own; a picture box
    // clears a blank image in the new background.
    SendMessageW(hWnd(), WM_SYSCOLORCHANGE, 0, 0);
}

HFONT Control::Font() const {
    return form_ ? form_->DefaultFont() : nullptr;
}

} // namespace platform
