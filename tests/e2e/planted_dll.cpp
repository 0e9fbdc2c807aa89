// A stand-in for a system DLL, as a stranger might leave one beside the program: loaded into a
// process, it leaves a mark (an empty file named after itself, ".loaded" added) and nothing else.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    wchar_t path[MAX_PATH]{};
    if (reason == DLL_PROCESS_ATTACH && GetModuleFileNameW(instance, path, MAX_PATH) > 0) {
        CloseHandle(CreateFileW((std::wstring(path) + L".loaded").c_str(), GENERIC_WRITE, 0,
                                nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    return TRUE;
}
