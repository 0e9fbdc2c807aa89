// Launching vorlith.exe and finding its windows: the program under test as one process.
#pragma once

#include "tests/e2e/wait.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// The folder of the driver, where vorlith.exe and the spy DLL are built, with a trailing slash.
std::wstring DriverDirectory();

// The program under test: beside the driver, unless --vorlith=PATH or VORLITH_EXE names it.
void SetVorlithPath(std::wstring path);
std::wstring VorlithPath();

// One running vorlith.exe, ended when this object goes.
class VorlithProcess {
  public:
    // Starts the program and waits for its main window; throws std::runtime_error otherwise.
    static VorlithProcess Launch();

    VorlithProcess(VorlithProcess&& other) noexcept;
    VorlithProcess& operator=(VorlithProcess&&) = delete;
    VorlithProcess(const VorlithProcess&) = delete;
    ~VorlithProcess();

    HWND Main() const noexcept { return main_; }
    DWORD ThreadId() const noexcept { return tid_; }
    // The child control with this identifier; throws when the main window has none.
    HWND Control(int id) const;

    bool Running() const;
    // Waits for the process to end by itself.
    bool WaitForExit(Millis timeout = kPatience) const;
    // The visible top-level windows of the process.
    std::vector<HWND> VisibleTopLevelWindows() const;
    // Its visible top-level window of this class, or null.
    HWND VisibleWindowOfClass(std::wstring_view className) const;

  private:
    VorlithProcess(HANDLE process, HANDLE job, DWORD pid);
    void Terminate() noexcept;

    HANDLE process_ = nullptr;
    HANDLE job_ = nullptr;
    DWORD pid_ = 0;
    DWORD tid_ = 0;
    HWND main_ = nullptr;
};

} // namespace e2e
