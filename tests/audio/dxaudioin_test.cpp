// The capture input against a capture device of the tests' own on a
// controllable clock: buffer sizes, block reads, recording limits, device
// choice, failures while opening and while reading, the echo, and a worker
// that must not hang on a capture that never advances.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/AuException.h"
#include "audio/AuOutput.h"
#include "audio/DXAudioIn.h"
#include "framework/rtl/Thread.h"
#include "tests/audio/ExceptionMessage.h"
#include "tests/audio/FakeDSound.h"
#include "tests/audio/SyncPump.h"

using namespace acs;

namespace {

std::vector<uint8_t> Expected(uint64_t from, size_t count) {
    std::vector<uint8_t> v(count);
    for (size_t i = 0; i < count; ++i) v[i] = fakeds::CapturedByte(from + i);
    return v;
}

// One read; the bytes delivered (empty with nil at the end).
std::vector<uint8_t> Read(TAuInput& in, uint32_t wanted, bool* atEnd = nullptr) {
    void* p = nullptr;
    uint32_t n = wanted;
    in.GetData(p, n);
    if (atEnd) *atEnd = (p == nullptr && n == 0);
    if (!p) return {};
    auto* b = static_cast<uint8_t*>(p);
    return std::vector<uint8_t>(b, b + n);
}

class DXAudioInTest : public ::testing::Test {
protected:
    void SetUp() override {
        mic = &world.AddDevice(L"Microphone");
        installed = std::make_unique<fakeds::Installed>(world);
    }
    void TearDown() override {
        installed.reset();
        EXPECT_EQ(world.live.load(), 0) << "DirectSound objects left unreleased";
    }
    std::unique_ptr<TDXAudioIn> Make() { return std::make_unique<TDXAudioIn>(nullptr); }
    // The values the viewer's main window gives its capture input.
    static void HostValues(TDXAudioIn& in) {
        in.SetLatency(0);
        in.SetInBitsPerSample(16);
        in.SetInChannels(1);
        in.SetInSampleRate(44100);
        in.SetFramesInBuffer(24576);
        in.SetPollingInterval(80);
    }
    // 8-bit mono at 8000 Hz: one byte per frame, 8 bytes per millisecond.
    static void Small(TDXAudioIn& in, uint32_t frames, uint32_t polling) {
        in.SetLatency(0);
        in.SetFramesInBuffer(frames);
        in.SetPollingInterval(polling);
    }

