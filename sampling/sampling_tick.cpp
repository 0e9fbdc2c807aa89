// The sampling tick: where the pointer is, the magnified view around it, and the colour of
// the pixel under it, written into the main window every interval.
#include "app/frm_main.h"

#include "platform/events.h"
#include "sampling/colour_codes.h"

#include <string>
#include <string_view>

namespace app {

namespace {

// The codes are plain ASCII both ways.
std::wstring Widen(std::string_view text) {
    return {text.begin(), text.end()};
}

std::string Narrow(std::wstring_view text) {
    std::string narrow(text.size(), '?');
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] < 0x80) {
            narrow[i] = static_cast<char>(text[i]);
        }
    }
    return narrow;
}

} // namespace

void FrmMain::Timer1_Timer() {
    // Other handlers (the hotkeys, the buttons, even the About window) run here and only
    // here; from now on the tick runs to its end.
    platform::DoEvents();
    if (!IsLoaded()) {
        return; // the window was closed meanwhile
    }
    GetCursorPos(&CursorPos);
    UpdateZoom(CursorPos);

    const HDC display = CreateDCA("DISPLAY", "", "", nullptr);
    const COLORREF colour = GetPixel(display, CursorPos.x, CursorPos.y);
    ShowReading(colour);
    DeleteDC(display);
}

void FrmMain::ShowReading(COLORREF colour) {
    const auto value = static_cast<sampling::ColourValue>(colour);
    if (!sampling::IsReadableColour(value)) {
        // The pixel could not be read (CLR_INVALID): show no colour rather than a wrong one.
        // The next readable pixel brings the codes back.
        txtHTML.SetText(L"");
        txtRed.SetText(L"");
        txtGreen.SetText(L"");
        txtBlue.SetText(L"");
        txtVB.SetText(L"");
        picColorDisplay.SetBackColor(platform::kSysButtonFace);
        return;
    }
    const std::string bgrHex = sampling::BgrHex(value);
    txtHTML.SetText(Widen(sampling::HtmlCode(bgrHex)));
    // The components are always the pairs that the HTML box shows: each is decoded from
    // its text, read back afresh.
    txtRed.SetText(Widen(sampling::ComponentText(Narrow(txtHTML.Text()), 2)));
    txtGreen.SetText(Widen(sampling::ComponentText(Narrow(txtHTML.Text()), 4)));
    txtBlue.SetText(Widen(sampling::ComponentText(Narrow(txtHTML.Text()), 6)));
    txtVB.SetText(Widen(sampling::VbCode(bgrHex)));
    picColorDisplay.SetBackColor(value);
}

} // namespace app
