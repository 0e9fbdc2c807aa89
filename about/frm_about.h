// The About window: the program's name and version, and whom to write to.
#pragma once

#include "platform/buttons.h"
#include "platform/form.h"
#include "platform/gdi.h"
#include "platform/image.h"
#include "platform/label.h"
#include "platform/line.h"

namespace about {

class FrmAbout final : public platform::Form {
  public:
    FrmAbout();

    // The controls, in tab order.
    platform::CommandButton cmdOK;
    platform::Label lblDescription;
    platform::Label lblTitle;
    platform::Label Label1;
    platform::Label Label3;
    platform::Image Image1;
    platform::Line Line1[2];

    void cmdOK_Click();

  protected:
    void CreateControls() override;
    void OnLayOut() override;
    void OnClick(int controlId) override;
    void OnDialogKey(int command) override;
    int DefaultButtonId() const override;
    void OnDpiChanged() override;

  private:
    void MakeFonts();

    // The labels' fonts, made for the window's density each time it loads.
    platform::Font titleFont_;
    platform::Font descriptionFont_;
    platform::Font nameFont_;
    platform::Font addressFont_;
};

} // namespace about
