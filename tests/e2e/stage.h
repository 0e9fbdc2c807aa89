// Sets the scene for the README's pictures: the main window at work, and the About window.
#pragma once

#include <string>

namespace e2e {

enum class Scene {
    Main,  // the main window reading a colourful target
    About, // the same, with the About window open over it
};

// Starts the program beside a colourful target with the pointer on it and the grid shown (and
// opens About for Scene::About), then writes the place of what is to be pictured ("WxH+X+Y") to
// readyFile and keeps the scene until that file is deleted or maxSeconds have passed. Returns
// the process exit code.
int StageScreenshot(const std::wstring& readyFile, int maxSeconds, Scene scene = Scene::Main);

} // namespace e2e
