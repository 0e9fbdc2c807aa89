// Timers on the system's SetTimer: WM_TIMER to the form, with the timer's identifier.
#include "platform/timer.h"

#include "platform/failure.h"
#include "platform/form.h"

#include <string>

namespace platform {

void Timer::Create(Form& form, int id, const wchar_t* name, unsigned intervalMs, bool enabled) {
    form_ = &form;
    id_ = id;
    name_ = name;
    interval_ = intervalMs;
    enabled_ = false;
    SetEnabled(enabled);
}

void Timer::SetEnabled(bool enabled) {
    // Enabling a running timer leaves its interval running, so that a held key that enables it
    // again and again does not keep postponing the next tick.
    if (enabled && !enabled_) {
        if (SetTimer(form_->hWnd(), static_cast<UINT_PTR>(id_), interval_, nullptr) == 0) {
            EndWithError(std::wstring(L"Could not start the timer ") + name_ + L".");
        }
    } else if (!enabled && enabled_) {
        KillTimer(form_->hWnd(), static_cast<UINT_PTR>(id_));
    }
    enabled_ = enabled;
}

} // namespace platform
