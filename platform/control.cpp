// Child windows placed in twips on their form.
#include "platform/control.h"

#include "platform/failure.h"
#include "platform/form.h"

#include <commctrl.h>

#include <string>

namespace platform {

void Control::CreateChild(Form& form, const ChildDesign& design, const wchar_t* kind,
                          const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle,
                          bool ownClass, long spokenRole) {
    form_ = &form;
    design_ = design;
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
    if (!ownClass && spoken_.Renames()) {
        SetWindowSubclass(hWnd(), &SpokenSubclass, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    SendMessageW(hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    form.Register(*this);
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

LRESULT CALLBACK Control::SpokenSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self) {
    AccessibleControl& spoken = reinterpret_cast<Control*>(self)->spoken_;
    LRESULT answer = 0;
    if (message == WM_GETOBJECT && spoken.Answer(hwnd, wParam, lParam, &answer)) {
        return answer;
    }
    if (message == WM_NCDESTROY) {
        spoken.Release();
        RemoveWindowSubclass(hwnd, &SpokenSubclass, id);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
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
