// What the main window asks of the system, seen through its import table: the interval of the
// sampling timer, the order in which a tick draws the view and reads the pixel, and a change of
// layer that leaves the activation where it was; where DLLs are loaded from on a Windows 7 that
// lacks the search flags.
#include "tests/support/foreground.h"
#include "tests/support/import_hook.h"
#include "tests/window/window_fixture.h"

#include "app/main_layout.h"
#include "platform/dll_search.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace window_tests {
namespace {

struct TimerSet {
    HWND hwnd;
    UINT interval;
};
std::vector<TimerSet> g_timersSet;
decltype(&::SetTimer) g_realSetTimer = nullptr;

UINT_PTR WINAPI RecordSetTimer(HWND hwnd, UINT_PTR id, UINT interval, TIMERPROC proc) {
    g_timersSet.push_back({hwnd, interval});
    return g_realSetTimer(hwnd, id, interval, proc);
}

// Twenty readings a second: the main window's timer is set to 50 ms when the window opens, and
// again when Ctrl+F resumes the sampling after Ctrl+G.
TEST(SamplingTimer, IsSetTo50MillisecondsAtTheStartAndOnResuming) {
    g_timersSet.clear();
    const test_support::ImportHook hook{"user32.dll", "SetTimer", &RecordSetTimer, g_realSetTimer};
    ASSERT_TRUE(hook.Installed());
    app::FrmMain form;
    form.Show();
    ASSERT_EQ(g_timersSet.size(), 1u);
    EXPECT_EQ(g_timersSet[0].hwnd, form.hWnd());
    EXPECT_EQ(g_timersSet[0].interval, 50u);

    std::int16_t ctrl = 2;
    std::int16_t keyG = 'G';
    std::int16_t keyF = 'F';
    form.Form_KeyDown(keyG, ctrl);
    form.Form_KeyDown(keyF, ctrl);
    ASSERT_EQ(g_timersSet.size(), 2u);
    EXPECT_EQ(g_timersSet[1].hwnd, form.hWnd());
    EXPECT_EQ(g_timersSet[1].interval, 50u);
}

// The system calls of one tick that draw the view and read the pixel, in order.
std::vector<std::string> g_calls;
HDC g_viewDc = nullptr;
decltype(&::StretchBlt) g_realStretchBlt = nullptr;
decltype(&::GetPixel) g_realGetPixel = nullptr;

BOOL WINAPI RecordStretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx,
                             int sy, int sourceWidth, int sourceHeight, DWORD rop) {
    g_calls.push_back(dest == g_viewDc ? "copy into the view" : "another StretchBlt");
    return g_realStretchBlt(dest, x, y, width, height, source, sx, sy, sourceWidth, sourceHeight,
                            rop);
}

COLORREF WINAPI RecordGetPixel(HDC dc, int x, int y) {
    g_calls.push_back("read the pixel");
    return g_realGetPixel(dc, x, y);
}

// The magnified view is drawn before the colour is read, on every tick, grid or none.
TEST_F(MainWindowTest, EveryTickDrawsTheViewBeforeItReadsThePixel) {
    const test_support::ImportHook stretch{"gdi32.dll", "StretchBlt", &RecordStretchBlt,
                                           g_realStretchBlt};
    const test_support::ImportHook read{"gdi32.dll", "GetPixel", &RecordGetPixel, g_realGetPixel};
    ASSERT_TRUE(stretch.Installed() && read.Installed());
    g_viewDc = Form().picZoom.hDC();
    for (const int grid : {BST_UNCHECKED, BST_CHECKED, BST_CHECKED, BST_UNCHECKED}) {
        SendMessageW(Form().chkGrid.hWnd(), BM_SETCHECK, grid, 0);
        g_calls.clear();
        Form().Timer1_Timer();
        EXPECT_EQ(g_calls, (std::vector<std::string>{"copy into the view", "read the pixel"}))
            << "grid " << grid;
    }
}