    fakeds::World world;
    fakeds::Device* mic = nullptr;
    std::unique_ptr<fakeds::Installed> installed;
};

TEST_F(DXAudioInTest, Defaults) {
    auto in = Make();
    EXPECT_EQ(in->ClassName(), L"TDXAudioIn");
    EXPECT_EQ(in->Latency(), 100u);
    EXPECT_EQ(in->SamplesToRead(), -1);
    EXPECT_EQ(in->DeviceNumber(), 0);
    EXPECT_EQ(in->InBitsPerSample(), 8u);
    EXPECT_EQ(in->InChannels(), 1u);
    EXPECT_EQ(in->InSampleRate(), 8000u);
    EXPECT_EQ(in->RecTime(), -1);
    EXPECT_FALSE(in->EchoRecording());
    EXPECT_EQ(in->FramesInBuffer(), 24576u);
    EXPECT_EQ(in->PollingInterval(), 100u);
    EXPECT_EQ(in->Size(), -1);
    EXPECT_EQ(in->DeviceCount(), 1);
    EXPECT_EQ(in->Overruns(), 0u);
    EXPECT_FALSE(in->IsBusy());
}

TEST_F(DXAudioInTest, BufferSizesFromLatency) {
    struct Case {
        uint32_t latency, rate, bits, channels;
        uint32_t latencyAfter, frames, polling, bytes;
    } cases[] = {
        {100, 8000, 8, 1, 100, 800, 50, 800},      {5, 8000, 8, 1, 10, 80, 5, 80},
        {0, 44100, 16, 1, 0, 24576, 80, 49152},  // the host's values: the properties stand
        {100, 44100, 16, 2, 100, 4410, 50, 17640}, {333, 22050, 8, 2, 333, 7342, 166, 14684},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.latency);
        auto in = Make();
        HostValues(*in);
        in->SetLatency(c.latency);
        in->SetInSampleRate(c.rate);
        in->SetInBitsPerSample(c.bits);
        in->SetInChannels(c.channels);
        in->Init();
        EXPECT_TRUE(in->IsBusy());
        EXPECT_EQ(in->Latency(), c.latencyAfter);
        EXPECT_EQ(in->FramesInBuffer(), c.frames);
        EXPECT_EQ(in->PollingInterval(), c.polling);
        EXPECT_EQ(world.captureDesc.dwSize, 28u);
        EXPECT_EQ(world.captureDesc.dwFlags, 0u);
        EXPECT_EQ(world.captureDesc.dwBufferBytes, c.bytes);
        const WAVEFORMATEX& f = world.captureFormat;
        EXPECT_EQ(f.wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(f.nChannels, c.channels);
        EXPECT_EQ(f.nSamplesPerSec, c.rate);
        EXPECT_EQ(f.wBitsPerSample, c.bits);
        EXPECT_EQ(f.nBlockAlign, c.bits / 8 * c.channels);
        EXPECT_EQ(f.nAvgBytesPerSec, c.bits / 8 * c.channels * c.rate);
        // FramesInBuffer cannot change while open.
        in->SetFramesInBuffer(1);
        EXPECT_EQ(in->FramesInBuffer(), c.frames);
        in->Flush();
        EXPECT_FALSE(in->IsBusy());
        EXPECT_EQ(world.live.load(), 0);
    }
}

TEST_F(DXAudioInTest, RefillTakesWhatThePollingIntervalCaptured) {
    auto in = Make();
    HostValues(*in);
    in->Init();
    // 80 ms of 16-bit mono at 44,100 Hz; a read asking for more gets only the block.
    EXPECT_EQ(Read(*in, 100000), Expected(0, 7056));
    EXPECT_EQ(world.sleptMs.load(), 80);
    EXPECT_EQ(in->Position(), 7056);

    // FillBuffer asks again, which waits for the next refills.
    std::vector<uint8_t> buffer(10000);
    bool eof = true;
    EXPECT_EQ(in->FillBuffer(buffer.data(), 10000, eof), 10000u);
    EXPECT_FALSE(eof);
    EXPECT_EQ(buffer, Expected(7056, 10000));
    EXPECT_EQ(world.sleptMs.load(), 240);
    EXPECT_EQ(in->Position(), 17056);
    in->Flush();
}

TEST_F(DXAudioInTest, BlockReadsAcrossTheRingsWrap) {
    auto in = Make();
    // A 1000-byte ring refilled with 240 bytes every 30 ms: reads cross its end.
    Small(*in, 1000, 30);
    in->Init();
    std::vector<uint8_t> all;
    std::vector<uint32_t> sizes;
    while (all.size() < 6000) {
        auto block = Read(*in, 100);
        sizes.push_back(static_cast<uint32_t>(block.size()));
        all.insert(all.end(), block.begin(), block.end());
    }
    EXPECT_EQ(all, Expected(0, all.size()));
    EXPECT_GT(world.wrappedLocks.load(), 0);
    // A read never delivers bytes of two refills: 100, 100, then the block's last 40.
    for (size_t i = 0; i + 2 < sizes.size(); i += 3) {
        EXPECT_EQ(sizes[i], 100u);
        EXPECT_EQ(sizes[i + 1], 100u);
        EXPECT_EQ(sizes[i + 2], 40u);
    }
    in->Flush();
}

TEST_F(DXAudioInTest, RecordingLimits) {
    struct Case {
        const char* what;
        int recTime;
        int64_t samples;
        uint32_t rate;
        int64_t bytes;
    } cases[] = {
        {"RecTime 2 at 8000 Hz", 2, -1, 8000, 16000},
        {"RecTime counts at the rate set after it", 2, -1, 11025, 22050},
        {"RecTime 0", 0, -1, 8000, 0},
        {"SamplesToRead 0", -1, 0, 8000, 0},
        {"SamplesToRead 1234", -1, 1234, 8000, 1234},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto in = Make();
        Small(*in, 800, 50);
        if (c.recTime >= 0) in->SetRecTime(c.recTime);
        if (c.samples >= 0) in->SetSamplesToRead(c.samples);
        in->SetInSampleRate(c.rate);
        in->Init();
        EXPECT_EQ(in->Size(), c.bytes > 0 ? c.bytes : -1);
        std::vector<uint8_t> all, buffer(3000);
        bool eof = false;
        while (!eof) {
            uint32_t n = in->FillBuffer(buffer.data(), 3000, eof);
            all.insert(all.end(), buffer.begin(), buffer.begin() + n);
            ASSERT_LT(all.size(), 100000u);
        }
        EXPECT_EQ(static_cast<int64_t>(all.size()), c.bytes);
        EXPECT_EQ(all, Expected(0, all.size()));
        bool atEnd = false;
        EXPECT_TRUE(Read(*in, 100, &atEnd).empty());
        EXPECT_TRUE(atEnd);
        in->Flush();
    }
}

TEST_F(DXAudioInTest, RecTimeTotalTimeAndTotalSamples) {
    auto in = Make();
    in->SetRecTime(3);
    EXPECT_EQ(in->SamplesToRead(), 24000);
    EXPECT_EQ(in->TotalSamples(), 24000);
    EXPECT_EQ(in->TotalTime(), 3u);
    in->SetRecTime(-5);
    EXPECT_EQ(in->SamplesToRead(), -1);
    EXPECT_EQ(in->TotalTime(), 0u);
    struct {
        int64_t samples;
        uint32_t seconds;
    } rounding[] = {{12000, 2}, {20000, 2}, {28000, 4}, {3999, 0}, {4001, 1}};
    for (auto r : rounding) {
        in->SetSamplesToRead(r.samples);
        EXPECT_EQ(in->TotalTime(), r.seconds) << r.samples;
    }
}

TEST_F(DXAudioInTest, DeviceNumberChoosesTheDevice) {
    mic->createFails = DSERR_ALLOCATED;
    world.AddDevice(L"Line in");
    world.AddDevice(L"Stereo mix");
    auto in = Make();
    EXPECT_EQ(in->DeviceCount(), 3);
    Small(*in, 800, 50);
    in->SetDeviceNumber(2);
    in->Init();  // the third device opens; the first would fail
    EXPECT_EQ(Read(*in, 400), Expected(0, 400));
    in->Flush();
}

TEST_F(DXAudioInTest, InvalidDeviceNumber) {
    world.AddDevice(L"Line in");
    struct Case {
        int devices, number;
    } cases[] = {{2, 3}, {2, 2}, {2, -1}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        if (c.devices == 0) world.devices.clear();
        auto in = Make();
        EXPECT_EQ(in->DeviceCount(), c.devices);
        in->SetDeviceNumber(c.number);
        EXPECT_EQ(MessageOf([&] { in->Init(); }), L"Invalid device number");
        EXPECT_FALSE(in->IsBusy());
        EXPECT_EQ(world.captureCreates.load(), 0);
        EXPECT_EQ(world.live.load(), 0);
    }
}

TEST_F(DXAudioInTest, BusyAndClosed) {
    auto in = Make();
    Small(*in, 800, 50);
    EXPECT_EQ(MessageOf([&] { Read(*in, 10); }), L"The Stream is not opened");
    in->Init();
    EXPECT_EQ(MessageOf([&] { in->Init(); }), L"The component is busy");
    // The open recording is untouched by the refused second open.
    EXPECT_EQ(Read(*in, 400), Expected(0, 400));
    EXPECT_EQ(world.captureCreates.load(), 1);
    in->Flush();
    EXPECT_EQ(MessageOf([&] { Read(*in, 10); }), L"The Stream is not opened");
}

TEST_F(DXAudioInTest, FailureHalfWayThroughOpeningReleasesEverything) {
    struct Case {
        HRESULT fakeds::Device::*what;
        uint32_t hr;
        const wchar_t* message;
        uint32_t bits;
    } cases[] = {
        {&fakeds::Device::createFails, 0x8878000A, L"Failed to create DirectSound device: DSERR_ALLOCATED", 8},
        {&fakeds::Device::createFails, 0x80004005, L"Failed to create DirectSound device: DSERR_GENERIC", 8},
        {&fakeds::Device::createFails, 0x80070057, L"Failed to create DirectSound device: DSERR_INVALIDPARAM", 8},
        {&fakeds::Device::createFails, 0x80041234, L"Failed to create DirectSound device: Unknown", 8},
        {&fakeds::Device::bufferFails, 0x88780064, L"Failed to create DirectSound buffer", 8},
        {&fakeds::Device::startFails, 0x88780078, L"Failed to start DirectSound capture: DSERR_NODRIVER", 8},
        {nullptr, 0, L"Failed to create DirectSound buffer", 4},  // no whole byte a sample: no buffer
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.hr);
        auto in = Make();
        Small(*in, 800, 50);
        in->SetInBitsPerSample(c.bits);
        if (c.what) mic->*c.what = static_cast<HRESULT>(c.hr);
        EXPECT_EQ(MessageOf([&] { in->Init(); }), c.message);
        EXPECT_FALSE(in->IsBusy());
        EXPECT_EQ(world.live.load(), 0);
        // Nothing stale is left: the same component opens once the device behaves.
        if (c.what) mic->*c.what = 0;
        in->SetInBitsPerSample(8);
        in->Init();
        EXPECT_EQ(Read(*in, 400), Expected(0, 400));
        in->Flush();
        EXPECT_EQ(world.live.load(), 0);
    }
}

