// What a screen reader is told of a control, for a control that the system cannot name or whose
// kind it cannot tell: a screen reader asks the window for its object (WM_GETOBJECT), and the
// control answers with the system's own object for it, its name and role replaced. Nothing is
// made, loaded or asked until something asks.
#pragma once

#include <windows.h>

#include <objidl.h>

namespace platform {

// The interface id of IAccessible, spelt out: some import libraries declare IID_IAccessible as
// data of oleacc.dll and link to a stub in its place.
inline constexpr IID kIidIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct AccessibleDesign {
    const wchar_t* name = nullptr; // null: the system's own name (a caption, a label before it)
    long role = 0;                 // 0: the system's own role (ROLE_SYSTEM_*)
};

// The accessible object of one control's window: made on the first request and handed out again
// on every later one, for as long as the window lives. Each request then only adds a reference
// to what COM already holds for the object; a new object per request would have COM set up (and,
// under Wine, keep part of) its connection anew each time.
class AccessibleControl {
  public:
    AccessibleControl() = default;
    AccessibleControl(const AccessibleControl&) = delete;
    AccessibleControl& operator=(const AccessibleControl&) = delete;
    ~AccessibleControl() { Release(); }

    // For the control's next window.
    void SetDesign(const AccessibleDesign& design) noexcept {
        Release();
        design_ = design;
    }
    // Whether the object tells a reader anything the system's own would not.
    bool Renames() const noexcept { return design_.name || design_.role != 0; }

    // Answers WM_GETOBJECT: for the window's client area, the renamed object, in *result. False,
    // for the message to go on as usual, when the object asked is another one, when the design
    // changes nothing, or when the system cannot make the object.
    bool Answer(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The window is going: its object is cut off from the readers that still hold it and let go.
    void Release() noexcept;

  private:
    AccessibleDesign design_{};
    IUnknown* object_ = nullptr;
    IStream* held_ = nullptr; // the object marshalled once for good: COM keeps its stub
};

} // namespace platform
