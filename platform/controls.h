// The controls of the program's windows: labels, text boxes, check boxes, command buttons
// and picture boxes on the system's standard controls, and the windowless image and timer.
#pragma once

#include "platform/gdi.h"
#include "platform/twips.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class Form;
class Image;

// A control that is a child window of a form, placed by its rectangle in twips.
class Control {
  public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    HWND hWnd() const noexcept { return hwnd_; }
    int Id() const noexcept { return id_; }
    const TwipRect& Place() const noexcept { return place_; }

    // Moves the control to its place at the form's current density, in its font.
    virtual void LayOut();
    // The control's font: the form's, unless the control has one of its own.
    virtual HFONT Font() const;
    // The brush for WM_CTLCOLOR*: null leaves the colours to the system.
    virtual HBRUSH OnCtlColor(HDC) { return nullptr; }

  protected:
    bool CreateChild(Form& form, int id, const TwipRect& place, const wchar_t* className,
                     const wchar_t* text, DWORD style, DWORD exStyle);
    Form* form_ = nullptr;

  private:
    HWND hwnd_ = nullptr;
    int id_ = 0;
    TwipRect place_{};
};

enum class Align { Left, Centre };

struct LabelDesign {
    Align align = Align::Left;
    bool opaque = false;                     // transparent: drawn straight on the form
    ColourValue backColour = kSysButtonFace; // only when opaque
    bool sunkenBorder = false;
    ColourValue foreColour = static_cast<ColourValue>(0x80000012); // button text
    HFONT font = nullptr;                                          // null: the form's font
};

class Label : public Control {
  public:
    bool Create(Form& form, int id, const TwipRect& place, const wchar_t* caption,
                const LabelDesign& design);
    HBRUSH OnCtlColor(HDC dc) override;
    HFONT Font() const override;
    // A font of the label's own (null: the form's), taken at once.
    void SetFont(HFONT font);

  private:
    LabelDesign design_{};
    Brush back_;
};

struct TextBoxDesign {
    Align align = Align::Left;
    ColourValue backColour = kSysWindowBackground;
    ColourValue foreColour = kSysWindowText;
};

class TextBox : public Control {
  public:
    bool Create(Form& form, int id, const TwipRect& place, const wchar_t* text,
                const TextBoxDesign& design);
    void LayOut() override;
    HBRUSH OnCtlColor(HDC dc) override;

    std::wstring Text() const;
    void SetText(const std::wstring& text) const;

  private:
    void SetMargins() const;

    TextBoxDesign design_{};
    Brush back_;
};

class CheckBox : public Control {
  public:
    bool Create(Form& form, int id, const TwipRect& place, const wchar_t* caption);
    // 0 unticked, 1 ticked, 2 grey.
    std::int16_t Value() const;
};

class CommandButton : public Control {
  public:
    bool Create(Form& form, int id, const TwipRect& place, const wchar_t* caption,
                bool isDefault = false);
};

// An image shown at its picture's own size, painted by its container (a form or a picture
// box) over whatever the container shows.
class Image {
  public:
    Image() = default;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // The icon resource's image of the given size in pixels.
    void Create(int iconId, int sizePixels, const TwipRect& place);
    void Paint(HDC dc, int dpi) const;
    const TwipRect& Place() const noexcept { return place_; }

  private:
    Icon icon_;
    int size_ = 0;
    TwipRect place_{};
};

// A straight line drawn on its form's surface, between two points given in twips.
class Line {
  public:
    enum class Style { Solid, InsideSolid };
    void Create(int x1, int y1, int x2, int y2, ColourValue colour, int widthPixels, Style style);
    void Paint(HDC dc, int dpi) const;

  private:
    int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    ColourValue colour_ = 0;
    int width_ = 1;
    Style style_ = Style::Solid;
};

// A picture box. With a persistent image, drawing on hDC() goes into a bitmap that the box
// keeps and repaints itself from; Cls() clears it, Refresh() shows it at once.
class PictureBox : public Control {
  public:
    PictureBox() = default;
    ~PictureBox() override;
    bool Create(Form& form, int id, const TwipRect& place, bool persistentImage,
                ColourValue backColour);
    void LayOut() override;

    void Contain(Image& image) { images_.push_back(&image); }

    HDC hDC() const noexcept { return image_.get(); }
    void Cls() const;
    void Refresh() const;
    // The client area in pixels.
    float ScaleWidth() const noexcept { return static_cast<float>(width_); }
    float ScaleHeight() const noexcept { return static_cast<float>(height_); }

    ColourValue BackColor() const noexcept { return backColour_; }
    void SetBackColor(ColourValue colour);

    // Paints the box as it shows on the screen into dc.
    void Paint(HDC dc) const;

  private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void MakeImage();

    bool persistent_ = false;
    ColourValue backColour_ = kSysButtonFace;
    int width_ = 0;
    int height_ = 0;
    MemoryDc image_;
    Bitmap bitmap_;
    HGDIOBJ imageOriginalBitmap_ = nullptr;
    std::vector<Image*> images_;
};

// A periodic timer of a form: while enabled, the form receives its ticks.
class Timer {
  public:
    void Create(Form& form, int id, unsigned intervalMs, bool enabled);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);
    int Id() const noexcept { return id_; }

  private:
    Form* form_ = nullptr;
    int id_ = 0;
    unsigned interval_ = 0;
    bool enabled_ = false;
};

} // namespace platform
