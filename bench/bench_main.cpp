// vorlith_bench: times the real tick against the bare calls it has to make, then the start-up
// and memory of vorlith.exe against the yardstick, an empty window in the system's visual style
// (and, for comparison, against a bare window without it). Each target's line ends in "met" or
// "missed"; the exit code is 0 when all are met.
//
//   vorlith_bench.exe [--ticks N] [--runs R] [--footprint-seconds S]
//
// --ticks 0 skips the tick timing and --footprint-seconds 0 the memory. vorlith.exe,
// vorlith_empty_window.exe and vorlith_bare_window.exe are looked for beside this program.
#include "app/frm_main.h"
#include "app/main_layout.h"
#include "bench/bare_tick.h"
#include "bench/process_figures.h"
#include "bench/targets.h"
#include "platform/events.h"
#include "resources/resource.h"
#include "tests/support/process_windows.h"

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Options {
    long ticks = 10000;
    int footprintSeconds = 52; // 1,000 ticks of 50 ms and the start
    int runs = 21;             // alternating start-up runs of each program
};

const char* Verdict(bool met) {
    return met ? "met" : "missed";
}

// --- Timing ----------------------------------------------------------------------------------

double TicksPerMicrosecond() {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1e6;
}

long long Now() {
    LARGE_INTEGER t{};
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

struct Summary {
    double median = 0;
    double p99 = 0;
};

// Nearest-rank percentiles.
Summary Summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    if (samples.empty()) {
        return {};
    }
    const auto at = [&](double q) {
        const auto rank = static_cast<size_t>(q * static_cast<double>(samples.size()) + 0.999999);
        return samples[std::clamp<size_t>(rank, 1, samples.size()) - 1];
    };
    return {at(0.50), at(0.99)};
}

// --- The tick ------------------------------------------------------------------------------

struct TickResult {
    Summary real;
    Summary bare;
};

// Real and bare ticks in alternating blocks, so that drift of the machine meets both alike.
// Before each block, whatever the other kind left pending is handled, and one tick of the
// block's kind runs untimed, so that every timed tick finds what a tick in a row finds.
TickResult TimeTicks(app::FrmMain& frmMain, bench::BareWindows& bare, long ticks) {
    constexpr long kBlock = 100;
    const double perMicro = TicksPerMicrosecond();
    std::vector<double> real;
    std::vector<double> bareTimes;
    real.reserve(static_cast<size_t>(ticks));
    bareTimes.reserve(static_cast<size_t>(ticks));
    for (long done = 0; done < ticks; done += kBlock) {
        for (int kind = 0; kind < 2; ++kind) {
            test_support::PumpMessages();
            if (kind == 0) {
                frmMain.Timer1_Timer();
                for (long i = 0; i < kBlock; ++i) {
                    const long long start = Now();
                    frmMain.Timer1_Timer();
                    real.push_back(static_cast<double>(Now() - start) / perMicro);
                }
            } else {
                bare.Tick();
                for (long i = 0; i < kBlock; ++i) {
                    const long long start = Now();
                    bare.Tick();
                    bareTimes.push_back(static_cast<double>(Now() - start) / perMicro);
                }
            }
        }
    }
    return {Summarise(real), Summarise(bareTimes)};
}

