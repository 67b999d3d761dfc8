// The encoding benchmark's reference tells translated 32-bit code from native
// code by the ratio of a double step's time to an integer step's. The verdict
// is checked on set timings; how the live measurement agrees with what the
// processor reports is the benchmark's to show (a timed ratio flakes on a busy
// machine).
#include "audio/benchmark/CpuReference.h"

#include <gtest/gtest.h>

TEST(CpuReference, RatioOfTheTwoStepsGivesTheVerdict) {
    struct Case {
        double integerNs, floatNs;
        bool translated;
    };
    const Case cases[] = {
        {1.0, 1.0, false},   // x86: a double step as quick as an integer one
        {0.4, 1.0, false},   // x86: two and a half times
        {1.0, 3.49, false},  // just under the line
        {1.0, 3.5, true},    // on it
        {0.5, 3.0, true},    // qemu: floating point emulated in software
        {0.0, 2.0, false},   // nothing measured: no verdict of translation
    };
    for (const Case& c : cases) {
        bench::CpuReference r;
        r.integerNs = c.integerNs;
        r.floatNs = c.floatNs;
        EXPECT_EQ(r.LooksTranslated(), c.translated) << c.integerNs << " ns against " << c.floatNs << " ns";
    }
}

TEST(CpuReference, MeasuresBothSteps) {
    const bench::CpuReference r = bench::MeasureCpuReference();
    EXPECT_GT(r.integerNs, 0);
    EXPECT_GT(r.floatNs, 0);
}
