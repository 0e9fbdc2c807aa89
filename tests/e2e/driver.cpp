// The end-to-end driver: starting vorlith.exe, finding its windows, the pointer, keys, clicks
// and screen pixels.
#include "tests/e2e/driver.h"

#include "app/main_layout.h"

#include <sstream>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

std::wstring& PathOverride() {
    static std::wstring path;
    return path;
}

std::string Narrow(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text) {
        out += (c > 0 && c < 128) ? static_cast<char>(c) : '?';
    }
    return out;
}

std::wstring ModuleDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring{} : path.substr(0, slash + 1);
}

struct MainWindowSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMainWindowOf(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<MainWindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && IsWindowVisible(hwnd) &&
        ClassName(hwnd) == app::layout::kMainClassName) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct WindowList {
    DWORD pid;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectVisibleWindowsOf(HWND hwnd, LPARAM lParam) {
    auto* list = reinterpret_cast<WindowList*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == list->pid && IsWindowVisible(hwnd)) {
        list->windows.push_back(hwnd);
    }
    return TRUE;
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT MouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

constexpr wchar_t kTargetClass[] = L"VorlithE2eTarget";

} // namespace

void SetVorlithPath(std::wstring path) {
    PathOverride() = std::move(path);
}

std::wstring VorlithPath() {
    if (!PathOverride().empty()) {
        return PathOverride();
    }
    wchar_t fromEnvironment[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"VORLITH_EXE", fromEnvironment, MAX_PATH) > 0) {
        return fromEnvironment;
    }
    return ModuleDirectory() + L"vorlith.exe";
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool WaitUntil(const std::function<bool()>& done, Millis timeout) {
    const auto end = Clock::now() + timeout;
    for (;;) {
        PumpMessages();
        if (done()) {
            return true;
        }
        if (Clock::now() >= end) {
            return false;
        }
        Sleep(10);
    }
}

void Idle(Millis duration) {
    const auto end = Clock::now() + duration;
    while (Clock::now() < end) {
        PumpMessages();
        Sleep(10);
    }
}

// --- VorlithProcess ---------------------------------------------------------------------

VorlithProcess VorlithProcess::Launch() {
    const std::wstring path = VorlithPath();
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        throw std::runtime_error("the program is missing: " + Narrow(path));
    }
    // The job ends the program with the driver, should the driver die before a test's end.
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (job != nullptr) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Wine now and then refuses a start right after a process of the prefix has ended
    // (ERROR_INTERNAL_ERROR, 1359); a second try a moment later goes through.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0) {
            Sleep(200);
        }
        started = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                 CREATE_SUSPENDED, nullptr, nullptr, &startup, &info) != FALSE;
    }
    if (!started) {
        if (job != nullptr) {
            CloseHandle(job);
        }
        throw std::runtime_error("CreateProcess failed for " + Narrow(path) + ", error " +
                                 std::to_string(GetLastError()));
    }
    if (job != nullptr) {
        AssignProcessToJobObject(job, info.hProcess);
    }
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);

    VorlithProcess process(info.hProcess, job, info.dwProcessId);
    MainWindowSearch search{info.dwProcessId, nullptr};
    const bool shown = WaitUntil(
        [&] {
            EnumWindows(&FindMainWindowOf, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr || !process.Running();
        },
        Millis{15000});
    if (!shown || search.found == nullptr) {
        throw std::runtime_error(process.Running() ? "no main window within 15 s"
                                                   : "the program ended before showing a window");
    }
    process.main_ = search.found;
    process.tid_ = GetWindowThreadProcessId(search.found, nullptr);
    return process;
}

VorlithProcess::VorlithProcess(HANDLE process, HANDLE job, DWORD pid)
    : process_(process), job_(job), pid_(pid) {}

VorlithProcess::VorlithProcess(VorlithProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), job_(std::exchange(other.job_, nullptr)),
      pid_(other.pid_), tid_(other.tid_), main_(other.main_) {}

VorlithProcess::~VorlithProcess() {
    Terminate();
}

void VorlithProcess::Terminate() noexcept {
    if (process_ != nullptr) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
        process_ = nullptr;
    }
    if (job_ != nullptr) {
        CloseHandle(job_);
        job_ = nullptr;
    }
}

HWND VorlithProcess::Control(int id) const {
    HWND control = GetDlgItem(main_, id);
    if (control == nullptr) {
        throw std::runtime_error("the main window has no control " + std::to_string(id));
    }
    return control;
}

