// The controls: standard child windows placed in twips, and the program's picture box.
#include "platform/controls.h"

#include "platform/form.h"

#include <algorithm>

namespace platform {

namespace {

constexpr wchar_t kPictureClass[] = L"VorlithPicture";

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

void FillWithColour(HDC dc, const RECT& rect, ColourValue colour) {
    SetDCBrushColor(dc, ResolveColour(colour));
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

} // namespace

// --- Control -----------------------------------------------------------------------------

bool Control::CreateChild(Form& form, int id, const TwipRect& place, const wchar_t* className,
                          const wchar_t* text, DWORD style, DWORD exStyle) {
    form_ = &form;
    id_ = id;
    place_ = place;
    const PixelRect r = form.ToPixels(place);
    hwnd_ = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                            r.width, r.height, form.hWnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), this);
    if (!hwnd_) {
        return false;
    }
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    form.Register(*this);
    return true;
}

void Control::LayOut() {
    if (!hwnd_ || !form_) {
        return;
    }
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    const PixelRect r = form_->ToPixels(place_);
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT Control::Font() const {
    return form_ ? form_->DefaultFont() : nullptr;
}

// --- Label -------------------------------------------------------------------------------

bool Label::Create(Form& form, int id, const TwipRect& place, const wchar_t* caption,
                   const LabelDesign& design) {
    design_ = design;
    back_.reset(design.opaque ? CreateSolidBrush(ResolveColour(design.backColour)) : nullptr);
    const DWORD style = SS_NOPREFIX | (design.align == Align::Centre ? SS_CENTER : SS_LEFT);
    const DWORD exStyle = design.sunkenBorder ? WS_EX_STATICEDGE : 0;
    return CreateChild(form, id, place, L"STATIC", caption, style, exStyle);
}

HFONT Label::Font() const {
    return design_.font ? design_.font : Control::Font();
}

void Label::SetFont(HFONT font) {
    design_.font = font;
    SendMessageW(hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
}

HBRUSH Label::OnCtlColor(HDC dc) {
    SetTextColor(dc, ResolveColour(design_.foreColour));
    if (design_.opaque) {
        SetBkColor(dc, ResolveColour(design_.backColour));
        return back_.get();
    }
    // Transparent: the text goes straight onto the form's background.
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

// --- TextBox -----------------------------------------------------------------------------

bool TextBox::Create(Form& form, int id, const TwipRect& place, const wchar_t* text,
                     const TextBoxDesign& design) {
    design_ = design;
    back_.reset(CreateSolidBrush(ResolveColour(design.backColour)));
    const DWORD style =
        WS_TABSTOP | ES_AUTOHSCROLL | (design.align == Align::Centre ? ES_CENTER : ES_LEFT);
    if (!CreateChild(form, id, place, L"EDIT", text, style, WS_EX_CLIENTEDGE)) {
        return false;
    }
    SendMessageW(hWnd(), EM_SETLIMITTEXT, 0, 0); // no length limit
    SetMargins();
    return true;
}

void TextBox::LayOut() {
    Control::LayOut();
    SetMargins(); // a new font resets them
}

void TextBox::SetMargins() const {
    // Narrow margins, one pixel at 96 pixels per inch: the codes use nearly the whole box.
    const int margin = MulDiv(1, form_->Dpi(), kDefaultDpi);
    SendMessageW(hWnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
}

HBRUSH TextBox::OnCtlColor(HDC dc) {
    SetTextColor(dc, ResolveColour(design_.foreColour));
    SetBkColor(dc, ResolveColour(design_.backColour));
    return back_.get();
}

std::wstring TextBox::Text() const {
    const int length = GetWindowTextLengthW(hWnd());
    std::wstring text(static_cast<size_t>(std::max(length, 0)), L'\0');
    if (length > 0) {
        const int copied = GetWindowTextW(hWnd(), text.data(), length + 1);
        text.resize(static_cast<size_t>(std::max(copied, 0)));
    }
    return text;
}

void TextBox::SetText(const std::wstring& text) const {
    SetWindowTextW(hWnd(), text.c_str());
}

// --- CheckBox and CommandButton ----------------------------------------------------------

bool CheckBox::Create(Form& form, int id, const TwipRect& place, const wchar_t* caption) {
    return CreateChild(form, id, place, L"BUTTON", caption, WS_TABSTOP | BS_AUTOCHECKBOX, 0);
}

std::int16_t CheckBox::Value() const {
    return static_cast<std::int16_t>(SendMessageW(hWnd(), BM_GETCHECK, 0, 0));
}

bool CommandButton::Create(Form& form, int id, const TwipRect& place, const wchar_t* caption,
                           bool isDefault) {
    const DWORD style = WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    return CreateChild(form, id, place, L"BUTTON", caption, style, 0);
}

// --- Image -------------------------------------------------------------------------------

void Image::Create(int iconId, int sizePixels, const TwipRect& place) {
    size_ = sizePixels;
    place_ = place;
    icon_.reset(static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                              sizePixels, sizePixels, LR_DEFAULTCOLOR)));
}

void Image::Paint(HDC dc, int dpi) const {
    if (!icon_) {
        return;
    }
    const PixelRect r = TwipsToPixels(place_, dpi);
    DrawIconEx(dc, r.left, r.top, icon_.get(), size_, size_, 0, nullptr, DI_NORMAL);
}

// --- Line --------------------------------------------------------------------------------

void Line::Create(int x1, int y1, int x2, int y2, ColourValue colour, int widthPixels,
                  Style style) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    colour_ = colour;
    width_ = widthPixels;
    style_ = style;
}

void Line::Paint(HDC dc, int dpi) const {
    const int penStyle = style_ == Style::InsideSolid ? PS_INSIDEFRAME : PS_SOLID;
    const HPEN pen = CreatePen(penStyle, width_, ResolveColour(colour_));
    const HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, TwipsToPixels(x1_, dpi), TwipsToPixels(y1_, dpi), nullptr);
    LineTo(dc, TwipsToPixels(x2_, dpi), TwipsToPixels(y2_, dpi));
    SelectObject(dc, previous);
    DeleteObject(pen);
}

