// A picture box. With a persistent image, drawing on hDC() goes into a bitmap that the box keeps
// and repaints itself from; Cls() clears it, Refresh() shows it at once. Without one, the box
// shows its background colour.
#pragma once

#include "platform/colour.h"
#include "platform/control.h"
#include "platform/gdi.h"
#include "platform/image.h"

#include <memory>
#include <vector>

namespace platform {

class PictureBox : public Control {
  public:
    void Create(Form& form, const ChildDesign& child, bool persistentImage, ColourValue backColour);
    // A new size keeps the picture, scaled to it: what the box showed stays until it is drawn
    // again.
    void LayOut() override;

    // The image is painted over the picture, at its own place in the box's client area.
    void Contain(Image& image) { images_.push_back(&image); }

    // The persistent image's DC, to draw on.
    HDC hDC() const noexcept { return image_ ? image_->dc() : nullptr; }
    // Something was drawn on hDC(): until the next Cls the image holds a picture, which stays
    // as it was drawn when the system colours change.
    void MarkDrawn() noexcept { holdsPicture_ = true; }
    void Cls();
    void Refresh() const;
    // The client area in pixels.
    float ScaleWidth() const noexcept { return static_cast<float>(width_); }
    float ScaleHeight() const noexcept { return static_cast<float>(height_); }

    ColourValue BackColor() const noexcept { return backColour_; }
    void SetBackColor(ColourValue colour);

    // Paints the box's picture into dc: what it shows on the screen but the focus mark, which
    // is drawn over it there while the box has the keyboard focus.
    void Paint(HDC dc) const;

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void MakeImage();
    void ClearImage() const;
    void FollowSystemColours();
    bool ShowsFocus() const;
    void FollowKeyboardCues(WPARAM change);
    // Asks the form for the box's shortcut menu, at a screen point or, for -1, at the box.
    void OpenMenu(LPARAM at) const;

    bool persistent_ = false;
    ColourValue backColour_ = kSysButtonFace;
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<OffscreenImage> image_;
    bool holdsPicture_ = false; // drawn on since it was last cleared
    bool focused_ = false;      // between WM_SETFOCUS and WM_KILLFOCUS
    bool cuesHidden_ = false;   // the keyboard cues are hidden (UISF_HIDEFOCUS)
    std::vector<Image*> images_;
};

} // namespace platform
