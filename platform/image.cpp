// Images: icons drawn with their masks, so that the container shows through.
#include "platform/image.h"

namespace platform {

void Image::Create(int iconId, int sizePixels) {
    size_ = sizePixels;
    icon_.reset(
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId),
                                      IMAGE_ICON, sizePixels, sizePixels, LR_DEFAULTCOLOR)));
}

void Image::Paint(HDC dc) const {
    if (icon_) {
        DrawIconEx(dc, topLeft_.x, topLeft_.y, icon_.get(), size_, size_, 0, nullptr, DI_NORMAL);
    }
}

} // namespace platform
