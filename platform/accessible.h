// What a screen reader is told of a control, for a control that the system cannot name or whose
// kind it cannot tell: a screen reader asks the window for its object (WM_GETOBJECT), and the
// control answers with the system's own object for it, its name and role replaced. Nothing is
// made, loaded or asked until something asks.
#pragma once

#include "platform/com_ptr.h"
#include "platform/live_region.h"

#include <windows.h>

#include <objidl.h>

#include <string>

namespace platform {

class RenamedAccessible;

// The interface id of IAccessible, spelt out: some import libraries declare IID_IAccessible as
// data of oleacc.dll and link to a stub in its place.
inline constexpr IID kIidIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// How many accessible objects of the program's controls exist now, held by the controls or by
// readers: each control makes at most one, and it goes once its window and every reader have let
// go of it. For the tests, which count them.
int LiveAccessibleObjectsForTesting() noexcept;

struct AccessibleDesign {
    const wchar_t* name = nullptr; // null: the system's own name (a caption, a label before it)
    long role = 0;                 // 0: the system's own role (ROLE_SYSTEM_*)
};

// What a reader hears as a control's value: made from `context` each time a reader asks. Empty:
// the system's own value.
struct SpokenValue {
    std::wstring (*make)(const void* context) = nullptr;
    const void* context = nullptr;

    explicit operator bool() const noexcept { return make != nullptr; }
    std::wstring Text() const { return make(context); }
};

// The accessible object of one control's window: made on the first request and handed out again
// on every later one, for as long as the window lives. Each request then only adds a reference
// to what COM already holds for the object; a new object per request would have COM set up (and,
// under Wine, keep part of) its connection anew each time.
class AccessibleControl {
  public:
    AccessibleControl();
    AccessibleControl(const AccessibleControl&) = delete;
    AccessibleControl& operator=(const AccessibleControl&) = delete;
    ~AccessibleControl();

    // For the control's next window.
    void SetDesign(const AccessibleDesign& design) noexcept {
        Release();
        design_ = design;
    }
    // What a reader hears as the control's value instead of the system's. It stays for every
    // window of the control.
    void SetValue(const SpokenValue& value) noexcept { value_ = value; }
    // Makes each window of the control a live region: a change that the control announces
    // (EVENT_OBJECT_LIVEREGIONCHANGED) is spoken wherever the reader's focus is.
    void SetLiveSetting(LiveSetting setting) noexcept { live_ = setting; }
    // Whether the object tells a reader anything the system's own would not.
    bool Renames() const noexcept {
        return design_.name || design_.role != 0 || static_cast<bool>(value_);
    }
    // Whether a reader's requests need the program's answer.
    bool AnswersReaders() const noexcept { return Renames() || live_ != LiveSetting::Off; }
    const AccessibleDesign& Design() const noexcept { return design_; }
    const SpokenValue& Value() const noexcept { return value_; }

    // Answers WM_GETOBJECT: for the window's client area, the renamed object, in *result. False,
    // for the message to go on as usual, when the object asked is another one, when the design
    // changes nothing, or when the system cannot make the object. A live region's setting is
    // given on the first request, whatever it asks for.
    bool Answer(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The window is going: its object is cut off from the readers that still hold it and let go,
    // and its live setting is cleared.
    void Release() noexcept;

  private:
    AccessibleDesign design_{};
    SpokenValue value_{};
    LiveSetting live_ = LiveSetting::Off;
    LiveRegionAnnotation annotation_;
    ComPtr<RenamedAccessible> object_;
    ComPtr<IStream> held_; // the object marshalled once for good: COM keeps its stub
};

} // namespace platform
