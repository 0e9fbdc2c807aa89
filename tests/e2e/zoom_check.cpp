// The expected view, computed from the screen's own pixels and the magnifier's rules.
#include "tests/e2e/zoom_check.h"

#include <sstream>

namespace e2e {
namespace {

// What the magnifier shows at view pixel (x, y): the source pixel of its block, or the grid.
COLORREF ExpectedViewPixel(const Capture& source, int zoom, bool grid, int x, int y) {
    if (grid && (x % zoom == 0 || y % zoom == 0)) {
        return (x + y) % 2 == 0 ? 0x808080 : 0xC0C0C0;
    }
    return source.At(x / zoom, y / zoom);
}

} // namespace

std::vector<POINT> ZoomViewMarks(const Capture& view, const Capture& source, int zoom, bool grid) {
    std::vector<POINT> marks;
    for (int y = 0; y < view.Height(); ++y) {
        for (int x = 0; x < view.Width(); ++x) {
            if (view.At(x, y) != ExpectedViewPixel(source, zoom, grid, x, y)) {
                marks.push_back({x, y});
            }
        }
    }
    return marks;
}

std::string ZoomViewDifferences(const Capture& view, const Capture& source, int zoom, bool grid,
                                RECT skip) {
    std::ostringstream out;
    int differences = 0;
    for (int y = 0; y < view.Height(); ++y) {
        for (int x = 0; x < view.Width(); ++x) {
            const POINT at{x, y};
            if (PtInRect(&skip, at)) {
                continue;
            }
            const COLORREF expected = ExpectedViewPixel(source, zoom, grid, x, y);
            const COLORREF seen = view.At(x, y);
            if (seen != expected && ++differences <= 5) {
                out << std::dec << " (" << x << "," << y << "): 0x" << std::hex << seen << " not 0x"
                    << expected << ";";
            }
        }
    }
    if (differences == 0) {
        return {};
    }
    return std::to_string(differences) + " view pixels differ:" + out.str();
}

} // namespace e2e
