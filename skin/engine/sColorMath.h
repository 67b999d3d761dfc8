// Colour arithmetic on TColor (0x00BBGGRR) and TsColor values: averages and
// mixes, brightness, saturation and hue changes, HSV conversions. Rounding is
// half to even throughout; none of these converts system colours.
#pragma once

#include "skin/engine/sConst.h"

namespace skin {

struct TsHSV {
    int h = 0;     // degrees 0..359
    double s = 0;  // 0..1
    double v = 0;  // 0..1
};

// Red and blue bytes exchanged (RRGGBB text read as a number <-> TColor).
int SwapInteger(int Value);

TsColor ColorToSColor(TColor Color);
// Per channel (127 * c1 + 129 * c2) shr 8, highest byte 0: the order matters.
TsColor AverageColor(TsColor Color1, TsColor Color2);
TColor AverageColor(TColor Color1, TColor Color2);
// Per channel Round(Value * c1 + (1 - Value) * c2); Color1's highest byte.
TColor MixColors(TColor Color1, TColor Color2, double Value);
// Per channel Round(c1 - (c1 - c2) * Value), 256 and above as 255; highest byte 0.
TColor ChangeColor(TColor Color1, TColor Color2, double Value);

// Delta percent towards white (positive) or black; highest byte kept.
TColor ChangeBrightness(TColor Color, int Delta);
// Delta percent towards (positive) or away from the channels' mean; highest byte 0.
TColor ChangeSaturation(TColor Color, int Delta);
// The hue turned by Delta degrees.
TColor ChangeHue(int Delta, TColor Color);
TColor Hsv2Rgb(double h, double s, double v);
TsHSV Rgb2Hsv(TsColor Color);
// Unrounded conversions on any scale of R, G, B and V.
void HSVtoRGB(double H, double S, double V, double& R, double& G, double& B);
void RGBToHSV(double R, double G, double B, double& H, double& S, double& V);

}  // namespace skin
