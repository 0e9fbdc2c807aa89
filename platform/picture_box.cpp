// Picture boxes: a window class of the program's own, painted from the persistent image.
#include "platform/picture_box.h"

#include "platform/events.h"
#include "platform/focus_mark.h"
#include "platform/form.h"

#include <ole2.h>
#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>

namespace platform {

namespace {

constexpr wchar_t kPictureClass[] = L"VorlithPicture";

} // namespace

void PictureBox::Create(Form& form, const ChildDesign& child, bool persistentImage,
                        ColourValue backColour) {
    persistent_ = persistentImage;
    backColour_ = backColour;
    images_.clear();
    image_.reset();
    holdsPicture_ = false;
    focused_ = false;
    cuesHidden_ = false;
    RegisterWindowClass(kPictureClass, nullptr);
    // A screen reader hears of a picture, which the system cannot tell from the class alone.
    CreateChild(form, child, L"picture box", kPictureClass, L"", WS_TABSTOP, WS_EX_CLIENTEDGE, true,
                ROLE_SYSTEM_GRAPHIC);
    MakeImage();
}

void PictureBox::LayOut() {
    Control::LayOut();
    MakeImage();
}

void PictureBox::MakeImage() {
    RECT client{};
    GetClientRect(hWnd(), &client);
    const int oldWidth = width_;
    const int oldHeight = height_;
    width_ = client.right - client.left;
    height_ = client.bottom - client.top;
    if (!persistent_ || (image_ && width_ == oldWidth && height_ == oldHeight)) {
        return;
    }
    std::unique_ptr<OffscreenImage> old = std::move(image_);
    {
        const WindowDc screen{hWnd()};
        image_ = std::make_unique<OffscreenImage>(screen.get(), std::max(width_, 1),
                                                  std::max(height_, 1));
    }
    ClearImage(); // what it held, if anything, is copied in below
    if (old) {
        // The picture the box showed, stretched to the new size.
        SetStretchBltMode(image_->dc(), COLORONCOLOR);
        StretchBlt(image_->dc(), 0, 0, width_, height_, old->dc(), 0, 0, oldWidth, oldHeight,
                   SRCCOPY);
    }
}

void PictureBox::Cls() {
    ClearImage();
    holdsPicture_ = false;
}

void PictureBox::ClearImage() const {
    if (image_) {
        FillWithColour(image_->dc(), RECT{0, 0, width_, height_}, backColour_);
    }
}

void PictureBox::FollowSystemColours() {
    // An image that holds no picture was cleared in the old colour of a system background: it is
    // cleared again in the new one. A picture stays as it was drawn: a frozen view keeps it, and
    // a live one is cleared in the new colour when it is next drawn. Without a persistent image
    // the box paints in its background colour as it is at each paint.
    if (persistent_ && !holdsPicture_ && IsSystemColour(backColour_)) {
        ClearImage();
        InvalidateRect(hWnd(), nullptr, FALSE);
    }
}

void PictureBox::Refresh() const {
    InvalidateRect(hWnd(), nullptr, FALSE);
    UpdateWindow(hWnd());
}

void PictureBox::SetBackColor(ColourValue colour) {
    backColour_ = colour;
    if (!persistent_) {
        InvalidateRect(hWnd(), nullptr, FALSE);
    }
}

void PictureBox::Paint(HDC dc) const {
    if (persistent_ && image_) {
        BitBlt(dc, 0, 0, width_, height_, image_->dc(), 0, 0, SRCCOPY);
    } else {
        FillWithColour(dc, RECT{0, 0, width_, height_}, backColour_);
    }
    for (const Image* image : images_) {
        image->Paint(dc);
    }
}

bool PictureBox::ShowsFocus() const {
    return focused_ && !cuesHidden_;
}

void PictureBox::FollowKeyboardCues(WPARAM change) {
    // The focus mark follows the system's keyboard cues, as in its own dialogs: hidden after a
    // start with the mouse until a key is used. The box keeps the state the system has just
    // recorded for it (DefWindowProc ran first), so that a paint asks nothing; where the system
    // keeps none (Wine answers every question with 0), a set or a clear says it all.
    if (!(HIWORD(change) & UISF_HIDEFOCUS)) {
        return;
    }
    switch (LOWORD(change)) {
    case UIS_SET: cuesHidden_ = true; break;
    case UIS_CLEAR: cuesHidden_ = false; break;
    default: // UIS_INITIALIZE: the system's decision, from the last input
        cuesHidden_ = (SendMessageW(hWnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
        break;
    }
    InvalidateRect(hWnd(), nullptr, FALSE);
}

void PictureBox::OpenMenu(LPARAM at) const {
    POINT screen{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (screen.x == -1 && screen.y == -1) {
        // Asked for with a key (-1, -1): the menu opens at the box, below its left edge, rather
        // than wherever the pointer happens to be.
        RECT box{};
        GetWindowRect(hWnd(), &box);
        screen = {box.left, box.bottom};
    }
    OwnerForm().OnControlMenu(Id(), screen);
}

LRESULT PictureBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1; // the paint covers every pixel
    case WM_PAINT: {
        const PaintDc paint{hWnd()};
        Paint(paint.get());
        // Over what the box shows on the screen, and only there: never into the persistent
        // image nor into a copy of the picture (WM_PRINTCLIENT), so no reading ever holds it.
        if (ShowsFocus()) {
            DrawFocusMark(paint.get(), RECT{0, 0, width_, height_}, OwnerForm().Dpi());
        }
        return 0;
    }
    // The focus mark comes and goes with the focus and with the keyboard cues.
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        focused_ = message == WM_SETFOCUS;
        InvalidateRect(hWnd(), nullptr, FALSE);
        break;
    case WM_UPDATEUISTATE: {
        const LRESULT answer = Control::OnMessage(message, wParam, lParam);
        FollowKeyboardCues(wParam);
        return answer;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_SYSCOLORCHANGE: FollowSystemColours(); return 0;
    case WM_LBUTTONDOWN: SetFocus(hWnd()); return 0;
    // The arrow keys come here rather than moving the focus, and go on to the form.
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        OwnerForm().OnControlKey(Id(), static_cast<unsigned>(wParam), ShiftState());
        return 0;
    // The shortcut menu, which the system asks for on a right click, Shift+F10 or the Menu key.
    case WM_CONTEXTMENU: OpenMenu(lParam); return 0;
    default: break;
    }
    return Control::OnMessage(message, wParam, lParam);
}

} // namespace platform
