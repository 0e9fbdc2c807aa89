// Pictures read back in one go: a rectangle of the screen, what a window paints, what a DC holds.
#pragma once

#include <windows.h>

#include <vector>

namespace test_support {

// The colour of a screen pixel, in screen coordinates on every monitor.
COLORREF ScreenPixel(POINT screen);
// The size of a window's client area.
SIZE ClientSize(HWND hwnd);

// The pixels of a picture, copied through a 32-bit DIB section whatever the display's depth.
class Capture {
  public:
    // A rectangle of the screen, in screen coordinates on every monitor.
    static Capture Screen(const RECT& screenRect);
    // A window's client area as the screen shows it.
    static Capture Client(HWND hwnd);
    // What a window paints into its client area (WM_PRINTCLIENT), over a background of one
    // colour: what it leaves unpainted keeps that colour.
    static Capture Painted(HWND hwnd, COLORREF background = RGB(0, 0, 0));
    // What a DC holds from its top-left corner, as much as the window's client area.
    static Capture Held(HDC dc, HWND sizeOf);
    // An icon drawn at size x size pixels over a background of one colour.
    static Capture Icon(HICON icon, int size, COLORREF background);

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    // The pixel at (x, y) from the picture's top-left corner; CLR_INVALID outside it.
    COLORREF At(int x, int y) const;

    friend bool operator==(const Capture&, const Capture&) = default;

  private:
    template <class Draw> Capture(int width, int height, Draw&& draw);

    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

} // namespace test_support
