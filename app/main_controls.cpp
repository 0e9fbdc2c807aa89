// The main window's frame and its controls as laid out.
#include "app/frm_main.h"

#include "app/main_layout.h"
#include "resources/resource.h"

namespace app {

namespace {

using namespace layout;
using platform::Align;
using platform::Rgb;

constexpr platform::FormDesign kDesign{
    kMainClassName,
    L"frmMain",
    kMainCaption,
    kClientWidth,
    kClientHeight,
    platform::FrameStyle::FixedDialog,
    platform::StartPosition::CenterScreen,
    IDI_VORLITH,
    true, // key preview: Ctrl+G and Ctrl+F act whichever control has the focus
    true,
};

constexpr int kTimer1Id = 1;

} // namespace

FrmMain::FrmMain() : Form(kDesign) {}

void FrmMain::CreateControls() {
    // Created in tab order, which is also the order a screen reader walks: each caption comes
    // just before the box it names.
    const platform::LabelDesign caption{
        Align::Centre, false, platform::kSysButtonFace, false, platform::kSysWindowText, nullptr};
    const platform::TextBoxDesign codeBox{};
    picColorDisplay.Create(
        *this, {kIdPicColorDisplay, L"picColorDisplay", kPicColorDisplay, kPicColorDisplayName},
        false, platform::kSysButtonFace);
    Label1.Create(*this, {kIdLabel1, L"Label1", kLabel1}, kLabel1Caption, caption);
    txtHTML.Create(*this, {kIdTxtHtml, L"txtHTML", kTxtHtml, kTxtHtmlName}, L"", codeBox);
    Label5.Create(*this, {kIdLabel5, L"Label5", kLabel5}, kLabel5Caption, caption);
    txtVB.Create(*this, {kIdTxtVb, L"txtVB", kTxtVb, kTxtVbName}, L"", codeBox);
    cmdAbout.Create(*this, {kIdCmdAbout, L"cmdAbout", kCmdAbout}, L"About");
    cmdExit.Create(*this, {kIdCmdExit, L"cmdExit", kCmdExit}, L"Exit");
    txtRed.Create(*this, {kIdTxtRed, L"txtRed", kTxtRed, kTxtRedName}, L"Red",
                  {Align::Centre, Rgb(192, 0, 0), Rgb(255, 192, 192)});
    txtGreen.Create(*this, {kIdTxtGreen, L"txtGreen", kTxtGreen, kTxtGreenName}, L"Green",
                    {Align::Centre, Rgb(0, 192, 0), Rgb(192, 255, 192)});
    txtBlue.Create(*this, {kIdTxtBlue, L"txtBlue", kTxtBlue, kTxtBlueName}, L"Blue",
                   {Align::Centre, Rgb(0, 0, 192), Rgb(192, 192, 255)});
    Label2.Create(
        *this, {kIdLabel2, L"Label2", kLabel2}, L"Ctrl+G to Pick <-> Ctrl+F to Release",
        {Align::Centre, true, Rgb(255, 255, 192), true, platform::kSysButtonText, nullptr});
    picZoom.Create(*this, {kIdPicZoom, L"picZoom", kPicZoom, kPicZoomName}, true,
                   platform::kSysButtonFace);
    chkGrid.Create(*this, {kIdChkGrid, L"chkGrid", kChkGrid}, L"Show Grid");
    chkOnTop.Create(*this, {kIdChkOnTop, L"chkOnTop", kChkOnTop}, L"Always on top");
    // The eyedropper is painted by picZoom over the magnified picture; its place follows the
    // view's size (OnLayOut).
    Image1.Create(IDI_EYEDROPPER, kEyedropperSize);
    picZoom.Contain(Image1);
    Timer1.Create(*this, kTimer1Id, L"Timer1", kTimerIntervalMs, true);
}

} // namespace app
