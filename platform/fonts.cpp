// Label fonts, and their stand-ins on systems without the named faces.
#include "platform/fonts.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <iterator>

namespace platform {

namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0; // one is enough
}

void CopyFace(wchar_t (&target)[LF_FACESIZE], const wchar_t* face) {
    const size_t length = std::min<size_t>(std::wcslen(face), LF_FACESIZE - 1);
    std::copy(face, face + length, target);
    target[length] = L'\0';
}

// Faces of the same kind, in order of likeness, found on Windows and on Linux under Wine.
struct Stand {
    const wchar_t* face;
    const wchar_t* standIns[4];
};

constexpr Stand kStandIns[] = {
    {L"Times New Roman", {L"Liberation Serif", L"DejaVu Serif", L"FreeSerif", nullptr}},
    {L"Impact", {L"Liberation Sans Narrow", L"DejaVu Sans Condensed", L"Arial Narrow", nullptr}},
    {L"MS Sans Serif", {L"Microsoft Sans Serif", L"Tahoma", L"Liberation Sans", nullptr}},
};

// True when the font draws at the weight it was asked for (a bitmap face may have no bold).
bool HasWeight(HFONT font, LONG weight) {
    const WindowDc screen{nullptr};
    const Selection use{screen.get(), font};
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    return metrics.tmWeight >= weight;
}

// True when a face of that name is installed for the character set.
bool FaceInstalled(const wchar_t* face, BYTE charset) {
    LOGFONTW query{};
    query.lfCharSet = charset;
    CopyFace(query.lfFaceName, face);
    bool found = false;
    const WindowDc screen{nullptr};
    EnumFontFamiliesExW(screen.get(), &query, &NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

} // namespace

Font CreateLabelFont(const FontDesign& design, int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(design.points * static_cast<float>(dpi) / 72.0f));
    lf.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = design.charset;
    lf.lfQuality = DEFAULT_QUALITY;
    CopyFace(lf.lfFaceName, design.face);
    if (FaceInstalled(design.face, design.charset)) {
        return Font{CreateFontIndirectW(&lf)};
    }
    // The face itself in another character set is the closest, if it has the weight; failing
    // that, a stand-in face in any of its sets.
    lf.lfCharSet = DEFAULT_CHARSET;
    if (FaceInstalled(design.face, DEFAULT_CHARSET)) {
        Font font{CreateFontIndirectW(&lf)};
        if (HasWeight(font.get(), lf.lfWeight)) {
            return font;
        }
    }
    for (const Stand& stand : kStandIns) {
        if (std::wcscmp(stand.face, design.face) != 0) {
            continue;
        }
        for (const wchar_t* standIn : stand.standIns) {
            if (standIn && FaceInstalled(standIn, DEFAULT_CHARSET)) {
                CopyFace(lf.lfFaceName, standIn);
                break;
            }
        }
    }
    return Font{CreateFontIndirectW(&lf)};
}

} // namespace platform
