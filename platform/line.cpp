// Lines, drawn with a pen of their own that lives for one paint.
#include "platform/line.h"

#include "platform/gdi.h"
#include "platform/twips.h"

namespace platform {

void Line::Create(int x1, int y1, int x2, int y2, ColourValue colour, int widthPixels,
                  Style style) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    colour_ = colour;
    width_ = widthPixels;
    style_ = style;
}

void Line::Paint(HDC dc, int dpi) const {
    const int penStyle = style_ == Style::InsideSolid ? PS_INSIDEFRAME : PS_SOLID;
    const Pen pen{CreatePen(penStyle, width_, ResolveColour(colour_))};
    const Selection use{dc, pen.get()};
    MoveToEx(dc, TwipsToPixels(x1_, dpi), TwipsToPixels(y1_, dpi), nullptr);
    LineTo(dc, TwipsToPixels(x2_, dpi), TwipsToPixels(y2_, dpi));
}

} // namespace platform
