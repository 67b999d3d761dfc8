#include "skin/engine/ColorManager.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace skin {

namespace {

const wchar_t* const kBadDepth = L"Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
const wchar_t* const kBadSampleCount = L"Sample count per pixel does not correspond to the given color scheme.";
const wchar_t* const kIndexedMix = L"Conversion between indexed and non-indexed pixel formats is not supported.";
const wchar_t* const kNoMethod = L"Color conversion failed. Could not find a proper method.";

inline uint16_t Swap16(uint16_t v) { return uint16_t((v >> 8) | (v << 8)); }
inline uint8_t RotateRight(uint8_t m) { return uint8_t((m >> 1) | (m << 7)); }
// Halves to even, as everywhere in the library.
inline int RoundInt(double v) { return static_cast<int>(std::nearbyint(v)); }

// Reads samples in order from one interleaved row or from one plane per sample.
struct Reader {
    const uint8_t* p[4];
    bool planar, wide, swap;
    Reader(TSourceRows s, bool planarRows, bool wideSamples, bool swapBytes)
        : planar(planarRows), wide(wideSamples), swap(swapBytes) {
        for (size_t k = 0; k < 4; ++k) p[k] = static_cast<const uint8_t*>(k < s.size() ? s[k] : s[0]);
    }
    uint16_t Get(int k) {
        const uint8_t*& q = p[planar ? k : 0];
        if (!wide) return *q++;
        uint16_t v = uint16_t(q[0] | (q[1] << 8));
        q += 2;
        return swap ? Swap16(v) : v;
    }
};

inline void Put(uint8_t*& t, uint16_t v, bool wide) {
    if (wide) {
        t[0] = uint8_t(v);
        t[1] = uint8_t(v >> 8);
        t += 2;
    } else {
        *t++ = uint8_t(v);
    }
}

// Component conversion between 8 and 16 bits, with gamma for colour samples.
struct Component {
    int S, T;
    bool swap;
    const uint8_t* gamma;  // null: no gamma
    uint16_t Convert(uint16_t v, const uint8_t* g) const {
        if (S == 16 && T == 16) return v;
        if (S == 16) v = MulDiv16(v, 255, 65535);
        if (g) v = g[v & 0xFF];
        if (T == 16) {
            v = MulDiv16(v, 65535, 255);
            if (swap) v = Swap16(v);
        }
        return v;
    }
    uint16_t Color(uint16_t v) const { return Convert(v, gamma); }
    uint16_t Alpha(uint16_t v) const { return Convert(v, nullptr); }
};

bool Depth8or16(int bits) { return bits == 8 || bits == 16; }

// Whether pixels carry an alpha sample. The converters ask the scheme, not the
// coAlpha option: a caller that resets the options between images of the same
// kind (the PNG reader does) would otherwise lose the alpha sample, since an
// unchanged scheme does not choose the converter again.
bool SchemeHasAlpha(TColorScheme s) { return s == csGA || s == csRGBA || s == csBGRA; }

}  // namespace

uint8_t ClampByte(int value) { return value < 0 ? 0 : value > 255 ? 255 : uint8_t(value); }

uint16_t MulDiv16(uint16_t a, uint16_t b, uint16_t c) {
    return c == 0 ? 0 : uint16_t(uint32_t(a) * uint32_t(b) / uint32_t(c));
}

TColorManager::TColorManager() { SetGamma(1.0f, 2.2f); }

void TColorManager::Error(const wchar_t* msg) { throw EColorConversionError(msg); }

void TColorManager::SetSourceBitsPerSample(uint8_t value) {
    if (value == 0 || value > 16) Error(kBadDepth);
    Update(FSourceBPS, value);
}

void TColorManager::SetTargetBitsPerSample(uint8_t value) {
    if (value == 0 || value > 16) Error(kBadDepth);
    Update(FTargetBPS, value);
}

void TColorManager::SetSourceSamplesPerPixel(uint8_t value) {
    if (value == 0 || value > 4) Error(kBadSampleCount);
    Update(FSourceSPP, value);
}

