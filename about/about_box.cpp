// The About command's window: created once, loaded afresh from its layout on every showing.
#include "about/about_box.h"

#include "about/frm_about.h"

namespace about {

AboutBox::AboutBox() = default;
AboutBox::~AboutBox() = default;

void AboutBox::Show() {
    if (!frmAbout_) {
        frmAbout_ = std::make_unique<FrmAbout>();
    }
    frmAbout_->ShowModal();
}

} // namespace about
