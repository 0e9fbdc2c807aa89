// Active Accessibility from the asking side: AccessibleObjectFromWindow and the questions a
// screen reader asks of the object it gets.
#include "tests/support/accessible_object.h"

#include "platform/accessible.h"

#include <ole2.h>

#include <memory>
#include <vector>

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

// The counters that listen now; each hears the events of its own hook.
std::vector<WinEventCounter*> g_counters;

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

HRESULT AccessibleObject::Dispatch(DISPID property, VARIANT* result) const {
    VARIANT child = Self();
    DISPPARAMS params{&child, nullptr, 1, 0};
    return object_ ? object_->Invoke(property, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                     &params, result, nullptr, nullptr)
                   : E_POINTER;
}

std::optional<std::wstring> AccessibleObject::DispatchedText(DISPID property) const {
    Variant text;
    if (Dispatch(property, &text) != S_OK || text.vt != VT_BSTR) {
        return std::nullopt;
    }
    return std::wstring(text.bstrVal, SysStringLen(text.bstrVal));
}

long AccessibleObject::DispatchedRole() const {
    Variant role;
    return Dispatch(DISPID_ACC_ROLE, &role) == S_OK && role.vt == VT_I4 ? role.lVal : 0;
}

WinEventCounter::WinEventCounter(HWND hwnd, DWORD event) : hwnd_(hwnd) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    hook_ = SetWinEventHook(event, event, nullptr, &Heard, process, 0, WINEVENT_OUTOFCONTEXT);
    g_counters.push_back(this);
}

WinEventCounter::~WinEventCounter() {
    UnhookWinEvent(hook_);
    std::erase(g_counters, this);
}

void CALLBACK WinEventCounter::Heard(HWINEVENTHOOK hook, DWORD, HWND hwnd, LONG objectId,
                                     LONG child, DWORD, DWORD) {
    for (WinEventCounter* counter : g_counters) {
        counter->count_ += counter->hook_ == hook && counter->hwnd_ == hwnd &&
                           objectId == OBJID_CLIENT && child == CHILDID_SELF;
    }
}

} // namespace test_support