void TColorManager::SetTargetSamplesPerPixel(uint8_t value) {
    if (value == 0 || value > 4) Error(kBadSampleCount);
    Update(FTargetSPP, value);
}

void TColorManager::SetSourceColorScheme(TColorScheme value) { Update(FSourceScheme, value); }

void TColorManager::SetTargetColorScheme(TColorScheme value) { Update(FTargetScheme, value); }

fw::TPixelFormat TColorManager::GetPixelFormat(int index) const {
    const int bits = index == 0 ? FSourceBPS : FTargetBPS;
    const int samples = index == 0 ? FSourceSPP : FTargetSPP;
    switch (samples) {
        case 1:
            if (bits == 1) return fw::pf1bit;
            if (bits >= 2 && bits <= 4) return fw::pf4bit;
            if (bits >= 8 && bits <= 16) return fw::pf8bit;
            return fw::pfCustom;
        case 3:
            return bits >= 1 && bits <= 5 ? fw::pf15bit : fw::pf24bit;
        case 4:
            return bits >= 8 ? fw::pf32bit : fw::pfCustom;
        default:
            return fw::pfCustom;
    }
}

void TColorManager::SetGamma(float MainGamma, float DisplayGamma) {
    FMainGamma = MainGamma > 0 ? MainGamma : 1.0f;
    FDisplayGamma = DisplayGamma > 0 ? DisplayGamma : 2.2f;
    const int SH = FSourceBPS >= 8 ? 255 : (1 << FTargetBPS) - 1;
    const int TH = FTargetBPS >= 8 ? 255 : (1 << FTargetBPS) - 1;
    const double exponent = 1.0 / (double(FMainGamma) * double(FDisplayGamma));
    for (int i = 0; i <= SH && i < 256; ++i)
        FGammaTable[i] = uint8_t(RoundInt(std::pow(double(i) / SH, exponent) * TH));
}

void TColorManager::CreateYCbCrLookup() {
    const double kr = FYCbCrCoefficients[0], kg = FYCbCrCoefficients[1], kb = FYCbCrCoefficients[2];
    const int oR = FSourceScheme == csPhotoYCC ? 137 : 128;
    const int oB = FSourceScheme == csPhotoYCC ? 156 : 128;
    FCrToRedTable.assign(256, 0);
    FCbToBlueTable.assign(256, 0);
    FCrToGreenTable.assign(256, 0);
    FCbToGreenTable.assign(256, 0);
    for (int i = 0; i < 256; ++i) {
        FCrToRedTable[i] = RoundInt((2 - 2 * kr) * (i - oR));
        FCbToBlueTable[i] = RoundInt((2 - 2 * kb) * (i - oB));
        FCrToGreenTable[i] = -RoundInt(kr * (2 - 2 * kr) / kg * (i - oR));
        FCbToGreenTable[i] = -RoundInt(kb * (2 - 2 * kb) / kg * (i - oB));
    }
}

