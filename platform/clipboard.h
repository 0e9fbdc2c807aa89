// The clipboard, which every program on the desktop shares: text put on it without ever losing
// what another program left there.
#pragma once

#include <windows.h>

#include <string_view>

namespace platform {

// Puts text on the clipboard as CF_UNICODETEXT, for `owner`. While another program holds the
// clipboard open it tries again for a moment (well under a second); false when it could not,
// and then the clipboard holds what it held before.
bool CopyTextToClipboard(HWND owner, std::wstring_view text);

} // namespace platform
