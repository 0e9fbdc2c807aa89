// Counts the device contexts and GDI objects that this program's own code creates and releases,
// by redirecting its import address table entries for those calls. Wine reports no GDI object
// count for a process (GetGuiResources returns 0), so a leak has to be counted this way.
#pragma once

#include <windows.h>

namespace bench {

struct GdiCounts {
    long liveDcs = 0;              // CreateCompatibleDC and GetDC not yet deleted or released
    long liveObjects = 0;          // bitmaps, brushes, pens and fonts not yet deleted
    long dcsMade = 0;              // every DC made or obtained so far
    long objectsMade = 0;          // every object created so far
    long screenDcs = 0;            // GetDC calls so far
    long patternBrushes = 0;       // CreatePatternBrush calls so far
    long deletedWhileSelected = 0; // DeleteObject on an object still selected into a live DC
    long unknownReleases = 0;      // deletes and releases of handles that were never counted
};

// Redirects the calls; true when every call that a tick makes was found in the import table.
// Objects made before this was called are not counted. Idempotent.
bool InstallGdiCounter();

GdiCounts CurrentGdiCounts();

} // namespace bench
