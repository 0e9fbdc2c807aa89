// The main window: its controls, the pointer position, and the handlers that compose the
// reading, the magnifier and the About window into one tick and a few commands.
#pragma once

#include "about/about_box.h"
#include "magnifier/zoom_view.h"
#include "platform/buttons.h"
#include "platform/form.h"
#include "platform/image.h"
#include "platform/label.h"
#include "platform/picture_box.h"
#include "platform/text_box.h"
#include "platform/timer.h"
#include "sampling/colour_readout.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace window_tests {
class MainWindowTest;
} // namespace window_tests

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

    void Timer1_Timer();
    void Form_KeyDown(std::int16_t& keyCode, std::int16_t& shift) override;
    void chkOnTop_Click();
    void cmdExit_Click();
    void cmdAbout_Click();
    // An arrow key on the swatch or the magnified view moves the pointer.
    void NudgePointer(std::int16_t keyCode, std::int16_t shift);
    // Ctrl+C on the swatch or the magnified view: the HTML code shown onto the clipboard.
    void CopyHtmlCode() const;
    // The shortcut menu of the swatch and the magnified view, at a point of the screen.
    void ShowCopyMenu(POINT screen) const;

  protected:
    void CreateControls() override;
    void Form_Load() override;
    void OnLayOut() override;
    void OnClick(int controlId) override;
    void OnTimer(int timerId) override;
    void OnControlKey(int controlId, unsigned key, std::int16_t shift) override;
    void OnControlMenu(int controlId, POINT screen) override;

  private:
    // Puts a code on the clipboard, or beeps when another program keeps it.
    void PutOnClipboard(const std::wstring& text) const;

    // The window tests drive the magnifier and the reading directly, with points and colours
    // of their own instead of the pointer's.
    friend class window_tests::MainWindowTest;

    // What the window is made of: the magnifier in picZoom, the reading in the five boxes and
    // the swatch, and the About window. Only the window's own handlers use them.
    magnifier::ZoomView zoom_{picZoom, chkGrid};
    sampling::ColourReadout readout_{{txtHTML, txtRed, txtGreen, txtBlue, txtVB, picColorDisplay}};
    about::AboutBox aboutBox_;

    // Ticks under way: 0 between ticks, 1 while one lets pending events run (more when a tick
    // runs inside that).
    int ticking_ = 0;
    // The reading froze while a tick let events run: that tick's reading is the frozen one, and
    // a screen reader hears of it once the tick has taken it.
    bool announceAfterTick_ = false;
};

} // namespace app
