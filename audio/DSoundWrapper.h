// The DirectSound calls of the capture input, as a record of the objects it
// holds and small procedures over it: device list, capture buffer, polled
// reads, and the playback buffer of the optional echo. Each procedure
// returns the HRESULT of the call that failed, or 0.
#pragma once

#include <windows.h>

#include <dsound.h>

#include <cstdint>

#include "audio/DSoundSystem.h"
#include "framework/rtl/Strings.h"

namespace acs {

struct DSoundWrapper {
    IDirectSound* dsw_pDirectSound;
    IDirectSoundBuffer* dsw_OutputBuffer;
    DWORD dsw_WriteOffset;
    DWORD dsw_OutputSize;
    DWORD dsw_BytesPerFrame;
    int64_t dsw_CounterTicksPerBuffer;
    int64_t dsw_LastPlayTime;
    DWORD dsw_LastPlayCursor;
    DWORD dsw_OutputUnderflows;
    BOOL dsw_OutputRunning;
    double dsw_FramesWritten;
    double dsw_FramesPlayed;
    IDirectSoundCapture* dsw_pDirectSoundCapture;
    IDirectSoundCaptureBuffer* dsw_InputBuffer;
    DWORD dsw_ReadOffset;
    DWORD dsw_InputSize;
    IDirectSoundBuffer* dsw_PrimaryBuffer;
    // Where the DirectSound objects and the clock come from (kept by WrapperClear).
    const TDSoundSystem* System;
};

constexpr int DSW_MaxDevices = 16;
constexpr int DSW_NameLength = 128;  // 127 characters and the terminating zero

struct DSW_DeviceInfo {
    GUID guid;
    wchar_t name[DSW_NameLength];
};

struct DSW_Devices {
    int devcount;
    DSW_DeviceInfo dinfo[DSW_MaxDevices];
};

// The error's DSERR_ name, "Unknown" for any other value.
fw::String DSErrorName(HRESULT Result);

// Zeroes every field but System.
void WrapperClear(DSoundWrapper& DSW);
// Stops and releases every object held, and forgets them.
HRESULT WrapperRelease(DSoundWrapper& DSW);

HRESULT EnumerateCaptureDevices(const TDSoundSystem& System, DSW_Devices& Devices);

HRESULT OpenCaptureDevice(DSoundWrapper& DSW, const GUID* Device);
HRESULT OpenCaptureBuffer(DSoundWrapper& DSW, uint32_t Bits, uint32_t Rate, uint32_t Channels, uint32_t Bytes);
HRESULT StartCapture(DSoundWrapper& DSW);
HRESULT StopCapture(DSoundWrapper& DSW);
// Bytes captured and not yet read.
HRESULT CaptureFilled(DSoundWrapper& DSW, uint32_t& Count);
// Copies at most Count bytes from the read offset (across the ring's end)
// into Dest; Count becomes the bytes copied.
HRESULT ReadCapture(DSoundWrapper& DSW, void* Dest, uint32_t& Count);

HRESULT OpenPlaybackDevice(DSoundWrapper& DSW, const GUID* Device);
HRESULT OpenPlaybackBuffer(DSoundWrapper& DSW, HWND Window, uint32_t Bits, uint32_t Bytes, uint32_t Channels,
                           uint32_t Rate);
HRESULT StartPlayback(DSoundWrapper& DSW);
HRESULT StopPlayback(DSoundWrapper& DSW);
HRESULT RestartPlayback(DSoundWrapper& DSW);
// The bytes that can be written ahead of the player; counts an underflow
// when the player has overtaken the writer.
HRESULT PlaybackSpace(DSoundWrapper& DSW, uint32_t& Count);
HRESULT FillPlaybackSilence(DSoundWrapper& DSW);
HRESULT WritePlayback(DSoundWrapper& DSW, const void* Source, uint32_t Count);

}  // namespace acs
