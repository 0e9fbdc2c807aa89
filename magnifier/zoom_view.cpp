// The zoom view: the screen around the pointer, enlarged into picZoom every tick.
#include "magnifier/zoom_view.h"

namespace magnifier {

void ZoomView::UpdateZoom(const POINT& point) {
    {
        // The desktop's DC reads every monitor in screen coordinates; it is given back as soon
        // as the copy is made, before the grid is drawn.
        const platform::WindowDc screen{GetDesktopWindow()};

        // Every screen pixel becomes a ZoomFactor x ZoomFactor block from the view's top-left
        // corner; the pointer's pixel is the block that holds the centre of the view.
        const ZoomPlan plan =
            PlanZoom(point.x, point.y, picZoom_.ScaleWidth(), picZoom_.ScaleHeight(), ZoomFactor);
        picZoom_.Cls();
        StretchBlt(picZoom_.hDC(), 0, 0, plan.destWidth, plan.destHeight, screen.get(),
                   plan.sourceLeft, plan.sourceTop, plan.sourceWidth, plan.sourceHeight, SRCCOPY);
        picZoom_.MarkDrawn();
    }
    if (chkGrid_.Value() == 1) {
        DrawZoomGrid();
    }
    picZoom_.Refresh();
}

ViewBlock ZoomView::PointerBlock() const {
    return magnifier::PointerBlock(picZoom_.ScaleWidth(), picZoom_.ScaleHeight(), ZoomFactor);
}

} // namespace magnifier
