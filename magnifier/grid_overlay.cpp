// The pixel grid over the zoom view: dotted lines of two greys on the block boundaries.
#include "magnifier/grid_plan.h"
#include "magnifier/zoom_geometry.h"
#include "magnifier/zoom_view.h"

namespace magnifier {

platform::Brush ZoomView::MakeCheckerBrush(HDC dc, platform::ColourValue firstColour,
                                           platform::ColourValue secondColour) const {
    // System colours (negative values) become the plain colour they name.
    const COLORREF first = platform::ResolveColour(firstColour);
    const COLORREF second = platform::ResolveColour(secondColour);

    // The 8 x 8 pattern is painted in a memory DC, in the colour format of dc.
    platform::MemoryDc memory{CreateCompatibleDC(dc)};
    platform::Bitmap pattern{CreateCompatibleBitmap(dc, kCheckerSize, kCheckerSize)};
    {
        const platform::Selection paintInto{memory.get(), pattern.get()};
        const auto colourAt = [&](int x, int y) { return CheckerIsFirst(x, y) ? first : second; };
        for (int y = 0; y < kCheckerSize; y += 2) {
            for (int x = 0; x < kCheckerSize; x += 2) {
                SetPixelV(memory.get(), x, y, colourAt(x, y));
                SetPixelV(memory.get(), x + 1, y, colourAt(x + 1, y));
                SetPixelV(memory.get(), x, y + 1, colourAt(x, y + 1));
                SetPixelV(memory.get(), x + 1, y + 1, colourAt(x + 1, y + 1));
            }
        }
    } // the bitmap leaves the memory DC here

    // The brush keeps its own copy of the pattern: the DC and then the bitmap can go at once.
    platform::Brush brush{CreatePatternBrush(pattern.get())};
    memory.reset();
    pattern.reset();
    return brush;
}

void ZoomView::DrawZoomGrid() {
    if (!GridIsDrawn(ZoomFactor)) {
        return;
    }
    const platform::Brush checker =
        MakeCheckerBrush(picZoom_.hDC(), kGridFirstColour, kGridSecondColour);
    const platform::Selection use{picZoom_.hDC(), checker.get()};

    const std::int16_t width = RoundToInt16(picZoom_.ScaleWidth());
    const std::int16_t height = RoundToInt16(picZoom_.ScaleHeight());
    // A line along the left and the top edge of every block; the pattern is anchored at the
    // view's top-left corner, so the greys alternate along each line.
    ForEachGridLine(width, ZoomFactor,
                    [&](std::int32_t x) { PatBlt(picZoom_.hDC(), x, 0, 1, height, PATCOPY); });
    ForEachGridLine(height, ZoomFactor,
                    [&](std::int32_t y) { PatBlt(picZoom_.hDC(), 0, y, width, 1, PATCOPY); });
} // the previous brush goes back into the view before the checker brush is deleted

} // namespace magnifier
