// The magnifier at other densities: the eyedropper's tip stays on the pointer's block, and a
// frozen picture survives a change of density.
#include "tests/window/pattern_window.h"
#include "tests/window/window_fixture.h"

#include <algorithm>
#include <vector>

namespace window_tests {
namespace {

// The pixels of a picture of w x h, read through a 32-bit DIB section.
class Picture {
  public:
    // What the window paints on the screen (WM_PRINTCLIENT), or what dc holds.
    static Picture OfWindow(HWND hwnd) { return Picture(hwnd, nullptr); }
    static Picture OfDc(HWND sizeOf, HDC dc) { return Picture(sizeOf, dc); }

    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const {
        const RGBQUAD q =
            bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }

  private:
    Picture(HWND hwnd, HDC source) {
        RECT client{};
        GetClientRect(hwnd, &client);
        width_ = client.right;
        height_ = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const HDC memory = CreateCompatibleDC(nullptr);
        const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        if (source) {
            BitBlt(memory, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
        } else {
            SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        }
        GdiFlush();
        const auto* quads = static_cast<const RGBQUAD*>(bits);
        bits_.assign(quads, quads + static_cast<size_t>(width_) * static_cast<size_t>(height_));
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<RGBQUAD> bits_;
};

// The box around the view pixels of one colour (the block of one screen pixel), empty if none.
RECT BoxOfColour(const Picture& picture, COLORREF colour) {
    RECT box{picture.Width(), picture.Height(), 0, 0};
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (picture.At(x, y) == colour) {
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                       std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
            }
        }
    }
    return box;
}

// The eyedropper's tip: the lowest row of the view pixels that the eyedropper covers, found as
// the pixels where what the box shows differs from its picture.
std::vector<POINT> Tip(const Picture& shown, const Picture& image) {
    std::vector<POINT> tip;
    for (int y = shown.Height() - 1; y >= 0 && tip.empty(); --y) {
        for (int x = 0; x < shown.Width(); ++x) {
            if (shown.At(x, y) != image.At(x, y)) {
                tip.push_back({x, y});
            }
        }
    }
    return tip;
}

void ChangeDpi(HWND hwnd, int dpi) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&window));
}

// The pointer on the pattern's pixel (24, 24); its colour is the pointer's block in the view.
const POINT kOnPattern = PatternWindow::ScreenPoint(24, 24);
const COLORREF kPointerColour = PatternWindow::ColourAt(24, 24);

TEST_F(MainWindowTest, EyedropperTipLiesInThePointersBlockAtEveryDensity) {
    PatternWindow pattern;
    Pump();
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        ChangeDpi(Form().hWnd(), dpi);
        Zoom().UpdateZoom(kOnPattern);
        const Picture image = Picture::OfDc(Form().picZoom.hWnd(), Form().picZoom.hDC());
        const Picture shown = Picture::OfWindow(Form().picZoom.hWnd());

        const RECT block = BoxOfColour(image, kPointerColour);
        EXPECT_EQ(block.right - block.left, 7);
        EXPECT_EQ(block.bottom - block.top, 7);
        const std::vector<POINT> tip = Tip(shown, image);
        EXPECT_EQ(tip.size(), 3u) << "the eyedropper's lowest row";
        for (const POINT& p : tip) {
            EXPECT_TRUE(PtInRect(&block, p))
                << "tip pixel (" << p.x << ", " << p.y << ") outside the block (" << block.left
                << ", " << block.top << ")-(" << block.right << ", " << block.bottom << ")";
        }
        if (dpi == 96) {
            // The view as designed: 77 x 77, the block at 35 to 41, the tip at 39 to 41 on row 39.
            EXPECT_EQ(block.left, 35);
            EXPECT_EQ(block.top, 35);
            ASSERT_FALSE(tip.empty());
            EXPECT_EQ(tip.front().x, 39);
            EXPECT_EQ(tip.front().y, 39);
        }
    }
    ChangeDpi(Form().hWnd(), 96);
}

TEST_F(MainWindowTest, FrozenViewKeepsItsPictureAcrossADensityChange) {
    PatternWindow pattern;
    Pump();
    Zoom().UpdateZoom(kOnPattern); // the last tick before Ctrl+G froze the view
    const COLORREF background = GetSysColor(COLOR_BTNFACE);

    for (const int dpi : {144, 96}) {
        SCOPED_TRACE(dpi);
        ChangeDpi(Form().hWnd(), dpi);
        const Picture image = Picture::OfDc(Form().picZoom.hWnd(), Form().picZoom.hDC());
        int cleared = 0;
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                cleared += image.At(x, y) == background ? 1 : 0;
            }
        }
        EXPECT_EQ(cleared, 0) << "pixels of the frozen view were cleared to the background";
        // The eyedropper, placed anew for the view's new size, still marks the sampled pixel.
        const std::vector<POINT> tip = Tip(Picture::OfWindow(Form().picZoom.hWnd()), image);
        ASSERT_EQ(tip.size(), 3u);
        EXPECT_EQ(image.At(tip[1].x, tip[1].y + 1), kPointerColour);
    }
}

} // namespace
} // namespace window_tests
