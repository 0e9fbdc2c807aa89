// Sets the scene for a picture of the main window at work.
#pragma once

#include <string>

namespace e2e {

// Starts the program beside a colourful target with the pointer on it and the grid shown, then
// writes the main window's place ("WxH+X+Y") to readyFile and keeps the scene until that file
// is deleted or maxSeconds have passed. Returns the process exit code.
int StageScreenshot(const std::wstring& readyFile, int maxSeconds);

} // namespace e2e
