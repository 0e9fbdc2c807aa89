// Windows of the driver's own, filled with one colour or a pattern: the pixels that the program
// reads.
#pragma once

#include <windows.h>

namespace e2e {

// A picture in which every pixel differs from its horizontal and vertical neighbours, so that
// a magnified view that is shifted by a pixel or blurred cannot pass for the right one.
COLORREF Mosaic(int x, int y);
// The same kind of picture, another one for each seed, for targets side by side.
COLORREF SeededMosaic(int x, int y, int seed);

// Topmost and never activated, so that the program's window keeps the keyboard.
class TargetWindow {
  public:
    // A picture of the window's client point (x, y).
    using Pattern = COLORREF (*)(int x, int y);

    // Both wait until the screen shows the window; they throw std::runtime_error otherwise.
    TargetWindow(RECT screenRect, COLORREF colour);
    TargetWindow(RECT screenRect, Pattern pattern);
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;
    ~TargetWindow();

    // Repaints in one colour and waits until the screen shows it.
    void SetColour(COLORREF colour);
    POINT Centre() const noexcept;

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    void Create();
    COLORREF ColourAt(int x, int y) const;

    HWND hwnd_ = nullptr;
    RECT rect_{};
    COLORREF colour_ = 0;
    Pattern pattern_ = nullptr;
};

} // namespace e2e
