// The program's load configuration: the loader looks up the DLLs that vorlith.exe imports in the
// system folder alone, never in the folder it was unpacked to. Windows 10 1607 and later read
// DependentLoadFlags; older systems take the imports by the default search.
//
// With mingw-w64 the program defines the structure itself: lld points the PE header at it, and
// after a GNU ld link cmake/load_config.sh does (GNU ld leaves that entry empty). MSVC's C
// runtime defines its own, which /DEPENDENTLOADFLAG fills (app/CMakeLists.txt).
#include <windows.h>

#if defined(__MINGW32__)

namespace {

// mingw-w64 10's header calls the field at offset 0x4E Reserved1; later ones, and the system's
// own, DependentLoadFlags.
template <class Config> constexpr Config SystemFolderOnly() {
    Config config{};
    config.Size = sizeof(Config);
    constexpr auto kFlags = static_cast<WORD>(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if constexpr (requires(Config & c) { c.DependentLoadFlags; }) {
        config.DependentLoadFlags = kFlags;
    } else {
        config.Reserved1 = kFlags;
    }
    return config;
}

} // namespace

// The loader finds it by the PE header alone: nothing in the program refers to it, so the link
// keeps it by name (--require-defined).
extern "C" constinit const IMAGE_LOAD_CONFIG_DIRECTORY64 _load_config_used =
    SystemFolderOnly<IMAGE_LOAD_CONFIG_DIRECTORY64>();

#endif
