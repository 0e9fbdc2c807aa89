// Loading Active Accessibility and COM from the system folder only.
#include "platform/accessibility_library.h"

#include "platform/dll_search.h"

namespace platform {

namespace {

template <class Function> Function Find(HMODULE module, const char* name) {
    if (!module) {
        return nullptr;
    }
    // Through the generic function type, which every function pointer converts to and from.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace

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
        if (const auto initialise = Find<decltype(&::CoInitializeEx)>(ole32, "CoInitializeEx")) {
            initialise(nullptr, COINIT_APARTMENTTHREADED);
        }
        loaded.createStdAccessibleObject =
            Find<decltype(&::CreateStdAccessibleObject)>(oleacc, "CreateStdAccessibleObject");
        loaded.lresultFromObject =
            Find<decltype(&::LresultFromObject)>(oleacc, "LresultFromObject");
        loaded.sysAllocString = Find<decltype(&::SysAllocString)>(oleaut32, "SysAllocString");
        loaded.createStreamOnHGlobal =
            Find<decltype(&::CreateStreamOnHGlobal)>(ole32, "CreateStreamOnHGlobal");
        loaded.coMarshalInterface =
            Find<decltype(&::CoMarshalInterface)>(ole32, "CoMarshalInterface");
        loaded.coReleaseMarshalData =
            Find<decltype(&::CoReleaseMarshalData)>(ole32, "CoReleaseMarshalData");
        loaded.coDisconnectObject =
            Find<decltype(&::CoDisconnectObject)>(ole32, "CoDisconnectObject");
        loaded.coCreateInstance = Find<decltype(&::CoCreateInstance)>(ole32, "CoCreateInstance");
        return loaded;
    }();
    return library;
}

} // namespace platform
