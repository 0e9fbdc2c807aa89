// A control: a child window of a form, placed by its rectangle in twips.
#pragma once

#include "platform/accessible.h"
#include "platform/twips.h"
#include "platform/window.h"

#include <string>

namespace platform {

class Form;

enum class Align { Left, Centre };

// What every control is made with: its identifier among the form's children, its name (which
// an error report gives when it cannot be made), its place, and what a screen reader calls it
// (null: what the system calls it, from its caption or the label before it).
struct ChildDesign {
    int id;
    const wchar_t* name;
    TwipRect place;
    const wchar_t* spokenName = nullptr;
};

class Control : public Window {
  public:
    ~Control() override;

    int Id() const noexcept { return design_.id; }

    // Moves the control to its place at the form's current density, in its font.
    virtual void LayOut();
    // The control's font: the form's, unless the control has one of its own.
    virtual HFONT Font() const;
    // The brush for WM_CTLCOLOR*: null leaves the colours to the system.
    virtual HBRUSH OnCtlColor(HDC) { return nullptr; }
    // The system colours have changed. The system tells only top-level windows, so the form
    // passes it on: a control remakes what it made from the old colours, then its window hears
    // of it.
    virtual void OnSysColorChange();
    // The form's window is gone and the control's with it: the handle is forgotten, so that it
    // is never used once the system has given it to another window.
    void ForgetWindow() noexcept { Attach(nullptr); }

    // What a screen reader hears as the control's value, made only when a reader asks. Set
    // before the control is created.
    void SetSpokenValue(const SpokenValue& value) noexcept { spoken_.SetValue(value); }
    // Makes the control a live region for screen readers. Set before the control is created.
    void SetLiveSetting(LiveSetting setting) noexcept { spoken_.SetLiveSetting(setting); }
    // Tells screen readers that the control's value has changed, for a reader on the control to
    // announce it.
    void AnnounceValueChange() const;
    // Tells screen readers that the live region has changed, for a reader to announce it
    // wherever its focus is.
    void AnnounceLiveRegionChange() const;

  protected:
    // Creates the child window, of a system class or (ownClass) of the program's own with this
    // object behind it, and registers it with the form. Ends the program with a report naming
    // the control (as a `kind`: "text box") when the window cannot be made. A screen reader
    // is told the design's spoken name and, unless it is 0, `spokenRole` (ROLE_SYSTEM_*).
    void CreateChild(Form& form, const ChildDesign& design, const wchar_t* kind,
                     const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle,
                     bool ownClass = false, long spokenRole = 0);
    Form& OwnerForm() const noexcept { return *form_; }

    // A control of the program's own class answers a screen reader here.
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // A control of a system class answers a screen reader through this procedure, set in front
    // of the system's.
    static LRESULT CALLBACK SpokenSystemControlProc(HWND hwnd, UINT message, WPARAM wParam,
                                                    LPARAM lParam);
    // The system's procedure back in front, and the window's pointer to this object cleared.
    void GiveBackSystemProc(HWND hwnd) noexcept;

    Form* form_ = nullptr;
    ChildDesign design_{};
    AccessibleControl spoken_;
    WNDPROC systemProc_ = nullptr;
};

} // namespace platform
