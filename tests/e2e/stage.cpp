// The scenes of the README's screenshots: the real program reading a colourful target, alone or
// with its About window open.
#include "tests/e2e/stage.h"

#include "tests/e2e/driver.h"

#include "about/about_layout.h"
#include "app/main_layout.h"

#include <cstdio>
#include <exception>
#include <string>

namespace e2e {
namespace {

// Colours that change from pixel to pixel, so that the magnifier shows distinct blocks.
COLORREF Mosaic(int x, int y) {
    return RGB((x * 23 + y * 5) & 0xFF, (y * 29 + 40) & 0xFF, (200 - x * 11 + y * 3) & 0xFF);
}

} // namespace

int StageScreenshot(const std::wstring& readyFile, int maxSeconds, Scene scene) {
    try {
        VorlithProcess app = VorlithProcess::Launch();
        TargetWindow target(RECT{20, 20, 140, 140}, &Mosaic);
        MouseClick(ClientCentre(app.Control(app::layout::kIdChkGrid)));
        MakeForeground(app.Main());
        MovePointer(target.Centre());
        Idle(Millis{1500});

        RECT rect{};
        GetWindowRect(app.Main(), &rect);
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
            // The reading behind it goes on: back to the target, and the picture takes both.
            MovePointer(target.Centre());
            Idle(Millis{1000});
            RECT aboutRect{};
            GetWindowRect(about, &aboutRect);
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