TEST_F(DXAudioInTest, CaptureThatNeverAdvancesEndsTheReadAfterABoundedWait) {
    auto in = Make();
    Small(*in, 800, 50);
    mic->frozen = true;
    in->Init();
    EXPECT_EQ(MessageOf([&] { Read(*in, 100); }), L"Input failed: the capture device delivers no data");
    EXPECT_EQ(world.sleptMs.load(), TDXAudioIn::StallTimeout);
    // Once data comes, reading goes on.
    mic->frozen = false;
    EXPECT_EQ(Read(*in, 100).size(), 100u);
    in->Flush();
}

TEST_F(DXAudioInTest, DeviceLostWhileReading) {
    struct Case {
        HRESULT fakeds::Device::*what;
        uint32_t hr;
        const wchar_t* message;
    } cases[] = {
        {&fakeds::Device::positionFails, 0x88780078, L"Input failed: DirectSound error 0x88780078"},
        {&fakeds::Device::lockFails, 0x88780032, L"Input failed: DirectSound error 0x88780032"},
    };
    for (const Case& c : cases) {
        auto in = Make();
        Small(*in, 800, 50);
        in->Init();
        EXPECT_EQ(Read(*in, 400).size(), 400u);
        mic->*c.what = static_cast<HRESULT>(c.hr);
        EXPECT_EQ(MessageOf([&] { Read(*in, 400); }), c.message);
        mic->*c.what = 0;
        in->Flush();
        EXPECT_EQ(world.live.load(), 0);
    }
}

