// The About window: its frame, its controls as laid out, and "OK".
#include "about/frm_about.h"

#include "about/about_layout.h"
#include "platform/fonts.h"
#include "resources/resource.h"

namespace about {

namespace {

using namespace layout;
using platform::Align;
using platform::ColourValue;
using platform::Rgb;

constexpr BYTE kArabicCharset = 178; // what the bold fonts ask for
constexpr int kPictureSize = 32;

constexpr platform::FormDesign kDesign{
    kAboutClassName,
    L"frmAbout",
    kAboutCaption,
    kClientWidth,
    kClientHeight,
    platform::FrameStyle::FixedSingle,
    platform::StartPosition::CenterOwner,
    IDI_VORLITH,
    false,
    false,
};

platform::LabelDesign Caption(ColourValue colour, HFONT font) {
    return {Align::Left, false, platform::kSysButtonFace, false, colour, font};
}

} // namespace

FrmAbout::FrmAbout() : Form(kDesign) {}

void FrmAbout::MakeFonts() {
    titleFont_ =
        platform::CreateLabelFont({L"Times New Roman", 24.0f, true, kArabicCharset}, Dpi());
    descriptionFont_ =
        platform::CreateLabelFont({L"MS Sans Serif", 12.0f, true, kArabicCharset}, Dpi());
    nameFont_ = platform::CreateLabelFont({L"Times New Roman", 12.0f, true, kArabicCharset}, Dpi());
    addressFont_ = platform::CreateLabelFont({L"Impact", 14.25f, false, ANSI_CHARSET}, Dpi());
}

void FrmAbout::OnDpiChanged() {
    // The labels let go of the old fonts before they are deleted.
    platform::Font title = std::move(titleFont_);
    platform::Font description = std::move(descriptionFont_);
    platform::Font name = std::move(nameFont_);
    platform::Font address = std::move(addressFont_);
    MakeFonts();
    lblTitle.SetFont(titleFont_.get());
    lblDescription.SetFont(descriptionFont_.get());
    Label1.SetFont(nameFont_.get());
    Label3.SetFont(addressFont_.get());
}

void FrmAbout::CreateControls() {
    MakeFonts();

    cmdOK.Create(*this, {kIdCmdOK, L"cmdOK", kCmdOK}, L"OK", true);
    lblDescription.Create(*this, {kIdLblDescription, L"lblDescription", kLblDescription},
                          kDescription, Caption(Rgb(128, 0, 0), descriptionFont_.get()));
    lblTitle.Create(*this, {kIdLblTitle, L"lblTitle", kLblTitle}, kTitle,
                    Caption(Rgb(0, 0, 192), titleFont_.get()));
    Label1.Create(*this, {kIdLabel1, L"Label1", kLabel1}, kCredit,
                  Caption(Rgb(0, 128, 0), nameFont_.get()));
    Label3.Create(*this, {kIdLabel3, L"Label3", kLabel3}, kAddress,
                  Caption(Rgb(0, 0, 192), addressFont_.get()));
    Image1.Create(IDI_VORLITH, kPictureSize);
    Contain(Image1);
    // An etched separator: the shadow line, and one pixel below it the highlight, twice as
    // wide. The highlight is drawn first so that the shadow line stays whole above it.
    Line1[1].Create(kLine1[1], platform::kSysButtonShadow, 1, platform::Line::Style::InsideSolid);
    Line1[0].Create(kLine1[0], platform::kSysButtonHighlight, 2, platform::Line::Style::Solid);
    Contain(Line1[0]);
    Contain(Line1[1]);
}

void FrmAbout::OnLayOut() {
    const platform::PixelRect picture = ToPixels(kImage1);
    Image1.MoveTo({picture.left, picture.top});
}

void FrmAbout::cmdOK_Click() {
    Unload();
}

void FrmAbout::OnClick(int controlId) {
    if (controlId == kIdCmdOK) {
        cmdOK_Click();
    }
}

void FrmAbout::OnDialogKey(int /*command*/) {
    // Enter and Esc: "OK" is both the default and the cancel button.
    cmdOK_Click();
}

int FrmAbout::DefaultButtonId() const {
    return kIdCmdOK;
}

} // namespace about
