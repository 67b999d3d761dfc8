#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "framework/graphics/Canvas.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/Streams.h"

namespace fw {

// The canvas of a bitmap: its DC is the bitmap's memory DC, made on demand, and
// every drawing on it counts as a change of the bitmap.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}
    String ClassName() const override { return L"TBitmapCanvas"; }

protected:
    void CreateHandle() override { SetHandle(bitmap_->CanvasDC()); }

private:
    TBitmap* bitmap_;
};

int PixelFormatBits(TPixelFormat f) {
    switch (f) {
        case pf1bit:
            return 1;
        case pf4bit:
            return 4;
        case pf8bit:
            return 8;
        case pf15bit:
        case pf16bit:
            return 16;
        case pf24bit:
            return 24;
        case pf32bit:
            return 32;
        default:
            return 0;
    }
}

namespace {

TPixelFormat FormatOf(int bpp, bool rgb565) {
    switch (bpp) {
        case 1:
            return pf1bit;
        case 4:
            return pf4bit;
        case 8:
            return pf8bit;
        case 16:
            return rgb565 ? pf16bit : pf15bit;
        case 24:
            return pf24bit;
        case 32:
            return pf32bit;
        default:
            return pfCustom;
    }
}

// The DIB format matching the screen, for DDBs turned into DIBs.
TPixelFormat ScreenFormat() {
    HDC dc = GetDC(nullptr);
    int bits = dc ? GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) : 32;
    if (dc) ReleaseDC(nullptr, dc);
    // A screen says 15 or 16 for its 16-bit layouts; depths we do not know get 32.
    if (bits == 15) return pf15bit;
    TPixelFormat f = FormatOf(bits, true);
    return f == pfCustom ? pf32bit : f;
}

RGBQUAD Quad(BYTE r, BYTE g, BYTE b) { return RGBQUAD{b, g, r, 0}; }

// Black and white; the 16 VGA colours; 256 greys where index = grey level
// (text drawn black on white in an 8-bit bitmap then reads as a grey mask).
std::vector<RGBQUAD> DefaultColors(int bpp) {
    std::vector<RGBQUAD> c;
    if (bpp == 1) {
        c = {Quad(0, 0, 0), Quad(255, 255, 255)};
    } else if (bpp == 4) {
        c = {Quad(0, 0, 0),       Quad(128, 0, 0),   Quad(0, 128, 0),   Quad(128, 128, 0),
             Quad(0, 0, 128),     Quad(128, 0, 128), Quad(0, 128, 128), Quad(128, 128, 128),
             Quad(192, 192, 192), Quad(255, 0, 0),   Quad(0, 255, 0),   Quad(255, 255, 0),
             Quad(0, 0, 255),     Quad(255, 0, 255), Quad(0, 255, 255), Quad(255, 255, 255)};
    } else if (bpp == 8) {
        for (int i = 0; i < 256; ++i) c.push_back(Quad(BYTE(i), BYTE(i), BYTE(i)));
    }
    return c;
}

std::vector<RGBQUAD> TableFor(int bpp, const std::vector<RGBQUAD>& colors) {
    std::vector<RGBQUAD> t = colors.empty() ? DefaultColors(bpp) : colors;
    t.resize(size_t(1) << bpp, RGBQUAD{});
    return t;
}

inline uint32_t Pack(const RGBQUAD& q) {
    return uint32_t(q.rgbBlue) | (uint32_t(q.rgbGreen) << 8) | (uint32_t(q.rgbRed) << 16);
}

inline uint8_t Expand5(unsigned v) { return uint8_t((v << 3) | (v >> 2)); }
inline uint8_t Expand6(unsigned v) { return uint8_t((v << 2) | (v >> 4)); }

inline unsigned ReadIndex(const uint8_t* row, int x, int bpp) {
    switch (bpp) {
        case 1:
            return (row[x >> 3] >> (7 - (x & 7))) & 1u;
        case 4:
            return (x & 1) ? row[x >> 1] & 0x0Fu : row[x >> 1] >> 4;
        default:
            return row[x];
    }
}

inline void WriteIndex(uint8_t* row, int x, int bpp, unsigned index) {
    switch (bpp) {
        case 1: {
            uint8_t bit = uint8_t(0x80u >> (x & 7));
            row[x >> 3] = index ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
            break;
        }
        case 4:
            row[x >> 1] =
                (x & 1) ? uint8_t((row[x >> 1] & 0xF0) | (index & 0x0F)) : uint8_t((row[x >> 1] & 0x0F) | (index << 4));
            break;
        default:
            row[x] = uint8_t(index);
    }
}

