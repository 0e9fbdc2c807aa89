// The driver's side of the spy: the shared memory and the hook into the program's thread.
#include "tests/e2e/spy.h"

#include "tests/e2e/process.h"
#include "tests/e2e/wait.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace e2e {

ProgramSpy::ProgramSpy(HWND mainWindow, DWORD threadId) {
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SpyLog),
                                  kSpyMappingName);
    if (mapping_ == nullptr) {
        throw std::runtime_error("cannot create the spy's shared memory");
    }
    log_ = static_cast<SpyLog*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(SpyLog)));
    dll_ = LoadLibraryW((DriverDirectory() + L"vorlith_e2e_spy.dll").c_str());
    const auto proc = dll_ != nullptr ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                            GetProcAddress(dll_, kSpyHookProcName)))
                                      : nullptr;
    if (log_ == nullptr || proc == nullptr) {
        Release();
        throw std::runtime_error("cannot load vorlith_e2e_spy.dll beside the driver");
    }
    ZeroMemory(log_, sizeof(SpyLog));
    log_->mainWindow = reinterpret_cast<std::uint64_t>(mainWindow);
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, proc, dll_, threadId);
    if (hook_ == nullptr) {
        Release();
        throw std::runtime_error("cannot hook the program's thread");
    }
    // The hook runs when the thread next takes a message: give it one.
    PostMessageW(mainWindow, WM_NULL, 0, 0);
    if (!WaitUntil([this] { return log_->yardstickRunning != 0 && YardstickTicks() > 0; })) {
        Release();
        throw std::runtime_error("the spy's yardstick does not run in the program's thread");
    }
}

ProgramSpy::~ProgramSpy() {
    Release();
}

void ProgramSpy::Release() noexcept {
    if (hook_ != nullptr) {
        UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
    }
    if (dll_ != nullptr) {
        FreeLibrary(dll_);
        dll_ = nullptr;
    }
    if (log_ != nullptr) {
        UnmapViewOfFile(log_);
        log_ = nullptr;
    }
    if (mapping_ != nullptr) {
        CloseHandle(mapping_);
        mapping_ = nullptr;
    }
}

int ProgramSpy::InputCount() const {
    const LONG count = log_->count;
    return static_cast<int>(std::min<LONG>(count, SpyLog::kCapacity));
}

bool ProgramSpy::SawSince(int since, const std::function<bool(const SpyRecord&)>& match) const {
    const int count = InputCount();
    for (int i = std::max(since, 0); i < count; ++i) {
        if (match(log_->records[i])) {
            return true;
        }
    }
    return false;
}

bool ProgramSpy::Saw(HWND hwnd, UINT message, WPARAM wParam, int since) const {
    return SawSince(since, [&](const SpyRecord& r) {
        return r.hwnd == reinterpret_cast<std::uint64_t>(hwnd) && r.message == message &&
               r.wParam == wParam;
    });
}

bool ProgramSpy::SawKeyUp(WORD vk, int since) const {
    return SawSince(since, [&](const SpyRecord& r) {
        return (r.message == WM_KEYUP || r.message == WM_SYSKEYUP) && r.wParam == vk;
    });
}

bool ProgramSpy::SawButtonUp(int since) const {
    return SawSince(since, [](const SpyRecord& r) {
        return r.message == WM_LBUTTONUP || r.message == WM_NCLBUTTONUP;
    });
}

long ProgramSpy::MainTicks() const {
    return log_->mainTicks;
}

long ProgramSpy::YardstickTicks() const {
    return log_->yardstickTicks;
}

} // namespace e2e
