// Turns rows of decoded image samples (thirteen colour schemes, 1 to 16 bits
// per sample, interleaved or planar) into bitmap scan lines, with gamma and
// bit-depth scaling on the way, and builds the palettes palette bitmaps need.
// The PNG reader drives one per image; the converter is chosen once per
// configuration so rows run without per-pixel dispatch.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/Object.h"

namespace skin {

enum TColorScheme {
    csUnknown,
    csIndexed,
    csG,
    csGA,
    csRGB,
    csRGBA,
    csBGR,
    csBGRA,
    csCMY,
    csCMYK,
    csCIELab,
    csYCbCr,
    csPhotoYCC
};

enum TConvertOption { coAlpha, coApplyGamma, coNeedByteSwap, coLabByteRange, coLabChromaOffset };
using TConvertOptions = fw::Set<TConvertOption>;

enum TRawPaletteFormat {
    pfInterlaced8Triple,
    pfInterlaced8Quad,
    pfPlane8Triple,
    pfPlane8Quad,
    pfInterlaced16Triple,
    pfInterlaced16Quad,
    pfPlane16Triple,
    pfPlane16Quad
};

class EColorConversionError : public fw::Exception {
public:
    using Exception::Exception;
    fw::String ClassName() const override { return L"EColorConversionError"; }
};

// One pointer: interleaved samples; several: one plane per sample.
using TSourceRows = std::span<const void* const>;

uint8_t ClampByte(int value);
// a * b / c in 32 bits, truncated; callers keep the quotient within 16 bits.
uint16_t MulDiv16(uint16_t a, uint16_t b, uint16_t c);

class TColorManager : public fw::TObject {
public:
    TColorManager();
    fw::String ClassName() const override { return L"TColorManager"; }

    uint8_t SourceBitsPerSample() const { return FSourceBPS; }
    void SetSourceBitsPerSample(uint8_t value);
    uint8_t TargetBitsPerSample() const { return FTargetBPS; }
    void SetTargetBitsPerSample(uint8_t value);
    uint8_t SourceSamplesPerPixel() const { return FSourceSPP; }
    void SetSourceSamplesPerPixel(uint8_t value);
    uint8_t TargetSamplesPerPixel() const { return FTargetSPP; }
    void SetTargetSamplesPerPixel(uint8_t value);
    TColorScheme SourceColorScheme() const { return FSourceScheme; }
    void SetSourceColorScheme(TColorScheme value);
    TColorScheme TargetColorScheme() const { return FTargetScheme; }
    void SetTargetColorScheme(TColorScheme value);

    TConvertOptions SourceOptions;
    TConvertOptions TargetOptions;

    fw::TPixelFormat SourcePixelFormat() const { return GetPixelFormat(0); }
    fw::TPixelFormat TargetPixelFormat() const { return GetPixelFormat(1); }
    // 0: the source depth, 1: the target depth.
    fw::TPixelFormat GetPixelFormat(int index) const;

    // Writes Count target pixels; pixel i only when bit (7 - i mod 8) of Mask
    // is set (the source advances only over those, the target over all).
    void ConvertRow(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask);

    void SetGamma(float MainGamma, float DisplayGamma = 2.2f);
    const uint8_t* GammaTable() const { return FGammaTable; }

    // Palettes for the target depth; the caller deletes the handle.
    HPALETTE CreateGrayscalePalette(bool MinimumIsWhite);
    HPALETTE CreateColorPalette(TSourceRows Data, TRawPaletteFormat Format, unsigned ColorCount, bool Order);
    // The colours CreateColorPalette puts into its palette.
    std::vector<PALETTEENTRY> ColorPaletteEntries(TSourceRows Data, TRawPaletteFormat Format, unsigned ColorCount,
                                                  bool Order);
    std::vector<PALETTEENTRY> GrayscalePaletteEntries(bool MinimumIsWhite);

private:
    using TConversionMethod = void (TColorManager::*)(TSourceRows, void*, unsigned, uint8_t);

    [[noreturn]] static void Error(const wchar_t* msg);
    // A setting that changes chooses the converter again at the next row.
    template <typename T>
    void Update(T& field, T value) {
        if (value != field) FChanged = true;
        field = value;
    }
    void PrepareConversion();
    void CreateYCbCrLookup();

    // A colour family's converter with its output order fixed: true gives
    // the first and third samples exchanged.
    using TColourFamily = void (TColorManager::*)(TSourceRows, void*, unsigned, uint8_t, bool);
    template <TColourFamily Family, bool Exchange>
    void RowConvertColour(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask);
    void RowConvertGray(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask);
    void RowConvertIndexed8(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask);
    void RowConvertIndexedBoth16(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask);
    void RowConvertIndexedSource16(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask);
    void RowConvertIndexedTarget16(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask);

    void ConvertColour3(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask, bool exchange);
    void ConvertCMYK(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask, bool bgr);
    void ConvertLab(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask, bool bgr);
    void ConvertYCC(TSourceRows Source, void* Target, unsigned Count, uint8_t Mask, bool bgr);

    bool FChanged = true;
    uint8_t FSourceBPS = 8, FTargetBPS = 8;
    uint8_t FSourceSPP = 3, FTargetSPP = 3;
    float FMainGamma = 1.0f, FDisplayGamma = 2.2f;
    uint8_t FGammaTable[256] = {};
    float FYCbCrCoefficients[3] = {0.299f, 0.587f, 0.114f};
    uint8_t FHSubsampling = 1, FVSubSampling = 1;
    std::vector<int> FCrToRedTable, FCbToBlueTable, FCrToGreenTable, FCbToGreenTable;
    TColorScheme FSourceScheme = csRGB, FTargetScheme = csBGR;
    TConversionMethod FRowConversion = nullptr;
};

}  // namespace skin
