// Process figures: the documented calls, and the system handle table where they answer 0.
#include "bench/process_figures.h"

#include <psapi.h>

#include <vector>

namespace bench {

namespace {

// SystemExtendedHandleInformation: one entry per open handle of every process.
constexpr ULONG kSystemExtendedHandleInformation = 64;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

struct HandleEntry {
    PVOID object;
    ULONG_PTR uniqueProcessId;
    ULONG_PTR handleValue;
    ULONG grantedAccess;
    USHORT creatorBackTraceIndex;
    USHORT objectTypeIndex;
    ULONG handleAttributes;
    ULONG reserved;
};

struct HandleTable {
    ULONG_PTR numberOfHandles;
    ULONG_PTR reserved;
    HandleEntry handles[1];
};

using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

long TableHandles(DWORD pid) {
    static const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query || pid == 0) {
        return -1;
    }
    std::vector<char> buffer(1 << 16);
    LONG status = 0;
    ULONG length = 0;
    while ((status = query(kSystemExtendedHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), &length)) == kInfoLengthMismatch &&
           buffer.size() < (64u << 20)) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) {
        return -1;
    }
    const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
    long count = 0;
    for (ULONG_PTR i = 0; i < table->numberOfHandles; ++i) {
        if (table->handles[i].uniqueProcessId == pid) {
            ++count;
        }
    }
    return count;
}

struct WindowCount {
    DWORD pid;
    long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++reinterpret_cast<WindowCount*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountTop(HWND hwnd, LPARAM param) {
    auto* windows = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == windows->pid) {
        ++windows->count;
        EnumChildWindows(hwnd, &CountChild, param);
    }
    return TRUE;
}

} // namespace

ProcessFigures FiguresOf(HANDLE process) {
    ProcessFigures f;
    f.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    f.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    GetProcessHandleCount(process, &f.handleCount);
    const DWORD pid = GetProcessId(process);
    f.tableHandles = TableHandles(pid);
    WindowCount windows{pid, 0};
    EnumWindows(&CountTop, reinterpret_cast<LPARAM>(&windows));
    f.windows = windows.count;
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
    f.pagefile = m.PagefileUsage;
    f.privateUsage = m.PrivateUsage;
    return f;
}

std::wstring BesideMe(const wchar_t* name) {
    wchar_t path[MAX_PATH]{};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    dir.resize(dir.find_last_of(L"\\/") + 1);
    return dir + name;
}

} // namespace bench
