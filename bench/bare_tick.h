// The operating-system calls that one tick has to make, on windows like the main window's, with
// none of the program's code between them: the floor that the real tick is measured against.
#pragma once

#include "tests/support/target_window.h"

#include <windows.h>

#include <optional>
#include <string>

namespace bench {

class BareWindows {
  public:
    // A top-level window with a 77 x 77 picture (a memory DC as its image, painted with one
    // BitBlt and the eyedropper icon over it), a swatch, and the five EDIT boxes.
    explicit BareWindows(HICON eyedropper);
    BareWindows(const BareWindows&) = delete;
    BareWindows& operator=(const BareWindows&) = delete;
    ~BareWindows();

    HWND hWnd() const noexcept { return frame_; }

    // Fixes the texts that the sequence writes: those of the colour under the pointer.
    void SetTexts(const std::wstring& html, const std::wstring& red, const std::wstring& green,
                  const std::wstring& blue, const std::wstring& vb);

    // Ticks or clears the bare window's grid box, which the sequence reads like the real one.
    void SetGridBox(bool ticked);

    // One tick's worth of calls; a ticked grid box adds the checker brush and the 24 lines.
    void Tick();

  private:
    HWND frame_ = nullptr;
    HWND picture_ = nullptr;
    std::optional<test_support::TargetWindow> swatch_;
    HWND boxes_[5]{};
    HWND check_ = nullptr;
    std::wstring texts_[5];
    HDC image_ = nullptr;
    HBITMAP imageBitmap_ = nullptr;
    HGDIOBJ imageOriginal_ = nullptr;
    HFONT font_ = nullptr;
};

} // namespace bench
