// Loading Active Accessibility and COM from the system folder only.
#include "platform/accessibility_library.h"

#include "platform/dll_search.h"

namespace platform {

const AccessibilityLibrary& AccessibilityLibrary::Loaded() {
    static const AccessibilityLibrary library = [] {
        AccessibilityLibrary loaded;
        // From the system folder: oleacc.dll is not one of the DLLs that Windows always takes
        // from there, and a file of that name beside the program must never load.
        const HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
        const HMODULE oleaut32 = LoadSystemLibrary(L"oleaut32.dll");
        const HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
        // The object is handed to the asking process through COM, on this thread, which runs
        // the windows and so pumps the calls that come back.
        if (const auto initialise =
                FindFunction<decltype(&::CoInitializeEx)>(ole32, "CoInitializeEx")) {
            initialise(nullptr, COINIT_APARTMENTTHREADED);
        }
        loaded.createStdAccessibleObject = FindFunction<decltype(&::CreateStdAccessibleObject)>(
            oleacc, "CreateStdAccessibleObject");
        loaded.lresultFromObject =
            FindFunction<decltype(&::LresultFromObject)>(oleacc, "LresultFromObject");
        loaded.sysAllocString =
            FindFunction<decltype(&::SysAllocString)>(oleaut32, "SysAllocString");
        loaded.createStreamOnHGlobal =
            FindFunction<decltype(&::CreateStreamOnHGlobal)>(ole32, "CreateStreamOnHGlobal");
        loaded.coMarshalInterface =
            FindFunction<decltype(&::CoMarshalInterface)>(ole32, "CoMarshalInterface");
        loaded.coReleaseMarshalData =
            FindFunction<decltype(&::CoReleaseMarshalData)>(ole32, "CoReleaseMarshalData");
        loaded.coDisconnectObject =
            FindFunction<decltype(&::CoDisconnectObject)>(ole32, "CoDisconnectObject");
        loaded.coCreateInstance =
            FindFunction<decltype(&::CoCreateInstance)>(ole32, "CoCreateInstance");
        return loaded;
    }();
    return library;
}

} // namespace platform
