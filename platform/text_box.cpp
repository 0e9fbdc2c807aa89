// Text boxes on the system's EDIT control.
#include "platform/text_box.h"

#include "platform/form.h"

#include <algorithm>

namespace platform {

void TextBox::Create(Form& form, const ChildDesign& child, const wchar_t* text,
                     const TextBoxDesign& design) {
    design_ = design;
    back_.Make(design.backColour);
    const DWORD style =
        WS_TABSTOP | ES_AUTOHSCROLL | (design.align == Align::Centre ? ES_CENTER : ES_LEFT);
    CreateChild(form, child, L"text box", L"EDIT", text, style, WS_EX_CLIENTEDGE);
    SendMessageW(hWnd(), EM_SETLIMITTEXT, 0, 0); // no length limit
    SetMargins();
}

void TextBox::LayOut() {
    Control::LayOut();
    SetMargins(); // a new font resets them
}

void TextBox::SetMargins() const {
    // Narrow margins, one pixel at 96 pixels per inch: the codes use nearly the whole box.
    const int margin = MulDiv(1, OwnerForm().Dpi(), kDefaultDpi);
    SendMessageW(hWnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
}

void TextBox::OnSysColorChange() {
    back_.OnSysColorChange();
    Control::OnSysColorChange();
}

HBRUSH TextBox::OnCtlColor(HDC dc) {
    SetTextColor(dc, ResolveColour(design_.foreColour));
    SetBkColor(dc, ResolveColour(design_.backColour));
    return back_.get();
}

std::wstring TextBox::Text() const {
    const int length = GetWindowTextLengthW(hWnd());
    std::wstring text(static_cast<size_t>(std::max(length, 0)), L'\0');
    if (length > 0) {
        const int copied = GetWindowTextW(hWnd(), text.data(), length + 1);
        text.resize(static_cast<size_t>(std::max(copied, 0)));
    }
    return text;
}

void TextBox::SetText(const std::wstring& text) const {
    SetWindowTextW(hWnd(), text.c_str());
}

} // namespace platform
