// The zoom view: the screen around the pointer, enlarged into picZoom every tick.
#include "app/frm_main.h"

#include "magnifier/zoom_geometry.h"

namespace app {

void FrmMain::UpdateZoom(const POINT& point) {
    const HWND desktop = GetDesktopWindow();
    const HDC screen = GetDC(desktop);

    // Every screen pixel becomes a ZoomFactor x ZoomFactor block from the view's top-left
    // corner; the pointer's pixel is the block that holds the centre of the view.
    const magnifier::ZoomPlan plan = magnifier::PlanZoom(point.x, point.y, picZoom.ScaleWidth(),
                                                         picZoom.ScaleHeight(), ZoomFactor);

    picZoom.Cls();
    StretchBlt(picZoom.hDC(), 0, 0, plan.destWidth, plan.destHeight, screen, plan.sourceLeft,
               plan.sourceTop, plan.sourceWidth, plan.sourceHeight, SRCCOPY);
    ReleaseDC(desktop, screen);

    if (chkGrid.Value() == 1) {
        DrawZoomGrid();
    }
    picZoom.Refresh();
}

} // namespace app
