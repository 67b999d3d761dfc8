// The DLL's entry points: the class factory and self-registration under the
// player's CLSID and ProgIDs, as regsvr32 calls them.
#include <olectl.h>
#include <windows.h>

#include <string>

#include "player/Guids.h"
#include "player/StandInPlayer.h"

using namespace player;

namespace {

HMODULE g_module = nullptr;

class Factory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }  // a static object
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* object = new (std::nothrow) StandInPlayer();
        if (!object) return E_OUTOFMEMORY;
        HRESULT hr = object->QueryInterface(riid, out);
        object->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock)
            InterlockedIncrement(&g_serverLocks);
        else
            InterlockedDecrement(&g_serverLocks);
        return S_OK;
    }
};

Factory g_factory;

std::wstring clsidText() {
    wchar_t text[64];
    StringFromGUID2(CLSID_ShockwaveFlash, text, 64);
    return text;
}

bool setValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY h;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return false;
    LONG r = RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
    return r == ERROR_SUCCESS;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (clsid != CLSID_ShockwaveFlash) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, out);
}

extern "C" HRESULT __stdcall DllCanUnloadNow() { return g_serverLocks == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT __stdcall DllRegisterServer() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(g_module, path, MAX_PATH);
    const std::wstring clsid = clsidText(), key = L"CLSID\\" + clsid;
    bool ok =
        setValue(HKEY_CLASSES_ROOT, key, nullptr, L"Shockwave Flash Object") &&
        setValue(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", nullptr, path) &&
        setValue(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
        setValue(HKEY_CLASSES_ROOT, key + L"\\ProgID", nullptr, L"ShockwaveFlash.ShockwaveFlash.10") &&
        setValue(HKEY_CLASSES_ROOT, key + L"\\VersionIndependentProgID", nullptr, L"ShockwaveFlash.ShockwaveFlash") &&
        setValue(HKEY_CLASSES_ROOT, L"ShockwaveFlash.ShockwaveFlash\\CLSID", nullptr, clsid) &&
        setValue(HKEY_CLASSES_ROOT, L"ShockwaveFlash.ShockwaveFlash.10\\CLSID", nullptr, clsid);
    return ok ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT __stdcall DllUnregisterServer() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + clsidText()).c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"ShockwaveFlash.ShockwaveFlash");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"ShockwaveFlash.ShockwaveFlash.10");
    return S_OK;
}