void TColorManager::PrepareConversion() {
    FRowConversion = nullptr;
    // Gray with alpha may become indexed (its gray); nothing else crosses over.
    const bool indexedSource = FSourceScheme == csIndexed || FSourceScheme == csG || FSourceScheme == csGA;
    const bool indexedTarget = FTargetScheme == csIndexed || FTargetScheme == csG;
    if (indexedSource != indexedTarget) Error(kIndexedMix);

    if (SchemeHasAlpha(FSourceScheme))
        SourceOptions.Include(coAlpha);
    else
        SourceOptions.Exclude(coAlpha);
    if (SchemeHasAlpha(FTargetScheme))
        TargetOptions.Include(coAlpha);
    else
        TargetOptions.Exclude(coAlpha);

    const int S = FSourceBPS, T = FTargetBPS;
    const bool toRGB = FTargetScheme == csRGB || FTargetScheme == csRGBA;
    const bool toBGR = FTargetScheme == csBGR || FTargetScheme == csBGRA;
    switch (FSourceScheme) {
        case csIndexed:
            if (S == 16 && T == 16)
                FRowConversion = &TColorManager::RowConvertIndexedBoth16;
            else if (S == 16)
                FRowConversion = &TColorManager::RowConvertIndexedSource16;
            else if (T == 16)
                FRowConversion = &TColorManager::RowConvertIndexedTarget16;
            else
                FRowConversion = &TColorManager::RowConvertIndexed8;
            break;
        case csG:
            if (S == 16 || T == 16) {
                if (S >= 8 && T >= 8) FRowConversion = &TColorManager::RowConvertGray;
            } else {
                FRowConversion = &TColorManager::RowConvertIndexed8;
            }
            break;
        case csGA:
            if (Depth8or16(S) && Depth8or16(T)) FRowConversion = &TColorManager::RowConvertGray;
            break;
        case csRGB:
        case csRGBA:
            if (toRGB) FRowConversion = &TColorManager::RowConvertColour<&TColorManager::ConvertColour3, false>;
            if (toBGR) FRowConversion = &TColorManager::RowConvertColour<&TColorManager::ConvertColour3, true>;
            break;
        case csBGR:
        case csBGRA:
            // Same order, or first and third exchanged: the RGB pair serves both.
            if (toRGB) FRowConversion = &TColorManager::RowConvertColour<&TColorManager::ConvertColour3, true>;
            if (toBGR) FRowConversion = &TColorManager::RowConvertColour<&TColorManager::ConvertColour3, false>;
            break;
        case csCMYK:
            if (toRGB) FRowConversion = &TColorManager::RowConvertColour<&TColorManager::ConvertCMYK, false>;
            if (toBGR) FRowConversion = &TColorManager::RowConvertColour<&TColorManager::ConvertCMYK, true>;
            break;
        case csCIELab:
            if (toRGB) FRowConversion = &TColorManager::RowConvertColour<&TColorManager::ConvertLab, false>;
            if (toBGR) FRowConversion = &TColorManager::RowConvertColour<&TColorManager::ConvertLab, true>;
            break;
        case csYCbCr:
        case csPhotoYCC:
            CreateYCbCrLookup();
            if (toRGB) FRowConversion = &TColorManager::RowConvertColour<&TColorManager::ConvertYCC, false>;
            if (toBGR) FRowConversion = &TColorManager::RowConvertColour<&TColorManager::ConvertYCC, true>;
            break;
        default:
            break;
    }
    FChanged = false;
}

void TColorManager::ConvertRow(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask) {
    if (FChanged) PrepareConversion();
    if (!FRowConversion) Error(kNoMethod);
    if (Source.empty() || Count == 0) return;
    (this->*FRowConversion)(Source, Target, Count, Mask);
}

// ---- colour families ---------------------------------------------------------

template <TColorManager::TColourFamily Family, bool Exchange>
void TColorManager::RowConvertColour(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask) {
    (this->*Family)(Source, Target, Count, Mask, Exchange);
}

void TColorManager::ConvertColour3(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask, bool exchange) {
    const int S = FSourceBPS, T = FTargetBPS;
    if (!Depth8or16(S) || !Depth8or16(T)) return;
    const bool sa = SchemeHasAlpha(FSourceScheme), ta = SchemeHasAlpha(FTargetScheme);
    const uint8_t* gamma = TargetOptions.Contains(coApplyGamma) ? FGammaTable : nullptr;
    uint8_t* t = static_cast<uint8_t*>(Target);

    // The common case of the PNG reader: whole 8-bit rows, no gamma.
    if (S == 8 && T == 8 && !gamma && Mask == 0xFF && Source.size() == 1 && sa == ta) {
        const uint8_t* s = static_cast<const uint8_t*>(Source[0]);
        const int n = sa ? 4 : 3;
        if (!exchange) {
            std::memcpy(t, s, size_t(Count) * n);
        } else if (sa) {
            for (unsigned i = 0; i < Count; ++i, s += 4, t += 4) {
                t[0] = s[2];
                t[1] = s[1];
                t[2] = s[0];
                t[3] = s[3];
            }
        } else {
            for (unsigned i = 0; i < Count; ++i, s += 3, t += 3) {
                t[0] = s[2];
                t[1] = s[1];
                t[2] = s[0];
            }
        }
        return;
    }

    const bool swap = SourceOptions.Contains(coNeedByteSwap);
    const Component comp{S, T, swap, gamma};
    Reader r(Source, Source.size() > 1, S == 16, swap);
    const bool wide = T == 16;
    const int stride = (ta ? 4 : 3) * (wide ? 2 : 1);
    for (unsigned i = 0; i < Count; ++i, t += stride, Mask = RotateRight(Mask)) {
        if (!(Mask & 0x80)) continue;
        uint16_t c0 = r.Get(0), c1 = r.Get(1), c2 = r.Get(2);
        uint16_t a = sa ? r.Get(3) : 0;
        if (exchange) std::swap(c0, c2);
        uint8_t* q = t;
        Put(q, comp.Color(c0), wide);
        Put(q, comp.Color(c1), wide);
        Put(q, comp.Color(c2), wide);
        if (ta && sa) Put(q, comp.Alpha(a), wide);
    }
}

