// The screen as the user sees it: single pixels and rectangles read through a display DC.
#pragma once

#include <windows.h>

#include <vector>

namespace e2e {

// The colour of a screen pixel.
COLORREF ScreenPixel(POINT screen);

// A rectangle of the screen, read in one go.
class ScreenCapture {
  public:
    explicit ScreenCapture(RECT screenRect);

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    // The pixel at (x, y) from the rectangle's top-left corner; CLR_INVALID outside it.
    COLORREF At(int x, int y) const;

    friend bool operator==(const ScreenCapture& a, const ScreenCapture& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
    }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

// A window's client area as the screen shows it.
ScreenCapture CaptureClient(HWND hwnd);

} // namespace e2e