// Pixels as 0xAARRGGBB (the bytes B, G, R, A in memory). Only 32-bit pixels
// carry alpha; every other format reads as alpha 0.
class PixelReader {
public:
    explicit PixelReader(const PixelSurface& s) : s_(s) {
        if (s.BitsPerPixel() <= 8) {
            for (const RGBQUAD& q : s.Colors()) table_.push_back(Pack(q));
            table_.resize(size_t(1) << s.BitsPerPixel(), 0);
        }
    }
    uint32_t operator()(int x, int y) const {
        const uint8_t* row = s_.Row(y);
        switch (s_.BitsPerPixel()) {
            case 32:
                return reinterpret_cast<const uint32_t*>(row)[x];
            case 24:
                return uint32_t(row[3 * x]) | (uint32_t(row[3 * x + 1]) << 8) | (uint32_t(row[3 * x + 2]) << 16);
            case 16: {
                unsigned v = reinterpret_cast<const uint16_t*>(row)[x];
                if (s_.Rgb565())
                    return Expand5(v & 31) | (uint32_t(Expand6((v >> 5) & 63)) << 8) |
                           (uint32_t(Expand5(v >> 11)) << 16);
                return Expand5(v & 31) | (uint32_t(Expand5((v >> 5) & 31)) << 8) |
                       (uint32_t(Expand5((v >> 10) & 31)) << 16);
            }
            default:
                return table_[ReadIndex(row, x, s_.BitsPerPixel())];
        }
    }

private:
    const PixelSurface& s_;
    std::vector<uint32_t> table_;
};

// Writes 0xAARRGGBB pixels; indexed formats take the nearest table colour
// (least squared distance, the lowest index on a tie).
class PixelWriter {
public:
    PixelWriter(PixelSurface& s, const std::vector<RGBQUAD>& table) : s_(s) {
        for (const RGBQUAD& q : table) table_.push_back(Pack(q));
    }
    void operator()(int x, int y, uint32_t p) {
        uint8_t* row = s_.Row(y);
        switch (s_.BitsPerPixel()) {
            case 32:
                reinterpret_cast<uint32_t*>(row)[x] = p;
                break;
            case 24:
                row[3 * x] = uint8_t(p);
                row[3 * x + 1] = uint8_t(p >> 8);
                row[3 * x + 2] = uint8_t(p >> 16);
                break;
            case 16: {
                unsigned b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF;
                reinterpret_cast<uint16_t*>(row)[x] = s_.Rgb565()
                                                          ? uint16_t(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3))
                                                          : uint16_t(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
                break;
            }
            default:
                WriteIndex(row, x, s_.BitsPerPixel(), Nearest(p & 0xFFFFFF));
        }
    }

private:
    unsigned Nearest(uint32_t rgb) {
        auto it = cache_.find(rgb);
        if (it != cache_.end()) return it->second;
        unsigned best = 0;
        long bestDistance = -1;
        for (size_t i = 0; i < table_.size(); ++i) {
            long db = long(rgb & 0xFF) - long(table_[i] & 0xFF);
            long dg = long((rgb >> 8) & 0xFF) - long((table_[i] >> 8) & 0xFF);
            long dr = long((rgb >> 16) & 0xFF) - long((table_[i] >> 16) & 0xFF);
            long d = db * db + dg * dg + dr * dr;
            if (bestDistance < 0 || d < bestDistance) {
                bestDistance = d;
                best = unsigned(i);
            }
        }
        cache_.emplace(rgb, best);
        return best;
    }

    PixelSurface& s_;
    std::vector<uint32_t> table_;
    std::unordered_map<uint32_t, unsigned> cache_;
};

void ConvertPixels(const PixelSurface& from, PixelSurface& to, const std::vector<RGBQUAD>& toTable) {
    PixelReader read(from);
    PixelWriter write(to, toTable);
    int w = std::min(from.Width(), to.Width()), h = std::min(from.Height(), to.Height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) write(x, y, read(x, y));
}

