// Floating-point values as text and back, on 80-bit extended values, with the
// separators of a TFormatSettings (the global FormatSettings unless one is
// given). Digits are exact: a value's text comes from its binary value, not
// from a 64-bit double.
#pragma once

#include <cstdint>

#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/Strings.h"

namespace fw {

// Digits are rounded first to 18 significant digits (all an extended value
// holds) and then to the form's digits, a half away from zero: 0.125 at two
// decimals gives 0.13. NaN and infinities read "NAN", "INF" and "-INF".
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };

// ffGeneral with 15 digits: 0.5, 100, 1E20, 1.5E-7.
String FloatToStr(long double value);
String FloatToStr(long double value, const TFormatSettings& settings);
// ffGeneral: the shorter of fixed and scientific with `precision` significant
// digits (fixed while the exponent is at most precision and the value at least
// 0.0001), the exponent at least `digits` long. ffExponent: d.dddE+dd with
// `precision` digits in all and `digits` exponent digits. ffFixed: `digits`
// decimals; ffNumber: the same with the thousand separator. Fixed forms fall
// back to ffGeneral beyond `precision` integer digits. Precision is 1..18.
String FloatToStrF(long double value, TFloatFormat format, int precision, int digits);
String FloatToStrF(long double value, TFloatFormat format, int precision, int digits, const TFormatSettings& settings);

// A picture of up to three sections "positive;negative;zero" (an empty or
// missing section takes the first, with a minus sign for negatives). In a
// section: '0' a digit or a zero, '#' a digit or nothing, the first '.' the
// decimal separator, ',' among the integer placeholders asks for thousand
// separators, "E+000", "E-0" (either case) a scientific exponent, text in
// quotes and any other character as it stands. The section is chosen by the
// value rounded to the first section's decimals, so -0.001 under "0.00;(0.00);zero"
// reads "zero". A literal between integer placeholders (the blanks of
// "### ### ##0.00") shows only once a digit stands before it: 12.5 reads
// "12.50", 1234567.5 "1 234 567.50". An empty picture gives FloatToStr.
String FormatFloat(const String& format, long double value);
String FormatFloat(const String& format, long double value, const TFormatSettings& settings);

// Optional blanks, a sign, digits with at most one decimal separator, an
// optional exponent (E, sign, digits), blanks; no thousand separators. The
// nearest extended value; too large fails, too small reads as zero.
bool TryStrToFloat(const String& s, long double& value);
bool TryStrToFloat(const String& s, long double& value, const TFormatSettings& settings);
bool TryStrToFloat(const String& s, double& value);
bool TryStrToFloat(const String& s, double& value, const TFormatSettings& settings);
long double StrToFloat(const String& s);  // EConvertError "'s' is not a valid floating point value"
long double StrToFloat(const String& s, const TFormatSettings& settings);
long double StrToFloatDef(const String& s, long double def);
long double StrToFloatDef(const String& s, long double def, const TFormatSettings& settings);

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Round and Trunc saturate at the int64 limits and give 0 for NaN.
int64_t Round(long double value);
int64_t Trunc(long double value);     // toward zero
long double Frac(long double value);  // value - Trunc(value), keeps the sign

}  // namespace fw
