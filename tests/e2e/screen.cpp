// Screen pixels through the screen's DC: under Wine it shows every Wine window. Its coordinates
// are screen coordinates on every monitor; a DC from CreateDC("DISPLAY") would take the virtual
// screen's top-left corner as its (0, 0), wrong beside a monitor left of the primary.
#include "tests/e2e/screen.h"

#include "tests/e2e/window_facts.h"

namespace e2e {

COLORREF ScreenPixel(POINT screen) {
    HDC dc = GetDC(nullptr);
    const COLORREF colour = GetPixel(dc, screen.x, screen.y);
    ReleaseDC(nullptr, dc);
    return colour;
}

ScreenCapture::ScreenCapture(RECT screenRect)
    : width_(screenRect.right - screenRect.left), height_(screenRect.bottom - screenRect.top) {
    if (width_ <= 0 || height_ <= 0) {
        width_ = height_ = 0;
        return;
    }
    pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && bits != nullptr) {
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height_, screen, screenRect.left, screenRect.top, SRCCOPY);
        GdiFlush();
        const auto* quads = static_cast<const RGBQUAD*>(bits);
        for (size_t i = 0; i < pixels_.size(); ++i) {
            pixels_[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF ScreenCapture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return CLR_INVALID;
    }
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

ScreenCapture CaptureClient(HWND hwnd) {
    const SIZE size = ClientSize(hwnd);
    const POINT origin = ClientToScreenPoint(hwnd, 0, 0);
    return ScreenCapture(RECT{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy});
}

} // namespace e2e
