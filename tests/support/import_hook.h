// Redirects one system call of this test program to a function of the test, for as long as the
// hook lives: the program's code linked into the test calls the system through the executable's
// import table, so the test sees what the program asks of the system.
#pragma once

#include <windows.h>

#include <cstring>

namespace test_support {

// The import slot of dll!name in this executable, or null when it does not import it.
inline ULONG_PTR* ImportSlot(const char* dll, const char* name) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0) {
        return nullptr;
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
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) == 0) {
                return &slots->u1.Function;
            }
        }
    }
    return nullptr;
}

// Points an import slot at another function.
inline void WriteImportSlot(ULONG_PTR* slot, ULONG_PTR target) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = target;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

// Points dll!name at `replacement` and keeps the system's function in `real` for it to call;
// puts the system's function back at scope end.
template <class Fn> class ImportHook {
  public:
    ImportHook(const char* dll, const char* name, Fn replacement, Fn& real)
        : slot_(ImportSlot(dll, name)), real_(real) {
        if (slot_) {
            real_ = reinterpret_cast<Fn>(*slot_);
            WriteImportSlot(slot_, reinterpret_cast<ULONG_PTR>(replacement));
        }
    }
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;
    ~ImportHook() {
        if (slot_) {
            WriteImportSlot(slot_, reinterpret_cast<ULONG_PTR>(real_));
        }
    }
    bool Installed() const noexcept { return slot_ != nullptr; }

  private:
    ULONG_PTR* slot_;
    Fn& real_;
};

} // namespace test_support
