// A window or control that cannot be made ends the program with one message naming it and a
// non-zero exit code. The failure is provoked in a child process (this test program started
// again) whose thread refuses the creation of one window class through a CBT hook.
#include "tests/window/window_fixture.h"

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

// The child's side: opens the main window and the About window as a user would, with one class
// refused. It ends inside, through the program's report; reaching the end is the failure.
TEST(FailureChild, OpensTheWindowsWithOneClassRefused) {
    if (GetEnvironmentVariableW(kRefuseVariable, g_refused, 64) == 0) {
        GTEST_SKIP() << "run by the Failures tests in a child process";
    }
    const HHOOK hook = SetWindowsHookExW(WH_CBT, &RefuseCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    app::FrmMain form;
    form.Show();
    form.Timer1.SetEnabled(false);
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
    struct Search {
        DWORD pid;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            wchar_t cls[16]{};
            GetClassNameW(hwnd, cls, 16);
            if (pid == s->pid && IsWindowVisible(hwnd) && std::wstring(cls) == L"#32770") {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    Report report{search.found, {}};
    if (report.box) {
        EnumChildWindows(report.box, &CollectText, reinterpret_cast<LPARAM>(&report));
    }
    return report;
}

struct FailureCase {
    const char* name;
    const wchar_t* refusedClass;
    const wchar_t* message;
};

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

    Report report;
    for (int waited = 0; waited < 30000 && !report.box; waited += 10) {
        Sleep(10);
        report = FindReport(child.dwProcessId);
        if (WaitForSingleObject(child.hProcess, 0) == WAIT_OBJECT_0) {
            break;
        }
    }
    ASSERT_NE(report.box, nullptr) << "no message within 30 s";
    EXPECT_NE(report.text.find(c.message), std::wstring::npos)
        << "the message says: " << testing::PrintToString(report.text);

    // Its OK ends the program.
    PostMessageW(report.box, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(WaitForSingleObject(child.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(child.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 3u);
    CloseHandle(child.hProcess);
}

const FailureCase kFailureCases[] = {
    {"TextBox", L"Edit", L"Could not create the text box txtHTML."},
    {"MainWindow", L"VorlithMain", L"Could not create the window frmMain."},
    {"AboutWindow", L"VorlithAbout", L"Could not create the window frmAbout."},
};

std::string CaseName(const testing::TestParamInfo<FailureCase>& param) {
    return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(Windows, Failures, testing::ValuesIn(kFailureCases), CaseName);

} // namespace
} // namespace window_tests
