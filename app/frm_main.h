// The main window: its controls, its state, and its handlers. The handlers are defined in
// the folder of the behaviour they belong to: sampling/, magnifier/, app/ and about/.
#pragma once

#include "platform/controls.h"
#include "platform/form.h"

#include <windows.h>

#include <cstdint>

namespace app {

class FrmMain final : public platform::Form {
  public:
    FrmMain();

    // The controls, in tab order.
    platform::PictureBox picColorDisplay;
    platform::Label Label1;
    platform::TextBox txtHTML;
    platform::Label Label5;
    platform::TextBox txtVB;
    platform::CommandButton cmdAbout;
    platform::CommandButton cmdExit;
    platform::TextBox txtRed;
    platform::TextBox txtGreen;
    platform::TextBox txtBlue;
    platform::Label Label2;
    platform::PictureBox picZoom;
    platform::Image Image1; // inside picZoom
    platform::CheckBox chkGrid;
    platform::CheckBox chkOnTop;
    platform::Timer Timer1;

    // The pointer position of the last tick, in screen pixels.
    POINT CursorPos{};
    // The magnification of picZoom and the spacing of its grid.
    float ZoomFactor = 0.0f;

    // Sampling (sampling/sampling_tick.cpp).
    void Timer1_Timer();
    // Writes one reading into the text boxes and the swatch: a colour read from the screen,
    // or CLR_INVALID when the pixel could not be read.
    void ShowReading(COLORREF colour);

    // Commands (app/commands.cpp, about/about_command.cpp).
    void Form_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void chkOnTop_Click();
    void cmdExit_Click();
    void cmdAbout_Click();

    // Magnifier (magnifier/zoom_view.cpp, magnifier/grid_overlay.cpp): steps of the tick.
    void UpdateZoom(const POINT& point);
    void DrawZoomGrid();
    HBRUSH MakeCheckerBrush(HDC dc, int firstColour, int secondColour);

  protected:
    bool CreateControls() override;
    void Form_Load() override;
    void OnClick(int controlId) override;
    void OnTimer(int timerId) override;
};

} // namespace app
