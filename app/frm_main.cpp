// The main window's frame, its controls as laid out, and the routing of their events.
#include "app/frm_main.h"

#include "app/main_layout.h"
#include "resources/resource.h"

namespace app {

namespace {

using namespace layout;
using platform::Align;
using platform::ColourValue;

constexpr int kTimer1Id = 1;
constexpr int kEyedropperSize = 32;

constexpr platform::FormDesign kDesign{
    kMainClassName,
    kMainCaption,
    kClientWidth,
    kClientHeight,
    platform::FrameStyle::FixedDialog,
    platform::StartPosition::CenterScreen,
    IDI_VORLITH,
    true, // key preview: Ctrl+G and Ctrl+F act whichever control has the focus
    true,
};

constexpr ColourValue Rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

} // namespace

FrmMain::FrmMain() : Form(kDesign) {}

bool FrmMain::CreateControls() {
    // Created in tab order, which is also the order a screen reader walks: each caption
    // comes just before the box it names.
    const platform::LabelDesign caption{
        Align::Centre, false, platform::kSysButtonFace, false, platform::kSysWindowText, nullptr};
    const platform::TextBoxDesign codeBox{};
    bool ok = picColorDisplay.Create(*this, kIdPicColorDisplay, kPicColorDisplay, false,
                                     platform::kSysButtonFace);
    ok = ok && Label1.Create(*this, kIdLabel1, kLabel1, L"HTML Code", caption);
    ok = ok && txtHTML.Create(*this, kIdTxtHtml, kTxtHtml, L"", codeBox);
    ok = ok && Label5.Create(*this, kIdLabel5, kLabel5, L"Visual Basic Code", caption);
    ok = ok && txtVB.Create(*this, kIdTxtVb, kTxtVb, L"", codeBox);
    ok = ok && cmdAbout.Create(*this, kIdCmdAbout, kCmdAbout, L"About");
    ok = ok && cmdExit.Create(*this, kIdCmdExit, kCmdExit, L"Exit");
    ok = ok && txtRed.Create(*this, kIdTxtRed, kTxtRed, L"Red",
                             {Align::Centre, Rgb(192, 0, 0), Rgb(255, 192, 192)});
    ok = ok && txtGreen.Create(*this, kIdTxtGreen, kTxtGreen, L"Green",
                               {Align::Centre, Rgb(0, 192, 0), Rgb(192, 255, 192)});
    ok = ok && txtBlue.Create(*this, kIdTxtBlue, kTxtBlue, L"Blue",
                              {Align::Centre, Rgb(0, 0, 192), Rgb(192, 192, 255)});
    ok = ok && Label2.Create(*this, kIdLabel2, kLabel2, L"Ctrl+G to Pick <-> Ctrl+F to Release",
                             {Align::Centre, true, Rgb(255, 255, 192), true,
                              static_cast<ColourValue>(0x80000012), nullptr});
    ok = ok && picZoom.Create(*this, kIdPicZoom, kPicZoom, true, platform::kSysButtonFace);
    ok = ok && chkGrid.Create(*this, kIdChkGrid, kChkGrid, L"Show Grid");
    ok = ok && chkOnTop.Create(*this, kIdChkOnTop, kChkOnTop, L"Always on top");
    if (!ok) {
        return false;
    }
    // The eyedropper marks the sampled pixel: the box paints it over the magnified picture.
    Image1.Create(IDI_EYEDROPPER, kEyedropperSize, kImage1);
    picZoom.Contain(Image1);
    Timer1.Create(*this, kTimer1Id, kTimerIntervalMs, true);
    return true;
}

void FrmMain::Form_Load() {
    ZoomFactor = 7.0f;
}

void FrmMain::OnClick(int controlId) {
    switch (controlId) {
    case kIdChkOnTop: chkOnTop_Click(); break;
    case kIdCmdAbout: cmdAbout_Click(); break;
    case kIdCmdExit: cmdExit_Click(); break;
    default: break;
    }
}

void FrmMain::OnTimer(int timerId) {
    if (timerId == kTimer1Id && Timer1.Enabled()) {
        Timer1_Timer();
    }
}

} // namespace app
