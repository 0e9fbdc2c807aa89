// Resource identifiers shared by the program's C++ code and its resource script.
// Plain include guard rather than #pragma once, which not every resource compiler knows.
#ifndef VORLITH_RESOURCE_H
#define VORLITH_RESOURCE_H

// The program icon. It has the lowest icon ID, so Explorer shows it for the executable.
#define IDI_VORLITH 1
// The eyedropper drawn over the magnifier.
#define IDI_EYEDROPPER 2

#endif
