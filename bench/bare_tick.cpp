// The bare tick: the same calls as the real one, in the same order, on plain windows.
#include "bench/bare_tick.h"

#include "app/main_layout.h"
#include "platform/twips.h"

namespace bench {

namespace {

constexpr wchar_t kFrameClass[] = L"VorlithBenchBareFrame";
constexpr wchar_t kPictureClass[] = L"VorlithBenchBarePicture";
constexpr int kDpi = platform::kDefaultDpi;
constexpr int kEyedropperSize = 32;

struct BoxColours {
    COLORREF fore;
    COLORREF back;
};

// What the frame's and the children's window procedures need: one set of bare windows at a time.
struct Shared {
    HWND boxes[5]{};
    BoxColours colours[5]{};
    HBRUSH brushes[5]{};
    HDC image = nullptr;
    int imageWidth = 0;
    int imageHeight = 0;
    HICON eyedropper = nullptr;
    int eyedropperX = 0;
    int eyedropperY = 0;
} shared;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLOREDIT) {
        for (int i = 0; i < 5; ++i) {
            if (shared.boxes[i] == reinterpret_cast<HWND>(lParam)) {
                const auto dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, shared.colours[i].fore);
                SetBkColor(dc, shared.colours[i].back);
                return reinterpret_cast<LRESULT>(shared.brushes[i]);
            }
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        return 1;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT ps{};
        const HDC dc = BeginPaint(hwnd, &ps);
        BitBlt(dc, 0, 0, shared.imageWidth, shared.imageHeight, shared.image, 0, 0, SRCCOPY);
        DrawIconEx(dc, shared.eyedropperX, shared.eyedropperY, shared.eyedropper, kEyedropperSize,
                   kEyedropperSize, 0, nullptr, DI_NORMAL);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Register(const wchar_t* name, WNDPROC proc, HBRUSH background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

HWND Child(HWND parent, const wchar_t* cls, const platform::TwipRect& place, DWORD style,
           DWORD exStyle) {
    const platform::PixelRect r = platform::TwipsToPixels(place, kDpi);
    return CreateWindowExW(exStyle, cls, L"", WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.width,
                           r.height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

} // namespace

BareWindows::BareWindows(HICON eyedropper) {
    using namespace app::layout;
    Register(kFrameClass, &FrameProc, GetSysColorBrush(COLOR_BTNFACE));
    Register(kPictureClass, &PictureProc, nullptr);

    // The same frame and client size as the main window, at the left of the screen.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT outer{0, 0, platform::TwipsToPixels(kClientWidth, kDpi),
               platform::TwipsToPixels(kClientHeight, kDpi)};
    AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);
    frame_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kFrameClass, L"bare", style, 40, 40,
                             outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);

    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(8, kDpi, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(lf.lfFaceName, L"MS Sans Serif");
    font_ = CreateFontIndirectW(&lf);

    picture_ = Child(frame_, kPictureClass, kPicZoom, 0, WS_EX_CLIENTEDGE);
    // The swatch: a window painted in one colour, in a sunken frame.
    const platform::PixelRect swatch = platform::TwipsToPixels(kPicColorDisplay, kDpi);
    swatch_.emplace(
        frame_,
        RECT{swatch.left, swatch.top, swatch.left + swatch.width, swatch.top + swatch.height},
        RGB(0, 0, 0));
    const platform::TwipRect places[5] = {kTxtHtml, kTxtRed, kTxtGreen, kTxtBlue, kTxtVb};
    const BoxColours colours[5] = {
        {GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW)},
        {RGB(192, 0, 0), RGB(255, 192, 192)},
        {RGB(0, 192, 0), RGB(192, 255, 192)},
        {RGB(0, 0, 192), RGB(192, 192, 255)},
        {GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW)},
    };
    for (int i = 0; i < 5; ++i) {
        const DWORD align = (i >= 1 && i <= 3) ? ES_CENTER : ES_LEFT;
        boxes_[i] = Child(frame_, L"EDIT", places[i], WS_TABSTOP | ES_AUTOHSCROLL | align,
                          WS_EX_CLIENTEDGE);
        SendMessageW(boxes_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        SendMessageW(boxes_[i], EM_SETLIMITTEXT, 0, 0);
        shared.boxes[i] = boxes_[i];
        shared.colours[i] = colours[i];
        shared.brushes[i] = CreateSolidBrush(colours[i].back);
    }
    check_ = Child(frame_, L"BUTTON", kChkGrid, WS_TABSTOP | BS_AUTOCHECKBOX, 0);
    SendMessageW(check_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

    RECT client{};
    GetClientRect(picture_, &client);
    shared.imageWidth = client.right;
    shared.imageHeight = client.bottom;
    const HDC screen = GetDC(picture_);
    image_ = CreateCompatibleDC(screen);
    imageBitmap_ = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(picture_, screen);
    imageOriginal_ = SelectObject(image_, imageBitmap_);
    shared.image = image_;
    shared.eyedropper = eyedropper;
    // Where the main window puts the eyedropper in a 77 x 77 view.
    shared.eyedropperX = 26;
    shared.eyedropperY = 20;

    ShowWindow(frame_, SW_SHOWNOACTIVATE);
    UpdateWindow(frame_);
}

BareWindows::~BareWindows() {
    DestroyWindow(frame_);
    SelectObject(image_, imageOriginal_);
    DeleteDC(image_);
    DeleteObject(imageBitmap_);
    for (HBRUSH& brush : shared.brushes) {
        DeleteObject(brush);
        brush = nullptr;
    }
    DeleteObject(font_);
    shared = Shared{};
}

void BareWindows::SetTexts(const std::wstring& html, const std::wstring& red,
                           const std::wstring& green, const std::wstring& blue,
                           const std::wstring& vb) {
    texts_[0] = html;
    texts_[1] = red;
    texts_[2] = green;
    texts_[3] = blue;
    texts_[4] = vb;
}

void BareWindows::SetGridBox(bool ticked) {
    SendMessageW(check_, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void BareWindows::Tick() {
    // Pending events: last tick's repaints of the boxes and the swatch.
    test_support::PumpMessages();
    POINT point{};
    GetCursorPos(&point);

    // The zoom view: clear, one StretchBlt of 11 x 11 screen pixels into 77 x 77.
    const HWND desktop = GetDesktopWindow();
    const HDC screen = GetDC(desktop);
    const RECT all{0, 0, shared.imageWidth, shared.imageHeight};
    SetDCBrushColor(image_, GetSysColor(COLOR_BTNFACE));
    FillRect(image_, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    StretchBlt(image_, 0, 0, shared.imageWidth, shared.imageHeight, screen, point.x - 5,
               point.y - 5, shared.imageWidth / 7, shared.imageHeight / 7, SRCCOPY);
    ReleaseDC(desktop, screen);

    if (SendMessageW(check_, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        // The checker brush, made afresh, and the lines at every multiple of 7 up to the size.
        const HDC memory = CreateCompatibleDC(image_);
        const HBITMAP pattern = CreateCompatibleBitmap(image_, 8, 8);
        const HGDIOBJ previous = SelectObject(memory, pattern);
        for (int y = 0; y < 8; y += 2) {
            for (int x = 0; x < 8; x += 2) {
                SetPixelV(memory, x, y, 0x808080);
                SetPixelV(memory, x + 1, y, 0xC0C0C0);
                SetPixelV(memory, x, y + 1, 0xC0C0C0);
                SetPixelV(memory, x + 1, y + 1, 0x808080);
            }
        }
        SelectObject(memory, previous);
        const HBRUSH checker = CreatePatternBrush(pattern);
        DeleteDC(memory);
        DeleteObject(pattern);
        const HGDIOBJ before = SelectObject(image_, checker);
        for (int x = 0; x <= shared.imageWidth; x += 7) {
            PatBlt(image_, x, 0, 1, shared.imageHeight, PATCOPY);
        }
        for (int y = 0; y <= shared.imageHeight; y += 7) {
            PatBlt(image_, 0, y, shared.imageWidth, 1, PATCOPY);
        }
        SelectObject(image_, before);
        DeleteObject(checker);
    }
    InvalidateRect(picture_, nullptr, FALSE);
    UpdateWindow(picture_);

    // The pixel, the five texts (three read back) and the swatch.
    const HDC display = GetDC(nullptr);
    const COLORREF pixel = GetPixel(display, point.x, point.y);
    wchar_t readBack[32];
    SetWindowTextW(boxes_[0], texts_[0].c_str());
    GetWindowTextW(boxes_[0], readBack, 32);
    SetWindowTextW(boxes_[1], texts_[1].c_str());
    GetWindowTextW(boxes_[0], readBack, 32);
    SetWindowTextW(boxes_[2], texts_[2].c_str());
    GetWindowTextW(boxes_[0], readBack, 32);
    SetWindowTextW(boxes_[3], texts_[3].c_str());
    SetWindowTextW(boxes_[4], texts_[4].c_str());
    swatch_->SetColour(pixel); // invalidates it
    ReleaseDC(nullptr, display);
}

} // namespace bench
