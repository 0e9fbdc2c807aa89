// vorlith_soak: runs the real vorlith.exe with the grid on and the pointer moving between
// target windows, and prints every minute what its resources are. Beside it, the real main
// window runs in this process on its own timer, where every DC and GDI object that the
// program's code makes is counted (Wine reports no GDI count for a process).
//
//   vorlith_soak.exe [--minutes N] [--interval-seconds S]
//
// Exit code 0 when no figure grew after the first interval.
#include "app/frm_main.h"
#include "app/main_layout.h"
#include "bench/gdi_count.h"
#include "bench/process_figures.h"
#include "bench/targets.h"
#include "platform/events.h"
#include "tests/support/accessible_object.h"
#include "tests/support/process_windows.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Memory may move by a few pages as the heaps settle; growth beyond this is a leak.
constexpr double kMemorySlackMiB = 1.0;
constexpr DWORD kPointerStepMs = 40;
// A screen reader's questions, as often as one asks while its user moves about.
constexpr DWORD kAskEveryMs = 3000;

struct Row {
    int minute = 0;
    unsigned long seconds = 0;
    bench::ProcessFigures child;
    bench::GdiCounts counted;
    bench::ProcessFigures self;
};

// Asks every control of a window for its name and value, as a screen reader does, and lets go
// of each object it is given.
void AskAsAScreenReader(HWND window) {
    EnumChildWindows(
        window,
        [](HWND child, LPARAM) -> BOOL {
            const test_support::AccessibleObject object(child);
            (void)object.Name();
            (void)object.Value();
            return TRUE;
        },
        0);
}

// Runs the program's own message handling for a while, moving the pointer along the path, and
// asks the window `asked` (if any) what a screen reader asks every few seconds.
void RunFor(DWORD milliseconds, const bench::Targets& targets, long& step, HWND asked = nullptr) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    ULONGLONG nextMove = GetTickCount64();
    ULONGLONG nextAsk = GetTickCount64();
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        if (now >= nextMove) {
            bench::MovePointer(targets.PointAt(step++));
            nextMove = now + kPointerStepMs;
        }
        if (asked && now >= nextAsk) {
            AskAsAScreenReader(asked);
            nextAsk = now + kAskEveryMs;
        }
        const ULONGLONG until = std::min(end, nextMove);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_ALLINPUT);
        platform::DoEvents();
    }
}

void PrintHeader(const bench::ProcessFigures& first) {
    if (first.gdiObjects == 0 && first.userObjects == 0) {
        std::printf("note: GetGuiResources reports 0 GDI and 0 USER objects for vorlith.exe (as "
                    "under Wine);\n      the GDI count is taken in this process instead, by "
                    "counting the program's calls,\n      and the windows of vorlith.exe stand "
                    "for its USER objects.\n");
    }
    if (first.handleCount == 0) {
        std::printf("note: GetProcessHandleCount reports 0 (as under Wine); the handles are "
                    "counted in the\n      system handle table (NtQuerySystemInformation).\n");
    }
    if (first.privateUsage == 0) {
        std::printf("note: PrivateUsage reads 0 (as under Wine); memory is PagefileUsage, the "
                    "private commit\n      on Windows and the anonymous resident memory under "
                    "Wine.\n");
    }
    std::printf("\n%6s | %-46s | %-44s\n", "", "vorlith.exe (as the system reports it)",
                "main window in this process (counted)");
    std::printf("%6s | %5s %5s %7s %7s %7s %10s | %7s %7s %8s %6s %6s %10s\n", "mm:ss", "GDI",
                "USER", "handles", "table", "windows", "memory MiB", "ticks", "liveDC", "liveGDI",
                "selDel", "handls", "memory MiB");
}

void PrintRow(const Row& r) {
    std::printf("%3lu:%02lu | %5lu %5lu %7lu %7ld %7ld %10.2f | %7ld %7ld %8ld %6ld %6ld %10.2f\n",
                r.seconds / 60, r.seconds % 60, r.child.gdiObjects, r.child.userObjects,
                r.child.handleCount, r.child.tableHandles, r.child.windows,
                bench::MiB(r.child.pagefile), r.counted.screenDcs, r.counted.liveDcs,
                r.counted.liveObjects, r.counted.deletedWhileSelected, r.self.tableHandles,
                bench::MiB(r.self.pagefile));
    std::fflush(stdout);
}

