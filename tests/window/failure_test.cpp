// A window or control that cannot be made ends the program with one message naming it and a
// non-zero exit code. The failure is provoked in a child process (this test program started
// again) whose thread refuses the creation of one window class through a CBT hook.
#include "tests/support/foreground.h"
#include "tests/support/process_windows.h"
#include "tests/support/wait.h"
#include "tests/window/window_fixture.h"

#include "app/main_layout.h"

#include <cwchar>
#include <cwctype>
#include <string>

namespace window_tests {
namespace {

constexpr wchar_t kRefuseVariable[] = L"VORLITH_TEST_REFUSE_CLASS";
wchar_t g_refused[64] = {};

// Class names compared without case and without the version that the common controls put in
// front of their own ("6.0.2600.2982!Edit" is an Edit).
bool SameClass(LPCWSTR name, const wchar_t* refused) {
    if (IS_INTRESOURCE(name)) {
        return false;
    }
    for (const wchar_t* c = name; *c; ++c) {
        if (*c == L'!') {
            name = c + 1;
        }
    }
    for (; *name && *refused; ++name, ++refused) {
        if (std::towlower(*name) != std::towlower(*refused)) {
            return false;
        }
    }
    return *name == *refused;
}

LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        if (SameClass(create->lpcs->lpszClass, g_refused)) {
            return 1; // the window is not created
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A window of the child's own that counts the ticks of a 50 ms timer in its title: whatever
// message loop the child's thread is in (the report's own included) delivers them, so the
// parent can tell that the loop ran as long as the program's timer would have ticked. It also
// asks the main window for its icon, as the task bar does, and adds kNoIcon when it gets none
// (asked in the child: Wine answers no WM_GETICON from another process).
constexpr wchar_t kYardstickClass[] = L"VorlithTestYardstick";
constexpr wchar_t kBeforeTheFailure[] = L"before the failure";
constexpr wchar_t kNoIcon[] = L" no icon";
HWND g_main = nullptr;

LRESULT CALLBACK CountTicks(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        const int ticks = static_cast<int>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) + 1;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, ticks);
        const bool icon = SendMessageW(g_main, WM_GETICON, ICON_BIG, 0) != 0;
        SetWindowTextW(hwnd, (std::to_wstring(ticks) + (icon ? L"" : kNoIcon)).c_str());
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND MakeYardstick() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &CountTicks;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kYardstickClass;
    RegisterClassW(&wc);
    const HWND hwnd = CreateWindowExW(0, kYardstickClass, L"0", WS_POPUP, 0, 0, 1, 1, nullptr,
                                      nullptr, wc.hInstance, nullptr);
    SetTimer(hwnd, 1, 50, nullptr);
    return hwnd;
}

// The child's side: opens the main window, sampling, and then the About window as a user
// would, with one class refused. It ends inside, through the program's report; reaching the end
// is the failure.
TEST(FailureChild, OpensTheWindowsWithOneClassRefused) {
    if (GetEnvironmentVariableW(kRefuseVariable, g_refused, 64) == 0) {
        GTEST_SKIP() << "run by the Failures tests in a child process";
    }
    const HHOOK hook = SetWindowsHookExW(WH_CBT, &RefuseCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    app::FrmMain form;
    form.Show();
    g_main = form.hWnd();
    ASSERT_NE(MakeYardstick(), nullptr);
    // Timer1 keeps running: a tick behind the report would replace this text.
    form.txtHTML.SetText(kBeforeTheFailure);
    form.cmdAbout_Click();
    ADD_FAILURE() << "every window was made";
}

struct Report {
    HWND box = nullptr;
    std::wstring text;
};

BOOL CALLBACK CollectText(HWND child, LPARAM lParam) {
    wchar_t text[512]{};
    GetWindowTextW(child, text, 512);
    reinterpret_cast<Report*>(lParam)->text += text;
    reinterpret_cast<Report*>(lParam)->text += L"\n";
    return TRUE;
}

// The message box that the process shows, with the texts of its parts.
Report FindReport(DWORD processId) {
    Report report{test_support::TopWindowOf(processId, L"#32770", true), {}};
    if (report.box) {
        EnumChildWindows(report.box, &CollectText, reinterpret_cast<LPARAM>(&report));
    }
    return report;
}

// What the child's yardstick says: its ticks, and kNoIcon if the main window gave none.
std::wstring YardstickText(DWORD processId) {
    const HWND yardstick = test_support::TopWindowOf(processId, kYardstickClass);
    wchar_t text[32]{};
    return yardstick ? std::wstring(text, GetWindowTextW(yardstick, text, 32)) : std::wstring();
}

// The ticks the child's yardstick has counted, or -1 when it has none.
int YardstickTicks(DWORD processId) {
    const std::wstring text = YardstickText(processId);
    return text.empty() ? -1 : static_cast<int>(std::wcstol(text.c_str(), nullptr, 10));
}

void PressKey(WORD vk) {
    INPUT keys[2]{};
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = vk;
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

struct FailureCase {
    const char* name;
    const wchar_t* refusedClass;
    const wchar_t* message;
    bool whileSampling; // the main window is up and Timer1 running when it fails
    WORD closeKey;      // what the user presses on the report: Enter or Esc
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class Failures : public testing::TestWithParam<FailureCase> {};

TEST_P(Failures, EndTheProgramWithAMessageNamingWhatFailed) {
    const FailureCase& c = GetParam();
    wchar_t self[MAX_PATH]{};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --gtest_filter=FailureChild.*";
    SetEnvironmentVariableW(kRefuseVariable, c.refusedClass);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    const BOOL started = CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &child);
    SetEnvironmentVariableW(kRefuseVariable, nullptr);
    ASSERT_TRUE(started) << GetLastError();
    CloseHandle(child.hThread);
    // The report may take the foreground only if this process, which started the program, lets
    // it: Windows' foreground lock refuses it otherwise when this test runs in the background.
    const bool mayTakeForeground = test_support::LetTakeTheForeground(child.dwProcessId);

    Report report;
    test_support::WaitUntil([&] {
        report = FindReport(child.dwProcessId);
        return report.box != nullptr || WaitForSingleObject(child.hProcess, 0) == WAIT_OBJECT_0;
    });
    ASSERT_NE(report.box, nullptr) << "no message";
    EXPECT_NE(report.text.find(c.message), std::wstring::npos)
        << "the message says: " << testing::PrintToString(report.text);

    if (c.whileSampling) {
        // While the report is up its loop runs (the yardstick ticks on), yet no tick of the
        // program does: the HTML box still shows what it showed before the failure.
        const int ticksAtReport = YardstickTicks(child.dwProcessId);
        ASSERT_GE(ticksAtReport, 0) << "the child has no yardstick";
        ASSERT_TRUE(test_support::WaitUntil([&] {
            return YardstickTicks(child.dwProcessId) >= ticksAtReport + 10;
        })) << "the report's loop delivers no timer ticks";
        const HWND main =
            test_support::TopWindowOf(child.dwProcessId, app::layout::kMainClassName, true);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(test_support::WindowText(GetDlgItem(main, app::layout::kIdTxtHtml)),
                  kBeforeTheFailure)
            << "the program ticked behind its report";
        EXPECT_EQ(YardstickText(child.dwProcessId).find(kNoIcon), std::wstring::npos)
            << "the main window gives the task bar no icon while the report is up";
    }

    // Enter or Esc, pressed on the keyboard, closes the report as on any message box, and the
    // program ends. The report takes the foreground when it shows, where Windows lets it; else
    // the user brings it there.
    if (mayTakeForeground) {
        ASSERT_TRUE(test_support::WaitUntil([&] { return GetForegroundWindow() == report.box; }))
            << "the report is not in the foreground";
    } else {
        ASSERT_TRUE(test_support::BringToForeground(report.box));
    }
    PressKey(c.closeKey);
    ASSERT_EQ(WaitForSingleObject(child.hProcess, 30000), WAIT_OBJECT_0)
        << "the key did not end the program";
    DWORD exitCode = 0;
    GetExitCodeProcess(child.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 3u);
    CloseHandle(child.hProcess);
}

const FailureCase kFailureCases[] = {
    {"TextBox", L"Edit", L"Could not create the text box txtHTML.", false, VK_RETURN},
    {"MainWindow", L"VorlithMain", L"Could not create the window frmMain.", false, VK_ESCAPE},
    {"AboutWindow", L"VorlithAbout", L"Could not create the window frmAbout.", true, VK_RETURN},
    {"AboutWindowEsc", L"VorlithAbout", L"Could not create the window frmAbout.", true, VK_ESCAPE},
};

std::string CaseName(const testing::TestParamInfo<FailureCase>& param) {
    return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(Windows, Failures, testing::ValuesIn(kFailureCases), CaseName);

} // namespace
} // namespace window_tests
