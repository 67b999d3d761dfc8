// The skinning library's own PNG reader: decodes a PNG stream into an
// ordinary framework bitmap whose pixel format follows the colour type
// (palette formats for gray and indexed images, 24-bit RGB, 32-bit straight
// alpha for RGBA), and draws 32-bit images by their alpha. Registered with the
// picture class for ".png". Sizes and lengths are checked against the data
// before anything is allocated, since skins come from anywhere.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "skin/engine/ColorManager.h"
#include "skin/engine/ZLibEx.h"

namespace skin {

class EGraphicCompression : public fw::Exception {
public:
    using Exception::Exception;
    fw::String ClassName() const override { return L"EGraphicCompression"; }
};

enum TImageOption { ioBigEndian, ioUseGamma };
using TImageOptions = fw::Set<TImageOption>;
enum TCompressionType { ctUnknown, ctNone, ctLZ77 };

struct TImageProperties {
    TImageOptions Options;
    uint32_t Width = 0;
    uint32_t Height = 0;
    TColorScheme ColorScheme = csUnknown;
    uint8_t BitsPerSample = 0;
    uint8_t SamplesPerPixel = 0;
    uint8_t BitsPerPixel = 0;
    TCompressionType Compression = ctUnknown;
    float FileGamma = 1.0f;
    bool Interlaced = false;
    bool HasAlpha = false;
    uint8_t FilterMode = 0;
};

struct TPNGChunkHeader {
    uint32_t Length = 0;  // machine order
    char ChunkType[4] = {};
};

// zlib's inflate fed chunk by chunk; a stream that ended or failed stays so.
class TLZ77Decoder : public fw::TObject {
public:
    TLZ77Decoder(int FlushMode, bool AutoReset);
    ~TLZ77Decoder() override;
    fw::String ClassName() const override { return L"TLZ77Decoder"; }

    void DecodeInit();
    void Decode(const uint8_t*& Source, uint8_t*& Dest, int PackedSize, int UnpackedSize);
    void DecodeEnd();
    void Encode(const void*, void*, int, int&) {}

    int ZLibResult() const { return FZLibResult; }
    unsigned AvailableInput() const { return FStream.avail_in; }
    unsigned AvailableOutput() const { return FStream.avail_out; }

private:
    TZStreamRec FStream{};
    int FZLibResult = 0;
    int FFlushMode;
    bool FAutoReset;
    bool started_ = false;
};

// Limits beyond the format's own (chunk lengths up to 2^31 - 1): images of at
// most this many pixels and rows of at most this many pixels, so that a
// header cannot ask for memory the data could never fill.
constexpr uint64_t kMaxPngPixels = 16ull * 1024 * 1024;
constexpr uint32_t kMaxPngWidth = 1u << 20;

extern const uint8_t PNGMagic[8];
// When false, CanLoad answers False for everything.
extern bool UseACPng;

class TPNGGraphic : public fw::TBitmap {
public:
    TPNGGraphic();
    ~TPNGGraphic() override;
    fw::String ClassName() const override { return L"TPNGGraphic"; }

    // From a TPNGGraphic its image properties first, then the picture.
    void Assign(const fw::TPersistent* Source) override;
    // 32-bit images are composed by their alpha (with the mirror when
    // Reflected and drawn at their own size); others draw as bitmaps.
    void Draw(fw::TCanvas* ACanvas, const fw::TRect& Rect) override;
    // Decodes the PNG at the stream's position; leaves it after IEND.
    void LoadFromStream(fw::TStream* Stream) override;

    // Signature and header facts (and the file gamma) into ImageProperties.
    bool ReadImageProperties(fw::TStream* Stream, unsigned ImageIndex);
    static bool CanLoad(const fw::String& FileName);
    static bool CanLoad(fw::TStream* Stream);

    TColorManager* ColorManager() const { return FColorManager.get(); }
    const TImageProperties& ImageProperties() const { return FImageProperties; }
    const std::vector<uint8_t>& Transparency() const { return FTransparency; }
    fw::TColor BackgroundColor() const { return FBackgroundColor; }

    bool Reflected = false;

private:
    uint32_t LoadAndSwapHeader();
    void ReadDataAndCheckCRC();
    bool IsChunk(const char* type) const;
    int SetupColorDepth(int ColorType, int BitDepth);
    void LoadIDAT(const uint8_t* header);
    void ReadRow(uint8_t* RowBuffer, size_t BytesToRead);
    void ApplyFilter(uint8_t Filter, uint8_t* Line, const uint8_t* PrevLine, int BPP, size_t Length);
    void LoadBackgroundColor(const uint8_t* header);
    void LoadTransparency(const uint8_t* header);
    void SkipChunk();
    void FreePalette();
    // What a load holds only while it runs, let go when it ends or fails.
    void ReleaseLoadState();

    std::unique_ptr<TColorManager> FColorManager;
    fw::TRect FProgressRect;
    int64_t FBasePosition = 0;
    fw::TStream* FStream = nullptr;
    TImageProperties FImageProperties;
    std::unique_ptr<TLZ77Decoder> FDecoder;
    int FIDATSize = 0;
    std::vector<uint8_t> FRawBuffer;
    const uint8_t* FCurrentSource = nullptr;
    TPNGChunkHeader FHeader;
    uint32_t FCurrentCRC = 0;
    int FSourceBPP = 1;
    HPALETTE FPalette = nullptr;
    std::vector<uint8_t> FTransparency;
    fw::TColor FTransparentColor = fw::clNone;
    fw::TColor FBackgroundColor = 0xFFFFFF;
    bool depthReady_ = false;   // SetupColorDepth ran for this load
    bool keyFromFile_ = false;  // the last load made the bitmap transparent by its tRNS key
};

// Byte order reversal of 32-bit values.
void SwapLong(uint32_t* P, int Count);
uint32_t SwapLong(uint32_t Value);

}  // namespace skin