void SetGrid(app::FrmMain& frmMain, bench::BareWindows& bare, bool on) {
    SendMessageW(frmMain.chkGrid.hWnd(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    bare.SetGridBox(on);
}

bool RunTickBenchmark(const Options& options, const bench::Targets& targets) {
    // The pointer rests on a target for the whole run: each tick reads the same pixels.
    bench::MovePointer(targets.PointAt(50));

    app::FrmMain frmMain;
    frmMain.Show();
    // Only the calls below tick: the window's own timer would add ticks inside DoEvents.
    frmMain.Timer1.SetEnabled(false);
    const auto eyedropper = static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_EYEDROPPER), IMAGE_ICON, 32, 32, 0));
    bench::BareWindows bare(eyedropper);
    test_support::PumpMessages();

    // The bare sequence writes what the real tick writes for the pixel under the pointer.
    frmMain.Timer1_Timer();
    bare.SetTexts(frmMain.txtHTML.Text(), frmMain.txtRed.Text(), frmMain.txtGreen.Text(),
                  frmMain.txtBlue.Text(), frmMain.txtVB.Text());
    std::printf("pointer at (%ld, %ld), reading %ls\n", frmMain.CursorPos.x, frmMain.CursorPos.y,
                frmMain.txtHTML.Text().c_str());

    std::printf("\n%-10s %8s %12s %12s %12s %12s %8s %8s\n", "tick", "ticks", "real med us",
                "real p99 us", "bare med us", "bare p99 us", "ratio", "p99 rat");
    double ratios[2]{};
    for (const bool grid : {false, true}) {
        SetGrid(frmMain, bare, grid);
        TimeTicks(frmMain, bare, 1000); // warm-up
        const TickResult r = TimeTicks(frmMain, bare, options.ticks);
        ratios[grid] = r.real.median / r.bare.median;
        std::printf("%-10s %8ld %12.1f %12.1f %12.1f %12.1f %8.3f %8.3f\n",
                    grid ? "grid on" : "grid off", options.ticks, r.real.median, r.real.p99,
                    r.bare.median, r.bare.p99, ratios[grid], r.real.p99 / r.bare.p99);
        std::fflush(stdout);
    }
    frmMain.Unload();
    DestroyIcon(eyedropper);
    bool met = true;
    for (const bool grid : {false, true}) {
        const bool gridMet = ratios[grid] > 0 && ratios[grid] <= 1.10;
        std::printf("tick / bare calls, grid %s (medians): %.3f; target <= 1.10: %s\n",
                    grid ? "on" : "off", ratios[grid], Verdict(gridMet));
        met = met && gridMet;
    }
    std::fflush(stdout);
    return met;
}

// --- Start-up, memory, size --------------------------------------------------------------

struct Child {
    PROCESS_INFORMATION pi{};
    bool ok = false;
};

Child Start(const std::wstring& exe) {
    Child child;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring command = L"\"" + exe + L"\"";
    child.ok = CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &si, &child.pi) != FALSE;
    return child;
}

void Stop(Child& child, const wchar_t* className) {
    if (!child.ok) {
        return;
    }
    if (const HWND hwnd = test_support::TopWindowOf(child.pi.dwProcessId, className)) {
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(child.pi.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(child.pi.hProcess, 1);
        WaitForSingleObject(child.pi.hProcess, 10000);
    }
    CloseHandle(child.pi.hThread);
    CloseHandle(child.pi.hProcess);
    child = Child{};
}

constexpr wchar_t kEmptyClass[] = L"VorlithBenchEmpty"; // both yardsticks' window class

bool IsShown(DWORD pid, const wchar_t* className) {
    const HWND hwnd = test_support::TopWindowOf(pid, className);
    return hwnd && IsWindowVisible(hwnd);
}

bool HasReading(DWORD pid) {
    // Nothing is sent to the program before its window shows, so that the polling does not
    // slow its start.
    const HWND main = test_support::TopWindowOf(pid, app::layout::kMainClassName);
    const HWND html =
        main && IsWindowVisible(main) ? GetDlgItem(main, app::layout::kIdTxtHtml) : nullptr;
    DWORD_PTR length = 0;
    return html &&
           SendMessageTimeoutW(html, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length) !=
               0 &&
           length > 0;
}

// Milliseconds from CreateProcess until the program's window is shown, and until it has its
// first reading (the yardsticks have none: the same as shown); negative when never. Shown is the
// first moment that the program waits for input with its window visible (WaitForInputIdle): the
// window is then on the screen and painted. Nothing polls the program before that, since polling
// its windows every millisecond would compete with its start for the window server (under Wine,
// the wineserver).
struct StartTimes {
    double shown = -1;
    double ready = -1;
};

StartTimes TimeStart(const std::wstring& exe, const wchar_t* className, bool waitForReading) {
    const double perMs = TicksPerMicrosecond() * 1000.0;
    const long long start = Now();
    Child child = Start(exe);
    StartTimes times;
    if (child.ok) {
        WaitForInputIdle(child.pi.hProcess, 30000);
    }
    // Should the first wait for input come before the window shows, the loop waits for it.
    while (child.ok) {
        const double elapsed = static_cast<double>(Now() - start) / perMs;
        if (times.shown < 0 && IsShown(child.pi.dwProcessId, className)) {
            times.shown = elapsed;
        }
        if (times.shown >= 0 && (!waitForReading || HasReading(child.pi.dwProcessId))) {
            times.ready = waitForReading ? elapsed : times.shown;
            break;
        }
        if (WaitForSingleObject(child.pi.hProcess, 1) == WAIT_OBJECT_0 || elapsed > 30000) {
            break;
        }
    }
    Stop(child, className);
    return times;
}

struct Spread {
    double median = 0;
    double min = 0;
    double max = 0;
    bool complete = false; // every run got there
};

Spread SpreadOf(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    if (v.empty()) {
        return {};
    }
    return {v[v.size() / 2], v.front(), v.back(), v.front() >= 0};
}

struct Memory {
    unsigned long long pagefile = 0; // commit charge on Windows; anonymous resident under Wine
    unsigned long long privateUsage = 0;
    unsigned long long workingSet = 0;
};

Memory MemoryOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
    return {m.PagefileUsage, m.PrivateUsage, m.WorkingSetSize};
}

