// The magnifier: the screen around the pointer, enlarged into picZoom, with the pixel grid over
// it when "Show Grid" is ticked.
#pragma once

#include "magnifier/zoom_geometry.h"
#include "platform/buttons.h"
#include "platform/colour.h"
#include "platform/gdi.h"
#include "platform/picture_box.h"

#include <windows.h>

namespace magnifier {

class ZoomView {
  public:
    ZoomView(platform::PictureBox& picZoom, const platform::CheckBox& chkGrid)
        : picZoom_(picZoom), chkGrid_(chkGrid) {}

    // The magnification of the view and the spacing of its grid: every screen pixel becomes a
    // ZoomFactor x ZoomFactor block. Set by the main window when it loads.
    float ZoomFactor = 0.0f;

    // Copies the screen around `point` into the view, draws the grid when "Show Grid" is
    // ticked, and shows the result at once.
    void UpdateZoom(const POINT& point);
    // The dotted two-grey grid on the block boundaries of the view.
    void DrawZoomGrid();
    // An 8 x 8 checker brush of the two colours (system colours allowed) for dc.
    platform::Brush MakeCheckerBrush(HDC dc, platform::ColourValue firstColour,
                                     platform::ColourValue secondColour) const;

    // The view pixel where the block of the pointer's own pixel starts, for the view's size now.
    ViewBlock PointerBlock() const;

  private:
    platform::PictureBox& picZoom_;
    const platform::CheckBox& chkGrid_;
};

} // namespace magnifier
