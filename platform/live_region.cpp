// The live setting of a window, through the annotation service that Active Accessibility brings.
#include "platform/live_region.h"

#include "platform/accessibility_library.h"

#include <utility>

namespace platform {

namespace {

// Spelt out, as the accessible object's interface id is: some import libraries declare them as
// data of oleacc.dll and link to a stub in their place.
constexpr CLSID kClsidAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIidIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
// UI Automation's LiveSetting property, as the annotation service names it.
constexpr MSAAPROPID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};

} // namespace

void LiveRegionAnnotation::Annotate(HWND hwnd, LiveSetting setting) noexcept {
    if (tried_) {
        return;
    }
    tried_ = true;
    const AccessibilityLibrary& library = AccessibilityLibrary::Loaded();
    ComPtr<IAccPropServices> service;
    if (!library.coCreateInstance ||
        FAILED(library.coCreateInstance(kClsidAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                        kIidIAccPropServices, service.put_void()))) {
        return;
    }
    VARIANT value{};
    value.vt = VT_I4;
    value.lVal = static_cast<LONG>(setting);
    if (SUCCEEDED(service->SetHwndProp(hwnd, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                       kLiveSettingProperty, value))) {
        service_ = std::move(service);
        annotated_ = hwnd;
    }
}

void LiveRegionAnnotation::Clear() noexcept {
    if (service_) {
        // Told to forget the setting while the window is still there, rather than left to find
        // out that it has gone.
        MSAAPROPID properties[] = {kLiveSettingProperty};
        service_->ClearHwndProps(annotated_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                 properties, 1);
        service_.reset();
    }
    annotated_ = nullptr;
    tried_ = false;
}

} // namespace platform
