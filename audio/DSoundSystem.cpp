#include "audio/DSoundSystem.h"

#include <mutex>

namespace acs {

namespace {

using EnumerateFn = HRESULT(WINAPI*)(LPDSENUMCALLBACKW, LPVOID);
using CaptureCreateFn = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUNDCAPTURE*, LPUNKNOWN);
using CreateFn = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);

// Loaded once and kept: objects made by the DLL may outlive any one user.
struct DSoundLibrary {
    EnumerateFn enumerate = nullptr;
    CaptureCreateFn captureCreate = nullptr;
    CreateFn create = nullptr;

    DSoundLibrary() {
        HMODULE dll = LoadLibraryW(L"dsound.dll");
        if (!dll) return;
        enumerate = reinterpret_cast<EnumerateFn>(GetProcAddress(dll, "DirectSoundCaptureEnumerateW"));
        captureCreate = reinterpret_cast<CaptureCreateFn>(GetProcAddress(dll, "DirectSoundCaptureCreate"));
        create = reinterpret_cast<CreateFn>(GetProcAddress(dll, "DirectSoundCreate"));
    }
};

const DSoundLibrary& Library() {
    static const DSoundLibrary library;
    return library;
}

std::mutex currentLock;
std::shared_ptr<const TDSoundSystem> current;

}  // namespace

std::shared_ptr<const TDSoundSystem> PlatformDSoundSystem() {
    static const std::shared_ptr<const TDSoundSystem> platform = [] {
        auto s = std::make_shared<TDSoundSystem>();
        s->CaptureEnumerate = [](LPDSENUMCALLBACKW callback, void* context) -> HRESULT {
            auto fn = Library().enumerate;
            return fn ? fn(callback, context) : DSERR_NODRIVER;
        };
        s->CaptureCreate = [](const GUID* device, IDirectSoundCapture** capture) -> HRESULT {
            auto fn = Library().captureCreate;
            return fn ? fn(device, capture, nullptr) : DSERR_NODRIVER;
        };
        s->Create = [](const GUID* device, IDirectSound** sound) -> HRESULT {
            auto fn = Library().create;
            return fn ? fn(device, sound, nullptr) : DSERR_NODRIVER;
        };
        s->Sleep = [](DWORD ms) { ::Sleep(ms); };
        s->Counter = [](int64_t& ticks) {
            LARGE_INTEGER v;
            if (!QueryPerformanceCounter(&v)) return false;
            ticks = v.QuadPart;
            return true;
        };
        s->CounterFrequency = [](int64_t& ticks) {
            LARGE_INTEGER v;
            if (!QueryPerformanceFrequency(&v)) return false;
            ticks = v.QuadPart;
            return true;
        };
        return std::shared_ptr<const TDSoundSystem>(std::move(s));
    }();
    return platform;
}

std::shared_ptr<const TDSoundSystem> CurrentDSoundSystem() {
    std::lock_guard<std::mutex> guard(currentLock);
    return current ? current : PlatformDSoundSystem();
}

std::shared_ptr<const TDSoundSystem> SetDSoundSystem(std::shared_ptr<const TDSoundSystem> System) {
    std::lock_guard<std::mutex> guard(currentLock);
    auto previous = current ? current : PlatformDSoundSystem();
    current = std::move(System);
    return previous;
}

}  // namespace acs
