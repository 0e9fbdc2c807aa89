// Windows of a test's own, painted in known colours for the program to read: one colour, or a
// picture given pixel by pixel, such as the mosaics below.
#pragma once

#include <windows.h>

#include <functional>

namespace test_support {

// A picture in which every pixel differs from its horizontal and vertical neighbours (red
// follows x and green follows y, each through 256 values), so that a magnified view that is
// shifted by a pixel or blurred cannot pass for the right one.
COLORREF Mosaic(int x, int y);
// The same kind of picture, another one for each seed, for targets side by side.
COLORREF SeededMosaic(int x, int y, int seed);

// Runs the calling thread's pending messages, so that its windows paint.
void PumpMessages();

class TargetWindow {
  public:
    // The colour of the window's client point (x, y).
    using Pattern = std::function<COLORREF(int x, int y)>;
    enum class Stacking { Topmost, Normal };

    // A window on the screen at screenRect, disabled and never activated, so that the window
    // under test keeps the keyboard. Both wait until the screen shows the window; they throw
    // std::runtime_error otherwise.
    TargetWindow(const RECT& screenRect, COLORREF colour, Stacking stacking = Stacking::Topmost);
    TargetWindow(const RECT& screenRect, Pattern pattern, Stacking stacking = Stacking::Topmost);
    // A child of parent at rect of its client area, in a sunken frame like the program's picture
    // boxes. It shows when its parent does.
    TargetWindow(HWND parent, const RECT& rect, COLORREF colour);
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;
    ~TargetWindow();

    // Paints in one colour. A window on the screen waits until the screen shows it (and throws
    // std::runtime_error otherwise); a child is invalidated and paints when its thread next
    // takes its messages, as a control does.
    void SetColour(COLORREF colour);
    // The middle of the window on the screen.
    POINT Centre() const noexcept;
    // A client point of the window on the screen.
    POINT ScreenPoint(int x, int y) const noexcept;
    HWND hWnd() const noexcept { return hwnd_; }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    void Open(Stacking stacking);
    void Create(HWND parent, DWORD style, DWORD exStyle);
    // Whether the screen shows the colour of the window's centre within the patience.
    bool WaitUntilShown() const;
    COLORREF ColourAt(int x, int y) const;
    void Paint(HDC dc) const;

    HWND hwnd_ = nullptr;
    HWND parent_ = nullptr;
    RECT rect_{};
    COLORREF colour_ = 0;
    Pattern pattern_;
};

} // namespace test_support
