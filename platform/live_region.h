// A control's window as a live region for screen readers: its live setting handed to the
// system's annotation service (Dynamic Annotation), which UI Automation reads for the window.
#pragma once

#include "platform/com_ptr.h"

#include <windows.h>

#include <oleacc.h>

namespace platform {

// How a screen reader speaks a change of a live region: not at all, after what it is saying, or
// at once.
enum class LiveSetting : long { Off = 0, Polite = 1, Assertive = 2 };

// The live setting of one window, set once while the window lives and cleared when it goes.
class LiveRegionAnnotation {
  public:
    // Sets the window's live setting, on the first call for the window only. Where the service
    // is missing or refuses (Wine has none that works), the window goes on without one.
    void Annotate(HWND hwnd, LiveSetting setting) noexcept;
    // The window is going: the service forgets its setting, and the next window is annotated
    // anew.
    void Clear() noexcept;

  private:
    ComPtr<IAccPropServices> service_; // held while it holds a setting for `annotated_`
    HWND annotated_ = nullptr;
    bool tried_ = false;
};

} // namespace platform
