// Owners for GDI handles, and the guard that keeps an object selected into a DC for a scope.
#pragma once

#include <windows.h>

#include <utility>

namespace platform {

// A move-only owner: Close runs exactly once, on the handle it holds at destruction.
template <class H, auto Close> class Unique {
  public:
    explicit Unique(H h = nullptr) noexcept : h_(h) {}
    Unique(Unique&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    Unique& operator=(Unique other) noexcept {
        std::swap(h_, other.h_);
        return *this;
    }
    Unique(const Unique&) = delete;
    ~Unique() {
        if (h_) {
            Close(h_);
        }
    }
    H get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != nullptr; }
    void reset(H h = nullptr) noexcept { Unique(h).swap(*this); }
    void swap(Unique& other) noexcept { std::swap(h_, other.h_); }

  private:
    H h_;
};

using Brush = Unique<HBRUSH, &DeleteObject>;
using Bitmap = Unique<HBITMAP, &DeleteObject>;
using Font = Unique<HFONT, &DeleteObject>;
using MemoryDc = Unique<HDC, &DeleteDC>;
using Icon = Unique<HICON, &DestroyIcon>;

// Selects an object into a DC and selects back what was there before at scope end. Declare
// it after the owner of the object, so that it unwinds first.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() { SelectObject(dc_, previous_); }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A colour value of the program: 0x00BBGGRR, or a negative value naming the system colour
// whose index is its low byte (0x8000000F is the button face).
using ColourValue = int;

inline constexpr ColourValue kSysButtonFace = static_cast<ColourValue>(0x8000000F);
inline constexpr ColourValue kSysWindowBackground = static_cast<ColourValue>(0x80000005);
inline constexpr ColourValue kSysWindowText = static_cast<ColourValue>(0x80000008);
inline constexpr ColourValue kSysButtonShadow = static_cast<ColourValue>(0x80000010);
inline constexpr ColourValue kSysButtonHighlight = static_cast<ColourValue>(0x80000014);

// The plain colour of a colour value: system colours are looked up, others used unchanged.
inline COLORREF ResolveColour(ColourValue value) {
    return value < 0 ? GetSysColor(value & 0xFF) : static_cast<COLORREF>(value);
}

} // namespace platform
