// The owner of one reference to a COM object, which it releases when it goes.
#pragma once

#include <unknwn.h>

#include <utility>

namespace platform {

// Move-only: each reference has one owner, and nothing is added to the count behind the
// reader's back. (The ComPtr of <wrl/client.h> is not one type everywhere: mingw-w64's Attach
// adds a reference to the one it takes, Microsoft's does not.)
template <class T> class ComPtr {
  public:
    ComPtr() noexcept = default;
    // Takes over a reference that the caller holds (one that `new` made, say).
    explicit ComPtr(T* adopted) noexcept : p_(adopted) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ~ComPtr() { reset(); }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    // Where a function puts the reference it hands out; what was held is released first.
    T** put() noexcept {
        reset();
        return &p_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
    void reset() noexcept {
        if (p_) {
            std::exchange(p_, nullptr)->Release();
        }
    }

  private:
    T* p_ = nullptr;
};

} // namespace platform