TEST_F(DXAudioInTest, CursorPastTheRingIsCutToTheBlockAndCountedAsAnOverrun) {
    auto in = Make();
    Small(*in, 800, 50);
    mic->cursorBeyondEnd = 800;  // 400 captured, reported as 1200
    in->Init();
    EXPECT_EQ(Read(*in, 5000).size(), 800u);
    EXPECT_EQ(in->Overruns(), 1u);
    in->Flush();
}

TEST_F(DXAudioInTest, PauseStopsAndResumeRestartsTheCapture) {
    auto in = Make();
    Small(*in, 800, 50);
    in->Init();
    EXPECT_EQ(Read(*in, 1000), Expected(0, 400));
    in->_Pause();
    world.Advance(1000);  // nothing is captured while paused
    in->_Resume();
    // The next refill holds only what came after the resume, continuing the sequence.
    EXPECT_EQ(Read(*in, 1000), Expected(400, 400));
    in->Flush();
}

TEST_F(DXAudioInTest, DestroyingAnOpenInputReleasesTheDevice) {
    auto in = Make();
    Small(*in, 800, 50);
    in->SetEchoRecording(true);
    world.playbackDevices.push_back(mic->guid);
    in->Init();
    Read(*in, 100);
    EXPECT_GT(world.live.load(), 0);
    in.reset();
    EXPECT_EQ(world.live.load(), 0);
}

// ---- echo --------------------------------------------------------------------

TEST_F(DXAudioInTest, EchoWithoutAPlaybackDeviceIsSwitchedOff) {
    // The capture device's GUID names no playback device.
    auto in = Make();
    Small(*in, 800, 50);
    in->SetEchoRecording(true);
    in->Init();
    EXPECT_EQ(world.playbackCreates.load(), 1);
    EXPECT_FALSE(in->EchoRecording());
    EXPECT_EQ(Read(*in, 1000), Expected(0, 400));
    in->Flush();
    EXPECT_FALSE(in->EchoRecording());
}

