// A straight line drawn on its form's surface, between two points given in twips.
#pragma once

#include "platform/colour.h"
#include "platform/gdi.h"
#include "platform/twips.h"

#include <windows.h>

namespace platform {

class Line {
  public:
    enum class Style { Solid, InsideSolid };
    void Create(const TwipLine& place, ColourValue colour, int widthPixels, Style style);
    // The system colours have changed: a line in one of them takes a pen of the new colour.
    void OnSysColorChange();
    void Paint(HDC dc, int dpi) const;

  private:
    void MakePen();

    TwipLine place_{};
    ColourValue colour_ = 0;
    int width_ = 1;
    Style style_ = Style::Solid;
    Pen pen_;
};

} // namespace platform
