// The clipboard as another program on the desktop uses it: text put on it and read back, and
// the clipboard held open.
#pragma once

#include <string>

namespace test_support {

// The clipboard's text (CF_UNICODETEXT), or "(no text)".
std::wstring ClipboardText();
void SetClipboardText(const std::wstring& text);

// Holds the clipboard open for as long as it lives, as a program does while it reads or writes.
class HeldClipboard {
  public:
    HeldClipboard();
    HeldClipboard(const HeldClipboard&) = delete;
    HeldClipboard& operator=(const HeldClipboard&) = delete;
    ~HeldClipboard();
    explicit operator bool() const noexcept { return open_; }

  private:
    bool open_ = false;
};

} // namespace test_support
