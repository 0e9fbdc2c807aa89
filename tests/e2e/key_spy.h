// Which keyboard messages the program's thread takes from its queue, and for which window: a
// message hook loads vorlith_e2e_spy.dll into the program, and the DLL writes what it sees into
// memory shared with the driver.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace e2e {

inline constexpr wchar_t kSpyMappingName[] = L"Local\\VorlithE2eKeySpy";
inline constexpr char kSpyHookProcName[] = "VorlithSpyGetMessage";

struct SpyRecord {
    std::uint64_t hwnd;
    std::uint32_t message;
    std::uint64_t wParam;
};

// The shared memory: a count and the first kCapacity records.
struct SpyLog {
    static constexpr int kCapacity = 512;
    volatile LONG count;
    SpyRecord records[kCapacity];
};

// Watches one thread of another process while it lives.
class KeySpy {
  public:
    // Throws std::runtime_error when the DLL or the hook cannot be set up.
    explicit KeySpy(DWORD threadId);
    KeySpy(const KeySpy&) = delete;
    KeySpy& operator=(const KeySpy&) = delete;
    ~KeySpy();

    void Clear();
    std::vector<SpyRecord> Records() const;
    // Whether the thread took a message of this kind for this window with this wParam.
    bool Saw(HWND hwnd, UINT message, WPARAM wParam) const;

  private:
    void Release() noexcept;

    HANDLE mapping_ = nullptr;
    SpyLog* log_ = nullptr;
    HMODULE dll_ = nullptr;
    HHOOK hook_ = nullptr;
};

} // namespace e2e
