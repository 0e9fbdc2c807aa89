// Where the program's DLLs come from: the system folder, on every Windows the program runs on.
#pragma once

#include <windows.h>

namespace platform {

// From this call on, a DLL that the process loads by name (the program, or a system DLL on its
// behalf) is looked up in the system folder only. Windows 7 can do that only with update
// KB2533623; without it, the current folder at least leaves the search. Loads by full path are
// not affected.
void LoadDllsFromSystemFolderOnly();

// Loads the DLL of this name from the system folder, never one beside the program, or gives
// null when the system folder has none.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a loaded DLL as its own type, or null when the DLL (or this Windows) has none:
// for functions that not every Windows the program runs on has, and for DLLs loaded late.
template <class Function> Function FindFunction(HMODULE module, const char* name) {
    // Through the generic function type, which every function pointer converts to and from.
    return module ? reinterpret_cast<Function>(
                        reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                  : nullptr;
}

} // namespace platform
