// A reference the encoding benchmark measures in its own process: whether
// this machine runs 32-bit x86 code natively or through a translator, which
// changes the benchmark's figures many times over.
//
// Two dependent chains of the same length are timed: 32-bit integer
// multiply-adds and double multiply-adds. x86 processors run a double step in
// one to two and a half times an integer step's time; qemu's user-mode
// translator, which runs integer code almost natively but emulates floating
// point in software, takes five times or more. The ratio of the two, measured
// back to back, does not depend on the processor's speed or on how busy the
// machine is.
#pragma once

#include <string>

namespace bench {

struct CpuReference {
    // A ratio from here up means translated code.
    static constexpr double kTranslatedRatio = 3.5;

    double integerNs = 0;   // one integer multiply-add, best of the runs
    double floatNs = 0;     // one double multiply-add, best of the runs
    std::string processor;  // the brand the processor (or the emulator) reports

    double Ratio() const { return integerNs > 0 ? floatNs / integerNs : 0; }
    bool LooksTranslated() const { return Ratio() >= kTranslatedRatio; }
};

CpuReference MeasureCpuReference();

}  // namespace bench
