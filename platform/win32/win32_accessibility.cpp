// What a screen reader reads of the Win32 window beyond what the system
// gives it: each control's name and the value labels' descriptions, made
// only when a screen reader first asks.
#include <initguid.h>

#include "platform/win32/win32_impl.hpp"
#include "platform/win32/win32_system.hpp"

namespace varnsel::platform::win32 {

// Made when an accessibility client first asks the built window or a
// control for its object, before the system builds the object that reads
// them, so a start without a screen reader loads no COM, not even ole32.dll.
// A value label keeps the system's name for a static control, its text,
// which follows every change of the caption.
void Win32FormEngine::Impl::annotate() {
    if (annotated || !built) return;
    annotated = true;
    ole32 = systemLibrary(L"ole32.dll");
    const auto start = systemFunction<HRESULT WINAPI(void*, DWORD)>(ole32, "CoInitializeEx");
    const auto create = systemFunction<HRESULT WINAPI(REFCLSID, IUnknown*, DWORD, REFIID, void**)>(
        ole32, "CoCreateInstance");
    if (!start || !create) return;
    comStarted = SUCCEEDED(start(nullptr, COINIT_APARTMENTTHREADED));
    create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
           reinterpret_cast<void**>(&accessibility));
    if (!accessibility) return;
    for (std::size_t i = 0; i < form::kControlCount; ++i) {
        const std::string_view name = form::accessibleName(ControlId(static_cast<int>(i)));
        if (!hwnds[i] || name.empty()) continue;
        accessibility->SetHwndPropStr(hwnds[i], static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                      PROPID_ACC_NAME, wide(name).c_str());
    }
    for (const form::DescribedBy& described : form::kDescribedBy)
        describe(described.value, narrow(windowText(hwnd(described.value))));
}

// A screen reader reads a control's description when it takes the focus.
void Win32FormEngine::Impl::describe(ControlId label, std::string_view caption) {
    if (!accessibility) return;
    for (const auto& [control, description] : readOut(label, caption).descriptions) {
        accessibility->SetHwndPropStr(hwnd(control), static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                      PROPID_ACC_DESCRIPTION, wide(description).c_str());
    }
}

}  // namespace varnsel::platform::win32
