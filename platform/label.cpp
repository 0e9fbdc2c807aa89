// Labels on the system's STATIC control.
#include "platform/label.h"

namespace platform {

void Label::Create(Form& form, const ChildDesign& child, const wchar_t* caption,
                   const LabelDesign& design) {
    design_ = design;
    back_ = ColourBrush{};
    if (design.opaque) {
        back_.Make(design.backColour);
    }
    const DWORD style = SS_NOPREFIX | (design.align == Align::Centre ? SS_CENTER : SS_LEFT);
    const DWORD exStyle = design.sunkenBorder ? WS_EX_STATICEDGE : 0;
    CreateChild(form, child, L"label", L"STATIC", caption, style, exStyle);
}

HFONT Label::Font() const {
    return design_.font ? design_.font : Control::Font();
}

void Label::SetFont(HFONT font) {
    design_.font = font;
    SendMessageW(hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
}

void Label::OnSysColorChange() {
    back_.OnSysColorChange();
    Control::OnSysColorChange();
}

HBRUSH Label::OnCtlColor(HDC dc) {
    SetTextColor(dc, ResolveColour(design_.foreColour));
    if (design_.opaque) {
        SetBkColor(dc, ResolveColour(design_.backColour));
        return back_.get();
    }
    // Transparent: the text goes straight onto the form's background.
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

} // namespace platform
