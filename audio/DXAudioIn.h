// The capture input: records PCM sound from a DirectSound capture device
// into a looping capture buffer, polled, and hands it out in blocks from its
// own memory; optionally plays what it captures straight back (echo).
//
// A capture that stops advancing (device lost, a start that did nothing)
// ends the read with an error after a bounded wait, and the wait gives up
// early, delivering nothing, when the worker reading it is asked to stop.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "audio/AuInput.h"
#include "audio/DSoundWrapper.h"
#include "framework/rtl/Method.h"

namespace acs {

using TOverrunEvent = fw::Method<void(fw::TComponent* Sender)>;

class TDXAudioIn : public TAuInput {
public:
    explicit TDXAudioIn(fw::TComponent* AOwner);
    ~TDXAudioIn() override;
    fw::String ClassName() const override { return L"TDXAudioIn"; }

    // The longest a refill waits for a capture that does not advance.
    static constexpr uint32_t StallTimeout = 5000;

    // Milliseconds; when not 0 it gives the buffer size and polling interval at opening.
    uint32_t Latency() const { return FLatency; }
    void SetLatency(uint32_t Value) { FLatency = Value; }
    // Frames to record, -1 for no limit.
    int64_t SamplesToRead() const { return FSamplesToRead; }
    void SetSamplesToRead(int64_t Value) { FSamplesToRead = Value; }
    int DeviceNumber() const { return FDeviceNumber; }
    void SetDeviceNumber(int Value) { FDeviceNumber = Value; }
    uint32_t InBitsPerSample() const { return FBPS; }
    void SetInBitsPerSample(uint32_t Value) { FBPS = Value; }
    uint32_t InChannels() const { return FChan; }
    void SetInChannels(uint32_t Value) { FChan = Value; }
    uint32_t InSampleRate() const { return FFreq; }
    void SetInSampleRate(uint32_t Value) { FFreq = Value; }
    // Seconds, -1 for no limit; sets SamplesToRead at the current rate.
    int RecTime() const { return FRecTime; }
    void SetRecTime(int Value);
    bool EchoRecording() const { return FEchoRecording; }
    void SetEchoRecording(bool Value) { FEchoRecording = Value; }
    uint32_t FramesInBuffer() const { return FFramesInBuffer; }
    // Ignored while the source is open.
    void SetFramesInBuffer(uint32_t Value);
    uint32_t PollingInterval() const { return FPollingInterval; }
    void SetPollingInterval(uint32_t Value) { FPollingInterval = Value; }
    TOverrunEvent OnOverrun;

    // Capture devices found at construction (at most 16).
    int DeviceCount() const { return FDeviceCount; }
    uint32_t Overruns() const { return FOverruns.load(); }

    void _Pause() override;
    void _Resume() override;

protected:
    uint32_t GetBPS() override { return FBPS; }
    uint32_t GetCh() override { return FChan; }
    uint32_t GetSR() override { return FFreq; }
    uint32_t GetTotalTime() override;
    int64_t GetTotalSamples() override { return FSamplesToRead; }
    void OpenInput() override;
    void CloseInput() override;
    void ReadInput(void*& Buffer, uint32_t& Bytes) override;

private:
    void OpenDevice();
    void CloseDevice();
    // Waits for captured data; false when the reading worker was asked to stop.
    bool WaitForCapture(uint32_t& Count);
    // Sleeps one polling interval in short slices; false when a stop came meanwhile.
    bool PollSleep();
    void FreeBuf();

    std::shared_ptr<const TDSoundSystem> System;
    DSoundWrapper DSW{};
    uint32_t FLatency = 100;
    DSW_Devices Devices{};
    uint32_t FFramesInBuffer = 24576;
    uint32_t FPollingInterval = 100;
    int _BufSize = 0;
    uint8_t* Buf = nullptr;
    int FDeviceNumber = 0;
    int FDeviceCount = 0;
    uint32_t FBPS = 8, FChan = 1, FFreq = 8000;
    int FOpened = 0;
    int64_t FSamplesToRead = -1;
    int FRecTime = -1;
    std::atomic<uint32_t> FOverruns{0};
    std::atomic<bool> FEchoRecording{false};
    bool RecordingEchoed = false;
};

}  // namespace acs
