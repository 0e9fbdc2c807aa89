// The pixel grid over the zoom view: dotted lines of two greys on the block boundaries.
#include "app/frm_main.h"

#include "magnifier/grid_plan.h"
#include "magnifier/zoom_geometry.h"

namespace app {

HBRUSH FrmMain::MakeCheckerBrush(HDC dc, int firstColour, int secondColour) {
    // System colours (negative values) become the plain colour they name.
    if (firstColour < 0) {
        firstColour = static_cast<int>(GetSysColor(firstColour & 0xFF));
    }
    if (secondColour < 0) {
        secondColour = static_cast<int>(GetSysColor(secondColour & 0xFF));
    }
    const auto first = static_cast<COLORREF>(firstColour);
    const auto second = static_cast<COLORREF>(secondColour);

    // The 8 x 8 pattern is painted in a memory DC, in the colour format of dc.
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP pattern =
        CreateCompatibleBitmap(dc, magnifier::kCheckerSize, magnifier::kCheckerSize);
    const HGDIOBJ previous = SelectObject(memory, pattern);
    for (int y = 0; y < magnifier::kCheckerSize; y += 2) {
        for (int x = 0; x < magnifier::kCheckerSize; x += 2) {
            SetPixelV(memory, x, y, first);
            SetPixelV(memory, x + 1, y, second);
            SetPixelV(memory, x, y + 1, second);
            SetPixelV(memory, x + 1, y + 1, first);
        }
    }
    SelectObject(memory, previous);

    // The brush keeps its own copy of the pattern, so the bitmap can go at once.
    const HBRUSH brush = CreatePatternBrush(pattern);
    DeleteDC(memory);
    DeleteObject(pattern);
    return brush;
}

void FrmMain::DrawZoomGrid() {
    if (!magnifier::GridIsDrawn(ZoomFactor)) {
        return;
    }
    const HBRUSH checker =
        MakeCheckerBrush(picZoom.hDC(), magnifier::kGridFirstColour, magnifier::kGridSecondColour);
    const HGDIOBJ previous = SelectObject(picZoom.hDC(), checker);

    const std::int16_t width = magnifier::RoundToInt16(picZoom.ScaleWidth());
    const std::int16_t height = magnifier::RoundToInt16(picZoom.ScaleHeight());
    // A line along the left and the top edge of every block; the pattern is anchored at the
    // view's top-left corner, so the greys alternate along each line.
    magnifier::ForEachGridLine(width, ZoomFactor, [&](std::int32_t x) {
        PatBlt(picZoom.hDC(), x, 0, 1, height, PATCOPY);
    });
    magnifier::ForEachGridLine(height, ZoomFactor, [&](std::int32_t y) {
        PatBlt(picZoom.hDC(), 0, y, width, 1, PATCOPY);
    });

    SelectObject(picZoom.hDC(), previous);
    DeleteObject(checker);
}

} // namespace app
