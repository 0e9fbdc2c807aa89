// Start-up: the main window is the program; it runs until it closes or "Exit" is pressed.
#include "app/frm_main.h"
#include "platform/dll_search.h"
#include "platform/events.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // A DLL loaded by name from now on comes from the system folder only, never from the
    // program's own: the program is run from wherever it was unpacked (Downloads, say), where
    // anything named like a system DLL may lie beside it. A load by full path is not affected.
    // The DLLs that the program imports were found before this, in the system folder alone
    // where the system reads the flag of its load configuration (load_config.cpp).
    platform::LoadDllsFromSystemFolderOnly();

    // The standard controls in the system's visual style (the manifest asks for it).
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // A window or control that cannot be made ends the program with a report (platform).
    app::FrmMain frmMain;
    frmMain.Show();
    return platform::RunMessageLoop();
}
