// The encoding benchmark's reference must tell translated 32-bit code from
// native code on the machine it runs on. qemu's translator names itself in
// the processor brand ("QEMU TCG CPU ..."): an answer apart from the timing
// to hold it against. (Under hardware virtualisation the brand may say QEMU,
// but never TCG, and the code runs natively.)
#include "audio/benchmark/CpuReference.h"

#include <gtest/gtest.h>

TEST(CpuReference, TellsTranslatedCodeFromNativeCode) {
    const bench::CpuReference r = bench::MeasureCpuReference();
    ASSERT_GT(r.integerNs, 0);
    ASSERT_GT(r.floatNs, 0);
    const bool tcg = r.processor.find("TCG") != std::string::npos;
    EXPECT_EQ(r.LooksTranslated(), tcg) << "integer " << r.integerNs << " ns, double " << r.floatNs << " ns, ratio "
                                        << r.Ratio() << ", processor \"" << r.processor << "\"";
}
