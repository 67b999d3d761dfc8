#include "audio/DXAudioIn.h"

#include <mutex>

#include <algorithm>
#include <climits>
#include <new>

#include "audio/AuEventThread.h"
#include "audio/AuException.h"
#include "audio/AuThread.h"
#include "framework/rtl/SysUtils.h"

namespace acs {

namespace {

// The slice a polling sleep is cut into, so that a stop is seen quickly.
constexpr uint32_t kSleepSlice = 10;

bool StopRequested() {
    TAuThread* worker = TAuThread::Current();
    return worker && (worker->Stop || worker->Terminated());
}

[[noreturn]] void InputFailed(HRESULT hr) {
    throw EAuException(fw::Format(L"Input failed: DirectSound error 0x%x", static_cast<uint32_t>(hr)));
}

}  // namespace

TDXAudioIn::TDXAudioIn(fw::TComponent* AOwner) : TAuInput(AOwner), System(CurrentDSoundSystem()) {
    DSW.System = System.get();
    FSize = -1;
    EnumerateCaptureDevices(*System, Devices);
    FDeviceCount = Devices.devcount;
}

TDXAudioIn::~TDXAudioIn() {
    DetachSinks();
    WrapperRelease(DSW);
    FreeBuf();
}

void TDXAudioIn::SetRecTime(int Value) {
    FRecTime = Value;
    FSamplesToRead = Value >= 0 ? static_cast<int64_t>(Value) * FFreq : -1;
}

void TDXAudioIn::SetFramesInBuffer(uint32_t Value) {
    if (!Busy) FFramesInBuffer = Value;
}

uint32_t TDXAudioIn::GetTotalTime() {
    if (FSamplesToRead < 0 || FFreq == 0) return 0;
    return static_cast<uint32_t>(fw::Round(static_cast<double>(FSamplesToRead) / FFreq));
}

void TDXAudioIn::FreeBuf() {
    delete[] Buf;
    Buf = nullptr;
}

void TDXAudioIn::OpenDevice() {
    if (FOpened > 0) {
        ++FOpened;
        return;
    }
    if (FLatency != 0) {
        if (FLatency < 10) FLatency = 10;
        FFramesInBuffer = static_cast<uint32_t>(static_cast<uint64_t>(FLatency) * FFreq / 1000);
        FPollingInterval = FLatency / 2;
    }
    // Nothing may be held here; releasing first keeps a zeroed record from hiding a live object.
    WrapperRelease(DSW);
    WrapperClear(DSW);
    HRESULT hr = OpenCaptureDevice(DSW, &Devices.dinfo[FDeviceNumber].guid);
    if (FAILED(hr)) {
        WrapperRelease(DSW);
        throw EAuException(L"Failed to create DirectSound device: " + DSErrorName(hr));
    }
    uint64_t bytes = static_cast<uint64_t>(FBPS / 8) * FFramesInBuffer * FChan;
    if (bytes > 0 && bytes <= INT_MAX) Buf = new (std::nothrow) uint8_t[bytes];
    if (Buf) {
        _BufSize = static_cast<int>(bytes);
        hr = OpenCaptureBuffer(DSW, FBPS, FFreq, FChan, static_cast<uint32_t>(bytes));
    }
    if (!Buf || FAILED(hr)) {
        WrapperRelease(DSW);
        FreeBuf();
        _BufSize = 0;
        throw EAuException(L"Failed to create DirectSound buffer");
    }
    ++FOpened;
}

void TDXAudioIn::CloseDevice() {
    if (FOpened == 1) {
        WrapperRelease(DSW);
        FreeBuf();
    }
    if (FOpened > 0) --FOpened;
}

void TDXAudioIn::OpenInput() {
    if (Busy) throw EAuException(L"The component is busy");
    if (FDeviceNumber < 0 || FDeviceNumber >= FDeviceCount) throw EAuException(L"Invalid device number");
    if (FRecTime > 0) FSamplesToRead = static_cast<int64_t>(FRecTime) * FFreq;
    BufEnd = 0;
    BufStart = 1;
    FPosition = 0;
    Busy = true;
    FSampleSize = static_cast<uint16_t>((FChan * FBPS) / 8);
    FSize = FSamplesToRead > 0 ? FSamplesToRead * FSampleSize : -1;
    RecordingEchoed = false;
    try {
        OpenDevice();
        // A capture that never starts would only be found by the reads' time-out.
        HRESULT hr = StartCapture(DSW);
        if (FAILED(hr)) throw EAuException(L"Failed to start DirectSound capture: " + DSErrorName(hr));
    } catch (...) {
        // A failed open leaves nothing behind, not even the busy mark.
        CloseDevice();
        Busy = false;
        throw;
    }
    if (FEchoRecording) {
        if (FAILED(OpenPlaybackDevice(DSW, &Devices.dinfo[FDeviceNumber].guid))) {
            FEchoRecording = false;
        } else {
            OpenPlaybackBuffer(DSW, nullptr, FBPS, static_cast<uint32_t>(_BufSize), FChan, FFreq);
            StartPlayback(DSW);
        }
    }
    RecordingEchoed = FEchoRecording;
}

void TDXAudioIn::CloseInput() {
    StopCapture(DSW);
    if (RecordingEchoed) StopPlayback(DSW);
    CloseDevice();
    Busy = false;
}

bool TDXAudioIn::PollSleep() {
    // Never a busy spin: an interval of 0 still sleeps a millisecond.
    uint32_t remaining = std::max<uint32_t>(FPollingInterval, 1);
    while (remaining) {
        if (StopRequested()) return false;
        uint32_t slice = std::min(remaining, kSleepSlice);
        System->Sleep(slice);
        remaining -= slice;
    }
    return !StopRequested();
}

bool TDXAudioIn::WaitForCapture(uint32_t& Count) {
    const uint64_t limit = std::max<uint64_t>(StallTimeout, 2ull * FPollingInterval);
    uint64_t waited = 0;
    for (;;) {
        if (!PollSleep()) return false;
        HRESULT hr = CaptureFilled(DSW, Count);
        if (FAILED(hr)) InputFailed(hr);
        if (Count != 0) return true;
        waited += std::max<uint32_t>(FPollingInterval, 1);
        if (waited >= limit) throw EAuException(L"Input failed: the capture device delivers no data");
    }
}

void TDXAudioIn::ReadInput(void*& Buffer, uint32_t& Bytes) {
    if (!Busy) throw EAuException(L"The Stream is not opened");
    if (FSamplesToRead >= 0 && FPosition >= FSize) {
        Buffer = nullptr;
        Bytes = 0;
        return;
    }
    if (BufStart >= BufEnd) {
        BufStart = 0;
        BufEnd = 0;
        uint32_t count = 0;
        if (!WaitForCapture(count)) {
            // The reading worker is stopping: nothing more from this run.
            Buffer = nullptr;
            Bytes = 0;
            return;
        }
        if (count > static_cast<uint32_t>(_BufSize)) {
            count = static_cast<uint32_t>(_BufSize);
            ++FOverruns;
            TAuThread* worker = TAuThread::Current();
            if (OnOverrun && worker && worker->Parent && AudioEventHandler)
                AudioEventHandler->PostGenericEvent(worker->Parent, OnOverrun);
        }
        HRESULT hr = ReadCapture(DSW, Buf, count);
        if (FAILED(hr)) InputFailed(hr);
        if (RecordingEchoed) {
            uint32_t space = 0;
            if (SUCCEEDED(PlaybackSpace(DSW, space))) {
                space = std::min(space, count);
                if (FEchoRecording)
                    WritePlayback(DSW, Buf, space);
                else
                    FillPlaybackSilence(DSW);
            }
        }
        BufEnd = count;
    }
    Bytes = std::min(Bytes, BufEnd - BufStart);
    if (FSize > 0) Bytes = static_cast<uint32_t>(std::min<int64_t>(Bytes, FSize - FPosition));
    Buffer = Buf + BufStart;
    BufStart += Bytes;
    FPosition += Bytes;
}

void TDXAudioIn::_Pause() {
    std::lock_guard<fw::TCriticalSection> held(DataCS);
    StopCapture(DSW);
    if (RecordingEchoed) StopPlayback(DSW);
}

void TDXAudioIn::_Resume() {
    std::lock_guard<fw::TCriticalSection> held(DataCS);
    StartCapture(DSW);
    if (RecordingEchoed) RestartPlayback(DSW);
}

}  // namespace acs