void TColorManager::ConvertCMYK(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask, bool bgr) {
    const int S = FSourceBPS, T = FTargetBPS;
    if (!Depth8or16(S) || !Depth8or16(T)) return;
    const bool wide = T == 16;
    const int stride = (SchemeHasAlpha(FTargetScheme) ? 4 : 3) * (wide ? 2 : 1);
    Reader r(Source, Source.size() == 4, S == 16, SourceOptions.Contains(coNeedByteSwap));
    uint8_t* t = static_cast<uint8_t*>(Target);
    for (unsigned i = 0; i < Count; ++i, t += stride, Mask = RotateRight(Mask)) {
        if (!(Mask & 0x80)) continue;
        const uint16_t cmy[3] = {r.Get(0), r.Get(1), r.Get(2)};
        const uint16_t K = r.Get(3);
        uint16_t out[3];
        for (int k = 0; k < 3; ++k) {
            const uint16_t X = cmy[k];
            if (S == 8) {
                int v = ClampByte(int(MulDiv16(X, K, 255)) - X - K + 255);
                out[k] = T == 8 ? uint16_t(v) : uint16_t(v * 65535 / 255);
            } else if (T == 8) {
                uint16_t sum = uint16_t(X + K - MulDiv16(X, K, 65535));
                out[k] = ClampByte(255 - MulDiv16(sum, 255, 65535));
            } else {
                out[k] = uint16_t(MulDiv16(X, K, 65535) - X - K - 1);
            }
        }
        uint8_t* q = t;
        for (int k = 0; k < 3; ++k) Put(q, out[bgr ? 2 - k : k], wide);
    }
}

void TColorManager::ConvertLab(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask, bool bgr) {
    const int S = FSourceBPS, T = FTargetBPS;
    if (!Depth8or16(S) || !Depth8or16(T)) return;
    const bool wide = T == 16;
    const int stride = (SchemeHasAlpha(FTargetScheme) ? 4 : 3) * (wide ? 2 : 1);
    const bool byteRange = SourceOptions.Contains(coLabByteRange);
    const bool chromaOffset = SourceOptions.Contains(coLabChromaOffset);
    Reader r(Source, Source.size() > 1, S == 16, SourceOptions.Contains(coNeedByteSwap));
    uint8_t* t = static_cast<uint8_t*>(Target);
    for (unsigned i = 0; i < Count; ++i, t += stride, Mask = RotateRight(Mask)) {
        if (!(Mask & 0x80)) continue;
        const uint16_t lv = r.Get(0), av = r.Get(1), bv = r.Get(2);
        double L = lv;
        if (byteRange) L /= 2.55;
        const double a = chromaOffset ? double(av) - 128 : double(int8_t(av & 0xFF));
        const double b = chromaOffset ? double(bv) - 128 : double(int8_t(bv & 0xFF));
        double X, Y, Z;
        if (L < 7.9996) {
            Y = L / 903.3;
            X = Y + a / 3893.5;
            Z = Y - b / 1557.4;
        } else {
            const double fy = (L + 16) / 116;
            X = std::pow(fy + a / 500, 3);
            Y = fy * fy * fy;
            Z = std::pow(fy - b / 200, 3);
        }
        const double rgb[3] = {2.998 * X - 1.458 * Y - 0.541 * Z, -0.952 * X + 1.893 * Y + 0.059 * Z,
                               0.099 * X - 0.198 * Y + 1.099 * Z};
        uint8_t* q = t;
        for (int k = 0; k < 3; ++k) {
            const uint8_t v = ClampByte(RoundInt(rgb[bgr ? 2 - k : k] * 255));
            Put(q, wide ? uint16_t(v * 65535 / 255) : v, wide);
        }
    }
}

