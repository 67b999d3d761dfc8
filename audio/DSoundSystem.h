// The DirectSound entry points and the clock the capture is polled by, as one
// replaceable set: the default loads dsound.dll at run time (so a DLL
// override or a missing DLL is honoured), tests put a device of their own
// and a controllable clock behind the same interfaces.
#pragma once

#include <windows.h>

#include <dsound.h>

#include <cstdint>
#include <functional>
#include <memory>

namespace acs {

struct TDSoundSystem {
    std::function<HRESULT(LPDSENUMCALLBACKW Callback, void* Context)> CaptureEnumerate;
    std::function<HRESULT(const GUID* Device, IDirectSoundCapture** Capture)> CaptureCreate;
    std::function<HRESULT(const GUID* Device, IDirectSound** Sound)> Create;
    std::function<void(DWORD Milliseconds)> Sleep;
    // False when the machine has no performance counter.
    std::function<bool(int64_t& Ticks)> Counter;
    std::function<bool(int64_t& TicksPerSecond)> CounterFrequency;
};

// dsound.dll's functions (DSERR_NODRIVER when the DLL or a function is
// missing), Sleep and the performance counter.
std::shared_ptr<const TDSoundSystem> PlatformDSoundSystem();

// The set new capture components bind to.
std::shared_ptr<const TDSoundSystem> CurrentDSoundSystem();
// Replaces it (nullptr restores the platform's) and returns the previous one.
std::shared_ptr<const TDSoundSystem> SetDSoundSystem(std::shared_ptr<const TDSoundSystem> System);

}  // namespace acs
