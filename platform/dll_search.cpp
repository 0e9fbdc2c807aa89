// The DLL search of the process and loads from the system folder, with what Windows 7 lacks.
#include "platform/dll_search.h"

#include <string>

namespace platform {

void LoadDllsFromSystemFolderOnly() {
    // Looked up rather than imported: a program that imports it does not start at all on a
    // Windows 7 without the update.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories = FindFunction<SetDefaultDllDirectoriesFn>(
        GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (!setDefaultDllDirectories || !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        // The program's own folder stays first in the search then: LoadSystemLibrary names the
        // system folder's files by their full path.
        SetDllDirectoryW(L"");
    }
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    if (const HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return module;
    }
    // Windows 7 without update KB2533623 refuses the flag. By its full path the DLL itself can
    // come from nowhere else, and the altered search looks up what it imports in its own folder
    // (the system folder) rather than in the program's.
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    path.resize(length);
    path.append(L"\\").append(name);
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace platform
