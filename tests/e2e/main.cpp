// Entry point of the end-to-end driver: GoogleTest, plus --vorlith=PATH to name the program and
// --stage-screenshot=FILE to set the scene for a README picture instead of testing
// (--scene=about for the About window; the main window by default).
#include "tests/e2e/process.h"
#include "tests/e2e/stage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::wstring Widen(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<size_t>(length) : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

const char* FlagValue(const char* argument, const char* flag) {
    const size_t length = std::strlen(flag);
    return std::strncmp(argument, flag, length) == 0 ? argument + length : nullptr;
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Pixel coordinates of the program's windows as they are, whatever the density.
    SetProcessDPIAware();
    const char* stageFile = nullptr;
    e2e::Scene scene = e2e::Scene::Main;
    for (int i = 1; i < argc; ++i) {
        if (const char* path = FlagValue(argv[i], "--vorlith=")) {
            e2e::SetVorlithPath(Widen(path));
        } else if (const char* file = FlagValue(argv[i], "--stage-screenshot=")) {
            stageFile = file;
        } else if (const char* name = FlagValue(argv[i], "--scene=")) {
            if (std::strcmp(name, "about") == 0) {
                scene = e2e::Scene::About;
            } else if (std::strcmp(name, "main") != 0) {
                std::fprintf(stderr, "unknown scene %s (main or about)\n", name);
                return 2;
            }
        }
    }
    if (stageFile != nullptr) {
        return e2e::StageScreenshot(Widen(stageFile), 120, scene);
    }
    return RUN_ALL_TESTS();
}
