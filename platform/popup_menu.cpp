// Shortcut menus through TrackPopupMenuEx, the choice returned rather than sent as a command.
#include "platform/popup_menu.h"

namespace platform {

void PopupMenu::Add(int id, const wchar_t* text, bool enabled) {
    AppendMenuW(menu_.get(), MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED),
                static_cast<UINT_PTR>(id), text);
}

int PopupMenu::Choose(HWND owner, POINT screen) const {
    // The owner must be the foreground window for the menu to close when the user clicks
    // elsewhere; it is, since the menu opens on its click or key. The choice comes back here
    // (TPM_RETURNCMD), so the item's handler runs once the menu is gone.
    const BOOL chosen = TrackPopupMenuEx(
        menu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x,
        screen.y, owner, nullptr);
    return static_cast<int>(chosen);
}

} // namespace platform