TEST_F(DXAudioInTest, EchoPlaysTheCaptureBack) {
    world.playbackDevices.push_back(mic->guid);
    auto in = Make();
    in->SetLatency(100);  // 800 bytes, polled every 50 ms
    in->SetEchoRecording(true);
    in->Init();
    EXPECT_TRUE(in->EchoRecording());
    EXPECT_EQ(world.cooperativeLevel, static_cast<DWORD>(DSSCL_EXCLUSIVE));
    EXPECT_EQ(world.cooperativeWindow, GetDesktopWindow());
    EXPECT_EQ(world.echoDesc.dwFlags, 0x18080u);
    EXPECT_EQ(world.echoDesc.dwBufferBytes, 800u);
    EXPECT_EQ(world.primaryFormat.nSamplesPerSec, 8000u);
    EXPECT_EQ(world.primaryFormat.nBlockAlign, 1);
    EXPECT_EQ(world.echoFormat.nAvgBytesPerSec, 8000u);
    EXPECT_GE(world.echoPlays, 1);

    std::vector<uint8_t> buffer(2400);
    bool eof = false;
    in->FillBuffer(buffer.data(), 2400, eof);
    // The player started 10 ms ahead of the writer: the first refill fits 320
    // of its 400 bytes, later ones fit whole.
    ASSERT_GE(world.echoWritten.size(), 320u + 400u);
    EXPECT_EQ(std::vector<uint8_t>(world.echoWritten.begin(), world.echoWritten.begin() + 320), Expected(0, 320));
    EXPECT_EQ(std::vector<uint8_t>(world.echoWritten.begin() + 320, world.echoWritten.begin() + 720),
              Expected(400, 400));

    // Echo switched off during the recording: silence is written instead.
    in->SetEchoRecording(false);
    size_t before = world.echoWritten.size();
    in->FillBuffer(buffer.data(), 800, eof);
    ASSERT_GT(world.echoWritten.size(), before);
    for (size_t i = before; i < world.echoWritten.size(); ++i) ASSERT_EQ(world.echoWritten[i], 0) << i;
    in->Flush();
}

// ---- with a sink's worker ----------------------------------------------------

// A sink that keeps what it reads from its input.
class CaptureSink : public TAuOutput {
public:
    CaptureSink() : TAuOutput(nullptr) {}
    ~CaptureSink() override { Stop(false); }
    fw::String ClassName() const override { return L"CaptureSink"; }
    std::vector<uint8_t> data;
    std::atomic<int> ends{0};

protected:
    void BeginOutput() override { Input()->Init(); }
    bool OutputStep(bool) override {
        uint8_t block[512];
        bool eof = false;
        uint32_t n = Input()->FillBuffer(block, sizeof block, eof);
        data.insert(data.end(), block, block + n);
        return !eof;
    }
    void EndOutput() override {
        ++ends;
        Input()->Flush();
    }
};

TEST_F(DXAudioInTest, StopEndsAWaitForACaptureThatNeverAdvances) {
    world.realSleep = true;
    mic->frozen = true;
    for (int how = 0; how < 2; ++how) {
        SCOPED_TRACE(how == 0 ? "Stop(false)" : "destroying the sink");
        auto in = Make();
        Small(*in, 800, 50);
        auto* sink = new CaptureSink();
        sink->SetInput(in.get());
        int64_t slept = world.sleptMs;
        sink->Run();
        ASSERT_TRUE(PumpUntil([&] { return world.sleptMs > slept + 100; }, 5000));
        auto started = std::chrono::steady_clock::now();
        if (how == 0) {
            sink->Stop(false);
        } else {
            delete sink;
            sink = nullptr;
        }
        auto took = std::chrono::steady_clock::now() - started;
        EXPECT_LT(took, std::chrono::milliseconds(1000));
        EXPECT_FALSE(in->IsBusy());
        if (sink) {
            EXPECT_EQ(sink->ExceptionMessage(), L"");
            EXPECT_TRUE(sink->data.empty());
            EXPECT_EQ(sink->ends.load(), 1);
            delete sink;
        }
        EXPECT_EQ(world.live.load(), 0);
    }
}

TEST_F(DXAudioInTest, WorkerReportsACaptureThatNeverAdvances) {
    mic->frozen = true;  // on the test clock the wait's bound passes at once
    auto in = Make();
    Small(*in, 800, 50);
    CaptureSink sink;
    sink.SetInput(in.get());
    sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return !sink.IsBusy(); }, 10000));
    EXPECT_EQ(sink.ExceptionMessage(), L"Input failed: the capture device delivers no data");
    EXPECT_FALSE(in->IsBusy());
    EXPECT_EQ(world.live.load(), 0);
}

TEST_F(DXAudioInTest, WorkerRecordsAFixedTime) {
    auto in = Make();
    in->SetLatency(100);
    in->SetRecTime(1);
    CaptureSink sink;
    sink.SetInput(in.get());
    sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return !sink.IsBusy(); }, 10000));
    EXPECT_EQ(sink.ExceptionMessage(), L"");
    EXPECT_EQ(sink.data, Expected(0, 8000));
}

}  // namespace
