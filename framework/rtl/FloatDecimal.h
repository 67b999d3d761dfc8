// Exact conversion between 80-bit extended values and decimal digits. The C
// run-time on this platform reads and writes only 64-bit doubles, so the
// digits are worked out here with big integers: every digit of the binary
// value, and text read to the nearest extended value (halves to even).
#pragma once

#include <string>

namespace fw {

// value = 0.<digits> x 10^exponent; digits without trailing zeros, none for zero.
struct TDecimalDigits {
    bool negative = false;
    int exponent = 0;
    std::string digits;
};

// Every significant digit of a finite value.
TDecimalDigits ExactDecimal(long double value);

// Rounds to `significant` digits and, when `decimals` is not negative, to that
// many digits after the point, whichever keeps fewer; a half rounds away from
// zero. Rounding everything away gives zero (no digits).
TDecimalDigits RoundDecimal(const TDecimalDigits& d, int significant, int decimals);

// The extended value nearest to 0.<digits> x 10^exponent (digits '0'..'9',
// possibly with leading zeros). False when it is too large for extended; a
// value too small for it reads as zero.
bool DecimalToExtended(const std::string& digits, long exponent, bool negative, long double& value);

}  // namespace fw
