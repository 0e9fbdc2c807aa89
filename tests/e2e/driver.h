// Drives a running vorlith.exe from outside, as a user would: the pointer, the keys, clicks,
// the screen's pixels, and the texts and states of its windows.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

using Millis = std::chrono::milliseconds;

// How long a change that the program should make may take: many ticks of 50 ms, with room for
// a slow machine. Waits end as soon as the change is seen.
inline constexpr Millis kPatience{5000};
// How long to watch for a change that must NOT happen: ten ticks.
inline constexpr Millis kQuietPeriod{500};

// The program under test: beside the driver, unless --vorlith=PATH or VORLITH_EXE names it.
void SetVorlithPath(std::wstring path);
std::wstring VorlithPath();

// Runs the driver's own messages, so that its target windows paint.
void PumpMessages();
// Asks done() until it answers true or the timeout passes, running messages between asks.
bool WaitUntil(const std::function<bool()>& done, Millis timeout = kPatience);
// Runs messages for a fixed time: only for showing that something does not happen.
void Idle(Millis duration);

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
    DWORD ProcessId() const noexcept { return pid_; }
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

// Window facts, read from another process.
std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);
LONG_PTR Style(HWND hwnd);
LONG_PTR ExStyle(HWND hwnd);
// A child's window rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);
SIZE ClientSize(HWND hwnd);
// A point of a window's client area on the screen.
POINT ClientToScreenPoint(HWND hwnd, int x, int y);
// The middle of a window's client area on the screen.
POINT ClientCentre(HWND hwnd);
// The window with the keyboard focus in a thread, or null.
HWND FocusOf(DWORD threadId);

// The screen point of a window's close box, asked of the window itself (WM_NCHITTEST).
std::optional<POINT> CloseBoxPoint(HWND hwnd);

// Makes a window the foreground window, so that keys go to it; false when it did not become so.
bool MakeForeground(HWND hwnd);

// A window of the driver's own, filled with one colour or a pattern: the pixels that the
// program reads.
// Topmost, never activated, so that the program's window keeps the keyboard.
class TargetWindow {
  public:
    // A picture of the window's client point (x, y).
    using Pattern = COLORREF (*)(int x, int y);

    TargetWindow(RECT screenRect, COLORREF colour);
    TargetWindow(RECT screenRect, Pattern pattern);
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;
    ~TargetWindow();

    // Repaints in one colour and waits until the screen shows it.
    void SetColour(COLORREF colour);
    COLORREF Colour() const noexcept { return colour_; }
    POINT Centre() const noexcept;
    HWND Handle() const noexcept { return hwnd_; }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    void Create();
    COLORREF ColourAt(int x, int y) const;

    HWND hwnd_ = nullptr;
    RECT rect_{};
    COLORREF colour_ = 0;
    Pattern pattern_ = nullptr;
};

// The pointer.
void MovePointer(POINT screen);
POINT PointerPosition();
// A real left click at a point of the screen (moves the pointer there).
void MouseClick(POINT screen);

// Presses and releases a key with modifiers held (VK_CONTROL, VK_SHIFT, VK_MENU), through the
// system's input queue: it goes to the foreground window like a typed key.
void PressKey(WORD vk, const std::vector<WORD>& modifiers = {});

// Clicks a button by message, as the keyboard or an accessibility tool would.
void ClickButton(HWND button);
// Sends a message and waits at most two seconds for the answer (the target may be ending).
LRESULT SendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The colour of a screen pixel (screen coordinates, any monitor), read through the screen's DC.
COLORREF ScreenPixel(POINT screen);

// A rectangle of the screen (screen coordinates, any monitor), read in one go.
class ScreenCapture {
  public:
    explicit ScreenCapture(RECT screenRect);

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    // The pixel at (x, y) from the rectangle's top-left corner.
    COLORREF At(int x, int y) const;

    friend bool operator==(const ScreenCapture& a, const ScreenCapture& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
    }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

// A window's client area as the screen shows it.
ScreenCapture CaptureClient(HWND hwnd);

// What the magnifier should show: each pixel of `source` (the screen pixels that the view's
// blocks come from, the first at `source`'s top-left) as a zoom x zoom block from the view's
// top-left corner, with the dotted grid (0x808080 where x + y is even, 0xC0C0C0 where odd) on
// every block's first column and row when `grid` is set. View pixels inside `skip` are not
// compared. Returns the first few differences, or an empty text when there are none.
std::string ZoomViewDifferences(const ScreenCapture& view, const ScreenCapture& source, int zoom,
                                bool grid, RECT skip);
// The view pixels that differ from what the magnifier should show, as above, in rows from the
// top: the marks drawn over the magnified picture (the eyedropper).
std::vector<POINT> ZoomViewMarks(const ScreenCapture& view, const ScreenCapture& source, int zoom,
                                 bool grid);

} // namespace e2e