// Copies the overlapping top-left part between surfaces of one format.
void CopyOverlap(const PixelSurface& from, PixelSurface& to) {
    int w = std::min(from.Width(), to.Width()), h = std::min(from.Height(), to.Height());
    int bpp = from.BitsPerPixel();
    for (int y = 0; y < h; ++y) {
        if (bpp >= 8) {
            std::memcpy(to.Row(y), from.Row(y), size_t(w) * (bpp / 8));
        } else {
            for (int x = 0; x < w; ++x) WriteIndex(to.Row(y), x, bpp, ReadIndex(from.Row(y), x, bpp));
        }
    }
}

HBITMAP CreateScreenBitmap(int w, int h) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    return bmp;
}

[[noreturn]] void OutOfResources() { throw EInvalidGraphic(L"Out of system resources"); }
[[noreturn]] void InvalidBitmap() { throw EInvalidGraphic(L"Bitmap image is not valid"); }

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) {
    SetPixelFormat(format);
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    DropCanvasDC();
    canvas_.reset();
    FreeImage();
    FreePalette();
}

int TBitmap::FormatBits() const { return PixelFormatBits(format_); }

// The palette handle follows the colour table only: drawing keeps it, so a
// caller may hold it selected while painting.
void TBitmap::Changed(TObject* Sender) { TGraphic::Changed(Sender); }

void TBitmap::FreePalette() const {
    if (palette_) DeleteObject(palette_);
    palette_ = nullptr;
}

void TBitmap::FreeImage() {
    DropCanvasDC();
    FreePalette();
    ForgetBorrowed();
    surface_.Free();
    if (ddb_) DeleteObject(ddb_);
    ddb_ = nullptr;
}

void TBitmap::ForgetBorrowed() {
    if (!borrowed_) return;
    DropCanvasDC();
    surface_.Detach();
    ddb_ = nullptr;
    borrowed_ = false;
}

// The canvas lets go of the DC (restoring what it replaced) before the DC goes.
void TBitmap::DropCanvasDC() {
    if (canvas_) canvas_->SetHandle(nullptr);
    surface_.FreeDC();
    if (ddbDC_) {
        if (ddbOldBitmap_) SelectObject(ddbDC_, ddbOldBitmap_);
        DeleteDC(ddbDC_);
        ddbDC_ = nullptr;
        ddbOldBitmap_ = nullptr;
    }
}

HDC TBitmap::CanvasDC() {
    if (handleType_ == bmDIB) return surface_.DC();
    if (!ddbDC_) {
        ddbDC_ = CreateCompatibleDC(nullptr);
        if (ddbDC_ && ddb_) ddbOldBitmap_ = SelectObject(ddbDC_, ddb_);
    }
    return ddbDC_;
}

TCanvas* TBitmap::Canvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<TBitmapCanvas>(this);
        canvas_->OnChange = TNotifyEvent(this, &TBitmap::Changed);
    }
    return canvas_.get();
}

bool TBitmap::Empty() const { return width_ == 0 || height_ == 0; }

void TBitmap::SetWidth(int value) { SetSize(value, height_); }

void TBitmap::SetHeight(int value) { SetSize(width_, value); }

void TBitmap::SetSize(int width, int height) {
    if (width < 0 || height < 0) InvalidBitmap();
    if (width == width_ && height == height_) return;
    Reshape(width, height);
    Changed(this);
}

void TBitmap::Reshape(int width, int height) {
    DropCanvasDC();
    bool grows = width > 0 && height > 0;
    if (handleType_ == bmDIB) {
        PixelSurface next;
        int bpp = FormatBits();
        if (grows) {
            bool topDown = surface_.Allocated() && surface_.TopDown();
            std::vector<RGBQUAD> table = bpp <= 8 ? TableFor(bpp, colors_) : std::vector<RGBQUAD>();
            if (!next.Create(width, height, bpp, topDown, table.data(), int(table.size()), format_ == pf16bit))
                OutOfResources();
            if (surface_.Allocated()) {
                GdiFlush();
                CopyOverlap(surface_, next);
            }
        }
        ForgetBorrowed();
        surface_ = std::move(next);
    } else {
        HBITMAP next = nullptr;
        if (grows) {
            next = CreateScreenBitmap(width, height);
            if (!next) OutOfResources();
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(dc, next);
            PatBlt(dc, 0, 0, width, height, BLACKNESS);
            if (ddb_) {
                HDC src = CreateCompatibleDC(nullptr);
                HGDIOBJ oldSrc = SelectObject(src, ddb_);
                BitBlt(dc, 0, 0, std::min(width, width_), std::min(height, height_), src, 0, 0, SRCCOPY);
                SelectObject(src, oldSrc);
                DeleteDC(src);
            }
            SelectObject(dc, old);
            DeleteDC(dc);
        }
        ForgetBorrowed();
        if (ddb_) DeleteObject(ddb_);
        ddb_ = next;
    }
    width_ = width;
    height_ = height;
}

