// Start-up: the main window is the program; it runs until it closes or "Exit" is pressed.
#include "app/frm_main.h"
#include "platform/events.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The standard controls in the system's visual style (the manifest asks for it).
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    app::FrmMain frmMain;
    if (!frmMain.Show()) {
        MessageBoxW(nullptr, L"The main window could not be created.", L"Vorlith",
                    MB_OK | MB_ICONERROR);
        return 1;
    }
    return platform::RunMessageLoop();
}