void TColorManager::ConvertYCC(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask, bool bgr) {
    const int S = FSourceBPS, T = FTargetBPS;
    if (!Depth8or16(S) || !Depth8or16(T) || FCrToRedTable.size() != 256) return;
    const bool wide = T == 16;
    const int stride = (SchemeHasAlpha(FTargetScheme) ? 4 : 3) * (wide ? 2 : 1);
    Reader r(Source, Source.size() > 1, S == 16, SourceOptions.Contains(coNeedByteSwap));
    uint8_t* t = static_cast<uint8_t*>(Target);
    for (unsigned i = 0; i < Count; ++i, t += stride, Mask = RotateRight(Mask)) {
        if (!(Mask & 0x80)) continue;
        int Y = r.Get(0), Cb = r.Get(1), Cr = r.Get(2);
        int out[3];  // red, green, blue
        if (S == 16 && T == 16) {
            out[0] = RoundInt(1.3584 * Y + 1.8215 * (Cr - 35209));
            out[1] = RoundInt(1.3584 * Y - 0.9271435 * (Cr - 35209) - 0.4302726 * (Cb - 40092));
            out[2] = RoundInt(1.3584 * Y + 2.2179 * (Cb - 40092));
            for (int& v : out) v &= 0xFFFF;
        } else {
            if (S == 16) {
                Y = MulDiv16(uint16_t(Y), 255, 65535);
                Cb = MulDiv16(uint16_t(Cb), 255, 65535);
                Cr = MulDiv16(uint16_t(Cr), 255, 65535);
            }
            out[0] = ClampByte(Y + FCrToRedTable[Cr]);
            out[1] = ClampByte(Y + FCbToGreenTable[Cb] + FCrToGreenTable[Cr]);
            out[2] = ClampByte(Y + FCbToBlueTable[Cb]);
            if (wide)
                for (int& v : out) v = v * 65535 / 255;
        }
        uint8_t* q = t;
        for (int k = 0; k < 3; ++k) Put(q, uint16_t(out[bgr ? 2 - k : k]), wide);
    }
}

// ---- gray and indexed ------------------------------------------------------------

void TColorManager::RowConvertGray(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask) {
    const int S = FSourceBPS, T = FTargetBPS;
    if (!Depth8or16(S) || !Depth8or16(T)) return;
    const bool sa = SchemeHasAlpha(FSourceScheme);
    const bool wide = T == 16;
    uint8_t* t = static_cast<uint8_t*>(Target);
    if (S == 8 && T == 8 && Mask == 0xFF && !sa && Source.size() == 1) {
        std::memcpy(t, Source[0], Count);
        return;
    }
    Reader r(Source, Source.size() > 1, S == 16, SourceOptions.Contains(coNeedByteSwap));
    for (unsigned i = 0; i < Count; ++i, t += wide ? 2 : 1, Mask = RotateRight(Mask)) {
        if (!(Mask & 0x80)) continue;
        uint16_t v = r.Get(0);
        if (sa) r.Get(1);
        if (S == 8 && T == 16) v = MulDiv16(v, 65535, 255);
        if (S == 16 && T == 8) v = MulDiv16(v, 255, 65535);
        uint8_t* q = t;
        Put(q, v, wide);
    }
}

