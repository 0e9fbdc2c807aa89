// Starting vorlith.exe in a job that ends it with the driver, and finding its windows.
#include "tests/e2e/process.h"

#include "tests/e2e/text.h"
#include "tests/e2e/window_facts.h"

#include "app/main_layout.h"

#include <stdexcept>
#include <utility>

namespace e2e {
namespace {

std::wstring& PathOverride() {
    static std::wstring path;
    return path;
}

struct WindowSearch {
    DWORD pid;
    std::wstring_view className; // empty: any class
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleWindowsOf(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && IsWindowVisible(hwnd) &&
        (search->className.empty() || ClassName(hwnd) == search->className)) {
        search->found.push_back(hwnd);
    }
    return TRUE;
}

std::vector<HWND> VisibleWindows(DWORD pid, std::wstring_view className) {
    WindowSearch search{pid, className, {}};
    EnumWindows(&CollectVisibleWindowsOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

std::wstring DriverDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring{} : path.substr(0, slash + 1);
}

void SetVorlithPath(std::wstring path) {
    PathOverride() = std::move(path);
}

std::wstring VorlithPath() {
    if (!PathOverride().empty()) {
        return PathOverride();
    }
    wchar_t fromEnvironment[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"VORLITH_EXE", fromEnvironment, MAX_PATH) > 0) {
        return fromEnvironment;
    }
    return DriverDirectory() + L"vorlith.exe";
}

VorlithProcess VorlithProcess::Launch() {
    const std::wstring path = VorlithPath();
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        throw std::runtime_error("the program is missing: " + Narrow(path));
    }
    // The job ends the program with the driver, should the driver die before a test's end.
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (job != nullptr) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Wine now and then refuses a start right after a process of the prefix has ended
    // (ERROR_INTERNAL_ERROR, 1359); a second try a moment later goes through.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0) {
            Sleep(200);
        }
        started = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                 CREATE_SUSPENDED, nullptr, nullptr, &startup, &info) != FALSE;
    }
    if (!started) {
        if (job != nullptr) {
            CloseHandle(job);
        }
        throw std::runtime_error("CreateProcess failed for " + Narrow(path) + ", error " +
                                 std::to_string(GetLastError()));
    }
    if (job != nullptr) {
        AssignProcessToJobObject(job, info.hProcess);
    }
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);

    VorlithProcess process(info.hProcess, job, info.dwProcessId);
    HWND main = nullptr;
    const bool shown = WaitUntil([&] {
        main = process.VisibleWindowOfClass(app::layout::kMainClassName);
        return main != nullptr || !process.Running();
    });
    if (!shown || main == nullptr) {
        throw std::runtime_error(process.Running() ? "no main window within the patience"
                                                   : "the program ended before showing a window");
    }
    process.main_ = main;
    process.tid_ = GetWindowThreadProcessId(main, nullptr);
    return process;
}

VorlithProcess::VorlithProcess(HANDLE process, HANDLE job, DWORD pid)
    : process_(process), job_(job), pid_(pid) {}

VorlithProcess::VorlithProcess(VorlithProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), job_(std::exchange(other.job_, nullptr)),
      pid_(other.pid_), tid_(other.tid_), main_(other.main_) {}

VorlithProcess::~VorlithProcess() {
    Terminate();
}

void VorlithProcess::Terminate() noexcept {
    if (process_ != nullptr) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
        process_ = nullptr;
    }
    if (job_ != nullptr) {
        CloseHandle(job_);
        job_ = nullptr;
    }
}

HWND VorlithProcess::Control(int id) const {
    HWND control = GetDlgItem(main_, id);
    if (control == nullptr) {
        throw std::runtime_error("the main window has no control " + std::to_string(id));
    }
    return control;
}

bool VorlithProcess::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool VorlithProcess::WaitForExit(Millis timeout) const {
    return WaitUntil([this] { return !Running(); }, timeout);
}

std::vector<HWND> VorlithProcess::VisibleTopLevelWindows() const {
    return VisibleWindows(pid_, {});
}

HWND VorlithProcess::VisibleWindowOfClass(std::wstring_view className) const {
    const std::vector<HWND> windows = VisibleWindows(pid_, className);
    return windows.empty() ? nullptr : windows.front();
}

} // namespace e2e
