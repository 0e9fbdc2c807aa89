// A top-level window of the program with a fixed frame, laid out in twips, holding controls.
#pragma once

#include "platform/control.h"
#include "platform/gdi.h"
#include "platform/image.h"
#include "platform/line.h"
#include "platform/twips.h"
#include "platform/window.h"

#include <cstdint>
#include <vector>

namespace platform {

enum class FrameStyle {
    FixedDialog, // no icon in the title bar
    FixedSingle, // the icon in the title bar
};

enum class StartPosition { CenterScreen, CenterOwner };

struct FormDesign {
    const wchar_t* className;
    const wchar_t* name; // for an error report
    const wchar_t* caption;
    int clientWidth;  // twips
    int clientHeight; // twips
    FrameStyle frame;
    StartPosition start;
    int iconId;
    bool keyPreview;
    bool endsProgramOnClose; // the program's main window
};

class Form : public Window {
  public:
    explicit Form(const FormDesign& design) : design_(design) {}

    // Creates the window and its controls, hidden, then runs Form_Load. Ends the program with a
    // report when the window or one of its controls cannot be made.
    void Load(HWND owner = nullptr);
    bool IsLoaded() const noexcept { return hWnd() != nullptr; }
    // Loads the window if needed, places it and shows it with the focus on its first control.
    void Show();
    // Shows the window modally over the active window: returns when it has been closed. The
    // other windows of the program take no input meanwhile.
    void ShowModal();
    // Closes the window and destroys its controls; the object stays and can load again.
    void Unload();

    int Dpi() const noexcept { return dpi_; }
    PixelRect ToPixels(const TwipRect& rect) const { return TwipsToPixels(rect, dpi_); }
    HFONT DefaultFont() const noexcept { return font_.get(); }
    bool KeyPreview() const noexcept { return design_.keyPreview; }

    // Called for every key press while the window or one of its controls has the focus, before
    // the control sees it, when the form has key preview.
    virtual void Form_KeyDown(std::int16_t& keyCode, std::int16_t& shift);

    // A key pressed on a control of the program's own class that takes it (the arrow keys on a
    // picture box), with the modifier state as for Form_KeyDown.
    virtual void OnControlKey(int /*controlId*/, unsigned /*key*/, std::int16_t /*shift*/) {}
    // A control of the program's own class asks for its shortcut menu (a right click,
    // Shift+F10 or the Menu key), to open at a point of the screen.
    virtual void OnControlMenu(int /*controlId*/, POINT /*screen*/) {}

    // A menu's own loop runs for the window (a shortcut menu it opened, its system menu): the
    // menu takes the keys and clicks from the queue itself meanwhile.
    bool InMenuLoop() const noexcept { return menuLoop_; }

    // Paints what the form draws on its own surface (its lines and images) into dc.
    void Paint(HDC dc) const;

    // Controls announce themselves when created, so that the form can route their messages.
    void Register(Control& control) { controls_.push_back(&control); }
    void Contain(Image& image) { images_.push_back(&image); }
    void Contain(Line& line) { lines_.push_back(&line); }

  protected:
    virtual void CreateControls() = 0;
    virtual void Form_Load() {}
    // The controls are in their places, after loading and after a change of density: images
    // and whatever depends on the controls' sizes are placed here.
    virtual void OnLayOut() {}
    virtual void OnClick(int /*controlId*/) {}
    virtual void OnTimer(int /*timerId*/) {}
    // The dialog keys: Enter sends IDOK and Esc IDCANCEL.
    virtual void OnDialogKey(int /*command*/) {}
    // The density has changed and the form's font with it: fonts of the form's own making are
    // made anew here, before the controls are laid out again.
    virtual void OnDpiChanged() {}
    // The button that Enter presses, or 0 for none.
    virtual int DefaultButtonId() const { return 0; }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void LoadIcons();
    void MakeFont();
    void Place(HWND owner);
    void SetOuterSize();
    void ChangeDpi(int dpi, const RECT* suggested);
    bool RestoreFocus();
    bool OnActivate(bool active);
    void OnCommand(int id, int notification, bool fromControl);
    HBRUSH ControlColours(HWND control, HDC dc) const;
    void OnSysColorChange();
    void ForgetControls();
    LRESULT OnGetIcon(WPARAM which) const;
    Control* ControlOf(HWND hwnd) const;

    FormDesign design_;
    int dpi_ = kDefaultDpi;
    Font font_;
    Icon bigIcon_;
    Icon smallIcon_;
    std::vector<Control*> controls_;
    std::vector<Image*> images_;
    std::vector<Line*> lines_;
    HWND owner_ = nullptr;
    HWND lastFocus_ = nullptr;
    bool modal_ = false;
    bool menuLoop_ = false;
    std::vector<HWND> disabled_; // while modal
};

} // namespace platform
