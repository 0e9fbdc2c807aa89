// A real main window in the test's own process, shown and ready for its handlers to be called.
#pragma once

#include "about/about_layout.h"
#include "app/frm_main.h"
#include "platform/twips.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

namespace window_tests {

class MainWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        form_ = std::make_unique<app::FrmMain>();
        form_->Show();
        // The tests call the tick themselves; the timer's own ticks would race them.
        form_->Timer1.SetEnabled(false);
    }
    void TearDown() override { form_.reset(); }
    // The window object goes, its windows still up, as at the end of every test.
    void DestroyForm() { form_.reset(); }

    app::FrmMain& Form() { return *form_; }
    // The magnifier and the reading of the main window, to be driven with points and colours
    // of the test's own.
    magnifier::ZoomView& Zoom() { return form_->zoom_; }
    const sampling::ColourReadout& Readout() { return form_->readout_; }

  private:
    std::unique_ptr<app::FrmMain> form_;
};

// A window's density as the system gives it: pixel coordinates in a test come from it and the
// layout's twips, so that the test holds on a desktop of any density.
inline int DpiOfWindow(HWND hwnd) {
    return static_cast<int>(GetDpiForWindow(hwnd));
}

// A point of a window's client area given in twips, in pixels at the window's density.
inline POINT TwipsPoint(HWND hwnd, int xTwips, int yTwips) {
    const int dpi = DpiOfWindow(hwnd);
    return {platform::TwipsToPixels(xTwips, dpi), platform::TwipsToPixels(yTwips, dpi)};
}

// The About window's etched separator at the window's density: a column in the middle of its
// lines, the row of the shadow line Line1(1) and that of the highlight line Line1(0) below it.
struct Separator {
    int x;
    int shadowRow;
    int highlightRow;
};

inline Separator AboutSeparator(HWND about) {
    const platform::TwipLine& shadow = about::layout::kLine1[1];
    const platform::TwipLine& highlight = about::layout::kLine1[0];
    const POINT middle = TwipsPoint(about, (highlight.x1 + highlight.x2) / 2, shadow.y1);
    return {middle.x, middle.y, TwipsPoint(about, 0, highlight.y1).y};
}

} // namespace window_tests
