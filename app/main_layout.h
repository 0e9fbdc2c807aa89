// The main window's layout: the client area and every control's place, in twips.
#pragma once

#include "platform/twips.h"

namespace app::layout {

inline constexpr wchar_t kMainClassName[] = L"VorlithMain";
inline constexpr wchar_t kMainCaption[] = L"Vorlith v2.0";

inline constexpr int kClientWidth = 2895;
inline constexpr int kClientHeight = 3375;

// Child-window identifiers. 1 and 2 are left free: they are IDOK and IDCANCEL, which the
// dialog keys Enter and Esc send, and no button of the main window answers them.
enum ControlId : int {
    kIdPicColorDisplay = 100,
    kIdLabel1,
    kIdTxtHtml,
    kIdLabel5,
    kIdTxtVb,
    kIdCmdAbout,
    kIdCmdExit,
    kIdTxtRed,
    kIdTxtGreen,
    kIdTxtBlue,
    kIdLabel2,
    kIdPicZoom,
    kIdChkGrid,
    kIdChkOnTop,
};

inline constexpr platform::TwipRect kLabel2{120, 120, 2655, 255};
inline constexpr platform::TwipRect kPicZoom{120, 480, 1215, 1215};
inline constexpr platform::TwipRect kPicColorDisplay{1440, 480, 1335, 495};
inline constexpr platform::TwipRect kChkGrid{1440, 1080, 1335, 255};
inline constexpr platform::TwipRect kChkOnTop{1440, 1440, 1335, 255};
inline constexpr platform::TwipRect kTxtRed{120, 1800, 735, 285};
inline constexpr platform::TwipRect kTxtGreen{1080, 1800, 735, 285};
inline constexpr platform::TwipRect kTxtBlue{2040, 1800, 735, 285};
inline constexpr platform::TwipRect kLabel1{120, 2160, 1455, 255};
inline constexpr platform::TwipRect kTxtHtml{1560, 2160, 1215, 285};
inline constexpr platform::TwipRect kLabel5{120, 2520, 1455, 255};
inline constexpr platform::TwipRect kTxtVb{1560, 2520, 1215, 285};
inline constexpr platform::TwipRect kCmdAbout{120, 2880, 1695, 375};
inline constexpr platform::TwipRect kCmdExit{2040, 2880, 735, 375};
// The captions of the two code boxes' labels, which name the boxes too.
inline constexpr wchar_t kLabel1Caption[] = L"HTML Code";
inline constexpr wchar_t kLabel5Caption[] = L"Visual Basic Code";

// What a screen reader calls the controls that have no caption of their own: the three
// component boxes (which the system would name after the nearest label before them), the two
// code boxes (after their captions), the swatch and the magnifier (which it would not name).
inline constexpr wchar_t kTxtRedName[] = L"Red";
inline constexpr wchar_t kTxtGreenName[] = L"Green";
inline constexpr wchar_t kTxtBlueName[] = L"Blue";
inline constexpr const wchar_t* kTxtHtmlName = kLabel1Caption;
inline constexpr const wchar_t* kTxtVbName = kLabel5Caption;
inline constexpr wchar_t kPicColorDisplayName[] = L"Colour";
inline constexpr wchar_t kPicZoomName[] = L"Magnified view";

// Inside picZoom. Its place is where the eyedropper's tip rule below puts it at 96 pixels per
// inch; its size is the picture's own.
inline constexpr platform::TwipRect kImage1{390, 300, 480, 480};

// The eyedropper picture over the magnifier is shown at its own size, 32 x 32 pixels, at every
// density. Its tip starts at this pixel of the picture (row 19, columns 13 to 15), and lies
// kTipInBlock pixels into the pointer's block across and down: at 96 pixels per inch, with the
// block at (35, 35) of a 77 x 77 view, that puts the picture at (26, 20), Image1's place.
inline constexpr int kEyedropperSize =
    platform::TwipsToPixels(kImage1.width, platform::kDefaultDpi);
struct PicturePixel {
    int x;
    int y;
};
inline constexpr PicturePixel kEyedropperTip{13, 19};
inline constexpr int kTipInBlock = 4;

// The shortcut menu of the swatch and the magnified view: one item for each form of the code
// that the boxes show, each with its access key; the HTML code's shortcut is Ctrl+C. The items'
// identifiers are what the menu gives back (never 0, which is no choice).
enum CopyItem : int { kCopyHtml = 1, kCopyVb, kCopyRgb };
struct CopyMenuItem {
    CopyItem id;
    const wchar_t* text;
};
inline constexpr CopyMenuItem kCopyMenu[] = {
    {kCopyHtml, L"Copy &HTML code\tCtrl+C"},
    {kCopyVb, L"Copy &Visual Basic code"},
    {kCopyRgb, L"Copy &RGB(r, g, b)"},
};

// The sampling interval.
inline constexpr unsigned kTimerIntervalMs = 50;

} // namespace app::layout
