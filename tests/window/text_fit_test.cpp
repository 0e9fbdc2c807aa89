// Every caption fits its control in full, and so does the widest code a text box can show,
// in the fonts that the windows really get on this system.
#include "tests/window/window_fixture.h"

#include "tests/support/capture.h"

#include "about/frm_about.h"
#include "platform/gdi.h"

#include <algorithm>
#include <string>

namespace window_tests {
namespace {

using test_support::ClientSize;

struct Extent {
    int width;
    int height;
};

// The control's own font.
HGDIOBJ FontOf(HWND control) {
    return reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
}

// The size of text drawn in the control's own font; with wrapWidth, wrapped at word breaks.
Extent Measure(HWND control, const std::wstring& text, int wrapWidth = 0) {
    const platform::WindowDc dc(control);
    const platform::Selection font(dc.get(), FontOf(control));
    RECT rect{0, 0, wrapWidth, 0};
    const UINT format = DT_CALCRECT | DT_NOPREFIX | (wrapWidth ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &rect, format);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

std::wstring Caption(HWND control) {
    wchar_t text[256]{};
    GetWindowTextW(control, text, 256);
    return text;
}

TEXTMETRICW Metrics(HWND control) {
    const platform::WindowDc dc(control);
    const platform::Selection font(dc.get(), FontOf(control));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    return metrics;
}

void ExpectLabelFits(HWND label) {
    const SIZE client = ClientSize(label);
    const Extent text = Measure(label, Caption(label));
    EXPECT_LE(text.width, client.cx) << "caption: " << testing::PrintToString(Caption(label));
    EXPECT_LE(text.height, client.cy) << "caption: " << testing::PrintToString(Caption(label));
}

// A label two lines high: the text wraps into two lines, and the second line's letters stand
// whole in it (the bottom of its descent, below the letters' feet, may be cut).
void ExpectTwoLinesFit(HWND label) {
    const SIZE client = ClientSize(label);
    const Extent text = Measure(label, Caption(label), client.cx);
    const TEXTMETRICW metrics = Metrics(label);
    EXPECT_EQ(text.height, 2 * metrics.tmHeight);
    EXPECT_LE(metrics.tmHeight + metrics.tmAscent + 1, client.cy);
}

// A button's caption has the button's edges and focus rectangle around it.
void ExpectButtonFits(HWND button, int besides) {
    const SIZE client = ClientSize(button);
    const Extent text = Measure(button, Caption(button));
    EXPECT_LE(text.width + besides, client.cx) << testing::PrintToString(Caption(button));
    EXPECT_LE(text.height, client.cy) << testing::PrintToString(Caption(button));
}

// The widest text of the form that a box shows: every digit tried in every place.
void ExpectWidestCodeFits(HWND box, const std::wstring& prefix, int digits,
                          const std::wstring& suffix) {
    const LRESULT margins = SendMessageW(box, EM_GETMARGINS, 0, 0);
    const int room = ClientSize(box).cx - LOWORD(margins) - HIWORD(margins);
    int widest = 0;
    for (const wchar_t digit : std::wstring(L"0123456789ABCDEF")) {
        const std::wstring code =
            prefix + std::wstring(static_cast<size_t>(digits), digit) + suffix;
        widest = std::max(widest, Measure(box, code).width);
    }
    EXPECT_LE(widest, room) << testing::PrintToString(prefix);
}

TEST_F(MainWindowTest, CaptionsAndCodesFitTheirControls) {
    ExpectLabelFits(Form().Label2.hWnd());
    ExpectLabelFits(Form().Label1.hWnd());
    ExpectLabelFits(Form().Label5.hWnd());
    const int checkBox = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    ExpectButtonFits(Form().chkGrid.hWnd(), checkBox);
    ExpectButtonFits(Form().chkOnTop.hWnd(), checkBox);
    ExpectButtonFits(Form().cmdAbout.hWnd(), 6);
    ExpectButtonFits(Form().cmdExit.hWnd(), 6);

    ExpectWidestCodeFits(Form().txtHTML.hWnd(), L"#", 6, L"");
    ExpectWidestCodeFits(Form().txtVB.hWnd(), L"&H00", 6, L"&");
    ExpectWidestCodeFits(Form().txtRed.hWnd(), L"", 3, L"");
    ExpectWidestCodeFits(Form().txtGreen.hWnd(), L"Green", 0, L"");
}

TEST(AboutWindow, CaptionsFitTheirLabels) {
    about::FrmAbout frmAbout;
    frmAbout.Load();
    ExpectLabelFits(frmAbout.lblTitle.hWnd());
    ExpectTwoLinesFit(frmAbout.lblDescription.hWnd());
    ExpectLabelFits(frmAbout.Label1.hWnd());
    ExpectLabelFits(frmAbout.Label3.hWnd());
    ExpectButtonFits(frmAbout.cmdOK.hWnd(), 6);
    frmAbout.Unload();
}

int FontHeight(HWND control) {
    LOGFONTW font{};
    GetObjectW(FontOf(control), sizeof font, &font);
    return font.lfHeight;
}

TEST(AboutWindow, LabelsKeepTheirOwnFontsAcrossADensityChange) {
    about::FrmAbout frmAbout;
    frmAbout.Load();
    EXPECT_EQ(FontHeight(frmAbout.lblTitle.hWnd()), -32); // 24 points at 96 per inch
    RECT window{};
    GetWindowRect(frmAbout.hWnd(), &window);
    SendMessageW(frmAbout.hWnd(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&window));
    EXPECT_EQ(FontHeight(frmAbout.lblTitle.hWnd()), -48);
    EXPECT_EQ(FontHeight(frmAbout.Label3.hWnd()), -29); // 14.25 points
    EXPECT_EQ(FontHeight(frmAbout.cmdOK.hWnd()), -15);  // the window's own font, 7.5 points
    frmAbout.Unload();
}

} // namespace
} // namespace window_tests
