// Start-up: the main window is the program; it runs until it closes or "Exit" is pressed.
#include "app/frm_main.h"
#include "platform/events.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Every DLL loaded from now on comes from the system folder only, never from the program's
    // own: the program is run from wherever it was unpacked (Downloads, say), where anything
    // named like a system DLL may lie beside it.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

    // The standard controls in the system's visual style (the manifest asks for it).
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // A window or control that cannot be made ends the program with a report (platform).
    app::FrmMain frmMain;
    frmMain.Show();
    return platform::RunMessageLoop();
}
