// One reading of the screen: the colour of the pixel at a point, written into the five text
// boxes and the swatch of the main window.
#pragma once

#include "platform/picture_box.h"
#include "platform/text_box.h"

#include <windows.h>

#include <optional>
#include <string>

namespace sampling {

// The controls a reading is written into, in the order they are written.
struct ReadoutControls {
    platform::TextBox& txtHTML;
    platform::TextBox& txtRed;
    platform::TextBox& txtGreen;
    platform::TextBox& txtBlue;
    platform::TextBox& txtVB;
    platform::PictureBox& picColorDisplay;
};

// The colour the swatch shows in the forms a user copies, each exactly as the boxes give it.
struct ShownCodes {
    std::wstring html; // #123456
    std::wstring vb;   // &H00563412&
    std::wstring rgb;  // RGB(18, 52, 86)
};

class ColourReadout {
  public:
    // Before the controls are created: a screen reader hears the swatch's colour as its value.
    explicit ColourReadout(const ReadoutControls& controls);

    // Reads the screen pixel at `point` (screen coordinates, any monitor) once and shows it.
    void ReadPixel(POINT point) const;
    // Shows a colour read from the screen, or CLR_INVALID when the pixel could not be read.
    void Show(COLORREF colour) const;
    // Tells screen readers to announce the colour that the swatch shows now (the reading has
    // frozen on it), wherever their focus is.
    void AnnounceColour() const;
    // The codes of the colour that the swatch shows now, live or frozen, made only when asked;
    // nothing while it shows none (the pixel could not be read).
    std::optional<ShownCodes> Codes() const;

  private:
    ReadoutControls controls_;
};

} // namespace sampling
