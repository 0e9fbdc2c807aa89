// The About window as the main window asks for it: one instance for the whole run, made on
// first use and shown modally each time.
#pragma once

#include <memory>

namespace about {

class FrmAbout;

class AboutBox {
  public:
    AboutBox();
    AboutBox(const AboutBox&) = delete;
    AboutBox& operator=(const AboutBox&) = delete;
    ~AboutBox();

    // Shows the About window over the active window; returns when it has been closed. The
    // other windows of the program take no input meanwhile.
    void Show();

  private:
    std::unique_ptr<FrmAbout> frmAbout_;
};

} // namespace about
