// The About window's layout: the client area and every control's place, in twips.
#pragma once

#include "platform/twips.h"

namespace about::layout {

inline constexpr wchar_t kAboutClassName[] = L"VorlithAbout";
inline constexpr wchar_t kAboutCaption[] = L"About";

inline constexpr int kClientWidth = 5730;
inline constexpr int kClientHeight = 3120;

// "OK" has the identifier that Enter and Esc send, so both press it.
enum ControlId : int {
    kIdCmdOK = 1, // IDOK
    kIdLblDescription = 200,
    kIdLblTitle,
    kIdLabel1,
    kIdLabel3,
};

inline constexpr platform::TwipRect kLblTitle{1050, 240, 3885, 600};
inline constexpr platform::TwipRect kImage1{360, 360, 480, 480};
inline constexpr platform::TwipRect kLblDescription{1050, 1125, 3885, 570};
inline constexpr platform::TwipRect kLabel1{1080, 1770, 3855, 255};
inline constexpr platform::TwipRect kLabel3{1080, 2040, 4215, 375};
inline constexpr platform::TwipRect kCmdOK{4245, 2625, 1260, 345};
// The etched separator, a control array: Line1(1) the shadow line, and one pixel below it
// Line1(0) the highlight line.
inline constexpr platform::TwipLine kLine1[2] = {
    {105, 2460, 5654, 2460},
    {90, 2445, 5654, 2445},
};

inline constexpr wchar_t kTitle[] = L"Vorlith v2.0";
inline constexpr wchar_t kDescription[] = L"Any bugs or suggestions please send e-mail to me.";
inline constexpr wchar_t kCredit[] = L"The Vorlith developers";
inline constexpr wchar_t kAddress[] = L"vorlith@example.com";

} // namespace about::layout
