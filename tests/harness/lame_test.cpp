// lame_enc.dll, built by scripts/setup, encodes through its Blade entry points.
#include <windows.h>

#include <BladeMP3EncDLL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

static_assert(sizeof(BE_CONFIG) == 331, "the Blade header must be packed like MSVC packs it");

TEST(Lame, EncodesAToneIntoMpegFrames) {
    HMODULE dll = LoadLibraryW(L"lame_enc.dll");
    ASSERT_NE(dll, nullptr);
    auto init = reinterpret_cast<BEINITSTREAM>(GetProcAddress(dll, TEXT_BEINITSTREAM));
    auto encode = reinterpret_cast<BEENCODECHUNK>(GetProcAddress(dll, TEXT_BEENCODECHUNK));
    auto deinit = reinterpret_cast<BEDEINITSTREAM>(GetProcAddress(dll, TEXT_BEDEINITSTREAM));
    auto close = reinterpret_cast<BECLOSESTREAM>(GetProcAddress(dll, TEXT_BECLOSESTREAM));
    ASSERT_TRUE(init && encode && deinit && close);

    BE_CONFIG cfg = {};
    cfg.dwConfig = BE_CONFIG_LAME;
    cfg.format.LHV1.dwStructVersion = 1;
    cfg.format.LHV1.dwStructSize = sizeof cfg;
    cfg.format.LHV1.dwSampleRate = 44100;
    cfg.format.LHV1.nMode = BE_MP3_MODE_JSTEREO;
    cfg.format.LHV1.dwBitrate = 128;
    cfg.format.LHV1.nPreset = LQP_NOPRESET;
    cfg.format.LHV1.dwMpegVersion = MPEG1;
    DWORD samples = 0, outSize = 0;
    HBE_STREAM stream = 0;
    ASSERT_EQ(init(&cfg, &samples, &outSize, &stream), static_cast<BE_ERR>(BE_ERR_SUCCESSFUL));
    ASSERT_GT(samples, 0u);

    std::vector<short> pcm(samples);
    std::vector<BYTE> chunk(outSize), mp3;
    int t = 0;
    for (int block = 0; block < 20; ++block) {
        for (DWORD i = 0; i < samples; i += 2, ++t) {
            short v = static_cast<short>(8000 * std::sin(2 * 3.14159265358979 * 440 * t / 44100.0));
            pcm[i] = pcm[i + 1] = v;
        }
        DWORD written = 0;
        ASSERT_EQ(encode(stream, samples, pcm.data(), chunk.data(), &written), static_cast<BE_ERR>(BE_ERR_SUCCESSFUL));
        mp3.insert(mp3.end(), chunk.begin(), chunk.begin() + written);
    }
    DWORD written = 0;
    ASSERT_EQ(deinit(stream, chunk.data(), &written), static_cast<BE_ERR>(BE_ERR_SUCCESSFUL));
    mp3.insert(mp3.end(), chunk.begin(), chunk.begin() + written);
    close(stream);
    FreeLibrary(dll);

    ASSERT_GT(mp3.size(), 1000u);
    EXPECT_EQ(mp3[0], 0xFF);  // an MPEG-1 layer III frame header opens the stream
    EXPECT_EQ(mp3[1] & 0xFE, 0xFA);
}