bool IsTopmost(HWND hwnd) {
    return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// "Always on top" ticked while another window is active, as a tool that ticks the box without
// activating the window does: the box is ticked and tells its window (BN_CLICKED), and the main
// window changes its layer and nothing else; the other window stays active. (BM_CLICK would not
// do here: under Wine the click's focus change activates the main window by itself.)
TEST_F(MainWindowTest, AlwaysOnTopLeavesTheActiveWindowActive) {
    const HWND other =
        CreateWindowExW(0, L"STATIC", L"another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                        200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(test_support::BringToForeground(other))
        << "the other window cannot be made the foreground window";
    ASSERT_EQ(GetActiveWindow(), other);
    const HWND check = Form().chkOnTop.hWnd();
    for (const bool tick : {true, false}) {
        SCOPED_TRACE(tick ? "ticking" : "unticking");
        SendMessageW(check, BM_SETCHECK, tick ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageW(Form().hWnd(), WM_COMMAND, MAKEWPARAM(app::layout::kIdChkOnTop, BN_CLICKED),
                     reinterpret_cast<LPARAM>(check));
        EXPECT_EQ(IsTopmost(Form().hWnd()), tick);
        EXPECT_EQ(GetActiveWindow(), other);
        EXPECT_EQ(GetForegroundWindow(), other);
    }
    DestroyWindow(other);
}

// A Windows 7 without update KB2533623: kernel32 has no SetDefaultDllDirectories, and
// LoadLibraryExW refuses the search flags. The current folder leaves the search, and a system DLL
// loads by the system folder's full path, never by name from the program's folder.
decltype(&::GetProcAddress) g_realGetProcAddress = nullptr;
decltype(&::SetDllDirectoryW) g_realSetDllDirectoryW = nullptr;
decltype(&::LoadLibraryExW) g_realLoadLibraryExW = nullptr;
std::vector<std::wstring> g_searchSet;
std::vector<std::pair<std::wstring, DWORD>> g_loads;

FARPROC WINAPI ProcOfWindows7(HMODULE module, LPCSTR name) {
    return std::strcmp(name, "SetDefaultDllDirectories") == 0 ? nullptr
                                                              : g_realGetProcAddress(module, name);
}

BOOL WINAPI RecordSetDllDirectory(LPCWSTR path) {
    g_searchSet.emplace_back(path ? path : L"(null)");
    return TRUE;
}

HMODULE WINAPI LoadLikeWindows7(LPCWSTR name, HANDLE file, DWORD flags) {
    g_loads.emplace_back(name, flags);
    if ((flags & LOAD_LIBRARY_SEARCH_SYSTEM32) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return g_realLoadLibraryExW(name, file, flags);
}

TEST(DllSearch, KeepsToTheSystemFolderOnWindows7WithoutTheSearchFlags) {
    const test_support::ImportHook proc{"kernel32.dll", "GetProcAddress", &ProcOfWindows7,
                                        g_realGetProcAddress};
    const test_support::ImportHook search{"kernel32.dll", "SetDllDirectoryW",
                                          &RecordSetDllDirectory, g_realSetDllDirectoryW};
    const test_support::ImportHook load{"kernel32.dll", "LoadLibraryExW", &LoadLikeWindows7,
                                        g_realLoadLibraryExW};
    ASSERT_TRUE(proc.Installed() && search.Installed() && load.Installed());
    platform::LoadDllsFromSystemFolderOnly();
    EXPECT_EQ(g_searchSet, std::vector<std::wstring>{L""});

    wchar_t system[MAX_PATH];
    ASSERT_NE(GetSystemDirectoryW(system, MAX_PATH), 0u);
    EXPECT_NE(platform::LoadSystemLibrary(L"oleacc.dll"), nullptr);
    ASSERT_FALSE(g_loads.empty());
    EXPECT_EQ(g_loads.back().first, std::wstring(system) + L"\\oleacc.dll");
    EXPECT_EQ(g_loads.back().second, DWORD{LOAD_WITH_ALTERED_SEARCH_PATH});
}

} // namespace
} // namespace window_tests