// Start-up to the first reading against the yardstick's time to show plus one timer interval
// (the first reading cannot come sooner), in alternating runs after one unmeasured run of each.
bool RunStartUp(const Options& options) {
    const std::wstring vorlith = bench::BesideMe(L"vorlith.exe");
    const std::wstring empty = bench::BesideMe(L"vorlith_empty_window.exe");
    const std::wstring bare = bench::BesideMe(L"vorlith_bare_window.exe");

    TimeStart(bare, kEmptyClass, false);
    TimeStart(empty, kEmptyClass, false);
    TimeStart(vorlith, app::layout::kMainClassName, true);
    std::vector<double> bareMs;
    std::vector<double> emptyMs;
    std::vector<double> shownMs;
    std::vector<double> readingMs;
    for (int i = 0; i < options.runs; ++i) {
        bareMs.push_back(TimeStart(bare, kEmptyClass, false).shown);
        emptyMs.push_back(TimeStart(empty, kEmptyClass, false).shown);
        const StartTimes v = TimeStart(vorlith, app::layout::kMainClassName, true);
        shownMs.push_back(v.shown);
        readingMs.push_back(v.ready);
    }
    const Spread b = SpreadOf(bareMs);
    const Spread e = SpreadOf(emptyMs);
    const Spread s = SpreadOf(shownMs);
    const Spread r = SpreadOf(readingMs);
    std::printf("\nstart-up (%d runs of each, alternating; median, min..max ms from CreateProcess;"
                "\n  shown: visible, painted and waiting for input)\n",
                options.runs);
    std::printf("  bare window (no manifest), shown:            %8.1f ms (%.1f..%.1f)\n", b.median,
                b.min, b.max);
    std::printf("  empty window (visual styles), shown:         %8.1f ms (%.1f..%.1f)\n", e.median,
                e.min, e.max);
    std::printf("  vorlith.exe, shown:                          %8.1f ms (%.1f..%.1f)\n", s.median,
                s.min, s.max);
    std::printf("  vorlith.exe, to the first reading in txtHTML: %8.1f ms (%.1f..%.1f)\n", r.median,
                r.min, r.max);
    const double target = 1.10 * (e.median + app::layout::kTimerIntervalMs);
    const bool met = b.complete && e.complete && r.complete && r.median <= target;
    std::printf("start-up to the first reading: %.1f ms; target <= 1.10 x (empty window shown %.1f "
                "ms + %u ms) = %.1f ms (%.3f of it): %s\n",
                r.median, e.median, app::layout::kTimerIntervalMs, target, r.median / target,
                Verdict(met));
    std::printf("  for comparison: %.2fx the empty window's time to show, %.2fx the bare "
                "window's\n",
                r.median / e.median, r.median / b.median);
    std::fflush(stdout);
    return met;
}

