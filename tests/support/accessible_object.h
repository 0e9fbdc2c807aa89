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
    // The name as a late-bound client (a script) asks for it: IDispatch::Invoke of accName.
    std::optional<std::wstring> DispatchedName() const;

  private:
    platform::ComPtr<IAccessible> object_;
};

// The value changes (EVENT_OBJECT_VALUECHANGE) that a window announces for its client area,
// counted as a screen reader in this process hears them: out of context, while this thread runs
// its messages (the waits do). One counter at a time.
class ValueChangeCounter {
  public:
    explicit ValueChangeCounter(HWND hwnd);
    ValueChangeCounter(const ValueChangeCounter&) = delete;
    ValueChangeCounter& operator=(const ValueChangeCounter&) = delete;
    ~ValueChangeCounter();
    int Count() const;

  private:
    HWINEVENTHOOK hook_ = nullptr;
};

} // namespace test_support
