// The accessible object of a control's window: made when a reader first asks, handed out on
// every request while the window lives, and cut off from its readers when the window goes.
#include "platform/accessible.h"

#include "platform/accessibility_library.h"
#include "platform/renamed_accessible.h"

#include <new>
#include <utility>

namespace platform {

AccessibleControl::AccessibleControl() = default;

AccessibleControl::~AccessibleControl() {
    Release();
}

bool AccessibleControl::Answer(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // A reader is asking: from now on the window is a live region, before any object of it is
    // handed out (a reader that hears a live region change asks the window for its object). Not
    // earlier: most runs of the program are never asked, and the start does not pay for it.
    if (live_ != LiveSetting::Off) {
        annotation_.Annotate(hwnd, live_);
    }
    // The object's identifier is a DWORD: compared as one, whatever the sign extension.
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT) || !Renames()) {
        return false;
    }
    const AccessibilityLibrary& library = AccessibilityLibrary::Loaded();
    if (!library.Usable()) {
        return false;
    }
    if (!object_) {
        ComPtr<IAccessible> system;
        if (FAILED(library.createStdAccessibleObject(hwnd, OBJID_CLIENT, kIidIAccessible,
                                                     system.put_void())) ||
            !system) {
            return false;
        }
        // Its first reference is the control's.
        object_ = ComPtr<RenamedAccessible>(new (std::nothrow)
                                                RenamedAccessible(hwnd, std::move(system), *this));
        if (!object_) {
            return false;
        }
        // Marshalled once for good, so that COM keeps one stub for the object instead of making
        // one for each request and taking it down when that reader lets go.
        ComPtr<IStream> held;
        if (SUCCEEDED(library.createStreamOnHGlobal(nullptr, TRUE, held.put())) &&
            SUCCEEDED(library.coMarshalInterface(held.get(), kIidIAccessible,
                                                 static_cast<IAccessible*>(object_.get()),
                                                 MSHCTX_LOCAL, nullptr, MSHLFLAGS_TABLESTRONG))) {
            held_ = std::move(held);
        }
    }
    // A reference for the reader, which the reader gives back.
    const LRESULT reference = library.lresultFromObject(kIidIAccessible, wParam,
                                                        static_cast<IAccessible*>(object_.get()));
    if (reference < 0) {
        return false; // not handed out: the system's own object answers instead
    }
    *result = reference;
    return true;
}

void AccessibleControl::Release() noexcept {
    annotation_.Clear();
    if (!object_) {
        return;
    }
    const AccessibilityLibrary& library = AccessibilityLibrary::Loaded();
    if (held_) {
        held_->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
        library.coReleaseMarshalData(held_.get());
        held_.reset();
    }
    // Readers that still hold it are told that it is gone, and give their references back.
    object_->Orphan();
    library.coDisconnectObject(static_cast<IAccessible*>(object_.get()), 0);
    object_.reset();
}

} // namespace platform
