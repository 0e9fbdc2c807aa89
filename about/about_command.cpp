// The main window's "About" command.
#include "app/frm_main.h"

#include "about/frm_about.h"

#include <memory>

namespace app {

void FrmMain::cmdAbout_Click() {
    // One About window for the whole run: made on first use, loaded afresh on every showing.
    static std::unique_ptr<about::FrmAbout> frmAbout;
    if (!frmAbout) {
        frmAbout = std::make_unique<about::FrmAbout>();
    }
    frmAbout->ShowModal();
}

} // namespace app
