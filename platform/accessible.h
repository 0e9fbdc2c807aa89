// What a screen reader is told of a control, for a control that the system cannot name or whose
// kind it cannot tell: a screen reader asks the window for its object (WM_GETOBJECT), and the
// control answers with the system's own object for it, its name and role replaced. Nothing is
// made, loaded or asked until something asks.
#pragma once

#include <windows.h>

namespace platform {

// The interface id of IAccessible, spelt out: some import libraries declare IID_IAccessible as
// data of oleacc.dll and link to a stub in its place.
inline constexpr IID kIidIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct AccessibleDesign {
    const wchar_t* name = nullptr; // null: the system's own name (a caption, a label before it)
    long role = 0;                 // 0: the system's own role (ROLE_SYSTEM_*)
};

// Answers WM_GETOBJECT: for the window's client area, the system's object renamed, in *result.
// False, for the message to go on as usual, when the object asked is another one, when the
// design changes nothing, or when the system cannot make the object.
bool AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, const AccessibleDesign& design,
                     LRESULT* result);

} // namespace platform
