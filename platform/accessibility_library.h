// Active Accessibility and COM as the accessible objects of the controls use them: loaded from
// the system folder on the first request, for the rest of the run. Used by platform/ only.
#pragma once

#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

namespace platform {

// Loaded on the first request rather than at start: most runs of the program are never asked,
// and the start does not pay for them. A function is null when the system lacks it.
struct AccessibilityLibrary {
    decltype(&::CreateStdAccessibleObject) createStdAccessibleObject = nullptr;
    decltype(&::LresultFromObject) lresultFromObject = nullptr;
    decltype(&::SysAllocString) sysAllocString = nullptr;
    decltype(&::CreateStreamOnHGlobal) createStreamOnHGlobal = nullptr;
    decltype(&::CoMarshalInterface) coMarshalInterface = nullptr;
    decltype(&::CoReleaseMarshalData) coReleaseMarshalData = nullptr;
    decltype(&::CoDisconnectObject) coDisconnectObject = nullptr;
    // For the annotation service alone, which the objects do without.
    decltype(&::CoCreateInstance) coCreateInstance = nullptr;

    bool Usable() const noexcept {
        return createStdAccessibleObject && lresultFromObject && sysAllocString &&
               createStreamOnHGlobal && coMarshalInterface && coReleaseMarshalData &&
               coDisconnectObject;
    }

    // Loads them on the first call (and joins this thread to COM); the same ones afterwards.
    static const AccessibilityLibrary& Loaded();
};

} // namespace platform
