// Named fonts for labels, with a close face where the named one is not installed.
#pragma once

#include "platform/gdi.h"

#include <windows.h>

namespace platform {

struct FontDesign {
    const wchar_t* face;
    float points;
    bool bold;
    BYTE charset;
};

// The font at dpi. Where the face (in its character set) is missing, the first installed of
// a few faces of the same kind is used instead, at the same size and weight.
Font CreateLabelFont(const FontDesign& design, int dpi);

} // namespace platform