TPixelFormat TBitmap::PixelFormat() const { return handleType_ == bmDDB ? pfDevice : format_; }

void TBitmap::SetPixelFormat(TPixelFormat value) {
    if (value == PixelFormat()) return;
    if (value == pfDevice) {
        SetHandleType(bmDDB);
        return;
    }
    int bpp = PixelFormatBits(value);
    if (bpp == 0) throw EInvalidGraphic(L"Unsupported pixel format");
    std::vector<RGBQUAD> table = bpp <= 8 ? DefaultColors(bpp) : std::vector<RGBQUAD>();
    ToDIB(value, &table);
    Changed(this);
}

void TBitmap::SetHandleType(TBitmapHandleType value) {
    if (value == handleType_) return;
    if (value == bmDDB) {
        ToDDB();
    } else {
        TPixelFormat f = ScreenFormat();
        std::vector<RGBQUAD> table =
            PixelFormatBits(f) <= 8 ? DefaultColors(PixelFormatBits(f)) : std::vector<RGBQUAD>();
        ToDIB(f, &table);
    }
    Changed(this);
}

// Converts the image to a DIB of the given format; colors is the new colour
// table for indexed formats.
void TBitmap::ToDIB(TPixelFormat format, const std::vector<RGBQUAD>* colors) {
    int bpp = PixelFormatBits(format);
    DropCanvasDC();
    FreePalette();
    std::vector<RGBQUAD> table = bpp <= 8 ? TableFor(bpp, colors ? *colors : colors_) : std::vector<RGBQUAD>();
    PixelSurface next;
    if (!Empty()) {
        bool topDown = handleType_ == bmDIB && surface_.Allocated() && surface_.TopDown();
        if (!next.Create(width_, height_, bpp, topDown, table.data(), int(table.size()), format == pf16bit))
            OutOfResources();
        if (handleType_ == bmDIB && surface_.Allocated()) {
            GdiFlush();
            ConvertPixels(surface_, next, table);
        } else if (ddb_) {
            // A DDB has no alpha: its pixels come through a 32-bit copy with alpha 0.
            PixelSurface copy;
            if (!copy.Create(width_, height_, 32, true)) OutOfResources();
            HDC src = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(src, ddb_);
            BitBlt(copy.DC(), 0, 0, width_, height_, src, 0, 0, SRCCOPY);
            SelectObject(src, old);
            DeleteDC(src);
            GdiFlush();
            for (int y = 0; y < height_; ++y)
                for (int x = 0; x < width_; ++x) copy.Pixel32(x, y) &= 0x00FFFFFF;
            ConvertPixels(copy, next, table);
        }
    }
    ForgetBorrowed();
    if (ddb_) DeleteObject(ddb_);
    ddb_ = nullptr;
    surface_ = std::move(next);
    format_ = format;
    handleType_ = bmDIB;
    if (bpp <= 8) colors_ = table;
}

void TBitmap::ToDDB() {
    DropCanvasDC();
    FreePalette();
    HBITMAP next = nullptr;
    if (!Empty()) {
        next = CreateScreenBitmap(width_, height_);
        if (!next) OutOfResources();
        if (surface_.Allocated()) {
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(dc, next);
            BitBlt(dc, 0, 0, width_, height_, surface_.DC(), 0, 0, SRCCOPY);
            SelectObject(dc, old);
            DeleteDC(dc);
            surface_.FreeDC();
        }
    }
    ForgetBorrowed();
    surface_.Free();
    if (ddb_) DeleteObject(ddb_);
    ddb_ = next;
    format_ = pfDevice;
    handleType_ = bmDDB;
}

HBITMAP TBitmap::Handle() { return handleType_ == bmDIB ? surface_.Bitmap() : ddb_; }

bool TBitmap::HandleAllocated() const { return handleType_ == bmDIB ? surface_.Allocated() : ddb_ != nullptr; }