// What grew between the first interval's row and a later one; empty when nothing did.
std::vector<std::string> Growth(const Row& base, const Row& r) {
    std::vector<std::string> grew;
    const auto check = [&](bool grown, const char* what) {
        if (grown) {
            grew.push_back(std::string(what) + " at row " + std::to_string(r.minute));
        }
    };
    check(r.child.gdiObjects > base.child.gdiObjects, "vorlith.exe GDI objects");
    check(r.child.userObjects > base.child.userObjects, "vorlith.exe USER objects");
    check(r.child.handleCount > base.child.handleCount, "vorlith.exe handle count");
    check(r.child.tableHandles > base.child.tableHandles, "vorlith.exe handles in the table");
    check(r.child.windows > base.child.windows, "vorlith.exe windows");
    check(bench::MiB(r.child.pagefile) > bench::MiB(base.child.pagefile) + kMemorySlackMiB,
          "vorlith.exe memory");
    check(r.counted.liveDcs > base.counted.liveDcs, "live DCs");
    check(r.counted.liveObjects > base.counted.liveObjects, "live GDI objects");
    check(r.counted.deletedWhileSelected > 0, "objects deleted while selected");
    check(r.self.tableHandles > base.self.tableHandles, "this process's handles");
    check(bench::MiB(r.self.pagefile) > bench::MiB(base.self.pagefile) + kMemorySlackMiB,
          "this process's memory");
    return grew;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    int minutes = 10;
    DWORD intervalMs = 60000;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        const long value = std::wcstol(argv[i + 1], nullptr, 10);
        if (name == L"--minutes") {
            minutes = static_cast<int>(std::max(2L, value));
        } else if (name == L"--interval-seconds") {
            intervalMs = static_cast<DWORD>(std::max(1L, value)) * 1000;
        }
    }

    // Counting starts before the main window makes its first object.
    if (!bench::InstallGdiCounter()) {
        std::printf("soak: the GDI calls of a tick were not found in the import table\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const bench::Targets targets;
    long step = 0;

    const std::wstring exe = bench::BesideMe(L"vorlith.exe");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi)) {
        std::printf("soak: cannot start %ls\n", exe.c_str());
        return 2;
    }
    // The window exists before its controls do: wait until it shows its first reading.
    HWND childMain = nullptr;
    HWND childGrid = nullptr;
    DWORD_PTR result = 0;
    for (int i = 0; i < 300 && !(childGrid && result > 0); ++i) {
        RunFor(50, targets, step);
        childMain = test_support::TopWindowOf(pi.dwProcessId, app::layout::kMainClassName);
        const HWND html = childMain && IsWindowVisible(childMain)
                              ? GetDlgItem(childMain, app::layout::kIdTxtHtml)
                              : nullptr;
        result = 0;
        if (html) {
            SendMessageTimeoutW(html, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
            childGrid = GetDlgItem(childMain, app::layout::kIdChkGrid);
        }
    }
    result = 0;
    SendMessageTimeoutW(childGrid, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    SendMessageTimeoutW(childGrid, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    if (!childGrid || result != BST_CHECKED) {
        std::printf("soak: could not tick \"Show Grid\" in vorlith.exe\n");
        TerminateProcess(pi.hProcess, 1);
        return 2;
    }

    app::FrmMain frmMain;
    frmMain.Show();
    // Beside vorlith.exe's window, which opens centred.
    SetWindowPos(frmMain.hWnd(), nullptr, 300, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(frmMain.chkGrid.hWnd(), BM_CLICK, 0, 0);
    const bool gridOn = frmMain.chkGrid.Value() == 1;

    std::printf("soak: %d intervals of %lu s, grid on in both (%s), pointer moving over 3 "
                "targets,\n      vorlith.exe's controls asked for their names and values every "
                "%lu s as a screen reader asks\n",
                minutes, intervalMs / 1000, gridOn ? "ticked" : "NOT ticked", kAskEveryMs / 1000);
    std::vector<Row> rows;
    for (int minute = 1; minute <= minutes; ++minute) {
        RunFor(intervalMs, targets, step, childMain);
        Row r;
        r.minute = minute;
        r.seconds = static_cast<unsigned long>(minute) * (intervalMs / 1000);
        r.child = bench::FiguresOf(pi.hProcess);
        r.counted = bench::CurrentGdiCounts();
        r.self = bench::FiguresOf(GetCurrentProcess());
        if (rows.empty()) {
            PrintHeader(r.child);
        }
        PrintRow(r);
        rows.push_back(r);
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
            std::printf("soak: vorlith.exe has ended\n");
            return 1;
        }
    }

    PostMessageW(childMain, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    std::vector<std::string> grew;
    for (size_t i = 1; i < rows.size(); ++i) {
        for (std::string& g : Growth(rows.front(), rows[i])) {
            grew.push_back(std::move(g));
        }
    }
    const bool ticked = rows.back().counted.screenDcs > rows.front().counted.screenDcs &&
                        rows.back().counted.patternBrushes > rows.front().counted.patternBrushes;
    if (!gridOn || !ticked) {
        std::printf("\nsoak: FAIL: the main window here did not tick with the grid on\n");
        return 1;
    }
    if (!grew.empty()) {
        std::printf("\nsoak: FAIL: grew after the first interval:\n");
        for (const std::string& g : grew) {
            std::printf("  %s\n", g.c_str());
        }
        return 1;
    }
    std::printf("\nsoak: PASS: no figure grew after the first interval (memory slack %.1f MiB)\n",
                kMemorySlackMiB);
    return 0;
}
