// How fast the MP3 sink encodes one minute of a tone into a file with the
// real lame_enc.dll, on the calling thread. Prints first a reference that
// tells whether this machine runs 32-bit code natively (the figures depend on
// it many times over), then one line per setting.
// Usage: mp3_encode_benchmark [file kept with the viewer's settings]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "audio/LameLibrary.h"
#include "audio/MP3Out.h"
#include "audio/benchmark/CpuReference.h"
#include "framework/rtl/Strings.h"
#include "tests/audio/Mp3TestKit.h"

using namespace acs;

namespace {

struct Setting {
    const char* name;
    uint32_t channels;
    void (*apply)(TMP3Out&);
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER freq) {
    return double(to.QuadPart - from.QuadPart) / double(freq.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    if (!LoadLAME()) {
        std::printf("lame_enc.dll not found\n");
        return 1;
    }
    const bench::CpuReference ref = bench::MeasureCpuReference();
    std::printf(
        "reference, in this process: an integer multiply-add %.2f ns, a double multiply-add %.2f ns, "
        "ratio %.1f\n",
        ref.integerNs, ref.floatNs, ref.Ratio());
    std::printf("  (x86 processors: 1 to 2.5; a translator that emulates floating point, as qemu does: 5 or more)\n");
    std::printf("  processor reported: %s\n", ref.processor.empty() ? "(none)" : ref.processor.c_str());
    std::printf("  => 32-bit code runs %s\n", ref.LooksTranslated()
                                                  ? "translated, not natively: the figures below are far below "
                                                    "what a machine running it natively gives"
                                                  : "natively");
    // The brand names qemu's translator: a verdict against it means the
    // timings were disturbed (a busy machine), and the figures with them.
    if ((ref.processor.find("TCG") != std::string::npos) != ref.LooksTranslated())
        std::printf("  (the processor reports otherwise: the machine was too busy for a fair reference)\n");
    const Setting settings[] = {
        {"viewer: mono, 44.1 kHz, rate left to the encoder, no reservoir", 1,
         [](TMP3Out& o) {
             o.SetMode(mmMono);
             o.SetBitRate(mbrAuto);
         }},
        {"joint stereo, 44.1 kHz, 128 kbps", 2,
         [](TMP3Out& o) {
             o.SetMode(mmJointStereo);
             o.SetBitRate(mbr128);
         }},
    };
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const int runs = 5;
    const double audioSeconds = 60;
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    for (const Setting& s : settings) {
        std::wstring path = std::wstring(dir) + L"mp3-benchmark.mp3";
        if (argc > 1 && s.channels == 1) path = fw::FromAnsi(argv[1]);
        double times[runs];
        for (int i = 0; i < runs; ++i) {
            ToneSource tone(44100, s.channels, static_cast<int64_t>(audioSeconds * 44100));
            TMP3Out out(nullptr);
            s.apply(out);
            out.SetInput(&tone);
            out.SetFileName(path);
            LARGE_INTEGER a, b;
            QueryPerformanceCounter(&a);
            out.BlockingRun();
            QueryPerformanceCounter(&b);
            times[i] = Seconds(a, b, freq);
            out.SetInput(nullptr);
        }
        std::sort(times, times + runs);
        size_t bytes = FileBytes(path).size();
        std::printf("%s: median %.0f ms (best %.0f ms) for %.0f s of audio = %.1fx real time, %zu bytes\n", s.name,
                    times[runs / 2] * 1000, times[0] * 1000, audioSeconds, audioSeconds / times[runs / 2], bytes);
        if (!(argc > 1 && s.channels == 1)) DeleteFileW(path.c_str());
    }
    return 0;
}
