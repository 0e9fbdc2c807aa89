// Lines, drawn with a pen of their own that lives for one paint.
#include "platform/line.h"

#include "platform/gdi.h"
#include "platform/twips.h"

namespace platform {

void Line::Create(const TwipLine& place, ColourValue colour, int widthPixels, Style style) {
    place_ = place;
    colour_ = colour;
    width_ = widthPixels;
    style_ = style;
}

void Line::Paint(HDC dc, int dpi) const {
    const int penStyle = style_ == Style::InsideSolid ? PS_INSIDEFRAME : PS_SOLID;
    const Pen pen{CreatePen(penStyle, width_, ResolveColour(colour_))};
    const Selection use{dc, pen.get()};
    MoveToEx(dc, TwipsToPixels(place_.x1, dpi), TwipsToPixels(place_.y1, dpi), nullptr);
    LineTo(dc, TwipsToPixels(place_.x2, dpi), TwipsToPixels(place_.y2, dpi));
}

} // namespace platform