void TBitmap::SetHandle(HBITMAP value, THandleOwnership ownership) {
    if (value && value == Handle()) {
        borrowed_ = ownership == hoBorrowed;
        return;
    }
    FreeImage();
    width_ = height_ = 0;
    if (value) {
        PixelSurface s;
        if (s.Attach(value)) {
            surface_ = std::move(s);
            handleType_ = bmDIB;
            format_ = FormatOf(surface_.BitsPerPixel(), surface_.Rgb565());
            if (surface_.BitsPerPixel() <= 8) colors_ = surface_.Colors();
            width_ = surface_.Width();
            height_ = surface_.Height();
        } else {
            BITMAP bm{};
            if (GetObjectW(value, sizeof bm, &bm) == 0) InvalidBitmap();
            ddb_ = value;
            handleType_ = bmDDB;
            format_ = pfDevice;
            width_ = bm.bmWidth;
            height_ = bm.bmHeight;
        }
        borrowed_ = ownership == hoBorrowed;
    }
    Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
    DropCanvasDC();
    HBITMAP h = handleType_ == bmDIB ? surface_.Detach() : std::exchange(ddb_, nullptr);
    borrowed_ = false;
    width_ = height_ = 0;
    Changed(this);
    return h;
}

std::vector<RGBQUAD> TBitmap::Colors() const {
    if (handleType_ == bmDIB && surface_.Allocated() && surface_.BitsPerPixel() <= 8) return surface_.Colors();
    return colors_;
}

void TBitmap::SetColors(const std::vector<RGBQUAD>& colors) {
    FreePalette();
    colors_ = colors;
    if (handleType_ == bmDIB && surface_.Allocated() && surface_.BitsPerPixel() <= 8) {
        std::vector<RGBQUAD> table = TableFor(surface_.BitsPerPixel(), colors_);
        surface_.SetColors(table.data(), int(table.size()));
    }
    Changed(this);
}

HPALETTE TBitmap::Palette() const {
    if (!palette_) {
        std::vector<RGBQUAD> colors = Colors();
        if (colors.empty() || FormatBits() == 0 || FormatBits() > 8) return nullptr;
        std::vector<uint8_t> mem(sizeof(LOGPALETTE) + colors.size() * sizeof(PALETTEENTRY));
        LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(mem.data());
        lp->palVersion = 0x300;
        lp->palNumEntries = WORD(colors.size());
        for (size_t i = 0; i < colors.size(); ++i)
            lp->palPalEntry[i] = PALETTEENTRY{colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
        palette_ = CreatePalette(lp);
    }
    return palette_;
}

void TBitmap::SetPalette(HPALETTE value) {
    if (!value) return;
    UINT n = GetPaletteEntries(value, 0, 0, nullptr);
    std::vector<PALETTEENTRY> entries(n);
    if (n) GetPaletteEntries(value, 0, n, entries.data());
    std::vector<RGBQUAD> colors;
    for (const PALETTEENTRY& e : entries) colors.push_back(Quad(e.peRed, e.peGreen, e.peBlue));
    SetColors(colors);
}

void* TBitmap::ScanLine(int Row) {
    if (handleType_ == bmDDB) SetHandleType(bmDIB);
    if (Row < 0 || Row >= height_ || !surface_.Allocated()) throw EInvalidOperation(L"Scan line index out of range");
    GdiFlush();
    return surface_.Row(Row);
}

int TBitmap::RowStep() {
    if (handleType_ == bmDDB) SetHandleType(bmDIB);
    return surface_.Allocated() ? surface_.RowStep() : 0;
}

TColor TBitmap::ReadPixel(int x, int y) {
    if (handleType_ == bmDIB) {
        GdiFlush();
        // Memory order is B, G, R; a TColor has red in the low byte.
        uint32_t p = PixelReader(surface_)(x, y);
        return RGBColor(uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p));
    }
    COLORREF c = GetPixel(CanvasDC(), x, y);
    return TColor(c & 0xFFFFFF);
}

TColor TBitmap::TransparentColor() {
    if (transparentColor_ != clDefault) return ColorToRGB(transparentColor_);
    if (Empty()) return clDefault;
    return ReadPixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor value) {
    if (value == transparentColor_) return;
    transparentColor_ = value;
    transparentMode_ = value == clDefault ? tmAuto : tmFixed;
    Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
    if (value == transparentMode_) return;
    if (value == tmAuto)
        SetTransparentColor(clDefault);
    else
        SetTransparentColor(TransparentColor());
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (!ACanvas || Empty()) return;
    HDC dst = ACanvas->Handle();
    HDC src = CanvasDC();
    if (Transparent()) {
        COLORREF key = COLORREF(TransparentColor()) & 0xFFFFFF;
        TransparentBlt(dst, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), src, 0, 0, width_, height_, key);
    } else if (Rect.Width() == width_ && Rect.Height() == height_) {
        BitBlt(dst, Rect.Left, Rect.Top, width_, height_, src, 0, 0, ACanvas->CopyMode());
    } else {
        StretchBlt(dst, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), src, 0, 0, width_, height_,
                   ACanvas->CopyMode());
    }
}

