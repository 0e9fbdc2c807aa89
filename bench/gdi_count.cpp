// The counting wrappers and the import table patching behind them.
#include "bench/gdi_count.h"

#include <cstring>
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

// Points the executable's import slot for dll!name at replacement; stores the old target.
template <class Fn> bool Redirect(const char* dll, const char* name, Fn replacement, Fn& real) {
    if (real) {
        return true; // already redirected
    }
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0) {
        return false;
    }
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         imp->Name != 0; ++imp) {
        if (_stricmp(reinterpret_cast<const char*>(base + imp->Name), dll) != 0 ||
            imp->OriginalFirstThunk == 0) {
            continue;
        }
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0) {
                continue;
            }
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                           &protection);
            real = reinterpret_cast<Fn>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return true;
        }
    }
    return false;
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
