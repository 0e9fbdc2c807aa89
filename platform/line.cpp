// Lines, drawn with a pen of their own, made when the line is and again when a system colour
// that it is drawn in changes.
#include "platform/line.h"

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
    MakePen();
}

void Line::MakePen() {
    // The old pen goes once the new one is made; it is selected only during a paint.
    const int penStyle = style_ == Style::InsideSolid ? PS_INSIDEFRAME : PS_SOLID;
    pen_.reset(CreatePen(penStyle, width_, ResolveColour(colour_)));
}

void Line::OnSysColorChange() {
    if (IsSystemColour(colour_)) {
        MakePen();
    }
}

void Line::Paint(HDC dc, int dpi) const {
    const Selection use{dc, pen_.get()};
    MoveToEx(dc, TwipsToPixels(x1_, dpi), TwipsToPixels(y1_, dpi), nullptr);
    LineTo(dc, TwipsToPixels(x2_, dpi), TwipsToPixels(y2_, dpi));
}

} // namespace platform
