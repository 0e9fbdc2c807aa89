// Reading pictures back: the screen through the screen's DC (under Wine it shows every Wine
// window), windows through WM_PRINTCLIENT, DCs through BitBlt and icons through DrawIconEx, each
// into a DIB section.
#include "tests/support/capture.h"

#include "platform/gdi.h"

namespace test_support {

using platform::Bitmap;
using platform::MemoryDc;
using platform::Selection;
using platform::WindowDc;

// GetDC(nullptr) takes screen coordinates on every monitor; a DC from CreateDC("DISPLAY") would
// take the virtual screen's top-left corner as its (0, 0), wrong beside a monitor left of the
// primary.
COLORREF ScreenPixel(POINT screen) {
    const WindowDc dc{nullptr};
    return GetPixel(dc.get(), screen.x, screen.y);
}

SIZE ClientSize(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return {client.right, client.bottom};
}

// draw(memory) draws the picture into a memory DC at (0, 0); the DIB section selected there
// holds top-down rows of 32 bits a pixel. A picture that cannot be made is empty: every pixel
// reads CLR_INVALID.
template <class Draw> Capture::Capture(int width, int height, Draw&& draw) {
    if (width <= 0 || height <= 0) {
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const MemoryDc memory{CreateCompatibleDC(nullptr)};
    void* bits = nullptr;
    const Bitmap bitmap{CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)};
    if (!memory || !bitmap || bits == nullptr) {
        return;
    }
    const Selection use{memory.get(), bitmap.get()};
    draw(memory.get());
    GdiFlush();
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    pixels_.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        pixels_.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
    }
    width_ = width;
    height_ = height;
}

Capture Capture::Screen(const RECT& screenRect) {
    const WindowDc screen{nullptr};
    return Capture(screenRect.right - screenRect.left, screenRect.bottom - screenRect.top,
                   [&](HDC memory) {
                       BitBlt(memory, 0, 0, screenRect.right - screenRect.left,
                              screenRect.bottom - screenRect.top, screen.get(), screenRect.left,
                              screenRect.top, SRCCOPY);
                   });
}

Capture Capture::Client(HWND hwnd) {
    const SIZE size = ClientSize(hwnd);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return Screen(RECT{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy});
}

Capture Capture::Painted(HWND hwnd, COLORREF background) {
    const SIZE size = ClientSize(hwnd);
    return Capture(size.cx, size.cy, [&](HDC memory) {
        // A brush of its own rather than the DC's brush, whose colour the painting may use.
        const platform::Brush fill{CreateSolidBrush(background)};
        const RECT all{0, 0, size.cx, size.cy};
        FillRect(memory, &all, fill.get());
        SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    });
}

Capture Capture::Held(HDC dc, HWND sizeOf) {
    const SIZE size = ClientSize(sizeOf);
    return Capture(size.cx, size.cy,
                   [&](HDC memory) { BitBlt(memory, 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY); });
}

Capture Capture::Icon(HICON icon, int size, COLORREF background) {
    return Capture(size, size, [&](HDC memory) {
        const platform::Brush fill{CreateSolidBrush(background)};
        const RECT all{0, 0, size, size};
        FillRect(memory, &all, fill.get());
        DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    });
}

COLORREF Capture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return CLR_INVALID;
    }
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

} // namespace test_support
