// The mark of a control of the program's own that has the keyboard focus: a ring of two tones
// along the edge of its client area, seen on whatever colour the control shows.
#pragma once

#include <windows.h>

namespace platform {

// Draws the ring just inside `client` (the client rectangle, in dc's coordinates) for a window
// at `dpi` pixels per inch, with the system's focus border as it is set now.
void DrawFocusMark(HDC dc, const RECT& client, int dpi);

} // namespace platform
