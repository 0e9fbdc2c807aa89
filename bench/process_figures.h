// What can be learnt of a process's resources from outside it, and how Wine answers.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

struct ProcessFigures {
    DWORD gdiObjects = 0;            // GetGuiResources(GR_GDIOBJECTS): 0 under Wine
    DWORD userObjects = 0;           // GetGuiResources(GR_USEROBJECTS): 0 under Wine
    DWORD handleCount = 0;           // GetProcessHandleCount: 0 under Wine
    long tableHandles = -1;          // the process's entries in the system handle table; -1 unknown
    long windows = 0;                // its top-level and child windows
    unsigned long long pagefile = 0; // PagefileUsage: the private commit on Windows, the
                                     // anonymous resident memory under Wine
    unsigned long long privateUsage = 0; // PrivateUsage: 0 under Wine
};

ProcessFigures FiguresOf(HANDLE process);

// The path of a program that stands beside this one.
std::wstring BesideMe(const wchar_t* name);

// Bytes in mebibytes.
inline double MiB(unsigned long long bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

} // namespace bench
