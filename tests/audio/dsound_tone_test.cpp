// A known tone recorded through the system's own DirectSound. It runs where
// a capture device offers a sine source (a PulseAudio "Sine source at N Hz"
// reached through Wine's pulse driver) and is skipped, saying why, elsewhere.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "audio/DSoundWrapper.h"
#include "audio/DXAudioIn.h"

using namespace acs;

namespace {

// The index and frequency of the first device named "Sine source at N Hz".
bool FindSineSource(const DSW_Devices& devices, int& index, double& hz) {
    for (int i = 0; i < devices.devcount; ++i) {
        std::wstring name = devices.dinfo[i].name;
        size_t at = name.find(L"Sine source at ");
        if (at == std::wstring::npos) continue;
        hz = std::wcstod(name.c_str() + at + 15, nullptr);
        if (hz <= 0) continue;
        index = i;
        return true;
    }
    return false;
}

}  // namespace

TEST(DXAudioInLive, RecordsAKnownToneThroughTheSystemsDirectSound) {
    DSW_Devices devices{};
    HRESULT hr = EnumerateCaptureDevices(*PlatformDSoundSystem(), devices);
    int index = -1;
    double hz = 0;
    if (!FindSineSource(devices, index, hz)) {
        std::string names;
        for (int i = 0; i < devices.devcount; ++i) names += (i ? ", " : " ") + fw::ToUtf8(devices.dinfo[i].name);
        GTEST_SKIP() << "no capture device offers a sine source (enumeration 0x" << std::hex
                     << static_cast<uint32_t>(hr) << std::dec << ", " << devices.devcount << " devices:" << names
                     << "); it needs a PulseAudio server with module-sine-source and the prefix's audio driver set to "
                        "pulse";
    }

    auto in = std::make_unique<TDXAudioIn>(nullptr);
    in->SetDeviceNumber(index);
    in->SetInBitsPerSample(16);
    in->SetInChannels(1);
    in->SetInSampleRate(44100);
    // Wine delivers capture in bursts of up to two seconds: the ring holds four.
    in->SetLatency(0);
    in->SetFramesInBuffer(4 * 44100);
    in->SetPollingInterval(100);
    in->SetRecTime(3);
    in->Init();
    std::vector<int16_t> samples(3 * 44100);
    bool eof = false;
    uint32_t bytes = in->FillBuffer(samples.data(), static_cast<uint32_t>(samples.size() * 2), eof);
    in->Flush();
    ASSERT_EQ(bytes, samples.size() * 2);

    // The last two seconds: the first may still be the device starting.
    std::vector<int16_t> tail(samples.end() - 2 * 44100, samples.end());
    double sum = 0;
    for (int16_t s : tail) sum += double(s) * s;
    double rms = std::sqrt(sum / tail.size());
    ASSERT_GT(rms, 1000.0) << "the recording is silent";
    // Rising zero crossings with a little hysteresis against noise.
    int crossings = 0;
    bool low = true;
    for (int16_t s : tail) {
        if (low && s > 200) {
            ++crossings;
            low = false;
        } else if (!low && s < -200) {
            low = true;
        }
    }
    double measured = crossings / 2.0;
    std::printf("%s: %.1f Hz measured, %.1f Hz expected, rms %.0f\n", fw::ToUtf8(devices.dinfo[index].name).c_str(),
                measured, hz, rms);
    EXPECT_NEAR(measured, hz, hz * 0.03) << "rms " << rms;
}