void TColorManager::RowConvertIndexed8(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask) {
    const int S = FSourceBPS, T = FTargetBPS;
    // Bit fields never straddle bytes at the depths images use (1, 2, 4, 8).
    if (S > 8 || T > 8 || 8 % S != 0 || 8 % T != 0) return;
    const uint8_t* s = static_cast<const uint8_t*>(Source[0]);
    uint8_t* t = static_cast<uint8_t*>(Target);
    if (S == T && Mask == 0xFF) {
        std::memcpy(t, s, (size_t(Count) * S + 7) / 8);
        return;
    }
    const unsigned sMax = (1u << S) - 1, tMax = (1u << T) - 1;
    unsigned sBit = 0, tBit = 0;
    for (unsigned i = 0; i < Count; ++i, tBit += T, Mask = RotateRight(Mask)) {
        if (!(Mask & 0x80)) continue;
        const unsigned v = (s[sBit / 8] >> (8 - S - sBit % 8)) & sMax;
        sBit += S;
        const unsigned w = MulDiv16(uint16_t(v), uint16_t(tMax), uint16_t(sMax));
        const int shift = 8 - T - int(tBit % 8);
        uint8_t& b = t[tBit / 8];
        b = uint8_t((b & ~(tMax << shift)) | (w << shift));
    }
}

void TColorManager::RowConvertIndexedBoth16(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask) {
    Reader r(Source, false, true, SourceOptions.Contains(coNeedByteSwap));
    uint8_t* t = static_cast<uint8_t*>(Target);
    for (unsigned i = 0; i < Count; ++i, t += 2, Mask = RotateRight(Mask)) {
        if (!(Mask & 0x80)) continue;
        uint8_t* q = t;
        Put(q, r.Get(0), true);
    }
}

void TColorManager::RowConvertIndexedSource16(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask) {
    const int T = FTargetBPS;
    if (T > 8 || 8 % T != 0) return;
    const unsigned tMax = (1u << T) - 1;
    Reader r(Source, false, true, SourceOptions.Contains(coNeedByteSwap));
    uint8_t* t = static_cast<uint8_t*>(Target);
    unsigned tBit = 0;
    for (unsigned i = 0; i < Count; ++i, tBit += T, Mask = RotateRight(Mask)) {
        if (!(Mask & 0x80)) continue;
        const unsigned w = MulDiv16(r.Get(0), uint16_t(tMax), 65535);
        const int shift = 8 - T - int(tBit % 8);
        uint8_t& b = t[tBit / 8];
        b = uint8_t((b & ~(tMax << shift)) | (w << shift));
    }
}

void TColorManager::RowConvertIndexedTarget16(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask) {
    const int S = FSourceBPS;
    if (S > 8 || 8 % S != 0) return;
    const unsigned sMax = (1u << S) - 1;
    const bool swap = SourceOptions.Contains(coNeedByteSwap);
    const uint8_t* s = static_cast<const uint8_t*>(Source[0]);
    uint8_t* t = static_cast<uint8_t*>(Target);
    unsigned sBit = 0;
    for (unsigned i = 0; i < Count; ++i, t += 2, Mask = RotateRight(Mask)) {
        if (!(Mask & 0x80)) continue;
        const unsigned v = (s[sBit / 8] >> (8 - S - sBit % 8)) & sMax;
        sBit += S;
        uint16_t w = MulDiv16(uint16_t(v), 65535, uint16_t(sMax));
        if (swap) w = Swap16(w);
        uint8_t* q = t;
        Put(q, w, true);
    }
}

// ---- palettes --------------------------------------------------------------------

