#include "skin/engine/sColorMath.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/Color.h"
#include "framework/rtl/SysUtils.h"

namespace skin {

namespace {

inline int Ch(uint32_t c, int shift) { return int((c >> shift) & 0xFF); }
inline uint32_t Rgb(int r, int g, int b) {
    return uint32_t(r & 0xFF) | uint32_t(g & 0xFF) << 8 | uint32_t(b & 0xFF) << 16;
}
inline int Limit(int64_t v) { return v > 254 ? 255 : v <= 0 ? 0 : int(v); }
inline double Clamp255(double v) { return std::clamp(v, 0.0, 255.0); }

// Hue in degrees (not rounded) of channels with max > min.
double HueOf(double R, double G, double B, double max, double d) {
    const double a = (max - R) * 60 / d, b = (max - G) * 60 / d, c = (max - B) * 60 / d;
    double hue = R == max ? c - b : G == max ? a + 120 - c : b + 240 - a;
    if (hue < 0) hue += 360;
    return hue;
}

// (R, G, B) of hue sector 0..5 from the top value and the three derived
// ones. Any other sector reads as 5 when OtherAsLast, else sets nothing.
bool SectorRgb(int sector, double v, double p, double q, double t, double& r, double& g, double& b, bool otherAsLast) {
    switch (sector) {
        case 0:
            r = v, g = t, b = p;
            return true;
        case 1:
            r = q, g = v, b = p;
            return true;
        case 2:
            r = p, g = v, b = t;
            return true;
        case 3:
            r = p, g = q, b = v;
            return true;
        case 4:
            r = t, g = p, b = v;
            return true;
        case 5:
            r = v, g = p, b = q;
            return true;
        default:
            if (otherAsLast) r = v, g = p, b = q;
            return otherAsLast;
    }
}

// The rounded colour of a hue sector.
uint32_t Sector(int sector, double v, double p, double q, double t) {
    double r = 0, g = 0, b = 0;
    SectorRgb(sector, v, p, q, t, r, g, b, true);
    return Rgb(int(fw::Round(r)), int(fw::Round(g)), int(fw::Round(b)));
}

}  // namespace

int SwapInteger(int Value) {
    const uint32_t v = uint32_t(Value);
    return int((v >> 16) + (uint32_t(Value % 256) << 16) + (((v >> 8) % 256) << 8));
}

TsColor ColorToSColor(TColor Color) { return TsColor{Color}; }

TsColor AverageColor(TsColor Color1, TsColor Color2) {
    TsColor r{0};
    r.R = uint8_t((127 * Color1.R + 129 * Color2.R) >> 8);
    r.G = uint8_t((127 * Color1.G + 129 * Color2.G) >> 8);
    r.B = uint8_t((127 * Color1.B + 129 * Color2.B) >> 8);
    return r;
}

TColor AverageColor(TColor Color1, TColor Color2) { return AverageColor(TsColor{Color1}, TsColor{Color2}).C; }

TColor MixColors(TColor Color1, TColor Color2, double Value) {
    const uint32_t a = uint32_t(Color1), b = uint32_t(Color2);
    uint32_t r = a & 0xFF000000u;
    for (int s = 0; s < 24; s += 8) r |= uint32_t(fw::Round(Value * Ch(a, s) + (1 - Value) * Ch(b, s)) & 0xFF) << s;
    return TColor(r);
}

TColor ChangeColor(TColor Color1, TColor Color2, double Value) {
    const uint32_t a = uint32_t(Color1), b = uint32_t(Color2);
    uint32_t r = 0;
    for (int s = 0; s < 24; s += 8) {
        int64_t n = fw::Round(Ch(a, s) - (Ch(a, s) - Ch(b, s)) * Value);
        if (n >= 256) n = 255;
        r |= uint32_t(n & 0xFF) << s;
    }
    return TColor(r);
}

TColor ChangeBrightness(TColor Color, int Delta) {
    if (Delta == 0) return Color;
    const uint32_t c = uint32_t(Color);
    uint32_t r = c & 0xFF000000u;
    for (int s = 0; s < 24; s += 8) {
        const int v = Ch(c, s);
        const double k = Delta <= 0 ? v / 100.0 : (255 - v) / 100.0;
        r |= uint32_t(Limit(fw::Round(v + Delta * k))) << s;
    }
    return TColor(r);
}

TColor ChangeSaturation(TColor Color, int Delta) {
    if (Delta == 0) return Color;
    const uint32_t c = uint32_t(Color);
    const double m = (Ch(c, 0) + Ch(c, 8) + Ch(c, 16)) / 3.0;
    uint32_t r = 0;
    for (int s = 0; s < 24; s += 8) {
        const int v = Ch(c, s);
        r |= uint32_t(Limit(fw::Round(v + Delta * ((m - v) / 100)))) << s;
    }
    return TColor(r);
}

TColor ChangeHue(int Delta, TColor Color) {
    const uint32_t c = uint32_t(fw::ColorToRGB(Color));
    const double R = Ch(c, 0), G = Ch(c, 8), B = Ch(c, 16);
    const double max = std::max({R, G, B}), min = std::min({R, G, B}), d = max - min;
    const double s = max == 0 ? 0 : d / max;
    if (s == 0) return TColor((c & 0x00FFFF00u) | uint32_t(fw::Round(max)));
    int64_t hue = fw::Round(Delta + HueOf(R, G, B, max, d)) % 360;
    if (hue < 0) hue += 360;
    const double x = hue / 60.0;
    const int sector = int(x);
    const double fr = x - sector, v = max;
    return TColor(
        Sector(sector, v, Clamp255(v * (1 - s)), Clamp255(v * (1 - fr * s)), Clamp255(v * (1 - (1 - fr) * s))));
}

TColor Hsv2Rgb(double h, double s, double v) {
    if (s == 0) {
        const int b = Limit(fw::Round(v * 255));
        return TColor(Rgb(b, b, b));
    }
    const double x = h == 360 ? 0 : h / 60;
    const int sector = int(fw::Round(std::trunc(x)));
    const double fr = x - sector, L = v * 255;
    return TColor(
        Sector(sector, L, Clamp255(L * (1 - s)), Clamp255(L * (1 - s * fr)), Clamp255(L * (1 - s * (1 - fr)))));
}

TsHSV Rgb2Hsv(TsColor Color) {
    const double R = Color.R, G = Color.G, B = Color.B;
    const double max = std::max({R, G, B}), min = std::min({R, G, B}), d = max - min;
    TsHSV r;
    r.s = max == 0 ? 0 : d / max;
    r.h = r.s != 0 ? int(fw::Round(HueOf(R, G, B, max, d))) : 0;
    r.v = max / 255;
    return r;
}

void HSVtoRGB(double H, double S, double V, double& R, double& G, double& B) {
    if (std::fabs(S - 0.0001) <= 0.0001 || std::isnan(H)) {
        if (std::isnan(H)) R = G = B = V;
        return;
    }
    if (H == 360) H = 0;
    const double x = H / 60;
    const int sector = int(std::trunc(x));
    const double fr = x - sector, p = V * (1 - S), q = V * (1 - S * fr), t = V * (1 - S * (1 - fr));
    SectorRgb(sector, V, p, q, t, R, G, B, false);
}

void RGBToHSV(double R, double G, double B, double& H, double& S, double& V) {
    V = std::max({R, G, B});
    const double d = V - std::min({R, G, B});
    S = V == 0 ? 0 : d / V;
    if (S == 0) return;
    if (R == V)
        H = (G - B) * 60 / d;
    else if (G == V)
        H = (B - R) * 60 / d + 120;
    else
        H = (R - G) * 60 / d + 240;
    if (H < 0) H += 360;
}

}  // namespace skin
