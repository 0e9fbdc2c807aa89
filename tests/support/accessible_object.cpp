// Active Accessibility from the asking side: AccessibleObjectFromWindow and the questions a
// screen reader asks of the object it gets.
#include "tests/support/accessible_object.h"

#include "platform/accessible.h"

#include <ole2.h>

#include <memory>

namespace test_support {

namespace {

VARIANT Self() {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

// A string or a variant that an object handed out, freed when it goes.
struct FreeBstr {
    void operator()(OLECHAR* text) const { SysFreeString(text); }
};
using UniqueBstr = std::unique_ptr<OLECHAR, FreeBstr>;

struct Variant : VARIANT {
    Variant() { VariantInit(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(this); }
};

std::optional<std::wstring> Text(HRESULT hr, const UniqueBstr& text) {
    if (hr != S_OK || !text) {
        return std::nullopt;
    }
    return std::wstring(text.get(), SysStringLen(text.get()));
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
    AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(objectId), platform::kIidIAccessible,
                               object_.put_void());
}

std::optional<std::wstring> AccessibleObject::Name() const {
    BSTR name = nullptr;
    const HRESULT hr = object_ ? object_->get_accName(Self(), &name) : E_POINTER;
    return Text(hr, UniqueBstr(name));
}

std::optional<std::wstring> AccessibleObject::Value() const {
    BSTR value = nullptr;
    const HRESULT hr = object_ ? object_->get_accValue(Self(), &value) : E_POINTER;
    return Text(hr, UniqueBstr(value));
}

long AccessibleObject::Role() const {
    Variant role;
    if (!object_ || object_->get_accRole(Self(), &role) != S_OK || role.vt != VT_I4) {
        return 0;
    }
    return role.lVal;
}

std::optional<std::wstring> AccessibleObject::DispatchedName() const {
    VARIANT child = Self();
    DISPPARAMS params{&child, nullptr, 1, 0};
    Variant name;
    const HRESULT hr = object_
                           ? object_->Invoke(DISPID_ACC_NAME, IID_NULL, LOCALE_USER_DEFAULT,
                                             DISPATCH_PROPERTYGET, &params, &name, nullptr, nullptr)
                           : E_POINTER;
    if (hr != S_OK || name.vt != VT_BSTR) {
        return std::nullopt;
    }
    return std::wstring(name.bstrVal, SysStringLen(name.bstrVal));
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