void TBitmap::Assign(const TPersistent* Source) {
    if (Source == this) return;
    if (!Source) {
        FreeImage();
        width_ = height_ = 0;
        Changed(this);
        return;
    }
    const TBitmap* other = dynamic_cast<const TBitmap*>(Source);
    if (!other) return TGraphic::Assign(Source);
    TBitmap* src = const_cast<TBitmap*>(other);  // its DC is a cache, made on demand

    FreeImage();
    width_ = src->width_;
    height_ = src->height_;
    format_ = src->format_;
    handleType_ = src->handleType_;
    colors_ = src->Colors();
    transparentColor_ = src->transparentColor_;
    transparentMode_ = src->transparentMode_;
    StoreTransparent(src->Transparent());
    if (!Empty()) {
        if (handleType_ == bmDIB) {
            const PixelSurface& from = src->surface_;
            std::vector<RGBQUAD> table = from.BitsPerPixel() <= 8 ? from.Colors() : std::vector<RGBQUAD>();
            if (!surface_.Create(width_, height_, from.BitsPerPixel(), from.TopDown(), table.data(), int(table.size()),
                                 from.Rgb565()))
                OutOfResources();
            GdiFlush();
            std::memcpy(surface_.Bits(), from.Bits(), from.ImageSize());
        } else {
            ddb_ = CreateScreenBitmap(width_, height_);
            if (!ddb_) OutOfResources();
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(dc, ddb_);
            BitBlt(dc, 0, 0, width_, height_, src->CanvasDC(), 0, 0, SRCCOPY);
            SelectObject(dc, old);
            DeleteDC(dc);
        }
    }
    Changed(this);
}

// ---- BMP files ----

namespace {

#pragma pack(push, 1)
struct FileHeader {
    uint16_t type;
    uint32_t size;
    uint16_t reserved1;
    uint16_t reserved2;
    uint32_t offBits;
};
#pragma pack(pop)
static_assert(sizeof(FileHeader) == 14, "BMP file header is 14 bytes");

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

}  // namespace

