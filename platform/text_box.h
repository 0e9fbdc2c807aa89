// A single-line text box in colours of its own.
#pragma once

#include "platform/colour.h"
#include "platform/control.h"
#include "platform/gdi.h"

#include <string>

namespace platform {

struct TextBoxDesign {
    Align align = Align::Left;
    ColourValue backColour = kSysWindowBackground;
    ColourValue foreColour = kSysWindowText;
};

class TextBox : public Control {
  public:
    void Create(Form& form, const ChildDesign& child, const wchar_t* text,
                const TextBoxDesign& design);
    void LayOut() override;
    HBRUSH OnCtlColor(HDC dc) override;
    void OnSysColorChange() override;

    std::wstring Text() const;
    void SetText(const std::wstring& text) const;

  private:
    void SetMargins() const;

    TextBoxDesign design_{};
    ColourBrush back_;
};

} // namespace platform
