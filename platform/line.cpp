// Lines, drawn with a pen of their own, made when the line is and again when a system colour
// that it is drawn in changes.
#include "platform/line.h"

#include "platform/twips.h"

namespace platform {

void Line::Create(const TwipLine& place, ColourValue colour, int widthPixels, Style style) {
    place_ = place;
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
    MoveToEx(dc, TwipsToPixels(place_.x1, dpi), TwipsToPixels(place_.y1, dpi), nullptr);
    LineTo(dc, TwipsToPixels(place_.x2, dpi), TwipsToPixels(place_.y2, dpi));
}

} // namespace platform
