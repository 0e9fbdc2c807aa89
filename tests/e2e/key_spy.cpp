// The driver's side of the key spy: the shared memory and the hook into the program's thread.
#include "tests/e2e/key_spy.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace e2e {
namespace {

std::wstring SpyDllPath() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"vorlith_e2e_spy.dll";
}

} // namespace

KeySpy::KeySpy(DWORD threadId) {
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SpyLog),
                                  kSpyMappingName);
    if (mapping_ == nullptr) {
        throw std::runtime_error("cannot create the key spy's shared memory");
    }
    log_ = static_cast<SpyLog*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(SpyLog)));
    dll_ = LoadLibraryW(SpyDllPath().c_str());
    const auto proc = dll_ != nullptr ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                            GetProcAddress(dll_, kSpyHookProcName)))
                                      : nullptr;
    if (log_ == nullptr || proc == nullptr) {
        Release();
        throw std::runtime_error("cannot load vorlith_e2e_spy.dll beside the driver");
    }
    Clear();
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, proc, dll_, threadId);
    if (hook_ == nullptr) {
        Release();
        throw std::runtime_error("cannot hook the program's thread");
    }
}

KeySpy::~KeySpy() {
    Release();
}

void KeySpy::Release() noexcept {
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

void KeySpy::Clear() {
    InterlockedExchange(&log_->count, 0);
}

std::vector<SpyRecord> KeySpy::Records() const {
    const LONG count = std::min<LONG>(static_cast<LONG>(log_->count), SpyLog::kCapacity);
    return std::vector<SpyRecord>(log_->records, log_->records + count);
}

bool KeySpy::Saw(HWND hwnd, UINT message, WPARAM wParam) const {
    const auto records = Records();
    return std::any_of(records.begin(), records.end(), [&](const SpyRecord& r) {
        return r.hwnd == reinterpret_cast<std::uint64_t>(hwnd) && r.message == message &&
               r.wParam == wParam;
    });
}

} // namespace e2e
