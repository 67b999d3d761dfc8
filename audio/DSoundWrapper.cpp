#include "audio/DSoundWrapper.h"

#include <algorithm>
#include <cstring>

#include "framework/rtl/Exception.h"

namespace acs {

namespace {

template <typename T>
void ReleaseAndForget(T*& object) {
    if (object) {
        T* held = object;
        object = nullptr;
        held->Release();
    }
}

// Keeps what a create call made. A failing call may still have handed something
// out, which is released; success with nothing made is a failure too.
template <typename T>
HRESULT KeepCreated(HRESULT hr, T* made, T*& into) {
    if (FAILED(hr)) {
        if (made) made->Release();
        return hr;
    }
    if (!made) return DSERR_GENERIC;
    into = made;
    return 0;
}

WAVEFORMATEX PcmFormat(uint32_t bits, uint32_t rate, uint32_t channels) {
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = static_cast<WORD>(channels);
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = static_cast<WORD>(bits);
    f.nBlockAlign = static_cast<WORD>((bits / 8) * channels);
    f.nAvgBytesPerSec = f.nBlockAlign * rate;
    f.cbSize = 0;
    return f;
}

// Copies Count bytes from Source into the two parts of a locked region (or
// zeroes them when Source is null); returns the bytes placed.
DWORD FillParts(void* p1, DWORD n1, void* p2, DWORD n2, const void* source, DWORD count) {
    DWORD first = std::min(n1, count);
    DWORD second = p2 ? std::min(n2, count - first) : 0;
    auto* src = static_cast<const uint8_t*>(source);
    if (source) {
        if (first) std::memcpy(p1, src, first);
        if (second) std::memcpy(p2, src + first, second);
    } else {
        if (first) std::memset(p1, 0, first);
        if (second) std::memset(p2, 0, second);
    }
    return first + second;
}

BOOL CALLBACK AddCaptureDevice(LPGUID guid, LPCWSTR description, LPCWSTR, LPVOID context) {
    return fw::ExceptionBarrier(
        [&]() -> BOOL {
            auto& devices = *static_cast<DSW_Devices*>(context);
            if (devices.devcount >= DSW_MaxDevices) return FALSE;
            DSW_DeviceInfo& info = devices.dinfo[devices.devcount];
            info.guid = guid ? *guid : GUID{};
            size_t length = description ? wcsnlen(description, DSW_NameLength - 1) : 0;
            if (length) std::memcpy(info.name, description, length * sizeof(wchar_t));
            info.name[length] = 0;
            ++devices.devcount;
            return TRUE;
        },
        FALSE);
}

// Writes Count bytes of Source (zeros when null) at the echo's write offset.
HRESULT PutPlayback(DSoundWrapper& DSW, const void* source, uint32_t count) {
    if (!DSW.dsw_OutputBuffer || DSW.dsw_OutputSize == 0) return DSERR_INVALIDCALL;
    if (count == 0) return 0;
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    HRESULT hr = DSW.dsw_OutputBuffer->Lock(DSW.dsw_WriteOffset, count, &p1, &n1, &p2, &n2, 0);
    if (FAILED(hr)) return hr;
    DWORD placed = FillParts(p1, n1, p2, n2, source, count);
    DSW.dsw_WriteOffset = (DSW.dsw_WriteOffset + placed) % DSW.dsw_OutputSize;
    hr = DSW.dsw_OutputBuffer->Unlock(p1, n1, p2, n2);
    if (DSW.dsw_BytesPerFrame) DSW.dsw_FramesWritten += count / DSW.dsw_BytesPerFrame;
    return FAILED(hr) ? hr : 0;
}

}  // namespace

fw::String DSErrorName(HRESULT Result) {
    switch (static_cast<uint32_t>(Result)) {
        case 0x80004001:
            return L"DSERR_UNSUPPORTED";
        case 0x80004005:
            return L"DSERR_GENERIC";
        case 0x80070057:
            return L"DSERR_INVALIDPARAM";
        case 0x8878000A:
            return L"DSERR_ALLOCATED";
        case 0x88780032:
            return L"DSERR_INVALIDCALL";
        case 0x88780064:
            return L"DSERR_BADFORMAT";
        case 0x88780078:
            return L"DSERR_NODRIVER";
        case 0x88780082:
            return L"DSERR_ALREADYINITIALIZED";
        default:
            return L"Unknown";
    }
}

void WrapperClear(DSoundWrapper& DSW) {
    const TDSoundSystem* system = DSW.System;
    std::memset(static_cast<void*>(&DSW), 0, sizeof(DSW));
    DSW.System = system;
}

HRESULT WrapperRelease(DSoundWrapper& DSW) {
    if (DSW.dsw_OutputBuffer) {
        DSW.dsw_OutputBuffer->Stop();
        ReleaseAndForget(DSW.dsw_OutputBuffer);
    }
    DSW.dsw_OutputRunning = FALSE;
    ReleaseAndForget(DSW.dsw_PrimaryBuffer);
    if (DSW.dsw_InputBuffer) {
        DSW.dsw_InputBuffer->Stop();
        ReleaseAndForget(DSW.dsw_InputBuffer);
    }
    ReleaseAndForget(DSW.dsw_pDirectSoundCapture);
    ReleaseAndForget(DSW.dsw_pDirectSound);
    return 0;
}

HRESULT EnumerateCaptureDevices(const TDSoundSystem& System, DSW_Devices& Devices) {
    Devices.devcount = 0;
    if (!System.CaptureEnumerate) return DSERR_NODRIVER;
    return System.CaptureEnumerate(AddCaptureDevice, &Devices);
}

HRESULT OpenCaptureDevice(DSoundWrapper& DSW, const GUID* Device) {
    if (!DSW.System || !DSW.System->CaptureCreate) return DSERR_NODRIVER;
    IDirectSoundCapture* capture = nullptr;
    HRESULT hr = DSW.System->CaptureCreate(Device, &capture);
    return KeepCreated(hr, capture, DSW.dsw_pDirectSoundCapture);
}

HRESULT OpenCaptureBuffer(DSoundWrapper& DSW, uint32_t Bits, uint32_t Rate, uint32_t Channels, uint32_t Bytes) {
    if (!DSW.dsw_pDirectSoundCapture) return DSERR_INVALIDCALL;
    WAVEFORMATEX format = PcmFormat(Bits, Rate, Channels);
    DSCBUFFERDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = 0;
    desc.dwBufferBytes = Bytes;
    desc.lpwfxFormat = &format;
    IDirectSoundCaptureBuffer* buffer = nullptr;
    HRESULT hr = DSW.dsw_pDirectSoundCapture->CreateCaptureBuffer(&desc, &buffer, nullptr);
    hr = KeepCreated(hr, buffer, DSW.dsw_InputBuffer);
    if (hr != 0) return hr;
    DSW.dsw_InputSize = Bytes;
    DSW.dsw_ReadOffset = 0;
    return 0;
}

HRESULT StartCapture(DSoundWrapper& DSW) {
    return DSW.dsw_InputBuffer ? DSW.dsw_InputBuffer->Start(DSCBSTART_LOOPING) : 0;
}

HRESULT StopCapture(DSoundWrapper& DSW) { return DSW.dsw_InputBuffer ? DSW.dsw_InputBuffer->Stop() : 0; }

HRESULT CaptureFilled(DSoundWrapper& DSW, uint32_t& Count) {
    Count = 0;
    if (!DSW.dsw_InputBuffer || DSW.dsw_InputSize == 0) return DSERR_INVALIDCALL;
    DWORD capture = 0, read = 0;
    HRESULT hr = DSW.dsw_InputBuffer->GetCurrentPosition(&capture, &read);
    if (FAILED(hr)) return hr;
    int64_t filled = static_cast<int64_t>(read) - DSW.dsw_ReadOffset;
    if (filled < 0) filled += DSW.dsw_InputSize;
    Count = static_cast<uint32_t>(filled);
    return 0;
}

HRESULT ReadCapture(DSoundWrapper& DSW, void* Dest, uint32_t& Count) {
    uint32_t wanted = Count;
    Count = 0;
    if (!DSW.dsw_InputBuffer || DSW.dsw_InputSize == 0) return DSERR_INVALIDCALL;
    if (wanted == 0) return 0;
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    HRESULT hr = DSW.dsw_InputBuffer->Lock(DSW.dsw_ReadOffset, wanted, &p1, &n1, &p2, &n2, 0);
    if (FAILED(hr)) return hr;
    // Never more than asked: Dest holds only that much.
    DWORD first = std::min<DWORD>(n1, wanted);
    DWORD second = p2 ? std::min<DWORD>(n2, wanted - first) : 0;
    auto* dest = static_cast<uint8_t*>(Dest);
    if (first) std::memcpy(dest, p1, first);
    if (second) std::memcpy(dest + first, p2, second);
    DSW.dsw_ReadOffset = (DSW.dsw_ReadOffset + first + second) % DSW.dsw_InputSize;
    hr = DSW.dsw_InputBuffer->Unlock(p1, n1, p2, n2);
    Count = first + second;
    return FAILED(hr) ? hr : 0;
}

HRESULT OpenPlaybackDevice(DSoundWrapper& DSW, const GUID* Device) {
    if (!DSW.System || !DSW.System->Create) return DSERR_NODRIVER;
    IDirectSound* sound = nullptr;
    HRESULT hr = DSW.System->Create(Device, &sound);
    return KeepCreated(hr, sound, DSW.dsw_pDirectSound);
}

HRESULT OpenPlaybackBuffer(DSoundWrapper& DSW, HWND Window, uint32_t Bits, uint32_t Bytes, uint32_t Channels,
                           uint32_t Rate) {
    DSW.dsw_OutputSize = Bytes;
    DSW.dsw_OutputRunning = FALSE;
    DSW.dsw_OutputUnderflows = 0;
    DSW.dsw_FramesWritten = 0;
    DSW.dsw_BytesPerFrame = (Channels * Bits) / 8;
    if (!DSW.dsw_pDirectSound) return DSERR_INVALIDCALL;
    if (DSW.dsw_BytesPerFrame == 0 || Rate == 0 || Bytes == 0) return DSERR_BADFORMAT;

    HRESULT hr = DSW.dsw_pDirectSound->SetCooperativeLevel(Window ? Window : GetDesktopWindow(), DSSCL_EXCLUSIVE);
    if (FAILED(hr)) return hr;

    WAVEFORMATEX format = PcmFormat(Bits, Rate, Channels);
    DSBUFFERDESC primary{};
    primary.dwSize = sizeof(primary);
    primary.dwFlags = DSBCAPS_PRIMARYBUFFER;
    hr = DSW.dsw_pDirectSound->CreateSoundBuffer(&primary, &DSW.dsw_PrimaryBuffer, nullptr);
    if (FAILED(hr)) return hr;
    if (!DSW.dsw_PrimaryBuffer) return DSERR_GENERIC;
    hr = DSW.dsw_PrimaryBuffer->SetFormat(&format);
    if (FAILED(hr)) return hr;

    DSBUFFERDESC secondary{};
    secondary.dwSize = sizeof(secondary);
    secondary.dwFlags = DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS | DSBCAPS_CTRLVOLUME;
    secondary.dwBufferBytes = Bytes;
    secondary.lpwfxFormat = &format;
    hr = DSW.dsw_pDirectSound->CreateSoundBuffer(&secondary, &DSW.dsw_OutputBuffer, nullptr);
    if (FAILED(hr)) return hr;
    if (!DSW.dsw_OutputBuffer) return DSERR_GENERIC;

    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    hr = DSW.dsw_OutputBuffer->Lock(0, Bytes, &p1, &n1, &p2, &n2, 0);
    if (FAILED(hr)) return hr;
    FillParts(p1, n1, p2, n2, nullptr, Bytes);
    hr = DSW.dsw_OutputBuffer->Unlock(p1, n1, p2, n2);
    if (FAILED(hr)) return hr;

    int64_t frequency = 0;
    if (DSW.System && DSW.System->CounterFrequency && DSW.System->CounterFrequency(frequency) && frequency > 0)
        DSW.dsw_CounterTicksPerBuffer = frequency * (Bytes / DSW.dsw_BytesPerFrame) / Rate;
    else
        DSW.dsw_CounterTicksPerBuffer = 0;

    DWORD play = 0, write = 0;
    hr = DSW.dsw_OutputBuffer->GetCurrentPosition(&play, &write);
    if (FAILED(hr)) return hr;
    DSW.dsw_WriteOffset = write % Bytes;
    DSW.dsw_FramesWritten = static_cast<double>(DSW.dsw_WriteOffset) / DSW.dsw_BytesPerFrame;
    return 0;
}

HRESULT StartPlayback(DSoundWrapper& DSW) {
    if (!DSW.dsw_OutputBuffer) return DSERR_INVALIDCALL;
    int64_t now = 0;
    if (DSW.System && DSW.System->Counter) DSW.System->Counter(now);
    DSW.dsw_LastPlayTime = now;
    DSW.dsw_LastPlayCursor = 0;
    DSW.dsw_FramesPlayed = 0;
    HRESULT hr = DSW.dsw_OutputBuffer->SetCurrentPosition(0);
    if (FAILED(hr)) return hr;
    hr = DSW.dsw_OutputBuffer->Play(0, 0, DSBPLAY_LOOPING);
    if (FAILED(hr)) return hr;
    DSW.dsw_OutputRunning = TRUE;
    return 0;
}

HRESULT StopPlayback(DSoundWrapper& DSW) {
    if (!DSW.dsw_OutputBuffer) return 0;
    DSW.dsw_OutputRunning = FALSE;
    return DSW.dsw_OutputBuffer->Stop();
}

HRESULT RestartPlayback(DSoundWrapper& DSW) {
    if (!DSW.dsw_OutputBuffer) return -1;
    HRESULT hr = DSW.dsw_OutputBuffer->Play(0, 0, DSBPLAY_LOOPING);
    if (FAILED(hr)) return hr;
    DSW.dsw_OutputRunning = TRUE;
    return 0;
}

HRESULT PlaybackSpace(DSoundWrapper& DSW, uint32_t& Count) {
    Count = 0;
    if (!DSW.dsw_OutputBuffer || DSW.dsw_OutputSize == 0) return DSERR_INVALIDCALL;
    const int64_t size = DSW.dsw_OutputSize;
    DWORD playCursor = 0, writeCursor = 0;
    HRESULT hr = DSW.dsw_OutputBuffer->GetCurrentPosition(&playCursor, &writeCursor);
    if (FAILED(hr)) return hr;
    int64_t play = playCursor % size, write = writeCursor % size;
    int64_t between = write - play;
    if (between < 0) between += size;

    if (DSW.dsw_OutputRunning && DSW.dsw_CounterTicksPerBuffer != 0) {
        int64_t now = 0;
        if (DSW.System && DSW.System->Counter) DSW.System->Counter(now);
        int64_t elapsed = now - DSW.dsw_LastPlayTime;
        DSW.dsw_LastPlayTime = now;
        int64_t played = play - DSW.dsw_LastPlayCursor;
        if (played < 0) played += size;
        DSW.dsw_LastPlayCursor = static_cast<DWORD>(play);
        int64_t expected = elapsed * size / DSW.dsw_CounterTicksPerBuffer;
        int64_t wraps = (expected - played) / size;
        if (wraps > 0) {
            play += wraps * size;
            played += wraps * size;
        }
        if (DSW.dsw_BytesPerFrame) DSW.dsw_FramesPlayed += static_cast<double>(played / DSW.dsw_BytesPerFrame);
    }

    int64_t empty = play - DSW.dsw_WriteOffset;
    if (empty < 0) empty += size;
    if (empty > size - between) {
        // The player has overtaken the writer: start again just behind it.
        if (DSW.dsw_OutputRunning) ++DSW.dsw_OutputUnderflows;
        DSW.dsw_WriteOffset = static_cast<DWORD>(write);
        empty = size - between;
    }
    Count = static_cast<uint32_t>(empty);
    return 0;
}

HRESULT FillPlaybackSilence(DSoundWrapper& DSW) {
    uint32_t count = 0;
    HRESULT hr = PlaybackSpace(DSW, count);
    if (FAILED(hr)) return hr;
    return PutPlayback(DSW, nullptr, count);
}

HRESULT WritePlayback(DSoundWrapper& DSW, const void* Source, uint32_t Count) {
    return PutPlayback(DSW, Source, Count);
}

}  // namespace acs
