// Entry point of the end-to-end driver: GoogleTest, plus --vorlith=PATH to name the program.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    constexpr char kPathFlag[] = "--vorlith=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kPathFlag, sizeof kPathFlag - 1) == 0) {
            const std::string path = argv[i] + sizeof kPathFlag - 1;
            e2e::SetVorlithPath(std::wstring(path.begin(), path.end()));
        }
    }
    // Pixel coordinates of the program's windows as they are, whatever the density.
    SetProcessDPIAware();
    return RUN_ALL_TESTS();
}
