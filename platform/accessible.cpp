// The system's accessible object of a control, renamed: every question but the name, the role and
// the value that the program gives goes to the system's own object, which keeps answering them as
// it would (a text box's value is its text at the moment it is asked, its state, its place on the
// screen).
#include "platform/accessible.h"

#include "platform/accessibility_library.h"

#include <ole2.h>
#include <oleacc.h>

#include <atomic>
#include <new>

namespace platform {

namespace {

std::atomic<int> g_liveObjects{0};

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// A text handed to the reader, which frees it.
HRESULT Copy(const wchar_t* text, BSTR* out) {
    if (!out) {
        return E_POINTER;
    }
    *out = AccessibilityLibrary::Loaded().sysAllocString(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

// The child that a late-bound call names: none, which is the object itself, or one integer.
// False for anything else, which the system's object is left to answer.
bool ChildArgument(const DISPPARAMS& params, VARIANT* child) {
    child->vt = VT_I4;
    child->lVal = CHILDID_SELF;
    if (params.cArgs == 0) {
        return true;
    }
    if (params.cArgs != 1 || params.cNamedArgs != 0 || !params.rgvarg) {
        return false;
    }
    const VARIANT* given = &params.rgvarg[0];
    if (given->vt == (VT_BYREF | VT_VARIANT) && given->pvarVal) {
        given = given->pvarVal;
    }
    switch (given->vt) {
    case VT_I4: child->lVal = given->lVal; return true;
    case VT_INT: child->lVal = given->intVal; return true;
    case VT_I2: child->lVal = given->iVal; return true;
    case VT_EMPTY: return true;
    case VT_ERROR: return given->scode == DISP_E_PARAMNOTFOUND; // left out
    default: return false;
    }
}

} // namespace

// One per window, for as long as the window lives and a reader holds it.
class RenamedAccessible final : public IAccessible, public IOleWindow {
  public:
    RenamedAccessible(HWND hwnd, IAccessible* system, const AccessibleControl& owner)
        : hwnd_(hwnd), system_(system), owner_(&owner), design_(owner.Design()) {
        ++g_liveObjects;
    }
    RenamedAccessible(const RenamedAccessible&) = delete;
    RenamedAccessible& operator=(const RenamedAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidIAccessible) {
            *object = static_cast<IAccessible*>(this);
        } else if (iid == IID_IOleWindow) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // IOleWindow: the window the object belongs to.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override {
        if (!hwnd) {
            return E_POINTER;
        }
        *hwnd = hwnd_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return system_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return system_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return system_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* badArgument) override {
        // A late-bound client (a script) asks for the properties by their dispatch ids and
        // hears what every other client hears.
        VARIANT child;
        if ((flags & DISPATCH_PROPERTYGET) && params && result && Answers(id) &&
            ChildArgument(*params, &child)) {
            if (id == DISPID_ACC_ROLE) {
                return get_accRole(child, result);
            }
            BSTR text = nullptr;
            const HRESULT hr =
                id == DISPID_ACC_NAME ? get_accName(child, &text) : get_accValue(child, &text);
            if (SUCCEEDED(hr)) {
                result->vt = VT_BSTR;
                result->bstrVal = text;
            }
            return hr;
        }
        return system_->Invoke(id, iid, locale, flags, params, result, exception, badArgument);
    }

    // IAccessible: the name and the role are the design's, the rest the system's.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!design_.name || !IsSelf(child)) {
            return system_->get_accName(child, name);
        }
        return Copy(design_.name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (design_.role == 0 || !IsSelf(child)) {
            return system_->get_accRole(child, role);
        }
        if (!role) {
            return E_POINTER;
        }
        role->vt = VT_I4;
        role->lVal = design_.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return system_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return system_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return system_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!owner_ || !owner_->ValueSource() || !IsSelf(child)) {
            return system_->get_accValue(child, value);
        }
        return Copy(owner_->ValueSource()().c_str(), value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return system_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return system_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return system_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return system_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return system_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return system_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return system_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return system_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return system_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return system_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return system_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return system_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return system_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return system_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return system_->put_accValue(child, value);
    }

    // The control lets go of the object: from now on the system answers for the value.
    void Orphan() noexcept { owner_ = nullptr; }

  private:
    ~RenamedAccessible() {
        system_->Release();
        --g_liveObjects;
    }

    // The dispatch ids of the properties that this object, not the system's, answers.
    bool Answers(DISPID id) const {
        switch (id) {
        case DISPID_ACC_NAME: return design_.name != nullptr;
        case DISPID_ACC_ROLE: return design_.role != 0;
        case DISPID_ACC_VALUE: return owner_ && owner_->ValueSource();
        default: return false;
        }
    }

    HWND hwnd_;
    IAccessible* system_;            // owned: one reference
    const AccessibleControl* owner_; // null once the control has let go of the object
    AccessibleDesign design_;
    // COM may release the object on another thread than the one that made it.
    std::atomic<ULONG> references_{1};
};

int LiveAccessibleObjects() noexcept {
    return g_liveObjects;
}

bool AccessibleControl::Answer(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // The object's identifier is a DWORD: compared as one, whatever the sign extension.
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT) || !Renames()) {
        return false;
    }
    const AccessibilityLibrary& library = AccessibilityLibrary::Loaded();
    if (!library.Usable()) {
        return false;
    }
    if (!object_) {
        IAccessible* system = nullptr;
        if (FAILED(library.createStdAccessibleObject(hwnd, OBJID_CLIENT, kIidIAccessible,
                                                     reinterpret_cast<void**>(&system))) ||
            !system) {
            return false;
        }
        object_ = new (std::nothrow) RenamedAccessible(hwnd, system, *this);
        if (!object_) {
            system->Release();
            return false;
        }
        // Marshalled once for good, so that COM keeps one stub for the object instead of making
        // one for each request and taking it down when that reader lets go.
        IStream* held = nullptr;
        if (SUCCEEDED(library.createStreamOnHGlobal(nullptr, TRUE, &held))) {
            if (SUCCEEDED(library.coMarshalInterface(
                    held, kIidIAccessible, static_cast<IAccessible*>(object_), MSHCTX_LOCAL,
                    nullptr, MSHLFLAGS_TABLESTRONG))) {
                held_ = held;
            } else {
                held->Release();
            }
        }
    }
    // A reference for the reader, which the reader gives back.
    const LRESULT reference =
        library.lresultFromObject(kIidIAccessible, wParam, static_cast<IAccessible*>(object_));
    if (reference < 0) {
        return false; // not handed out: the system's own object answers instead
    }
    *result = reference;
    return true;
}

void AccessibleControl::Release() noexcept {
    if (!object_) {
        return;
    }
    const AccessibilityLibrary& library = AccessibilityLibrary::Loaded();
    if (held_) {
        held_->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
        library.coReleaseMarshalData(held_);
        held_->Release();
        held_ = nullptr;
    }
    // Readers that still hold it are told that it is gone, and give their references back.
    object_->Orphan();
    library.coDisconnectObject(static_cast<IAccessible*>(object_), 0);
    object_->Release();
    object_ = nullptr;
}

} // namespace platform
