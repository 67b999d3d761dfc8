// A stand-in dsound.dll for tests that go through the real loading of
// DirectSound: picked by a DLL override for a program beside it, it offers
// the capture devices of the tests' fixture on the real clock. Set up by the
// environment:
//   KVB_DSOUND_DEVICES       number of capture devices (default 1)
//   KVB_DSOUND_CREATE_FAILS  HRESULT (hex) DirectSoundCaptureCreate fails with
#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/audio/FakeDSound.h"

namespace {

int EnvInt(const char* name, int fallback, int base = 10) {
    char value[32];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    if (n == 0 || n >= sizeof value) return fallback;
    return static_cast<int>(std::strtoul(value, nullptr, base));
}

fakeds::World& TheWorld() {
    static fakeds::World* world = [] {
        auto* w = new fakeds::World();  // lives as long as the process: objects may outlive any caller
        w->realClock = true;
        int devices = EnvInt("KVB_DSOUND_DEVICES", 1);
        HRESULT fails = static_cast<HRESULT>(EnvInt("KVB_DSOUND_CREATE_FAILS", 0, 16));
        for (int i = 0; i < devices; ++i) w->AddDevice(L"Stand-in capture " + std::to_wstring(i)).createFails = fails;
        return w;
    }();
    return *world;
}

const acs::TDSoundSystem& System() {
    static const auto system = TheWorld().System();
    return *system;
}

}  // namespace

extern "C" {

HRESULT WINAPI StandInCaptureEnumerateW(LPDSENUMCALLBACKW callback, LPVOID context) {
    return System().CaptureEnumerate(callback, context);
}

HRESULT WINAPI StandInCaptureCreate(LPCGUID guid, LPDIRECTSOUNDCAPTURE* capture, LPUNKNOWN outer) {
    if (outer) return CLASS_E_NOAGGREGATION;
    return System().CaptureCreate(guid, capture);
}

HRESULT WINAPI StandInCreate(LPCGUID guid, LPDIRECTSOUND* sound, LPUNKNOWN outer) {
    if (outer) return CLASS_E_NOAGGREGATION;
    return System().Create(guid, sound);
}

}  // extern "C"