// Memory after about 1,000 ticks: the program and both yardsticks side by side.
bool RunMemory(const Options& options) {
    const std::wstring vorlith = bench::BesideMe(L"vorlith.exe");
    Child bareChild = Start(bench::BesideMe(L"vorlith_bare_window.exe"));
    Child emptyChild = Start(bench::BesideMe(L"vorlith_empty_window.exe"));
    Child vorlithChild = Start(vorlith);
    std::printf("\nmemory: all three running for %d s (vorlith ticks every 50 ms: about %d "
                "ticks)\n",
                options.footprintSeconds, options.footprintSeconds * 20 - 40);
    std::fflush(stdout);
    bench::PumpFor(static_cast<DWORD>(options.footprintSeconds) * 1000);
    const auto alive = [](const Child& child) {
        return child.ok && WaitForSingleObject(child.pi.hProcess, 0) == WAIT_TIMEOUT;
    };
    const bool allAlive = alive(bareChild) && alive(emptyChild) && alive(vorlithChild) &&
                          HasReading(vorlithChild.pi.dwProcessId);
    const Memory b = MemoryOf(bareChild.pi.hProcess);
    const Memory e = MemoryOf(emptyChild.pi.hProcess);
    const Memory v = MemoryOf(vorlithChild.pi.hProcess);
    Stop(vorlithChild, app::layout::kMainClassName);
    Stop(emptyChild, kEmptyClass);
    Stop(bareChild, kEmptyClass);

    std::printf("  %-30s %14s %14s %14s\n", "", "PagefileUsage", "PrivateUsage", "WorkingSet");
    const auto row = [](const char* name, const Memory& m) {
        std::printf("  %-30s %10.2f MiB %10.2f MiB %10.2f MiB\n", name, bench::MiB(m.pagefile),
                    bench::MiB(m.privateUsage), bench::MiB(m.workingSet));
    };
    row("bare window (no manifest)", b);
    row("empty window (visual styles)", e);
    row("vorlith.exe", v);
    // Private bytes where the system reports them; Wine reports none, and its PagefileUsage
    // (the anonymous resident memory) is the nearest figure.
    const bool hasPrivate = v.privateUsage > 0 && e.privateUsage > 0;
    const char* figure = hasPrivate ? "private bytes (PrivateUsage)"
                                    : "PagefileUsage (no private bytes reported here)";
    const double vMiB = bench::MiB(hasPrivate ? v.privateUsage : v.pagefile);
    const double eMiB = bench::MiB(hasPrivate ? e.privateUsage : e.pagefile);
    const double bMiB = bench::MiB(hasPrivate ? b.privateUsage : b.pagefile);
    const bool met = allAlive && vMiB > 0 && eMiB > 0 && vMiB - eMiB <= 0.5;
    std::printf("memory after 1,000 ticks, %s: %.2f MiB; target <= empty window %.2f MiB + "
                "0.50 MiB (%+.2f MiB): %s\n",
                figure, vMiB, eMiB, vMiB - eMiB, Verdict(met));
    std::printf("  for comparison: %+.2f MiB against the bare window's %.2f MiB\n", vMiB - bMiB,
                bMiB);
    std::fflush(stdout);
    return met;
}

Options Parse(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        const long value = std::wcstol(argv[i + 1], nullptr, 10);
        if (name == L"--ticks") {
            options.ticks = value <= 0 ? 0 : std::max(100L, value); // 0: no tick timing
        } else if (name == L"--footprint-seconds") {
            options.footprintSeconds = value <= 0 ? 0 : static_cast<int>(std::max(3L, value));
        } else if (name == L"--runs") {
            options.runs = static_cast<int>(std::max(1L, value));
        }
    }
    return options;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const Options options = Parse(argc, argv);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The screen under Wine holds only Wine windows: these give every program something to read.
    const bench::Targets targets;
    bool met = true;
    if (options.ticks > 0) {
        met = RunTickBenchmark(options, targets);
    }
    bench::MovePointer(targets.PointAt(150));
    met = RunStartUp(options) && met;
    if (options.footprintSeconds > 0) {
        met = RunMemory(options) && met;
    }
    return met ? 0 : 1;
}
