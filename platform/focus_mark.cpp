// The focus ring: black outside, white inside. The system's dotted focus rectangle inverts what
// is under it, which vanishes on mid-grey (#808080 becomes #7F7F7F); of black and white one
// always stands out at least 4.5:1 against any colour, so the ring is seen on every fill.
#include "platform/focus_mark.h"

#include <algorithm>

namespace platform {

namespace {

// A frame of the given thickness along the inside of rect.
void Frame(HDC dc, const RECT& rect, int across, int down, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    const auto brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    const RECT sides[] = {
        {rect.left, rect.top, rect.right, rect.top + down},
        {rect.left, rect.bottom - down, rect.right, rect.bottom},
        {rect.left, rect.top + down, rect.left + across, rect.bottom - down},
        {rect.right - across, rect.top + down, rect.right, rect.bottom - down},
    };
    for (const RECT& side : sides) {
        FillRect(dc, &side, brush);
    }
}

} // namespace

void DrawFocusMark(HDC dc, const RECT& client, int dpi) {
    // Each tone as thick as the system's focus border (one pixel unless the user chose more),
    // and no thinner than one pixel at 96 per inch is at this density. Read at each paint: the
    // user may change the border, and the window its monitor, at any time.
    UINT borderWidth = 1;
    UINT borderHeight = 1;
    SystemParametersInfoW(SPI_GETFOCUSBORDERWIDTH, 0, &borderWidth, 0);
    SystemParametersInfoW(SPI_GETFOCUSBORDERHEIGHT, 0, &borderHeight, 0);
    const int scaled = std::max(1, MulDiv(1, dpi, 96));
    const int across = std::max(static_cast<int>(borderWidth), scaled);
    const int down = std::max(static_cast<int>(borderHeight), scaled);
    Frame(dc, client, across, down, RGB(0, 0, 0));
    const RECT inner{client.left + across, client.top + down, client.right - across,
                     client.bottom - down};
    Frame(dc, inner, across, down, RGB(255, 255, 255));
}

} // namespace platform