namespace {

HPALETTE MakePalette(const std::vector<PALETTEENTRY>& entries) {
    std::vector<uint8_t> mem(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
    LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(mem.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = WORD(entries.size());
    std::memcpy(lp->palPalEntry, entries.data(), entries.size() * sizeof(PALETTEENTRY));
    return CreatePalette(lp);
}

}  // namespace

std::vector<PALETTEENTRY> TColorManager::GrayscalePaletteEntries(bool MinimumIsWhite) {
    const int bits = std::min(FTargetBPS * FTargetSPP, 8);
    const int n = 1 << bits;
    const int step = 255 / (n - 1);
    const bool gamma = TargetOptions.Contains(coApplyGamma);
    std::vector<PALETTEENTRY> e(size_t(n), PALETTEENTRY{});
    for (int i = 0; i < n; ++i) {
        const uint8_t g = gamma ? FGammaTable[i * step] : uint8_t(i * step);
        PALETTEENTRY& p = e[size_t(MinimumIsWhite ? n - 1 - i : i)];
        p.peRed = p.peGreen = p.peBlue = g;
        p.peFlags = 0;
    }
    return e;
}

HPALETTE TColorManager::CreateGrayscalePalette(bool MinimumIsWhite) {
    return MakePalette(GrayscalePaletteEntries(MinimumIsWhite));
}

std::vector<PALETTEENTRY> TColorManager::ColorPaletteEntries(TSourceRows Data, TRawPaletteFormat Format,
                                                             unsigned ColorCount, bool Order) {
    const unsigned count = std::min(ColorCount, 256u);
    const uint8_t* gamma = TargetOptions.Contains(coApplyGamma) ? FGammaTable : nullptr;
    const bool swap = SourceOptions.Contains(coNeedByteSwap);
    auto c8 = [&](uint8_t v) { return gamma ? gamma[v] : v; };
    auto c16 = [&](const uint8_t* p) {
        uint16_t v = uint16_t(p[0] | (p[1] << 8));
        if (swap) v = Swap16(v);
        return c8(uint8_t(MulDiv16(v, 255, 65535)));
    };
    std::vector<PALETTEENTRY> e(count, PALETTEENTRY{});
    if (Data.empty()) return e;
    auto plane = [&](size_t k) { return static_cast<const uint8_t*>(k < Data.size() ? Data[k] : Data[0]); };
    for (unsigned i = 0; i < count; ++i) {
        uint8_t rgb[3] = {};
        switch (Format) {
            case pfInterlaced8Triple:
            case pfInterlaced8Quad: {
                const uint8_t* p = plane(0) + i * (Format == pfInterlaced8Triple ? 3 : 4);
                rgb[0] = c8(Order ? p[2] : p[0]);
                rgb[1] = c8(p[1]);
                rgb[2] = c8(Order ? p[0] : p[2]);
                break;
            }
            case pfPlane8Triple:
            case pfPlane8Quad:
                for (int k = 0; k < 3; ++k) rgb[k] = c8(plane(size_t(k))[i]);
                break;
            case pfInterlaced16Triple:
            case pfInterlaced16Quad: {
                const uint8_t* p = plane(0) + i * 2 * (Format == pfInterlaced16Triple ? 3 : 4);
                rgb[0] = c16(Order ? p : p + 4);
                rgb[1] = c16(p + 2);
                rgb[2] = c16(Order ? p + 4 : p);
                break;
            }
            case pfPlane16Triple:
            case pfPlane16Quad:
                for (int k = 0; k < 3; ++k) rgb[k] = c16(plane(size_t(k)) + 2 * i);
                break;
        }
        e[i].peRed = rgb[0];
        e[i].peGreen = rgb[1];
        e[i].peBlue = rgb[2];
    }
    // A palette of another depth than the target: target value v shows the
    // colour of source value v * SR / TR. 16-bit sources are left as they are.
    if (FTargetBPS <= 8 && FSourceBPS <= 8) {
        const unsigned SR = (1u << FSourceBPS) - 1, TR = (1u << FTargetBPS) - 1;
        if (SR != TR) {
            e.resize(std::max<size_t>(e.size(), std::max(SR, TR) + 1), PALETTEENTRY{});
            if (SR < TR) {
                for (int v = int(TR); v >= 0; --v) e[size_t(v)] = e[MulDiv16(uint16_t(v), uint16_t(SR), uint16_t(TR))];
            } else {
                for (unsigned v = 0; v <= TR; ++v) e[v] = e[MulDiv16(uint16_t(v), uint16_t(SR), uint16_t(TR))];
            }
            e.resize(TR + 1);
        }
    }
    return e;
}

HPALETTE TColorManager::CreateColorPalette(TSourceRows Data, TRawPaletteFormat Format, unsigned ColorCount,
                                           bool Order) {
    return MakePalette(ColorPaletteEntries(Data, Format, ColorCount, Order));
}

}  // namespace skin
