// The main window's "About" command.
#include "app/frm_main.h"

namespace app {

void FrmMain::cmdAbout_Click() {}

} // namespace app
