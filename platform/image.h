// An image: an icon of the program's shown at its own size, painted by its container (a form
// or a picture box) over whatever the container shows.
#pragma once

#include "platform/gdi.h"

namespace platform {

class Image {
  public:
    Image() = default;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // The icon resource's image of the given size in pixels.
    void Create(int iconId, int sizePixels);
    // The picture's top-left corner in its container's client area, in pixels.
    void MoveTo(POINT topLeft) noexcept { topLeft_ = topLeft; }
    void Paint(HDC dc) const;

  private:
    Icon icon_;
    int size_ = 0;
    POINT topLeft_{};
};

} // namespace platform
