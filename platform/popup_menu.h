// A shortcut menu: made when it is to open, shown at a point of the screen, and destroyed with
// this object.
#pragma once

#include "platform/gdi.h"

#include <windows.h>

namespace platform {

class PopupMenu {
  public:
    PopupMenu() : menu_(CreatePopupMenu()) {}

    // An item that gives `id` (not 0) when chosen; "&" marks its access key and a tab puts a
    // shortcut's name at its right. A disabled item shows greyed and cannot be chosen.
    void Add(int id, const wchar_t* text, bool enabled = true);
    // Opens the menu with its top-left corner at `screen` and returns the id of the item chosen,
    // or 0 when it was closed without a choice (Esc, a click elsewhere). `owner` hears the
    // menu's loop begin and end (WM_ENTERMENULOOP, WM_EXITMENULOOP).
    int Choose(HWND owner, POINT screen) const;

  private:
    Unique<HMENU, &DestroyMenu> menu_;
};

} // namespace platform
