#include "audio/benchmark/CpuReference.h"

#include <windows.h>

#include <cpuid.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace bench {

namespace {

// Read at run time, so that the compiler can neither fold nor shorten the chains.
volatile uint32_t gSteps = 20000000;
volatile uint32_t gIntegerSeed = 12345;
volatile double gFloatSeed = 0.25;
volatile uint32_t gIntegerSink;
volatile double gFloatSink;

__attribute__((noinline)) uint32_t IntegerChain(uint32_t x, uint32_t steps) {
    for (uint32_t i = 0; i < steps; ++i) x = x * 1664525u + 1013904223u;
    return x;
}

__attribute__((noinline)) double FloatChain(double x, uint32_t steps) {
    for (uint32_t i = 0; i < steps; ++i) x = x * 0.999999 + 0.5;
    return x;
}

double Now() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return double(t.QuadPart) / double(f.QuadPart);
}

std::string ProcessorBrand() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(0x80000000u, &a, &b, &c, &d) || a < 0x80000004u) return std::string();
    char brand[49] = {};
    for (unsigned i = 0; i < 3; ++i) {
        __get_cpuid(0x80000002u + i, &a, &b, &c, &d);
        const unsigned regs[4] = {a, b, c, d};
        std::memcpy(brand + 16 * i, regs, 16);
    }
    std::string s = brand;
    s.erase(s.find_last_not_of(' ') + 1);
    s.erase(0, s.find_first_not_of(' '));
    return s;
}

}  // namespace

CpuReference MeasureCpuReference() {
    // Alternating runs, the best of each: a run that another program
    // interrupted is the slower one and drops out.
    const uint32_t steps = gSteps;
    double integerBest = 1e30, floatBest = 1e30;
    for (int run = 0; run < 5; ++run) {
        double t0 = Now();
        gIntegerSink = IntegerChain(gIntegerSeed, steps);
        double t1 = Now();
        gFloatSink = FloatChain(gFloatSeed, steps);
        double t2 = Now();
        integerBest = std::min(integerBest, t1 - t0);
        floatBest = std::min(floatBest, t2 - t1);
    }
    CpuReference r;
    r.integerNs = integerBest / steps * 1e9;
    r.floatNs = floatBest / steps * 1e9;
    r.processor = ProcessorBrand();
    return r;
}

}  // namespace bench
