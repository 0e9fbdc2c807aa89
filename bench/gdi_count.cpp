// The counting wrappers and the import table patching behind them.
#include "bench/gdi_count.h"

#include "tests/support/import_hook.h"

#include <map>
#include <set>

namespace bench {

namespace {

GdiCounts counts;
std::set<HDC> liveDcs;
std::set<HGDIOBJ> liveObjects;
// The object of each kind that our own SelectObject calls left selected in each live DC.
std::map<HDC, std::map<DWORD, HGDIOBJ>> selected;

decltype(&::CreateCompatibleDC) realCreateCompatibleDC = nullptr;
decltype(&::DeleteDC) realDeleteDC = nullptr;
decltype(&::GetDC) realGetDC = nullptr;
decltype(&::ReleaseDC) realReleaseDC = nullptr;
decltype(&::CreateCompatibleBitmap) realCreateCompatibleBitmap = nullptr;
decltype(&::CreatePatternBrush) realCreatePatternBrush = nullptr;
decltype(&::CreateSolidBrush) realCreateSolidBrush = nullptr;
decltype(&::CreatePen) realCreatePen = nullptr;
decltype(&::CreateFontIndirectW) realCreateFontIndirectW = nullptr;
decltype(&::DeleteObject) realDeleteObject = nullptr;
decltype(&::SelectObject) realSelectObject = nullptr;

void DcMade(HDC dc) {
    if (dc) {
        liveDcs.insert(dc);
        ++counts.dcsMade;
    }
}

void DcGone(HDC dc) {
    selected.erase(dc);
    if (liveDcs.erase(dc) == 0) {
        ++counts.unknownReleases;
    }
}

template <class H> H ObjectMade(H object) {
    if (object) {
        liveObjects.insert(object);
        ++counts.objectsMade;
    }
    return object;
}

HDC WINAPI CountCreateCompatibleDC(HDC dc) {
    const HDC made = realCreateCompatibleDC(dc);
    DcMade(made);
    return made;
}

BOOL WINAPI CountDeleteDC(HDC dc) {
    DcGone(dc);
    return realDeleteDC(dc);
}

HDC WINAPI CountGetDC(HWND hwnd) {
    const HDC dc = realGetDC(hwnd);
    DcMade(dc);
    ++counts.screenDcs;
    return dc;
}

int WINAPI CountReleaseDC(HWND hwnd, HDC dc) {
    DcGone(dc);
    return realReleaseDC(hwnd, dc);
}

HBITMAP WINAPI CountCreateCompatibleBitmap(HDC dc, int width, int height) {
    return ObjectMade(realCreateCompatibleBitmap(dc, width, height));
}

HBRUSH WINAPI CountCreatePatternBrush(HBITMAP bitmap) {
    ++counts.patternBrushes;
    return ObjectMade(realCreatePatternBrush(bitmap));
}

HBRUSH WINAPI CountCreateSolidBrush(COLORREF colour) {
    return ObjectMade(realCreateSolidBrush(colour));
}

HPEN WINAPI CountCreatePen(int style, int width, COLORREF colour) {
    return ObjectMade(realCreatePen(style, width, colour));
}

HFONT WINAPI CountCreateFontIndirectW(const LOGFONTW* font) {
    return ObjectMade(realCreateFontIndirectW(font));
}

BOOL WINAPI CountDeleteObject(HGDIOBJ object) {
    // Windows refuses to delete an object that is still selected; Wine does not, so the
    // selection rule is checked here.
    for (const auto& [dc, kinds] : selected) {
        for (const auto& [kind, current] : kinds) {
            if (current == object) {
                ++counts.deletedWhileSelected;
            }
        }
    }
    if (liveObjects.erase(object) == 0) {
        ++counts.unknownReleases;
    }
    return realDeleteObject(object);
}

HGDIOBJ WINAPI CountSelectObject(HDC dc, HGDIOBJ object) {
    const HGDIOBJ previous = realSelectObject(dc, object);
    if (previous && liveDcs.count(dc) != 0) {
        selected[dc][GetObjectType(object)] = object;
    }
    return previous;
}

// Points the executable's import slot for dll!name at replacement for the rest of the run;
// stores the old target.
template <class Fn> bool Redirect(const char* dll, const char* name, Fn replacement, Fn& real) {
    if (real) {
        return true; // already redirected
    }
    ULONG_PTR* const slot = test_support::ImportSlot(dll, name);
    if (!slot) {
        return false;
    }
    real = reinterpret_cast<Fn>(*slot);
    test_support::WriteImportSlot(slot, reinterpret_cast<ULONG_PTR>(replacement));
    return true;
}

} // namespace

bool InstallGdiCounter() {
    // The calls of a tick: a missing one would leave a leak uncounted.
    bool ok = Redirect("gdi32.dll", "CreateCompatibleDC", &CountCreateCompatibleDC,
                       realCreateCompatibleDC);
    ok = Redirect("gdi32.dll", "DeleteDC", &CountDeleteDC, realDeleteDC) && ok;
    ok = Redirect("user32.dll", "GetDC", &CountGetDC, realGetDC) && ok;
    ok = Redirect("user32.dll", "ReleaseDC", &CountReleaseDC, realReleaseDC) && ok;
    ok = Redirect("gdi32.dll", "CreateCompatibleBitmap", &CountCreateCompatibleBitmap,
                  realCreateCompatibleBitmap) &&
         ok;
    ok = Redirect("gdi32.dll", "CreatePatternBrush", &CountCreatePatternBrush,
                  realCreatePatternBrush) &&
         ok;
    ok = Redirect("gdi32.dll", "DeleteObject", &CountDeleteObject, realDeleteObject) && ok;
    ok = Redirect("gdi32.dll", "SelectObject", &CountSelectObject, realSelectObject) && ok;
    // The objects the windows make for themselves; counted where the program imports them.
    Redirect("gdi32.dll", "CreateSolidBrush", &CountCreateSolidBrush, realCreateSolidBrush);
    Redirect("gdi32.dll", "CreatePen", &CountCreatePen, realCreatePen);
    Redirect("gdi32.dll", "CreateFontIndirectW", &CountCreateFontIndirectW,
             realCreateFontIndirectW);
    return ok;
}

GdiCounts CurrentGdiCounts() {
    GdiCounts now = counts;
    now.liveDcs = static_cast<long>(liveDcs.size());
    now.liveObjects = static_cast<long>(liveObjects.size());
    return now;
}

} // namespace bench
