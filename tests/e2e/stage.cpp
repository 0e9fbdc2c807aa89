// The scenes of the README's screenshots: the real program reading a colourful target, alone or
// with its About window open.
#include "tests/e2e/stage.h"

#include "tests/e2e/input.h"
#include "tests/e2e/process.h"
#include "tests/e2e/spy.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_facts.h"

#include "tests/support/capture.h"
#include "tests/support/target_window.h"

#include "about/about_layout.h"
#include "app/main_layout.h"

#include <cstdio>
#include <exception>
#include <string>

namespace e2e {
namespace {

using test_support::Capture;
using test_support::ScreenPixel;
using test_support::TargetWindow;

// Colours that change from pixel to pixel in soft steps, so that the magnifier shows distinct
// blocks that look well in a picture.
COLORREF Gradient(int x, int y) {
    return RGB((x * 23 + y * 5) & 0xFF, (y * 29 + 40) & 0xFF, (200 - x * 11 + y * 3) & 0xFF);
}

// The main window shows the reading of the pixel under the pointer: its swatch has that pixel's
// colour, and the magnifier its grid.
bool ShowsThePointersPixel(const VorlithProcess& app) {
    const COLORREF pointed = ScreenPixel(PointerPosition());
    const POINT swatch = ClientCentre(app.Control(app::layout::kIdPicColorDisplay));
    const Capture view = Capture::Client(app.Control(app::layout::kIdPicZoom));
    return ScreenPixel(swatch) == pointed && view.At(0, 0) == 0x808080;
}

} // namespace

int StageScreenshot(const std::wstring& readyFile, int maxSeconds, Scene scene) {
    try {
        VorlithProcess app = VorlithProcess::Launch();
        const ProgramSpy spy(app.Main(), app.ThreadId());
        TargetWindow target(RECT{20, 20, 140, 140}, &Gradient);
        const HWND grid = app.Control(app::layout::kIdChkGrid);
        MouseClick(ClientCentre(grid));
        // The click has been handled before the pointer moves on; otherwise its button events,
        // still queued, could put the pointer back on the check box.
        if (!WaitUntil([&] { return SendWithTimeout(grid, BM_GETCHECK, 0, 0) == BST_CHECKED; })) {
            std::fprintf(stderr, "\"Show Grid\" was not ticked\n");
            return 1;
        }
        MakeForeground(app.Main());
        MovePointer(target.Centre());
        const auto onTarget = [&] {
            const POINT at = PointerPosition();
            return at.x == target.Centre().x && at.y == target.Centre().y &&
                   ShowsThePointersPixel(app);
        };
        if (!WaitUntil(onTarget)) {
            std::fprintf(stderr, "the main window does not show the target's reading\n");
            return 1;
        }

        RECT rect = WindowRect(app.Main());
        if (scene == Scene::About) {
            MouseClick(ClientCentre(app.Control(app::layout::kIdCmdAbout)));
            HWND about = nullptr;
            if (!WaitUntil([&] {
                    about = app.VisibleWindowOfClass(about::layout::kAboutClassName);
                    return about != nullptr;
                })) {
                std::fprintf(stderr, "the About window did not open\n");
                return 1;
            }
            // The reading behind it goes on: back to the target for two ticks (About covers the
            // swatch), and the picture takes both windows.
            MovePointer(target.Centre());
            const long ticks = spy.MainTicks();
            if (!WaitUntil([&] { return spy.MainTicks() - ticks >= 2; })) {
                std::fprintf(stderr, "the main window does not tick behind About\n");
                return 1;
            }
            const RECT aboutRect = WindowRect(about);
            UnionRect(&rect, &rect, &aboutRect);
        }
        const std::string geometry = std::to_string(rect.right - rect.left) + "x" +
                                     std::to_string(rect.bottom - rect.top) + "+" +
                                     std::to_string(rect.left) + "+" + std::to_string(rect.top);
        HANDLE file = CreateFileW(readyFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            std::fprintf(stderr, "cannot write the ready file\n");
            return 1;
        }
        DWORD written = 0;
        WriteFile(file, geometry.data(), static_cast<DWORD>(geometry.size()), &written, nullptr);
        CloseHandle(file);

        WaitUntil([&] { return GetFileAttributesW(readyFile.c_str()) == INVALID_FILE_ATTRIBUTES; },
                  Millis{maxSeconds * 1000});
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "staging failed: %s\n", e.what());
        return 1;
    }
}

} // namespace e2e
