// The DirectSound procedures on their own: the device list, error names and
// the echo's free-space and underflow accounting on scripted cursors.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "audio/DSoundWrapper.h"
#include "tests/audio/FakeDSound.h"

using namespace acs;

namespace {

std::wstring LongName(int index, size_t length) {
    std::wstring name = L"장치 " + std::to_wstring(index) + L" ";
    while (name.size() < length) name += static_cast<wchar_t>(L'a' + name.size() % 26);
    return name;
}

}  // namespace

TEST(DSoundWrapper, DeviceListKeepsSixteenWithNamesCutTo127) {
    struct Case {
        int devices;
        size_t nameLength;
        int listed;
    } cases[] = {{0, 10, 0}, {1, 10, 1}, {1, 127, 1}, {16, 200, 16}, {17, 300, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.devices);
        fakeds::World world;
        for (int i = 0; i < c.devices; ++i) world.AddDevice(LongName(i, c.nameLength));
        auto system = world.System();
        DSW_Devices devices;
        std::memset(&devices, 0xCD, sizeof(devices));
        EXPECT_EQ(EnumerateCaptureDevices(*system, devices), S_OK);
        ASSERT_EQ(devices.devcount, c.listed);
        for (int i = 0; i < c.listed; ++i) {
            std::wstring expected = LongName(i, c.nameLength).substr(0, 127);
            EXPECT_EQ(std::wstring(devices.dinfo[i].name), expected);
            EXPECT_TRUE(devices.dinfo[i].guid == world.devices[i]->guid);
        }
        // The callback said stop at the seventeenth device.
        EXPECT_EQ(world.enumerateCallbacks.load(), std::min(c.devices, 17));
    }
}

TEST(DSoundWrapper, DeviceWithoutGuidOrNameAndFailedEnumeration) {
    fakeds::World world;
    world.AddDevice(L"").passNullGuid = true;
    auto system = world.System();
    DSW_Devices devices{};
    EnumerateCaptureDevices(*system, devices);
    ASSERT_EQ(devices.devcount, 1);
    EXPECT_TRUE(devices.dinfo[0].guid == GUID{});
    EXPECT_EQ(devices.dinfo[0].name[0], L'\0');

    world.enumerateResult = DSERR_NODRIVER;
    EXPECT_EQ(EnumerateCaptureDevices(*system, devices), DSERR_NODRIVER);
    EXPECT_EQ(devices.devcount, 0);
}

TEST(DSoundWrapper, ErrorNames) {
    struct {
        uint32_t hr;
        const wchar_t* name;
    } cases[] = {{0x80004001, L"DSERR_UNSUPPORTED"},
                 {0x80004005, L"DSERR_GENERIC"},
                 {0x80070057, L"DSERR_INVALIDPARAM"},
                 {0x8878000A, L"DSERR_ALLOCATED"},
                 {0x88780032, L"DSERR_INVALIDCALL"},
                 {0x88780064, L"DSERR_BADFORMAT"},
                 {0x88780078, L"DSERR_NODRIVER"},
                 {0x88780082, L"DSERR_ALREADYINITIALIZED"},
                 {0x8007000E, L"Unknown"},
                 {0, L"Unknown"}};
    for (const auto& c : cases) EXPECT_EQ(DSErrorName(static_cast<HRESULT>(c.hr)), c.name) << std::hex << c.hr;
}

// The echo buffer: 1000 bytes, 2 bytes a frame, one pass lasting 1000 counter ticks.
class PlaybackSpaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        system = world.System();
        WAVEFORMATEX f{};
        buffer = new fakeds::SoundBuffer(world, false, 1000, f);
        buffer->scripted = true;
        std::memset(static_cast<void*>(&dsw), 0, sizeof(dsw));
        dsw.System = system.get();
        dsw.dsw_OutputBuffer = buffer;
        dsw.dsw_OutputSize = 1000;
        dsw.dsw_BytesPerFrame = 2;
        dsw.dsw_CounterTicksPerBuffer = 1000;
    }
    void TearDown() override {
        WrapperRelease(dsw);
        EXPECT_EQ(world.live.load(), 0);
    }

    fakeds::World world;
    std::shared_ptr<const TDSoundSystem> system;
    fakeds::SoundBuffer* buffer = nullptr;
    DSoundWrapper dsw;
};

