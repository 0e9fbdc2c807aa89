// A label: a caption on its form, transparent or opaque, in the form's font or one of its own.
#pragma once

#include "platform/colour.h"
#include "platform/control.h"
#include "platform/gdi.h"

namespace platform {

struct LabelDesign {
    Align align = Align::Left;
    bool opaque = false;                     // transparent: drawn straight on the form
    ColourValue backColour = kSysButtonFace; // only when opaque
    bool sunkenBorder = false;
    ColourValue foreColour = kSysButtonText;
    HFONT font = nullptr; // null: the form's font
};

class Label : public Control {
  public:
    void Create(Form& form, const ChildDesign& child, const wchar_t* caption,
                const LabelDesign& design);
    HBRUSH OnCtlColor(HDC dc) override;
    void OnSysColorChange() override;
    HFONT Font() const override;
    // A font of the label's own (null: the form's), taken at once. The caller keeps it alive.
    void SetFont(HFONT font);

  private:
    LabelDesign design_{};
    ColourBrush back_; // only when opaque
};

} // namespace platform
