#include "skin/forms/sDwm.h"

namespace skin {

HMODULE hDWMAPI = nullptr;

namespace {

bool apiLoaded = false;
using IsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);
using SetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
IsCompositionEnabledFn isCompositionEnabled = nullptr;
SetWindowAttributeFn setWindowAttribute = nullptr;

// DWMWA_NCRENDERING_POLICY (dwmapi.h): 1 enabled-query, 2 the policy, 3 transitions.
constexpr DWORD DWMWA_NCRENDERING_POLICY_ = 2;

}  // namespace

void InitDwmApi() {
    if (apiLoaded) return;
    apiLoaded = true;
    hDWMAPI = LoadLibraryW(L"DWMAPI.DLL");
    if (!hDWMAPI) return;
    isCompositionEnabled = reinterpret_cast<IsCompositionEnabledFn>(
        reinterpret_cast<void*>(GetProcAddress(hDWMAPI, "DwmIsCompositionEnabled")));
    setWindowAttribute = reinterpret_cast<SetWindowAttributeFn>(
        reinterpret_cast<void*>(GetProcAddress(hDWMAPI, "DwmSetWindowAttribute")));
}

bool AeroIsEnabled() {
    if (LOBYTE(LOWORD(GetVersion())) < 6) return false;
    InitDwmApi();
    BOOL on = FALSE;
    return isCompositionEnabled && SUCCEEDED(isCompositionEnabled(&on)) && on;
}

void InitDwm(HWND Handle, bool Active, bool Refresh) {
    (void)Refresh;
    if (!Handle || !AeroIsEnabled() || !setWindowAttribute) return;
    const DWORD policy = Active ? 1 : 0;  // disabled : as the window's style says
    setWindowAttribute(Handle, DWMWA_NCRENDERING_POLICY_, &policy, sizeof(policy));
}

}  // namespace skin