void TBitmap::LoadFromBytes(const uint8_t* data, size_t size) {
    if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M') InvalidBitmap();
    uint32_t offBits = Le32(data + 10);
    const uint8_t* h = data + 14;
    uint32_t headerSize = Le32(h);
    if (headerSize < 12 || headerSize > size - 14) InvalidBitmap();

    int64_t width, height;
    int bpp;
    uint32_t compression = BI_RGB, clrUsed = 0;
    size_t quadSize = 4;
    if (headerSize == 12) {
        width = Le16(h + 4);
        height = int16_t(Le16(h + 6));
        if (Le16(h + 8) != 1) InvalidBitmap();
        bpp = Le16(h + 10);
        quadSize = 3;
    } else if (headerSize >= 40) {
        width = int32_t(Le32(h + 4));
        height = int32_t(Le32(h + 8));
        if (Le16(h + 12) != 1) InvalidBitmap();
        bpp = Le16(h + 14);
        compression = Le32(h + 16);
        clrUsed = Le32(h + 32);
    } else {
        InvalidBitmap();
    }
    bool topDown = height < 0;
    if (topDown) height = -height;
    if (width < 0 || width > 0x10000 || height > 0x10000) InvalidBitmap();
    if (!PixelSurface::ValidBitsPerPixel(bpp)) InvalidBitmap();

    size_t pos = 14 + headerSize;
    bool rgb565 = false;
    if (compression == BI_BITFIELDS) {
        if (bpp != 16 && bpp != 32) InvalidBitmap();
        // The masks follow a 40-byte header and sit inside the larger ones.
        const uint8_t* m = h + 40;
        if (headerSize == 40) {
            if (size < pos + 12) InvalidBitmap();
            pos += 12;
        } else if (headerSize < 52) {
            InvalidBitmap();
        }
        uint32_t r = Le32(m), g = Le32(m + 4), b = Le32(m + 8);
        if (bpp == 16 && r == 0xF800 && g == 0x07E0 && b == 0x001F)
            rgb565 = true;
        else if (bpp == 16 && r == 0x7C00 && g == 0x03E0 && b == 0x001F)
            rgb565 = false;
        else if (!(bpp == 32 && r == 0xFF0000 && g == 0xFF00 && b == 0xFF))
            throw EInvalidGraphic(L"Unsupported bitmap colour masks");
    } else if (compression != BI_RGB) {
        throw EInvalidGraphic(L"Compressed bitmaps are not supported");
    }

    std::vector<RGBQUAD> table;
    if (bpp <= 8) {
        size_t count = clrUsed && clrUsed < (1u << bpp) ? clrUsed : (1u << bpp);
        if (size < pos + count * quadSize) InvalidBitmap();
        for (size_t i = 0; i < count; ++i, pos += quadSize)
            table.push_back(Quad(data[pos + 2], data[pos + 1], data[pos]));
        table.resize(size_t(1) << bpp, RGBQUAD{});
    }
    if (offBits >= pos && offBits <= size) pos = offBits;
    int64_t stride = PixelSurface::StrideOf(int(width), bpp);
    if (int64_t(size - pos) < stride * height) throw EInvalidGraphic(L"Bitmap data is truncated");

    PixelSurface next;
    if (width > 0 && height > 0) {
        if (!next.Create(int(width), int(height), bpp, topDown, table.data(), int(table.size()), rgb565))
            OutOfResources();
        // File rows and section rows share order and padding.
        std::memcpy(next.Bits(), data + pos, next.ImageSize());
    }
    FreeImage();
    surface_ = std::move(next);
    width_ = int(width);
    height_ = int(height);
    handleType_ = bmDIB;
    format_ = FormatOf(bpp, rgb565);
    if (bpp <= 8) colors_ = table;
    Changed(this);
}

std::vector<uint8_t> TBitmap::SaveToBytes() {
    if (handleType_ == bmDDB && !Empty()) {
        TBitmap copy;
        copy.Assign(this);
        copy.SetHandleType(bmDIB);
        return copy.SaveToBytes();
    }
    int bpp = Empty() ? (FormatBits() ? FormatBits() : 24) : surface_.BitsPerPixel();
    bool rgb565 = bpp == 16 && (Empty() ? format_ == pf16bit : surface_.Rgb565());
    std::vector<RGBQUAD> table;
    if (bpp <= 8) table = Empty() ? TableFor(bpp, colors_) : surface_.Colors();
    size_t masks = rgb565 ? 12 : 0;
    size_t offBits = 14 + 40 + masks + table.size() * 4;
    size_t imageSize = Empty() ? 0 : surface_.ImageSize();

    std::vector<uint8_t> out(offBits + imageSize);
    FileHeader fh{0x4D42, uint32_t(out.size()), 0, 0, uint32_t(offBits)};
    std::memcpy(out.data(), &fh, sizeof fh);
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = Empty() ? 0 : width_;
    ih.biHeight = Empty() ? 0 : (surface_.TopDown() ? -height_ : height_);
    ih.biPlanes = 1;
    ih.biBitCount = WORD(bpp);
    ih.biCompression = rgb565 ? BI_BITFIELDS : BI_RGB;
    ih.biSizeImage = DWORD(imageSize);
    ih.biClrUsed = DWORD(table.size());
    std::memcpy(out.data() + 14, &ih, sizeof ih);
    size_t pos = 14 + 40;
    if (rgb565) {
        const DWORD m[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(out.data() + pos, m, sizeof m);
        pos += sizeof m;
    }
    for (const RGBQUAD& q : table) {
        RGBQUAD clean = q;
        clean.rgbReserved = 0;
        std::memcpy(out.data() + pos, &clean, 4);
        pos += 4;
    }
    if (imageSize) {
        GdiFlush();
        std::memcpy(out.data() + pos, surface_.Bits(), imageSize);
    }
    return out;
}

void TBitmap::LoadFromStream(TStream* Stream) {
    std::vector<uint8_t> data = ReadToEnd(Stream);
    LoadFromBytes(data.data(), data.size());
}

void TBitmap::SaveToStream(TStream* Stream) {
    std::vector<uint8_t> data = SaveToBytes();
    Stream->WriteBuffer(data.data(), int(data.size()));
}

}  // namespace fw
