// vorlith_start_check: starts a vorlith.exe as a user would (the one unpacked from the release
// package, or another build's), puts the pointer over a window of a known colour, and checks
// that the program shows its main window and reads that colour; then closes it.
//
//   vorlith_start_check.exe PATH\TO\vorlith.exe
//
// Prints what it saw; exit code 0 when the program started, read the colour and ended cleanly.
#include "tests/support/process_windows.h"
#include "tests/support/target_window.h"

#include "app/main_layout.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <optional>
#include <string>

namespace {

using test_support::PumpMessages;

// The colour under the pointer and how the program must write it (worked out by hand).
constexpr COLORREF kColour = RGB(0x12, 0x34, 0x56);
constexpr wchar_t kHtml[] = L"#123456";
constexpr wchar_t kVb[] = L"&H00563412&";

constexpr DWORD kDeadlineMs = 60000; // generous: a slow or busy machine only takes longer

int Fail(const char* what, PROCESS_INFORMATION& pi) {
    std::printf("FAIL: %s\n", what);
    if (pi.hProcess) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::printf("usage: vorlith_start_check PATH\\TO\\vorlith.exe\n");
        return 2;
    }
    const std::wstring exe = argv[1];
    std::printf("starting %ls\n", exe.c_str());
    // A patch of the colour at the screen's top-left, clear of the main window (which opens
    // centred).
    std::optional<test_support::TargetWindow> patch;
    try {
        patch.emplace(RECT{20, 20, 140, 140}, kColour);
    } catch (const std::exception& e) {
        std::printf("FAIL: %s\n", e.what());
        return 1;
    }
    const POINT centre = patch->Centre();
    SetCursorPos(centre.x, centre.y);
    PumpMessages();

    // Started from its own folder, as Explorer starts it.
    std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
        std::printf("FAIL: CreateProcess failed with error %lu\n", GetLastError());
        return 1;
    }

    const ULONGLONG start = GetTickCount64();
    HWND main = nullptr;
    std::wstring html;
    std::wstring vb;
    while (GetTickCount64() - start < kDeadlineMs) {
        PumpMessages();
        if (WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(pi.hProcess, &code);
            std::printf("FAIL: the program ended by itself with exit code %lu\n", code);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
            return 1;
        }
        main = main ? main
                    : test_support::TopWindowOf(pi.dwProcessId, app::layout::kMainClassName, true);
        if (main) {
            html = test_support::WindowText(GetDlgItem(main, app::layout::kIdTxtHtml));
            vb = test_support::WindowText(GetDlgItem(main, app::layout::kIdTxtVb));
            if (html == kHtml && vb == kVb) {
                break;
            }
        }
    }
    if (!main) {
        return Fail("no visible main window within the deadline", pi);
    }
    std::printf("main window \"%ls\" shown; %llu ms from the start to the check below\n",
                test_support::WindowText(main).c_str(), GetTickCount64() - start);
    std::printf("reading: HTML %ls, VB %ls (expected %ls, %ls)\n", html.c_str(), vb.c_str(), kHtml,
                kVb);
    if (html != kHtml || vb != kVb) {
        return Fail("the program did not read the colour under the pointer", pi);
    }

    PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) {
        return Fail("the program did not end after its main window was closed", pi);
    }
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    patch.reset();
    std::printf("closed; exit code %lu\n", code);
    if (code != 0) {
        std::printf("FAIL: exit code %lu\n", code);
        return 1;
    }
    std::printf("PASS\n");
    return 0;
}
