// The system's accessible object of a control, renamed: every question but the name, the role and
// the value that the program gives goes to the system's own object, which keeps answering them as
// it would (a text box's value is its text at the moment it is asked, its state, its place on the
// screen).
#include "platform/renamed_accessible.h"

#include "platform/accessibility_library.h"

#include <utility>

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

int LiveAccessibleObjectsForTesting() noexcept {
    return g_liveObjects;
}

RenamedAccessible::RenamedAccessible(HWND hwnd, ComPtr<IAccessible> system,
                                     const AccessibleControl& owner)
    : hwnd_(hwnd), system_(std::move(system)), owner_(&owner), design_(owner.Design()) {
    ++g_liveObjects;
}

RenamedAccessible::~RenamedAccessible() {
    --g_liveObjects;
}

HRESULT RenamedAccessible::QueryInterface(REFIID iid, void** object) {
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

ULONG RenamedAccessible::AddRef() {
    return ++references_;
}

ULONG RenamedAccessible::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT RenamedAccessible::GetWindow(HWND* hwnd) {
    if (!hwnd) {
        return E_POINTER;
    }
    *hwnd = hwnd_;
    return S_OK;
}

HRESULT RenamedAccessible::GetTypeInfoCount(UINT* count) {
    return system_->GetTypeInfoCount(count);
}

HRESULT RenamedAccessible::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
    return system_->GetTypeInfo(index, locale, info);
}

HRESULT RenamedAccessible::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                         DISPID* ids) {
    return system_->GetIDsOfNames(iid, names, count, locale, ids);
}

HRESULT RenamedAccessible::Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                  DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                  UINT* badArgument) {
    // A late-bound client (a script) asks for the properties by their dispatch ids and hears
    // what every other client hears.
    VARIANT child;
    if ((flags & DISPATCH_PROPERTYGET) && params && result && Answers(id) &&
        ChildArgument(*params, &child)) {
        if (id == DISPID_ACC_ROLE) {
            return get_accRole(child, result);
        }
        // The text goes into the result, which the client frees.
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

bool RenamedAccessible::Answers(DISPID id) const {
    switch (id) {
    case DISPID_ACC_NAME: return design_.name != nullptr;
    case DISPID_ACC_ROLE: return design_.role != 0;
    case DISPID_ACC_VALUE: return owner_ && owner_->Value();
    default: return false;
    }
}

// The name and the role are the design's, the value the owner's; the rest the system's.
HRESULT RenamedAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!design_.name || !IsSelf(child)) {
        return system_->get_accName(child, name);
    }
    return Copy(design_.name, name);
}

HRESULT RenamedAccessible::get_accRole(VARIANT child, VARIANT* role) {
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

HRESULT RenamedAccessible::get_accValue(VARIANT child, BSTR* value) {
    if (!owner_ || !owner_->Value() || !IsSelf(child)) {
        return system_->get_accValue(child, value);
    }
    return Copy(owner_->Value().Text().c_str(), value);
}

HRESULT RenamedAccessible::get_accParent(IDispatch** parent) {
    return system_->get_accParent(parent);
}
HRESULT RenamedAccessible::get_accChildCount(long* count) {
    return system_->get_accChildCount(count);
}
HRESULT RenamedAccessible::get_accChild(VARIANT child, IDispatch** object) {
    return system_->get_accChild(child, object);
}
HRESULT RenamedAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return system_->get_accDescription(child, description);
}
HRESULT RenamedAccessible::get_accState(VARIANT child, VARIANT* state) {
    return system_->get_accState(child, state);
}
HRESULT RenamedAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return system_->get_accHelp(child, help);
}
HRESULT RenamedAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    return system_->get_accHelpTopic(file, child, topic);
}
HRESULT RenamedAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return system_->get_accKeyboardShortcut(child, shortcut);
}
HRESULT RenamedAccessible::get_accFocus(VARIANT* child) {
    return system_->get_accFocus(child);
}
HRESULT RenamedAccessible::get_accSelection(VARIANT* children) {
    return system_->get_accSelection(children);
}
HRESULT RenamedAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return system_->get_accDefaultAction(child, action);
}
HRESULT RenamedAccessible::accSelect(long flags, VARIANT child) {
    return system_->accSelect(flags, child);
}
HRESULT RenamedAccessible::accLocation(long* left, long* top, long* width, long* height,
                                       VARIANT child) {
    return system_->accLocation(left, top, width, height, child);
}
HRESULT RenamedAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    return system_->accNavigate(direction, start, end);
}
HRESULT RenamedAccessible::accHitTest(long x, long y, VARIANT* child) {
    return system_->accHitTest(x, y, child);
}
HRESULT RenamedAccessible::accDoDefaultAction(VARIANT child) {
    return system_->accDoDefaultAction(child);
}
HRESULT RenamedAccessible::put_accName(VARIANT child, BSTR name) {
    return system_->put_accName(child, name);
}
HRESULT RenamedAccessible::put_accValue(VARIANT child, BSTR value) {
    return system_->put_accValue(child, value);
}

} // namespace platform
