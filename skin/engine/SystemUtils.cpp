#include "skin/engine/SystemUtils.h"

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"
#include "skin/engine/MessageDialogs.h"
#include "skin/engine/sConst.h"

namespace skin {

namespace {

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
using DwmIsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);

// The caption metrics; the record is 4 bytes shorter before Windows 6.
bool CaptionMetrics(NONCLIENTMETRICSW& metrics) {
    metrics = NONCLIENTMETRICSW{};
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    bool vista = GetVersionExW(&version) && version.dwMajorVersion >= 6;
    UINT size = vista ? sizeof(NONCLIENTMETRICSW) : sizeof(NONCLIENTMETRICSW) - sizeof(int);
    metrics.cbSize = size;
    return SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, size, &metrics, 0) != 0;
}

// Switches x64woAero on where it applies. kernel32 is always loaded, so its
// handle needs no load or release.
struct StartUp {
    StartUp() {
        if (IsWOW64Proc() && !acAeroIsEnabled()) x64woAero = true;
    }
};
StartUp startUp;

}  // namespace

int GetCaptionFontSize() {
    NONCLIENTMETRICSW metrics;
    return CaptionMetrics(metrics) ? metrics.lfCaptionFont.lfHeight : 0;
}

HFONT acGetTitleFont() {
    NONCLIENTMETRICSW metrics;
    return CaptionMetrics(metrics) ? CreateFontIndirectW(&metrics.lfCaptionFont) : nullptr;
}

bool IsWOW64Proc() {
    // Absent before Windows XP SP2.
    static const auto isWow64Process =
        reinterpret_cast<IsWow64ProcessFn>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process"));
    BOOL wow64 = FALSE;
    if (!isWow64Process || !isWow64Process(GetCurrentProcess(), &wow64)) return false;
    return wow64 != FALSE;
}

bool acAeroIsEnabled() {
    HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    if (!dwm) return false;
    BOOL enabled = FALSE;
    auto fn = reinterpret_cast<DwmIsCompositionEnabledFn>(GetProcAddress(dwm, "DwmIsCompositionEnabled"));
    bool result = fn && SUCCEEDED(fn(&enabled)) && enabled;
    FreeLibrary(dwm);
    return result;
}

DWORD Delay(DWORD MSecs) {
    DWORD start = GetTickCount();
    for (;;) {
        fw::Application->ProcessMessages();
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= MSecs) return elapsed;
        // Sleep until a message arrives or the time is up, not in a busy loop.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, MSecs - elapsed, QS_ALLINPUT);
    }
}

void ShowWarning(const fw::String& Msg) { sMessageDlg(Msg, fw::mtWarning, fw::TMsgDlgButtons{fw::mbOK}, 0); }

void ShowError(const fw::String& Msg) { sMessageDlg(Msg, fw::mtError, fw::TMsgDlgButtons{fw::mbOK}, 0); }

void Alert() { ShowWarning(L"Alert"); }

void Alert(const fw::String& Msg) { ShowWarning(Msg); }

void Alert(int Value) { ShowWarning(fw::IntToStr(Value)); }

bool CustomRequest(const fw::String& Msg) {
    return sMessageDlg(Msg, fw::mtConfirmation, fw::TMsgDlgButtons{fw::mbYes, fw::mbNo}, 0) == IDYES;
}

bool DeleteRequest() { return CustomRequest(L"Delete this item?"); }

}  // namespace skin
