// Check boxes and command buttons. Their clicks reach the form as WM_COMMAND.
#include "platform/buttons.h"

namespace platform {

void CheckBox::Create(Form& form, const ChildDesign& child, const wchar_t* caption) {
    CreateChild(form, child, L"check box", L"BUTTON", caption, WS_TABSTOP | BS_AUTOCHECKBOX, 0);
}

std::int16_t CheckBox::Value() const {
    return static_cast<std::int16_t>(SendMessageW(hWnd(), BM_GETCHECK, 0, 0));
}

void CommandButton::Create(Form& form, const ChildDesign& child, const wchar_t* caption,
                           bool isDefault) {
    const DWORD style = WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    CreateChild(form, child, L"button", L"BUTTON", caption, style, 0);
}

} // namespace platform
