// A real main window in the test's own process, shown and ready for its handlers to be called.
#pragma once

#include "app/frm_main.h"

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

    app::FrmMain& Form() { return *form_; }
    // The magnifier and the reading of the main window, to be driven with points and colours
    // of the test's own.
    magnifier::ZoomView& Zoom() { return form_->zoom_; }
    const sampling::ColourReadout& Readout() { return form_->readout_; }

  private:
    std::unique_ptr<app::FrmMain> form_;
};

} // namespace window_tests
