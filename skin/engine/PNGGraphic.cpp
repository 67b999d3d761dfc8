#include "skin/engine/PNGGraphic.h"

#include <algorithm>
#include <cstring>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"
#include "framework/rtl/SysUtils.h"
#include "skin/engine/sBitmapBase.h"

namespace skin {

const uint8_t PNGMagic[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
bool UseACPng = true;

namespace {

const wchar_t* const kInvalidFormat = L"Cannot load image. Invalid or unexpected %s image format.";
const wchar_t* const kNotSupported = L"Cannot load image. %s not supported for %s files.";
const wchar_t* const kBadPalette = L"Cannot load image. Palette in %s file is invalid.";
const wchar_t* const kCRCError = L"Cannot load image. CRC error found in %s file.";
const wchar_t* const kBadColorFormat = L"Invalid color format in %s file.";
const wchar_t* const kExtraData = L"Cannot load image. Extra compressed data found in %s file.";
const wchar_t* const kCompressionError = L"Cannot load image. Compression error found in %s file.";
const wchar_t* const kUnknownCritical = L"Cannot load PNG image. Unexpected but critical chunk detected.";
const wchar_t* const kLZ77Error = L"LZ77 decompression error.";

[[noreturn]] void GraphicError(const wchar_t* format) { throw fw::EInvalidGraphic(fw::Format(format, L"PNG")); }

inline uint32_t BE32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// The reader looks its gamma table up with 8-bit values only (palette
// entries, the grey ramp, 8-bit and scaled 16-bit samples), so the table spans
// 0..255 at both ends whatever depths this or an earlier image set up.
void SetByteGamma(TColorManager& cm, float fileGamma) {
    const uint8_t source = cm.SourceBitsPerSample(), target = cm.TargetBitsPerSample();
    cm.SetSourceBitsPerSample(8);
    cm.SetTargetBitsPerSample(8);
    cm.SetGamma(fileGamma, 2.2f);
    cm.SetSourceBitsPerSample(source);
    cm.SetTargetBitsPerSample(target);
}

// Sample i (16-bit big-endian) of a chunk's data; missing bytes read as 0.
uint16_t Sample16(const std::vector<uint8_t>& data, size_t length, size_t i) {
    const size_t at = 2 * i;
    const uint8_t hi = at < length ? data[at] : 0, lo = at + 1 < length ? data[at + 1] : 0;
    return uint16_t(hi << 8 | lo);
}

// A bKGD/tRNS sample brought to 8 bits: a 16-bit one by range, any other kept as its low byte.
int Sample8(const std::vector<uint8_t>& data, size_t length, size_t i, int depth) {
    const uint16_t v = Sample16(data, length, i);
    return depth == 16 ? v * 255 / 65535 : v & 0xFF;
}

// The grey level of a bKGD/tRNS chunk; a 2-bit grey is stretched to 0..15.
int GreySample(const std::vector<uint8_t>& data, size_t length, int depth) {
    return depth == 2 ? Sample16(data, length, 0) * 15 / 3 : Sample8(data, length, 0, depth);
}

// The red, green, blue samples of a bKGD/tRNS chunk as a colour.
fw::TColor RGBSample(const std::vector<uint8_t>& data, size_t length, int depth) {
    return fw::TColor(Sample8(data, length, 0, depth) | Sample8(data, length, 1, depth) << 8 |
                      Sample8(data, length, 2, depth) << 16);
}

// Adam7: starting row and column, row and column step, pixel mask per pass.
struct Pass {
    int row, col, rowStep, colStep;
    uint8_t mask;
};
const Pass kPasses[7] = {{0, 0, 8, 8, 0x80}, {0, 4, 8, 8, 0x08}, {4, 0, 8, 4, 0x88}, {0, 2, 4, 4, 0x22},
                         {2, 0, 4, 2, 0xAA}, {0, 1, 2, 2, 0x55}, {1, 0, 2, 1, 0xFF}};

// Registered with the picture class for as long as the program runs.
struct Registration {
    Registration() {
        fw::TPicture::RegisterFileFormat<TPNGGraphic>(L"png", L"Portable network graphics (skin components)");
    }
    ~Registration() { fw::TPicture::UnregisterGraphicClass<TPNGGraphic>(); }
} registration;

// One conversion for the colour manager: the schemes, the samples per pixel
// (the same on both sides) and the bits per sample.
void SetConversion(TColorManager& cm, TColorScheme source, TColorScheme target, int samples, int sourceBits,
                   int targetBits) {
    cm.SetSourceColorScheme(source);
    cm.SetTargetColorScheme(target);
    cm.SetSourceSamplesPerPixel(uint8_t(samples));
    cm.SetTargetSamplesPerPixel(uint8_t(samples));
    cm.SetSourceBitsPerSample(uint8_t(sourceBits));
    cm.SetTargetBitsPerSample(uint8_t(targetBits));
}

// Source stretched with halftoning into a W x H target of the given format.
void HalftoneStretch(fw::TBitmap& target, int W, int H, fw::TBitmap* source, fw::TPixelFormat format) {
    target.SetWidth(W);
    target.SetHeight(H);
    HDC dc = target.Canvas()->Handle();
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, W, H, source->Canvas()->Handle(), 0, 0, source->Width(), source->Height(), SRCCOPY);
    target.SetPixelFormat(format);
}

}  // namespace

void SwapLong(uint32_t* P, int Count) {
    for (int i = 0; i < Count; ++i) P[i] = SwapLong(P[i]);
}

uint32_t SwapLong(uint32_t Value) {
    return (Value >> 24) | ((Value >> 8) & 0xFF00) | ((Value << 8) & 0xFF0000) | (Value << 24);
}

// ---- TLZ77Decoder ----------------------------------------------------------

TLZ77Decoder::TLZ77Decoder(int FlushMode, bool AutoReset) : FFlushMode(FlushMode), FAutoReset(AutoReset) {}

TLZ77Decoder::~TLZ77Decoder() {
    if (started_) inflateEnd(&FStream);
}

void TLZ77Decoder::DecodeInit() {
    if (InflateInit(FStream) < 0) throw EGraphicCompression(kLZ77Error);
    started_ = true;
}

void TLZ77Decoder::Decode(const uint8_t*& Source, uint8_t*& Dest, int PackedSize, int UnpackedSize) {
    FStream.next_in = const_cast<Bytef*>(Source);
    FStream.avail_in = static_cast<uInt>(PackedSize);
    if (FAutoReset) FZLibResult = inflateReset(&FStream);
    if (FZLibResult != 0) return;
    FStream.next_out = Dest;
    FStream.avail_out = static_cast<uInt>(UnpackedSize);
    FZLibResult = inflate(&FStream, FFlushMode);
    Source = FStream.next_in;
    Dest = FStream.next_out;
}

void TLZ77Decoder::DecodeEnd() {
    if (!started_) return;
    started_ = false;
    if (inflateEnd(&FStream) < 0) throw EGraphicCompression(kLZ77Error);
}

// ---- TPNGGraphic -----------------------------------------------------------

TPNGGraphic::TPNGGraphic() : FColorManager(std::make_unique<TColorManager>()) {}

TPNGGraphic::~TPNGGraphic() { FreePalette(); }

void TPNGGraphic::FreePalette() {
    if (FPalette) DeleteObject(FPalette);
    FPalette = nullptr;
}

void TPNGGraphic::Assign(const fw::TPersistent* Source) {
    if (const auto* png = dynamic_cast<const TPNGGraphic*>(Source)) FImageProperties = png->FImageProperties;
    fw::TBitmap::Assign(Source);
}

bool TPNGGraphic::CanLoad(fw::TStream* Stream) {
    if (!UseACPng || !Stream) return false;
    const int64_t pos = Stream->Position();
    bool result = false;
    if (Stream->Size() - pos > 8) {
        uint8_t sig[8];
        result = Stream->Read(sig, 8) == 8 && std::memcmp(sig, PNGMagic, 8) == 0;
    }
    Stream->SetPosition(pos);
    return result;
}

bool TPNGGraphic::CanLoad(const fw::String& FileName) {
    if (!UseACPng) return false;
    try {
        fw::TFileStream f(FileName, fw::fmOpenRead | fw::fmShareDenyWrite);
        return CanLoad(&f);
    } catch (const fw::EStreamError&) {
        return false;
    }
}

uint32_t TPNGGraphic::LoadAndSwapHeader() {
    uint8_t raw[8];
    FStream->ReadBuffer(raw, 8);
    FHeader.Length = BE32(raw);
    std::memcpy(FHeader.ChunkType, raw + 4, 4);
    // Lengths are 31-bit by the format; anything larger is not a PNG.
    if (FHeader.Length > 0x7FFFFFFFu) GraphicError(kInvalidFormat);
    FCurrentCRC = crc32(0, raw + 4, 4);
    return FCurrentCRC;
}

void TPNGGraphic::ReadDataAndCheckCRC() {
    // Never allocate for data the stream does not hold.
    if (int64_t(FHeader.Length) > FStream->Size() - FStream->Position()) throw fw::EReadError(L"Stream read error");
    FRawBuffer.resize(FHeader.Length);
    if (FHeader.Length) FStream->ReadBuffer(FRawBuffer.data(), int(FHeader.Length));
    uint8_t stored[4];
    FStream->ReadBuffer(stored, 4);
    FCurrentCRC = crc32(FCurrentCRC, FRawBuffer.data(), FHeader.Length);
    if (FCurrentCRC != BE32(stored)) GraphicError(kCRCError);
}

void TPNGGraphic::SkipChunk() { FStream->Seek(int64_t(FHeader.Length) + 4, fw::soCurrent); }

bool TPNGGraphic::IsChunk(const char* type) const {
    for (int i = 0; i < 4; ++i)
        if (((FHeader.ChunkType[i] ^ type[i]) & 0xDF) != 0) return false;
    return true;
}

bool TPNGGraphic::ReadImageProperties(fw::TStream* Stream, unsigned) {
    FImageProperties = TImageProperties();
    FImageProperties.FileGamma = 1.0f;
    FStream = Stream;
    uint8_t sig[8];
    if (Stream->Read(sig, 8) != 8 || std::memcmp(sig, PNGMagic, 8) != 0) return false;
    LoadAndSwapHeader();
    if (!IsChunk("IHDR")) return false;
    FImageProperties.Options.Include(ioBigEndian);
    // The header is exactly 13 bytes; another length is not a PNG header.
    if (FHeader.Length != 13) return false;
    ReadDataAndCheckCRC();
    const uint8_t* h = FRawBuffer.data();
    const uint32_t width = BE32(h), height = BE32(h + 4);
    if (width == 0 || height == 0) return false;
    if (width > kMaxPngWidth || height > 0x7FFFFFFFu || uint64_t(width) * height > kMaxPngPixels) return false;
    TImageProperties& p = FImageProperties;
    p.Width = width;
    p.Height = height;
    p.BitsPerSample = h[8];
    switch (h[9]) {
        case 0:
            p.ColorScheme = csG;
            break;
        case 2:
            p.ColorScheme = csRGB;
            break;
        case 3:
            p.ColorScheme = csIndexed;
            break;
        case 4:
            p.ColorScheme = csGA;
            break;
        case 6:
            p.ColorScheme = csRGBA;
            break;
        default:
            p.ColorScheme = csUnknown;
            break;
    }
    p.SamplesPerPixel = p.ColorScheme == csGA ? 2 : p.ColorScheme == csRGB ? 3 : p.ColorScheme == csRGBA ? 4 : 1;
    p.BitsPerPixel = uint8_t(p.SamplesPerPixel * p.BitsPerSample);
    p.Compression = h[10] == 0 ? ctLZ77 : ctUnknown;
    p.FilterMode = h[11];
    p.Interlaced = h[12] != 0;
    p.HasAlpha = p.ColorScheme == csGA || p.ColorScheme == csRGBA || p.ColorScheme == csBGRA;

    for (;;) {
        LoadAndSwapHeader();
        if (IsChunk("gAMA")) {
            ReadDataAndCheckCRC();
            if (FHeader.Length >= 4) p.FileGamma = float(BE32(FRawBuffer.data()) / 100000.0);
            break;
        }
        if (IsChunk("IEND")) break;
        SkipChunk();
    }
    FRawBuffer.clear();
    FRawBuffer.shrink_to_fit();
    return true;
}

int TPNGGraphic::SetupColorDepth(int ColorType, int BitDepth) {
    TColorManager& cm = *FColorManager;
    int result = 0;
    fw::TPixelFormat format = fw::pfDevice;
    switch (ColorType) {
        case 0:
            if (BitDepth != 1 && BitDepth != 2 && BitDepth != 4 && BitDepth != 8 && BitDepth != 16)
                GraphicError(kBadColorFormat);
            SetConversion(cm, csG, csG, 1, BitDepth, BitDepth == 2 ? 4 : BitDepth == 16 ? 8 : BitDepth);
            format = cm.TargetPixelFormat();
            FreePalette();
            FPalette = cm.CreateGrayscalePalette(false);
            result = (BitDepth + 7) / 8;
            break;
        case 2:
            if (BitDepth != 8 && BitDepth != 16) GraphicError(kBadColorFormat);
            SetConversion(cm, csRGB, csBGR, 3, BitDepth, 8);
            format = fw::pf24bit;
            result = 3 * BitDepth / 8;
            break;
        case 3:
            if (BitDepth != 1 && BitDepth != 2 && BitDepth != 4 && BitDepth != 8) GraphicError(kBadColorFormat);
            SetConversion(cm, csIndexed, csIndexed, 1, BitDepth, BitDepth == 2 ? 4 : BitDepth);
            format = cm.TargetPixelFormat();
            result = 1;
            break;
        case 4:
            if (BitDepth != 8 && BitDepth != 16) GraphicError(kBadColorFormat);
            SetConversion(cm, csGA, csIndexed, 1, BitDepth, 8);
            format = fw::pf8bit;
            FreePalette();
            FPalette = cm.CreateGrayscalePalette(false);
            result = 2 * BitDepth / 8;
            break;
        case 6:
            if (BitDepth != 8 && BitDepth != 16) GraphicError(kBadColorFormat);
            SetConversion(cm, csRGBA, csBGRA, 4, BitDepth, 8);
            format = fw::pf32bit;
            result = 4 * BitDepth / 8;
            break;
        default:
            GraphicError(kBadColorFormat);
    }
    SetPixelFormat(format);
    depthReady_ = true;
    return std::max(result, 1);
}

void TPNGGraphic::LoadFromStream(fw::TStream* Stream) {
    fw::TBitmap::Assign(nullptr);
    // A key colour of the previous file must not make this one transparent.
    if (keyFromFile_) {
        SetTransparent(false);
        SetTransparentMode(fw::tmAuto);
        keyFromFile_ = false;
    }
    SetPixelFormat(fw::pfDevice);
    FBasePosition = Stream->Position();
    FDecoder.reset();
    if (!ReadImageProperties(Stream, 0)) GraphicError(kInvalidFormat);

    Stream->SetPosition(FBasePosition + 8);
    FProgressRect = fw::TRect(0, 0, LONG(FImageProperties.Width), 1);
    Progress(this, fw::psStarting, 0, false, FProgressRect, L"Preparing...");

    FreePalette();
    FTransparency.clear();
    FBackgroundColor = 0xFFFFFF;
    FTransparentColor = fw::clNone;
    depthReady_ = false;
    LoadAndSwapHeader();
    FRawBuffer.clear();
    FColorManager->SourceOptions = TConvertOptions{coNeedByteSwap};
    FColorManager->TargetOptions = TConvertOptions{};

    try {
        ReadDataAndCheckCRC();
        uint8_t header[13];
        std::memcpy(header, FRawBuffer.data(), 13);
        if (FImageProperties.Compression != ctLZ77) {
            throw fw::EInvalidGraphic(fw::Format(kNotSupported, L"The compression scheme is", L"PNG"));
        }
        FDecoder = std::make_unique<TLZ77Decoder>(Z_PARTIAL_FLUSH, false);
        FDecoder->DecodeInit();

        LoadAndSwapHeader();
        for (;;) {
            if (IsChunk("IDAT")) {
                Progress(this, fw::psEnding, 0, false, FProgressRect, L"");
                LoadIDAT(header);
                // FHeader now holds the chunk after the image data: handled below.
            } else if (IsChunk("PLTE")) {
                if (FHeader.Length % 3 != 0) GraphicError(kBadPalette);
                ReadDataAndCheckCRC();
                if (header[9] == 3) {
                    FSourceBPP = SetupColorDepth(header[9], header[8]);
                    FreePalette();
                    const void* rows[1] = {FRawBuffer.data()};
                    FPalette = FColorManager->CreateColorPalette(rows, pfInterlaced8Triple, FHeader.Length / 3, false);
                }
                LoadAndSwapHeader();
                continue;
            } else if (IsChunk("gAMA")) {
                ReadDataAndCheckCRC();
                const uint32_t g = FHeader.Length >= 4 ? BE32(FRawBuffer.data()) : 0;
                SetByteGamma(*FColorManager, float(g / 100000.0));
                FColorManager->TargetOptions.Include(coApplyGamma);
                FImageProperties.Options.Include(ioUseGamma);
                LoadAndSwapHeader();
                continue;
            } else if (IsChunk("bKGD")) {
                LoadBackgroundColor(header);
                LoadAndSwapHeader();
                continue;
            } else if (IsChunk("tRNS")) {
                LoadTransparency(header);
                LoadAndSwapHeader();
                continue;
            }
            SkipChunk();
            if (IsChunk("IEND")) break;
            if ((FHeader.ChunkType[0] & 0x20) == 0) throw fw::EInvalidGraphic(kUnknownCritical);
            LoadAndSwapHeader();
        }
    } catch (...) {
        try {
            if (FDecoder) FDecoder->DecodeEnd();
        } catch (...) {
        }
        FDecoder.reset();
        ReleaseLoadState();
        throw;
    }
    std::unique_ptr<TLZ77Decoder> decoder = std::move(FDecoder);
    ReleaseLoadState();
    decoder->DecodeEnd();
}

void TPNGGraphic::ReleaseLoadState() {
    FRawBuffer.clear();
    FRawBuffer.shrink_to_fit();
    FCurrentSource = nullptr;
    FreePalette();
    Progress(this, fw::psEnding, 0, false, FProgressRect, L"");
}

void TPNGGraphic::LoadIDAT(const uint8_t* header) {
    Progress(this, fw::psStarting, 0, false, FProgressRect, L"Transfering...");
    const int bitDepth = header[8];
    if (!depthReady_) FSourceBPP = SetupColorDepth(header[9], bitDepth);
    const uint64_t multiplier = bitDepth == 16 ? uint64_t(FSourceBPP / 2) : uint64_t(FSourceBPP);
    const uint64_t width = FImageProperties.Width, height = FImageProperties.Height;

    if (FPalette) SetPalette(FPalette);
    SetWidth(int(width));
    SetHeight(int(height));
    {
        fw::TCanvas* canvas = Canvas();
        canvas->Lock();
        canvas->Brush()->SetColor(FBackgroundColor);
        canvas->FillRect(fw::TRect(0, 0, LONG(width), LONG(height)));
        canvas->Unlock();
    }
    if (FTransparentColor != fw::clNone) {
        SetTransparentColor(FTransparentColor);
        SetTransparent(true);
        keyFromFile_ = true;
    }

    // In 64 bits: a row of a huge width must not wrap into a short buffer.
    const uint64_t fullRow = ((width * uint64_t(bitDepth) + 7) / 8) * multiplier + 1;
    std::vector<uint8_t> bufA(size_t(fullRow), 0), bufB(size_t(fullRow), 0);
    uint8_t* cur = bufA.data();
    uint8_t* prev = bufB.data();
    FCurrentSource = nullptr;
    FIDATSize = 0;
    TColorManager& cm = *FColorManager;

    if (!FImageProperties.Interlaced) {
        for (uint64_t y = 0; y < height; ++y) {
            ReadRow(cur, size_t(fullRow));
            ApplyFilter(cur[0], cur + 1, prev + 1, FSourceBPP, size_t(fullRow - 1));
            const void* src[1] = {cur + 1};
            cm.ConvertRow(src, ScanLine(int(y)), unsigned(width), 0xFF);
            Progress(this, fw::psRunning, uint8_t(MulDiv(int(y), 100, int(height))), true, FProgressRect, L"");
            FProgressRect.Top += 1;
            FProgressRect.Bottom += 1;
            std::swap(cur, prev);
        }
    } else {
        for (int pass = 0; pass < 7; ++pass) {
            const Pass& p = kPasses[pass];
            if (width <= uint64_t(p.col)) continue;
            const uint64_t passWidth = (width + p.colStep - p.col - 1) / p.colStep;
            const uint64_t rowSize = ((passWidth * bitDepth + 7) / 8) * multiplier + 1;
            std::fill(prev, prev + rowSize, 0);
            for (uint64_t y = uint64_t(p.row); y < height; y += uint64_t(p.rowStep)) {
                ReadRow(cur, size_t(rowSize));
                ApplyFilter(cur[0], cur + 1, prev + 1, FSourceBPP, size_t(rowSize - 1));
                const void* src[1] = {cur + 1};
                cm.ConvertRow(src, ScanLine(int(y)), unsigned(width), p.mask);
                if (pass == 6) {
                    Progress(this, fw::psRunning, uint8_t(MulDiv(int(y + 1), 100, int(height))), true, FProgressRect,
                             L"");
                    FProgressRect.Top += 1;
                    FProgressRect.Bottom += 1;
                }
                std::swap(cur, prev);
            }
        }
    }

    while (IsChunk("IDAT")) {
        ReadDataAndCheckCRC();
        LoadAndSwapHeader();
    }
}

void TPNGGraphic::ReadRow(uint8_t* RowBuffer, size_t BytesToRead) {
    uint8_t* dest = RowBuffer;
    size_t missing = BytesToRead;
    while (missing > 0) {
        if (FDecoder->AvailableInput() == 0) {
            for (;;) {
                // No more image data: the rest of the row keeps what it held.
                if (!IsChunk("IDAT")) return;
                ReadDataAndCheckCRC();
                FCurrentSource = FRawBuffer.data();
                FIDATSize = int(FHeader.Length);
                LoadAndSwapHeader();
                if (FIDATSize > 0) break;
            }
        }
        const int unread = FIDATSize - int(FCurrentSource - FRawBuffer.data());
        uint8_t* before = dest;
        FDecoder->Decode(FCurrentSource, dest, unread, int(std::min<size_t>(missing, 0x7FFFFFFF)));
        missing -= size_t(dest - before);
        const int result = FDecoder->ZLibResult();
        if (result == Z_STREAM_END) {
            if (missing > 0 || FDecoder->AvailableInput() > 0) GraphicError(kExtraData);
            return;
        }
        if (result != Z_OK) GraphicError(kCompressionError);
    }
}

void TPNGGraphic::ApplyFilter(uint8_t Filter, uint8_t* Line, const uint8_t* PrevLine, int BPP, size_t Length) {
    const size_t bpp = size_t(BPP);
    switch (Filter) {
        case 1:
            for (size_t i = bpp; i < Length; ++i) Line[i] = uint8_t(Line[i] + Line[i - bpp]);
            break;
        case 2:
            for (size_t i = 0; i < Length; ++i) Line[i] = uint8_t(Line[i] + PrevLine[i]);
            break;
        case 3:
            for (size_t i = 0; i < Length; ++i) {
                const int left = i >= bpp ? Line[i - bpp] : 0;
                Line[i] = uint8_t(Line[i] + ((left + PrevLine[i]) >> 1));
            }
            break;
        case 4:
            for (size_t i = 0; i < Length; ++i) {
                const int a = i >= bpp ? Line[i - bpp] : 0;
                const int b = PrevLine[i];
                const int c = i >= bpp ? PrevLine[i - bpp] : 0;
                const int p = a + b - c;
                const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
                const int pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
                Line[i] = uint8_t(Line[i] + pred);
            }
            break;
        default:  // 0, and unknown types left as read
            break;
    }
}

void TPNGGraphic::LoadBackgroundColor(const uint8_t* header) {
    ReadDataAndCheckCRC();
    const size_t n = FHeader.Length;
    const int depth = header[8];
    switch (header[9]) {
        case 0:
        case 4:
            FBackgroundColor = GreySample(FRawBuffer, n, depth);
            break;
        case 2:
        case 6:
            FBackgroundColor = RGBSample(FRawBuffer, n, depth);
            break;
        default:
            FBackgroundColor = n > 0 ? FRawBuffer[0] : 0;
            break;
    }
}

void TPNGGraphic::LoadTransparency(const uint8_t* header) {
    ReadDataAndCheckCRC();
    const size_t n = FHeader.Length;
    const int depth = header[8];
    switch (header[9]) {
        case 0:
            FTransparentColor = fw::TColor((GreySample(FRawBuffer, n, depth) & 0xFF) * 0x010101);
            break;
        case 2:
            FTransparentColor = RGBSample(FRawBuffer, n, depth);
            break;
        case 4:
        case 6:
            break;
        default:
            FTransparency.assign(256, 255);
            std::copy_n(FRawBuffer.begin(), std::min<size_t>(n, 256), FTransparency.begin());
            break;
    }
}

void TPNGGraphic::Draw(fw::TCanvas* ACanvas, const fw::TRect& Rect) {
    if (PixelFormat() != fw::pf32bit) {
        fw::TBitmap::Draw(ACanvas, Rect);
        return;
    }
    const int W = Rect.Width(), H = Rect.Height();
    if (W <= 0 || H <= 0 || Empty()) return;
    const bool sameSize = W == Width() && H == Height();
    const bool mirror = Reflected && sameSize;
    std::unique_ptr<fw::TBitmap> work(CreateBmp24(W, Reflected ? H + H / 2 : H));
    HDC dst = ACanvas->Handle();
    BitBlt(work->Canvas()->Handle(), 0, 0, work->Width(), work->Height(), dst, Rect.Left, Rect.Top, SRCCOPY);

    if (sameSize) {
        CopyBmp32(fw::TRect(0, 0, W, H), fw::TRect(0, 0, W, H), work.get(), this, EmptyCI, false, fw::clNone, 0,
                  mirror);
    } else {
        // Colours and alpha stretched separately, then composed at the new size.
        fw::TBitmap stretched;
        HalftoneStretch(stretched, W, H, this, fw::pf32bit);

        fw::TBitmap alpha(Width(), Height(), fw::pf8bit);
        CopyChannel(this, &alpha, 3, true);
        fw::TBitmap alphaStretched;
        HalftoneStretch(alphaStretched, W, H, &alpha, fw::pf8bit);
        CopyChannel(&stretched, &alphaStretched, 3, false);

        CopyBmp32(fw::TRect(0, 0, W, H), fw::TRect(0, 0, W, H), work.get(), &stretched, EmptyCI, false, fw::clNone, 0,
                  false);
    }
    BitBlt(dst, Rect.Left, Rect.Top, work->Width(), work->Height(), work->Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace skin