bool VorlithProcess::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool VorlithProcess::WaitForExit(Millis timeout) const {
    return WaitUntil([this] { return !Running(); }, timeout);
}

std::vector<HWND> VorlithProcess::VisibleTopLevelWindows() const {
    WindowList list{pid_, {}};
    EnumWindows(&CollectVisibleWindowsOf, reinterpret_cast<LPARAM>(&list));
    return list.windows;
}

HWND VorlithProcess::VisibleWindowOfClass(std::wstring_view className) const {
    for (HWND hwnd : VisibleTopLevelWindows()) {
        if (ClassName(hwnd) == className) {
            return hwnd;
        }
    }
    return nullptr;
}

// --- Window facts ------------------------------------------------------------------------

LRESULT SendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result);
    return static_cast<LRESULT>(result);
}

std::wstring WindowText(HWND hwnd) {
    // WM_GETTEXT, not GetWindowText: for another process's window GetWindowText returns the
    // caption stored at creation, not what an edit control holds now.
    const auto length = SendWithTimeout(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied =
        SendWithTimeout(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(hwnd, name, 256);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

LONG_PTR Style(HWND hwnd) {
    return GetWindowLongPtrW(hwnd, GWL_STYLE);
}

LONG_PTR ExStyle(HWND hwnd) {
    return GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
}

RECT RectInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE ClientSize(HWND hwnd) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

POINT ClientToScreenPoint(HWND hwnd, int x, int y) {
    POINT point{x, y};
    ClientToScreen(hwnd, &point);
    return point;
}

POINT ClientCentre(HWND hwnd) {
    const SIZE size = ClientSize(hwnd);
    return ClientToScreenPoint(hwnd, size.cx / 2, size.cy / 2);
}

HWND FocusOf(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(threadId, &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

std::optional<POINT> CloseBoxPoint(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    long sumX = 0;
    long sumY = 0;
    long hits = 0;
    // The close box lies in the title bar's right end: the middle of the points that say so.
    for (int y = rect.top; y < rect.top + 40 && y < rect.bottom; y += 2) {
        for (int x = rect.right - 1; x > rect.right - 80 && x > rect.left; x -= 2) {
            if (SendWithTimeout(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                sumX += x;
                sumY += y;
                ++hits;
            }
        }
    }
    if (hits == 0) {
        return std::nullopt;
    }
    return POINT{static_cast<LONG>(sumX / hits), static_cast<LONG>(sumY / hits)};
}

bool MakeForeground(HWND hwnd) {
    if (GetForegroundWindow() == hwnd) {
        return true;
    }
    SetForegroundWindow(hwnd);
    return WaitUntil([hwnd] { return GetForegroundWindow() == hwnd; }, Millis{2000});
}

// --- TargetWindow ------------------------------------------------------------------------

TargetWindow::TargetWindow(RECT screenRect, COLORREF colour) : rect_(screenRect), colour_(colour) {
    Create();
}

TargetWindow::TargetWindow(RECT screenRect, Pattern pattern)
    : rect_(screenRect), pattern_(pattern) {
    Create();
}

void TargetWindow::Create() {
    static const ATOM registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TargetWindow::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kTargetClass;
        return RegisterClassExW(&wc);
    }();
    if (registered == 0) {
        throw std::runtime_error("cannot register the target window class");
    }
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kTargetClass, L"",
                            WS_POPUP, rect_.left, rect_.top, rect_.right - rect_.left,
                            rect_.bottom - rect_.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                            this);
    if (hwnd_ == nullptr) {
        throw std::runtime_error("cannot create a target window");
    }
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd_);
    const POINT centre = Centre();
    const COLORREF expected = ColourAt(centre.x - rect_.left, centre.y - rect_.top);
    if (!WaitUntil([&] { return ScreenPixel(centre) == expected; })) {
        throw std::runtime_error("the target window does not show its colour on the screen");
    }
}

COLORREF TargetWindow::ColourAt(int x, int y) const {
    return pattern_ != nullptr ? pattern_(x, y) : colour_;
}

TargetWindow::~TargetWindow() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

void TargetWindow::SetColour(COLORREF colour) {
    colour_ = colour;
    pattern_ = nullptr;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
    if (!WaitUntil([this] { return ScreenPixel(Centre()) == colour_; })) {
        throw std::runtime_error("the target window does not show its new colour");
    }
}

POINT TargetWindow::Centre() const noexcept {
    return {(rect_.left + rect_.right) / 2, (rect_.top + rect_.bottom) / 2};
}

LRESULT CALLBACK TargetWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TargetWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        if (self != nullptr && self->pattern_ != nullptr) {
            for (int y = paint.rcPaint.top; y < paint.rcPaint.bottom; ++y) {
                for (int x = paint.rcPaint.left; x < paint.rcPaint.right; ++x) {
                    SetPixelV(dc, x, y, self->pattern_(x, y));
                }
            }
        } else if (self != nullptr) {
            HBRUSH brush = CreateSolidBrush(self->colour_);
            FillRect(dc, &paint.rcPaint, brush);
            DeleteObject(brush);
        }
        EndPaint(hwnd, &paint);
        return 0;
    }
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// --- Input and screen --------------------------------------------------------------------

void MovePointer(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    WaitUntil(
        [screen] {
            const POINT now = PointerPosition();
            return now.x == screen.x && now.y == screen.y;
        },
        Millis{1000});
}

POINT PointerPosition() {
    POINT point{};
    GetCursorPos(&point);
    return point;
}

void MouseClick(POINT screen) {
    MovePointer(screen);
    INPUT inputs[] = {MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)};
    SendInput(2, inputs, sizeof(INPUT));
}

void PressKey(WORD vk, const std::vector<WORD>& modifiers) {
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) {
        inputs.push_back(KeyInput(modifier, false));
    }
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
        inputs.push_back(KeyInput(*it, true));
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickButton(HWND button) {
    SendWithTimeout(button, BM_CLICK, 0, 0);
}

// The screen's DC works in screen coordinates on every monitor. A display DC made with
// CreateDC("DISPLAY") does not under Wine: its (0, 0) is the virtual screen's top-left corner,
// so with a monitor left of the primary it would read the wrong pixels.
COLORREF ScreenPixel(POINT screen) {
    HDC dc = GetDC(nullptr);
    const COLORREF colour = GetPixel(dc, screen.x, screen.y);
    ReleaseDC(nullptr, dc);
    return colour;
}

ScreenCapture::ScreenCapture(RECT screenRect)
    : width_(screenRect.right - screenRect.left), height_(screenRect.bottom - screenRect.top) {
    if (width_ <= 0 || height_ <= 0) {
        width_ = height_ = 0;
        return;
    }
    pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && bits != nullptr) {
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height_, screen, screenRect.left, screenRect.top, SRCCOPY);
        GdiFlush();
        const auto* quads = static_cast<const RGBQUAD*>(bits);
        for (size_t i = 0; i < pixels_.size(); ++i) {
            pixels_[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF ScreenCapture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return CLR_INVALID;
    }
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

ScreenCapture CaptureClient(HWND hwnd) {
    const SIZE size = ClientSize(hwnd);
    const POINT origin = ClientToScreenPoint(hwnd, 0, 0);
    return ScreenCapture(RECT{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy});
}

namespace {

// What the magnifier shows at view pixel (x, y): the source pixel of its block, or the grid.
COLORREF ExpectedViewPixel(const ScreenCapture& source, int zoom, bool grid, int x, int y) {
    if (grid && (x % zoom == 0 || y % zoom == 0)) {
        return (x + y) % 2 == 0 ? 0x808080 : 0xC0C0C0;
    }
    return source.At(x / zoom, y / zoom);
}

} // namespace

std::vector<POINT> ZoomViewMarks(const ScreenCapture& view, const ScreenCapture& source, int zoom,
                                 bool grid) {
    std::vector<POINT> marks;
    for (int y = 0; y < view.Height(); ++y) {
        for (int x = 0; x < view.Width(); ++x) {
            if (view.At(x, y) != ExpectedViewPixel(source, zoom, grid, x, y)) {
                marks.push_back({x, y});
            }
        }
    }
    return marks;
}

std::string ZoomViewDifferences(const ScreenCapture& view, const ScreenCapture& source, int zoom,
                                bool grid, RECT skip) {
    std::ostringstream out;
    out << std::hex;
    int differences = 0;
    for (int y = 0; y < view.Height(); ++y) {
        for (int x = 0; x < view.Width(); ++x) {
            const POINT at{x, y};
            if (PtInRect(&skip, at)) {
                continue;
            }
            const COLORREF expected = ExpectedViewPixel(source, zoom, grid, x, y);
            const COLORREF seen = view.At(x, y);
            if (seen != expected) {
                if (++differences <= 5) {
                    out << std::dec << " (" << x << "," << y << "): 0x" << std::hex << seen
                        << " not 0x" << expected << ";";
                }
            }
        }
    }
    if (differences == 0) {
        return {};
    }
    return std::to_string(differences) + " view pixels differ:" + out.str();
}

} // namespace e2e
