// What a screen reader hears of a window, asked from this process as a reader asks from its own.
#pragma once

#include "platform/com_ptr.h"

#include <windows.h>

#include <oleacc.h>

#include <optional>
#include <string>

namespace test_support {

// A window's client area (or another of its objects: OBJID_WINDOW, its frame) as a screen
// reader sees it: asked through Active Accessibility from this process, as a reader asks from
// its own (AccessibleObjectFromWindow). Held, it answers again on each question; empty when the
// window gives no object.
class AccessibleObject {
  public:
    explicit AccessibleObject(HWND hwnd, LONG objectId = OBJID_CLIENT);

    explicit operator bool() const noexcept { return static_cast<bool>(object_); }
    // Null when it has none.
    std::optional<std::wstring> Name() const;
    std::optional<std::wstring> Value() const;
    // ROLE_SYSTEM_*, or 0.
    long Role() const;
    // The name or the value as a late-bound client (a script) asks for it: IDispatch::Invoke of
    // accName (DISPID_ACC_NAME) or accValue (DISPID_ACC_VALUE).
    std::optional<std::wstring> DispatchedText(DISPID property) const;
    // The role asked for in the same way (DISPID_ACC_ROLE), or 0.
    long DispatchedRole() const;

  private:
    HRESULT Dispatch(DISPID property, VARIANT* result) const;

    platform::ComPtr<IAccessible> object_;
};

// The events of one kind (EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_LIVEREGIONCHANGED) that a
// window raises for its client area, counted as a screen reader in this process hears them: out
// of context, while this thread runs its messages (the waits do).
class WinEventCounter {
  public:
    WinEventCounter(HWND hwnd, DWORD event);
    WinEventCounter(const WinEventCounter&) = delete;
    WinEventCounter& operator=(const WinEventCounter&) = delete;
    ~WinEventCounter();
    int Count() const noexcept { return count_; }

  private:
    static void CALLBACK Heard(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG objectId,
                               LONG child, DWORD thread, DWORD time);

    HWND hwnd_;
    int count_ = 0;
    HWINEVENTHOOK hook_ = nullptr;
};

} // namespace test_support