TEST_F(PlaybackSpaceTest, FreeSpaceAndUnderflows) {
    struct Case {
        const char* what;
        bool running;
        DWORD play, write, writeOffset, lastCursor;
        int64_t lastTime, now;
        uint32_t count;
        DWORD writeOffsetAfter, underflows;
        double framesPlayed;
    } cases[] = {
        {"space up to the player", true, 100, 150, 400, 100, 0, 0, 700, 400, 0, 0},
        {"writer inside the committed part", true, 100, 150, 120, 100, 0, 0, 950, 150, 1, 0},
        {"the same, not playing: no count", false, 100, 150, 120, 100, 0, 0, 950, 150, 0, 0},
        {"played across the end", true, 100, 200, 700, 900, 0, 200, 400, 700, 0, 100},
        // 2500 ticks = 2.5 passes, the cursor shows only 500 bytes: two whole passes were missed.
        {"missed passes are an underflow", true, 600, 650, 700, 100, 0, 2500, 950, 650, 1, 1250},
        {"less than a pass missed", true, 600, 650, 700, 100, 0, 1200, 900, 700, 0, 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        buffer->play = c.play;
        buffer->write = c.write;
        dsw.dsw_OutputRunning = c.running;
        dsw.dsw_WriteOffset = c.writeOffset;
        dsw.dsw_LastPlayCursor = c.lastCursor;
        dsw.dsw_LastPlayTime = c.lastTime;
        dsw.dsw_OutputUnderflows = 0;
        dsw.dsw_FramesPlayed = 0;
        world.nowUs = c.now;
        uint32_t count = 12345;
        ASSERT_EQ(PlaybackSpace(dsw, count), S_OK);
        EXPECT_EQ(count, c.count);
        EXPECT_EQ(dsw.dsw_WriteOffset, c.writeOffsetAfter);
        EXPECT_EQ(dsw.dsw_OutputUnderflows, c.underflows);
        EXPECT_EQ(dsw.dsw_FramesPlayed, c.framesPlayed);
        if (c.running) {
            EXPECT_EQ(dsw.dsw_LastPlayCursor, c.play);
            EXPECT_EQ(dsw.dsw_LastPlayTime, c.now);
        }
    }
}

TEST_F(PlaybackSpaceTest, WritesWrapAndSilenceFillsTheSpace) {
    buffer->play = 300;
    buffer->write = 350;
    dsw.dsw_WriteOffset = 900;
    // First Unlock of a fresh buffer is its clearing; make it happen.
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    buffer->Lock(0, 1000, &p1, &n1, &p2, &n2, 0);
    buffer->Unlock(p1, n1, p2, n2);

    std::vector<uint8_t> bytes(250);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i + 1);
    ASSERT_EQ(WritePlayback(dsw, bytes.data(), 250), S_OK);
    EXPECT_EQ(dsw.dsw_WriteOffset, 150u);  // 900 + 250 round the end
    EXPECT_EQ(world.echoWritten, bytes);
    EXPECT_EQ(dsw.dsw_FramesWritten, 125);

    world.echoWritten.clear();
    ASSERT_EQ(FillPlaybackSilence(dsw), S_OK);  // space 150..300
    EXPECT_EQ(world.echoWritten, std::vector<uint8_t>(150, 0));
    EXPECT_EQ(dsw.dsw_WriteOffset, 300u);
}

TEST(DSoundWrapper, EchoCallsWithoutABufferFailCleanly) {
    DSoundWrapper dsw{};
    uint32_t count = 7;
    EXPECT_TRUE(FAILED(PlaybackSpace(dsw, count)));
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(FAILED(FillPlaybackSilence(dsw)));
    EXPECT_TRUE(FAILED(WritePlayback(dsw, "x", 1)));
    EXPECT_EQ(RestartPlayback(dsw), -1);
    EXPECT_EQ(StopPlayback(dsw), 0);
    EXPECT_TRUE(FAILED(CaptureFilled(dsw, count)));
    EXPECT_EQ(WrapperRelease(dsw), 0);
}
