// The base of every window of the program, top-level or child: one window procedure that finds
// the C++ object behind a window and hands it the window's messages.
#pragma once

#include <windows.h>

namespace platform {

class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hWnd() const noexcept { return hwnd_; }

    // The object behind a window of one of the program's own classes, or null.
    static Window* FromHandle(HWND hwnd) noexcept;

    // From now on no handler of the program runs: the windows only paint themselves as they
    // were, and every other message gets the system's default treatment (a close is ignored).
    // For the end of the program with a report, whose message box runs a loop of its own.
    static void StopHandlers() noexcept;

  protected:
    // Registers a window class of the program once; later calls with the same name do nothing.
    static void RegisterWindowClass(const wchar_t* className, HBRUSH background);

    // Creates a window of one of the program's classes with this object behind it.
    HWND CreateWindowObject(DWORD exStyle, const wchar_t* className, const wchar_t* caption,
                            DWORD style, const RECT& place, HWND parent, HMENU menuOrId);
    // Takes a window of a system class (an edit box, a button) as this object's window. Its
    // messages do not come here: its parent hears of it.
    void Attach(HWND hwnd) noexcept { hwnd_ = hwnd; }

    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

} // namespace platform
