// The reading of the pixel under the pointer and its text forms in the main window's boxes.
#include "sampling/colour_readout.h"

#include "platform/gdi.h"
#include "sampling/colour_codes.h"

#include <string>
#include <string_view>

namespace sampling {

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

// The swatch's value for a screen reader: the HTML code of the colour it shows, made only when a
// reader asks for it, never in a tick; nothing while the swatch shows no colour.
std::wstring SwatchValue(const void* swatch) {
    const platform::ColourValue shown =
        static_cast<const platform::PictureBox*>(swatch)->BackColor();
    return IsReadableColour(shown) ? Widen(HtmlCode(BgrHex(shown))) : std::wstring();
}

} // namespace

ColourReadout::ColourReadout(const ReadoutControls& controls) : controls_(controls) {
    controls_.picColorDisplay.SetSpokenValue({&SwatchValue, &controls_.picColorDisplay});
    // Polite: the reader finishes what it is saying (the keys just typed) before the colour.
    controls_.picColorDisplay.SetLiveSetting(platform::LiveSetting::Polite);
}

void ColourReadout::AnnounceColour() const {
    // A reader on the swatch speaks its new value; a reader elsewhere (in HTML Code, say) hears
    // the swatch as a live region, which Windows' readers speak wherever their focus is.
    controls_.picColorDisplay.AnnounceValueChange();
    controls_.picColorDisplay.AnnounceLiveRegionChange();
}

std::optional<ShownCodes> ColourReadout::Codes() const {
    const platform::ColourValue shown = controls_.picColorDisplay.BackColor();
    if (!IsReadableColour(shown)) {
        return std::nullopt;
    }
    const std::string bgrHex = BgrHex(shown);
    return ShownCodes{Widen(HtmlCode(bgrHex)), Widen(VbCode(bgrHex)), Widen(RgbCode(bgrHex))};
}

void ColourReadout::ReadPixel(POINT point) const {
    // The screen's DC covers the whole virtual screen in screen coordinates, the pointer's own:
    // a monitor left of or above the primary has negative ones. It is given back once the
    // reading is shown.
    const platform::WindowDc screen{nullptr};
    Show(GetPixel(screen.get(), point.x, point.y));
}

void ColourReadout::Show(COLORREF colour) const {
    const auto value = static_cast<ColourValue>(colour);
    const ReadoutControls& c = controls_;
    if (!IsReadableColour(value)) {
        // The pixel could not be read (CLR_INVALID): show no colour rather than a wrong one.
        // The next readable pixel brings the codes back.
        for (const platform::TextBox* box :
             {&c.txtHTML, &c.txtRed, &c.txtGreen, &c.txtBlue, &c.txtVB}) {
            box->SetText(L"");
        }
        c.picColorDisplay.SetBackColor(platform::kSysButtonFace);
        return;
    }
    const std::string bgrHex = BgrHex(value);
    c.txtHTML.SetText(Widen(HtmlCode(bgrHex)));
    // The components are always the pairs that the HTML box shows: they are decoded from its
    // text, read back once.
    const std::string html = Narrow(c.txtHTML.Text());
    c.txtRed.SetText(Widen(ComponentText(html, 2)));
    c.txtGreen.SetText(Widen(ComponentText(html, 4)));
    c.txtBlue.SetText(Widen(ComponentText(html, 6)));
    c.txtVB.SetText(Widen(VbCode(bgrHex)));
    c.picColorDisplay.SetBackColor(value);
}

} // namespace sampling
