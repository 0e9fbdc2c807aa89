// Owners for GDI handles, each knowing how its handle is given back (deleted, released or ended
// with the paint), and the guard that keeps an object selected into a DC for a scope.
#pragma once

#include "platform/colour.h"

#include <windows.h>

#include <cassert>
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
    // The handle is someone else's from now on (the system took it): Close never runs on it.
    H release() noexcept { return std::exchange(h_, nullptr); }
    void swap(Unique& other) noexcept { std::swap(h_, other.h_); }

  private:
    H h_;
};

using Brush = Unique<HBRUSH, &DeleteObject>;
using Bitmap = Unique<HBITMAP, &DeleteObject>;
using Pen = Unique<HPEN, &DeleteObject>;
using Font = Unique<HFONT, &DeleteObject>;
using MemoryDc = Unique<HDC, &DeleteDC>;
// An icon loaded without LR_SHARED: the program owns it and destroys it.
using Icon = Unique<HICON, &DestroyIcon>;

// A DC borrowed from a window with GetDC and given back to that window with ReleaseDC. A null
// window borrows the screen's DC, which covers every monitor in screen coordinates.
class WindowDc {
  public:
    explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(hwnd_, dc_);
        }
    }
    HDC get() const noexcept { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// The DC of one WM_PAINT: BeginPaint, and EndPaint at scope end.
class PaintDc {
  public:
    explicit PaintDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(hwnd_, &paint_); }
    HDC get() const noexcept { return dc_; }

  private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a DC and selects back what was there before at scope end. Declare it
// after the owner of the object, so that it unwinds first.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {
        assert(dc != nullptr && "a selection needs a DC");
        assert(object != nullptr && "a selection needs an object");
        assert(previous_ != nullptr && previous_ != HGDI_ERROR && "the DC refused the object");
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() {
        if (previous_) {
            SelectObject(dc_, previous_);
        }
    }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A bitmap selected into a memory DC of its own, for drawing off the screen. The bitmap leaves
// the DC before either is deleted.
class OffscreenImage {
  public:
    OffscreenImage(HDC compatibleWith, int width, int height)
        : dc_(CreateCompatibleDC(compatibleWith)),
          bitmap_(CreateCompatibleBitmap(compatibleWith, width, height)),
          selection_(dc_.get(), bitmap_.get()) {}
    HDC dc() const noexcept { return dc_.get(); }

  private:
    MemoryDc dc_;
    Bitmap bitmap_;
    Selection selection_;
};

// The plain colour of a colour value: system colours are looked up, others used unchanged.
inline COLORREF ResolveColour(ColourValue value) {
    return IsSystemColour(value) ? GetSysColor(SystemColourIndex(value))
                                 : static_cast<COLORREF>(value);
}

// Fills a rectangle with a colour value, through the DC's own brush: nothing is created.
inline void FillWithColour(HDC dc, const RECT& rect, ColourValue colour) {
    SetDCBrushColor(dc, ResolveColour(colour));
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A solid brush of a colour value, which a control hands the system in WM_CTLCOLOR*. It is made
// once, and made again on a change of the system colours when the value names one: the control's
// repaints come with every tick (a text box repaints when its text changes), and a brush kept
// between changes costs them nothing, where a DC brush (SetDCBrushColor on the DC of each
// WM_CTLCOLOR*) would add a call to each. The old brush goes at once when it is remade: a control
// asks for its brush anew on each paint and keeps it no longer, and no paint is under way while
// the change is handled.
class ColourBrush {
  public:
    void Make(ColourValue colour) {
        colour_ = colour;
        brush_.reset(CreateSolidBrush(ResolveColour(colour)));
    }
    void OnSysColorChange() {
        if (brush_ && IsSystemColour(colour_)) {
            Make(colour_);
        }
    }
    HBRUSH get() const noexcept { return brush_.get(); }

  private:
    ColourValue colour_ = 0;
    Brush brush_;
};

} // namespace platform
