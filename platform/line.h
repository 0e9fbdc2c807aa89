// A straight line drawn on its form's surface, between two points given in twips.
#pragma once

#include "platform/colour.h"
#include "platform/gdi.h"

#include <windows.h>

namespace platform {

class Line {
  public:
    enum class Style { Solid, InsideSolid };
    void Create(int x1, int y1, int x2, int y2, ColourValue colour, int widthPixels, Style style);
    // The system colours have changed: a line in one of them takes a pen of the new colour.
    void OnSysColorChange();
    void Paint(HDC dc, int dpi) const;

  private:
    void MakePen();

    int x1_ = 0;
    int y1_ = 0;
    int x2_ = 0;
    int y2_ = 0;
    ColourValue colour_ = 0;
    int width_ = 1;
    Style style_ = Style::Solid;
    Pen pen_;
};

} // namespace platform
