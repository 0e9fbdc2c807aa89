// Whether a test may change what belongs to the whole desktop session rather than to its own
// windows: on Windows, SetSysColors recolours every application of the session, and a test ended
// midway leaves it so. Such a test runs only in a session that the test run owns, or on a
// desktop that the run has been told is disposable.
#pragma once

#include <windows.h>

namespace test_support {

// VORLITH_SESSION=1: the run's own Wine session (scripts/wine-session.sh, and the CTest
// fixtures through tests/e2e/ctest/wine_test.sh), a prefix and display of its own.
// VORLITH_DISPOSABLE_DESKTOP=1: a desktop that is thrown away after the run, such as a hosted
// CI runner's (.github/workflows/windows.yml sets it).
inline constexpr wchar_t kOwnSessionVariable[] = L"VORLITH_SESSION";
inline constexpr wchar_t kDisposableDesktopVariable[] = L"VORLITH_DISPOSABLE_DESKTOP";

// Whether the test runs under Wine rather than on Windows.
inline bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

inline bool VariableIsOne(const wchar_t* name) {
    wchar_t value[8]{};
    const DWORD length = GetEnvironmentVariableW(name, value, 8);
    return length == 1 && value[0] == L'1';
}

// Null when the test may change the session's settings; otherwise why not and how to let it,
// for the test's skip message.
inline const char* WhyTheSessionIsNotOurs() {
    if (VariableIsOne(kOwnSessionVariable) || VariableIsOne(kDisposableDesktopVariable)) {
        return nullptr;
    }
    return "this test changes the system colours, which on Windows recolours every application "
           "of the desktop session; it runs only in the test run's own Wine session "
           "(VORLITH_SESSION=1, set by scripts/wine-session.sh and the ctest fixtures) or on a "
           "desktop that may be thrown away: set VORLITH_DISPOSABLE_DESKTOP=1 to run it here";
}

} // namespace test_support