// --- PictureBox --------------------------------------------------------------------------

PictureBox::~PictureBox() {
    // The bitmap leaves the image DC before either is deleted.
    if (image_) {
        SelectObject(image_.get(), imageOriginalBitmap_);
    }
}

bool PictureBox::Create(Form& form, int id, const TwipRect& place, bool persistentImage,
                        ColourValue backColour) {
    persistent_ = persistentImage;
    backColour_ = backColour;
    images_.clear();

    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(Instance(), kPictureClass, &existing)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &PictureBox::WindowProc;
        wc.hInstance = Instance();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kPictureClass;
        RegisterClassExW(&wc);
    }
    if (!CreateChild(form, id, place, kPictureClass, L"", WS_TABSTOP, WS_EX_CLIENTEDGE)) {
        return false;
    }
    MakeImage();
    return true;
}

void PictureBox::LayOut() {
    Control::LayOut();
    MakeImage();
}

void PictureBox::MakeImage() {
    RECT client{};
    GetClientRect(hWnd(), &client);
    width_ = client.right - client.left;
    height_ = client.bottom - client.top;
    if (!persistent_) {
        return;
    }
    if (image_) {
        SelectObject(image_.get(), imageOriginalBitmap_);
    }
    const HDC screen = GetDC(hWnd());
    MemoryDc dc{CreateCompatibleDC(screen)};
    Bitmap bitmap{CreateCompatibleBitmap(screen, std::max(width_, 1), std::max(height_, 1))};
    ReleaseDC(hWnd(), screen);
    imageOriginalBitmap_ = SelectObject(dc.get(), bitmap.get());
    image_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    Cls();
}

void PictureBox::Cls() const {
    if (image_) {
        FillWithColour(image_.get(), RECT{0, 0, width_, height_}, backColour_);
    }
}

void PictureBox::Refresh() const {
    InvalidateRect(hWnd(), nullptr, FALSE);
    UpdateWindow(hWnd());
}

void PictureBox::SetBackColor(ColourValue colour) {
    backColour_ = colour;
    if (!persistent_) {
        InvalidateRect(hWnd(), nullptr, FALSE);
    }
}

void PictureBox::Paint(HDC dc) const {
    if (persistent_ && image_) {
        BitBlt(dc, 0, 0, width_, height_, image_.get(), 0, 0, SRCCOPY);
    } else {
        FillWithColour(dc, RECT{0, 0, width_, height_}, backColour_);
    }
    for (const Image* image : images_) {
        image->Paint(dc, form_->Dpi());
    }
}

LRESULT CALLBACK PictureBox::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND: return 1; // the paint covers every pixel
    case WM_PAINT:
        if (self) {
            PAINTSTRUCT ps{};
            const HDC dc = BeginPaint(hwnd, &ps);
            self->Paint(dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        break;
    case WM_PRINTCLIENT:
        if (self) {
            self->Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        }
        break;
    case WM_LBUTTONDOWN: SetFocus(hwnd); return 0;
    case WM_NCDESTROY: SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0); break;
    default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// --- Timer -------------------------------------------------------------------------------

void Timer::Create(Form& form, int id, unsigned intervalMs, bool enabled) {
    form_ = &form;
    id_ = id;
    interval_ = intervalMs;
    enabled_ = false;
    SetEnabled(enabled);
}

void Timer::SetEnabled(bool enabled) {
    // Enabling a running timer leaves its interval running, so that a held key that enables
    // it again and again does not keep postponing the next tick.
    if (enabled && !enabled_) {
        SetTimer(form_->hWnd(), static_cast<UINT_PTR>(id_), interval_, nullptr);
    } else if (!enabled && enabled_) {
        KillTimer(form_->hWnd(), static_cast<UINT_PTR>(id_));
    }
    enabled_ = enabled;
}

} // namespace platform
