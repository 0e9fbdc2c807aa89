// Active Accessibility from the asking side: AccessibleObjectFromWindow and the questions a
// screen reader asks of the object it gets.
#include "tests/support/accessible_object.h"

#include "platform/accessible.h"

#include <ole2.h>
#include <oleacc.h>

namespace test_support {

namespace {

VARIANT Self() {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

// Takes the string that an object handed out.
std::optional<std::wstring> Take(HRESULT hr, BSTR text) {
    if (hr != S_OK || text == nullptr) {
        SysFreeString(text);
        return std::nullopt;
    }
    std::wstring taken(text, SysStringLen(text));
    SysFreeString(text);
    return taken;
}

HWND g_announcer = nullptr;
int g_valueChanges = 0;

void CALLBACK CountValueChange(HWINEVENTHOOK, DWORD, HWND hwnd, LONG objectId, LONG child, DWORD,
                               DWORD) {
    g_valueChanges += hwnd == g_announcer && objectId == OBJID_CLIENT && child == CHILDID_SELF;
}

} // namespace

AccessibleObject::AccessibleObject(HWND hwnd, LONG objectId) {
    // The answers come back through COM; this thread joins it once.
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    void* object = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(objectId),
                                             platform::kIidIAccessible, &object))) {
        object_ = static_cast<IAccessible*>(object);
    }
}

AccessibleObject::~AccessibleObject() {
    if (object_ != nullptr) {
        object_->Release();
    }
}

std::optional<std::wstring> AccessibleObject::Name() const {
    BSTR name = nullptr;
    const HRESULT hr = object_ ? object_->get_accName(Self(), &name) : E_POINTER;
    return Take(hr, name);
}

std::optional<std::wstring> AccessibleObject::Value() const {
    BSTR value = nullptr;
    const HRESULT hr = object_ ? object_->get_accValue(Self(), &value) : E_POINTER;
    return Take(hr, value);
}

long AccessibleObject::Role() const {
    VARIANT role;
    VariantInit(&role);
    if (object_ == nullptr || object_->get_accRole(Self(), &role) != S_OK || role.vt != VT_I4) {
        VariantClear(&role);
        return 0;
    }
    return role.lVal;
}

std::optional<std::wstring> AccessibleObject::DispatchedName() const {
    VARIANT child = Self();
    DISPPARAMS params{&child, nullptr, 1, 0};
    VARIANT name;
    VariantInit(&name);
    const HRESULT hr = object_
                           ? object_->Invoke(DISPID_ACC_NAME, IID_NULL, LOCALE_USER_DEFAULT,
                                             DISPATCH_PROPERTYGET, &params, &name, nullptr, nullptr)
                           : E_POINTER;
    if (hr != S_OK || name.vt != VT_BSTR) {
        VariantClear(&name);
        return std::nullopt;
    }
    return Take(S_OK, name.bstrVal);
}

ValueChangeCounter::ValueChangeCounter(HWND hwnd) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    g_announcer = hwnd;
    g_valueChanges = 0;
    hook_ = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                            &CountValueChange, process, 0, WINEVENT_OUTOFCONTEXT);
}

ValueChangeCounter::~ValueChangeCounter() {
    UnhookWinEvent(hook_);
    g_announcer = nullptr;
}

int ValueChangeCounter::Count() const {
    return g_valueChanges;
}

} // namespace test_support
