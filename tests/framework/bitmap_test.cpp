// TBitmap on tiny images: exact pixel tables in every format, both row
// orders, odd widths for row padding, conversions and BMP round trips.
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/Streams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

using namespace fw;

namespace {

const TPixelFormat kDibFormats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};

int StrideOf(int width, TPixelFormat f) { return ((width * PixelFormatBits(f) + 31) / 32) * 4; }

// Bytes of one row that hold pixels (padding excluded).
int RowBytes(int width, TPixelFormat f) { return (width * PixelFormatBits(f) + 7) / 8; }

// A deterministic pattern over every pixel byte (padding left alone).
void FillPattern(TBitmap& b, int seed) {
    for (int y = 0; y < b.Height(); ++y) {
        uint8_t* row = static_cast<uint8_t*>(b.ScanLine(y));
        for (int i = 0; i < RowBytes(b.Width(), b.PixelFormat()); ++i) row[i] = uint8_t(seed + 37 * y + 11 * i);
        // Keep the bits beyond the last pixel of a 1/4-bit row zero.
        int used = b.Width() * PixelFormatBits(b.PixelFormat()) % 8;
        if (used) row[RowBytes(b.Width(), b.PixelFormat()) - 1] &= uint8_t(0xFF << (8 - used));
    }
}

std::vector<uint8_t> RowOf(TBitmap& b, int y) {
    const uint8_t* row = static_cast<const uint8_t*>(b.ScanLine(y));
    return std::vector<uint8_t>(row, row + RowBytes(b.Width(), b.PixelFormat()));
}

void PutLE(std::vector<uint8_t>& v, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) v[at + i] = uint8_t(value >> (8 * i));
}

// A BMP file written by hand: any header size, either row order.
std::vector<uint8_t> MakeBmp(int w, int h, int bpp, uint32_t headerSize, const std::vector<uint8_t>& extra,
                             const std::vector<uint8_t>& pixels, uint32_t compression = BI_RGB, uint32_t clrUsed = 0) {
    std::vector<uint8_t> f(14 + headerSize);
    f[0] = 'B';
    f[1] = 'M';
    if (headerSize == 12) {
        PutLE(f, 14, 12, 4);
        PutLE(f, 18, uint32_t(w), 2);
        PutLE(f, 20, uint32_t(h), 2);
        PutLE(f, 22, 1, 2);
        PutLE(f, 24, uint32_t(bpp), 2);
    } else {
        PutLE(f, 14, headerSize, 4);
        PutLE(f, 18, uint32_t(w), 4);
        PutLE(f, 22, uint32_t(h), 4);
        PutLE(f, 26, 1, 2);
        PutLE(f, 28, uint32_t(bpp), 2);
        PutLE(f, 30, compression, 4);
        PutLE(f, 46, clrUsed, 4);
    }
    f.insert(f.end(), extra.begin(), extra.end());
    PutLE(f, 10, uint32_t(f.size()), 4);
    f.insert(f.end(), pixels.begin(), pixels.end());
    PutLE(f, 2, uint32_t(f.size()), 4);
    if (headerSize >= 40) PutLE(f, 34, uint32_t(pixels.size()), 4);
    return f;
}

struct ChangeCounter {
    int n = 0;
    void Hit(TObject*) { ++n; }
};

}  // namespace

TEST(Bitmap, StartsEmptyAsADeviceBitmap) {
    TBitmap b;
    EXPECT_EQ(b.ClassName(), L"TBitmap");
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.PixelFormat(), pfDevice);
    EXPECT_EQ(b.HandleType(), bmDDB);
    b.SetSize(3, 2);
    EXPECT_EQ(b.HandleType(), bmDDB);
    EXPECT_NE(b.Handle(), nullptr);
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), clBlack);  // new pixels are zero in a DDB too
}

TEST(Bitmap, FormatAndSizeCanBeSetInAnyOrder) {
    // The helpers above take their depths from PixelFormatBits: pin it down.
    const int bits[] = {1, 4, 8, 16, 16, 24, 32};
    for (size_t i = 0; i < std::size(kDibFormats); ++i) EXPECT_EQ(PixelFormatBits(kDibFormats[i]), bits[i]);
    EXPECT_EQ(PixelFormatBits(pfDevice), 0);
    for (TPixelFormat f : kDibFormats) {
        TBitmap sizeFirst, formatFirst, widthOnly;
        sizeFirst.SetSize(5, 3);
        sizeFirst.SetPixelFormat(f);
        formatFirst.SetPixelFormat(f);
        formatFirst.SetHeight(3);
        formatFirst.SetWidth(5);
        for (TBitmap* b : {&sizeFirst, &formatFirst}) {
            EXPECT_EQ(b->PixelFormat(), f);
            EXPECT_EQ(b->HandleType(), bmDIB);
            EXPECT_EQ(b->Width(), 5);
            EXPECT_EQ(b->Height(), 3);
            EXPECT_EQ(b->RowStep(), -StrideOf(5, f)) << "bottom-up rows, as the framework makes them";
            EXPECT_EQ(static_cast<uint8_t*>(b->ScanLine(1)) - static_cast<uint8_t*>(b->ScanLine(0)), b->RowStep());
        }
        widthOnly.SetPixelFormat(f);
        widthOnly.SetWidth(4);
        EXPECT_TRUE(widthOnly.Empty());  // 4 x 0 is valid and empty
        EXPECT_THROW(widthOnly.ScanLine(0), EInvalidOperation);
    }
}

TEST(Bitmap, NewAndAddedPixelsAreZero) {
    for (TPixelFormat f : kDibFormats) {
        TBitmap b(3, 2, f);
        for (int y = 0; y < 2; ++y) EXPECT_EQ(RowOf(b, y), std::vector<uint8_t>(RowBytes(3, f), 0)) << f;
        FillPattern(b, 1);
        std::vector<uint8_t> row0 = RowOf(b, 0), row1 = RowOf(b, 1);
        b.SetSize(11, 4);  // the old image stays at the top-left
        for (int y = 0; y < 4; ++y) {
            std::vector<uint8_t> row = RowOf(b, y);
            const std::vector<uint8_t>* old = y == 0 ? &row0 : y == 1 ? &row1 : nullptr;
            int keptBits = old ? 3 * PixelFormatBits(f) : 0;
            for (int bit = 0; bit < 11 * PixelFormatBits(f); ++bit) {
                int v = (row[bit / 8] >> (7 - bit % 8)) & 1;
                int want = bit < keptBits ? ((*old)[bit / 8] >> (7 - bit % 8)) & 1 : 0;
                ASSERT_EQ(v, want) << "format " << f << " row " << y << " bit " << bit;
            }
        }
    }
}

// An all-zero bitmap of the format stored top-down (made through a file).
void MakeTopDown(TBitmap& b, int w, int h, TPixelFormat f) {
    TBitmap bottomUp(w, h, f);
    std::vector<uint8_t> file = bottomUp.SaveToBytes();
    PutLE(file, 22, uint32_t(-h), 4);
    b.LoadFromBytes(file.data(), file.size());
}

// Pixels written through GDI land at row * RowStep + the format's byte
// offset, and bytes written through ScanLine read back through GDI.
TEST(Bitmap, PixelTablesInBothRowOrders) {
    struct Case {
        TPixelFormat f;
        TColor a, b;                          // two colours the format holds exactly
        std::vector<uint8_t> aBytes, bBytes;  // their stored form (indexes for 1/8 bit)
    } cases[] = {
        {pf1bit, clBlack, clWhite, {0}, {1}},
        {pf8bit, RGBColor(7, 7, 7), RGBColor(200, 200, 200), {7}, {200}},
        {pf24bit, RGBColor(1, 2, 3), RGBColor(250, 128, 9), {3, 2, 1}, {9, 128, 250}},
        {pf32bit, RGBColor(1, 2, 3), RGBColor(250, 128, 9), {3, 2, 1, 0}, {9, 128, 250, 0}},
    };
    auto readStored = [](TBitmap& bmp, int x, int y) {
        const uint8_t* row = static_cast<const uint8_t*>(bmp.ScanLine(y));
        switch (bmp.PixelFormat()) {
            case pf1bit:
                return std::vector<uint8_t>{uint8_t((row[x / 8] >> (7 - x % 8)) & 1)};
            case pf8bit:
                return std::vector<uint8_t>{row[x]};
            case pf24bit:
                return std::vector<uint8_t>(row + 3 * x, row + 3 * x + 3);
            default:
                return std::vector<uint8_t>(row + 4 * x, row + 4 * x + 4);
        }
    };
    for (const Case& c : cases) {
        for (bool topDown : {false, true}) {
            TBitmap bmp;
            if (topDown) {
                MakeTopDown(bmp, 3, 2, c.f);
            } else {
                bmp.SetPixelFormat(c.f);
                bmp.SetSize(3, 2);
            }
            ASSERT_EQ(bmp.TopDown(), topDown);
            ASSERT_EQ(bmp.RowStep(), topDown ? StrideOf(3, c.f) : -StrideOf(3, c.f));
            // A checkerboard of the two colours through GDI.
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x) bmp.Canvas()->SetPixels(x, y, (x + y) % 2 ? c.b : c.a);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x)
                    EXPECT_EQ(readStored(bmp, x, y), (x + y) % 2 ? c.bBytes : c.aBytes)
                        << "format " << c.f << (topDown ? " top-down" : " bottom-up") << " at " << x << "," << y;
            // Padding after the last pixel stays zero.
            const uint8_t* row = static_cast<const uint8_t*>(bmp.ScanLine(1));
            for (int i = RowBytes(3, c.f); i < StrideOf(3, c.f); ++i) EXPECT_EQ(row[i], 0) << "padding byte " << i;
        }
    }
}

TEST(Bitmap, ScanLineRangeIsChecked) {
    TBitmap b(2, 3, pf24bit);
    EXPECT_NO_THROW(b.ScanLine(0));
    EXPECT_NO_THROW(b.ScanLine(2));
    EXPECT_THROW(b.ScanLine(-1), EInvalidOperation);
    EXPECT_THROW(b.ScanLine(3), EInvalidOperation);
    TBitmap empty;
    EXPECT_THROW(empty.ScanLine(0), EInvalidOperation);
}

TEST(Bitmap, ScanLineZeroIsTheTopRowAfterGdiDrawing) {
    for (TPixelFormat f : {pf24bit, pf32bit}) {
        TBitmap b(3, 3, f);  // odd width: 24-bit rows carry padding
        b.Canvas()->SetPixels(0, 0, RGBColor(0x11, 0x22, 0x33));
        b.Canvas()->SetPixels(2, 2, clRed);
        const uint8_t* top = static_cast<const uint8_t*>(b.ScanLine(0));
        EXPECT_EQ(top[0], 0x33);
        EXPECT_EQ(top[1], 0x22);
        EXPECT_EQ(top[2], 0x11);
        const uint8_t* bottom = static_cast<const uint8_t*>(b.ScanLine(2));
        int at = 2 * PixelFormatBits(f) / 8;
        EXPECT_EQ(bottom[at + 2], 0xFF);
        EXPECT_EQ(bottom[at], 0x00);
    }
}

TEST(Bitmap, DeviceBitmapBecomesADibForScanLine) {
    TBitmap b;
    b.SetSize(2, 2);
    b.Canvas()->SetPixels(1, 0, RGBColor(1, 2, 3));
    b.ScanLine(0);
    EXPECT_EQ(b.HandleType(), bmDIB);
    EXPECT_NE(b.PixelFormat(), pfDevice);
    EXPECT_EQ(b.Canvas()->Pixels(1, 0), RGBColor(1, 2, 3));
    b.SetPixelFormat(pf24bit);
    b.SetHandleType(bmDDB);
    EXPECT_EQ(b.PixelFormat(), pfDevice);
    EXPECT_EQ(b.Canvas()->Pixels(1, 0), RGBColor(1, 2, 3));
}

TEST(Bitmap, EightBitHasAGreyPaletteIndexedByLevel) {
    TBitmap b(4, 1, pf8bit);
    std::vector<RGBQUAD> colors = b.Colors();
    ASSERT_EQ(colors.size(), 256u);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(colors[i].rgbRed, i);
        EXPECT_EQ(colors[i].rgbGreen, i);
        EXPECT_EQ(colors[i].rgbBlue, i);
    }
    PALETTEENTRY e[256];
    ASSERT_EQ(GetPaletteEntries(b.Palette(), 0, 256, e), 256u);
    EXPECT_EQ(e[77].peRed, 77);
    // White fill then black text reads back as grey levels.
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(Rect(0, 0, 4, 1));
    b.Canvas()->SetPixels(1, 0, RGBColor(100, 100, 100));
    const uint8_t* row = static_cast<const uint8_t*>(b.ScanLine(0));
    EXPECT_EQ(row[0], 255);
    EXPECT_EQ(row[1], 100);
}

TEST(Bitmap, PaletteSetBeforeThePixelsIsKept) {
    TBitmap b;
    b.SetPixelFormat(pf4bit);
    LOGPALETTE lp{0x300, 1, {{10, 20, 30, 0}}};
    HPALETTE pal = CreatePalette(&lp);
    b.SetPalette(pal);
    DeleteObject(pal);  // the bitmap keeps a copy of the colours
    b.SetWidth(2);
    b.SetHeight(1);
    std::vector<RGBQUAD> colors = b.Colors();
    ASSERT_EQ(colors.size(), 16u);
    EXPECT_EQ(colors[0].rgbRed, 10);
    EXPECT_EQ(colors[0].rgbBlue, 30);
    EXPECT_EQ(colors[1].rgbRed, 0);
    EXPECT_EQ(b.Canvas()->Pixels(1, 0), RGBColor(10, 20, 30));  // index 0 everywhere
    PALETTEENTRY e{};
    ASSERT_EQ(GetPaletteEntries(b.Palette(), 0, 1, &e), 1u);
    EXPECT_EQ(e.peGreen, 20);
}

TEST(Bitmap, FormatConversionTable) {
    // Pixels as 0xAARRGGBB, converted from a 32-bit source.
    struct Case {
        TPixelFormat to;
        uint32_t in;
        std::vector<uint8_t> bytes;  // the pixel's bytes after the conversion
    } cases[] = {
        {pf24bit, 0x80112233, {0x33, 0x22, 0x11}},  // alpha dropped
        {pf16bit, 0x00FF0000, {0x00, 0xF8}},        // 5-6-5 red
        {pf16bit, 0x0000FF00, {0xE0, 0x07}},        // 5-6-5 green
        {pf15bit, 0x0000FF00, {0xE0, 0x03}},        // 5-5-5 green
        {pf15bit, 0x00080808, {0x21, 0x04}},        // 8 -> 5 bits truncates
        {pf8bit, 0x004D4D4D, {0x4D}},               // grey level = index
        {pf8bit, 0x00FFFFFF, {0xFF}},
        {pf4bit, 0x00FF0000, {0x90}},  // VGA red is index 9
        {pf4bit, 0x00C8C8C8, {0x80}},  // nearest: silver, index 8
        {pf1bit, 0x00101010, {0x00}},
        {pf1bit, 0x00F0F0F0, {0x80}},
    };
    for (const Case& c : cases) {
        TBitmap b(1, 1, pf32bit);
        *static_cast<uint32_t*>(b.ScanLine(0)) = c.in;
        b.SetPixelFormat(c.to);
        const uint8_t* p = static_cast<const uint8_t*>(b.ScanLine(0));
        EXPECT_EQ(std::vector<uint8_t>(p, p + c.bytes.size()), c.bytes)
            << "to " << c.to << " from " << std::hex << c.in;
    }
}

TEST(Bitmap, ConversionsBackToTrueColour) {
    struct Case {
        TPixelFormat from;
        std::vector<uint8_t> bytes;
        uint32_t out;  // as 32-bit 0xAARRGGBB: alpha is 0 from every other format
    } cases[] = {
        {pf24bit, {0x33, 0x22, 0x11}, 0x00112233},
        {pf16bit, {0x00, 0xF8}, 0x00FF0000},
        {pf15bit, {0x1F, 0x00}, 0x000000FF},
        {pf15bit, {0x21, 0x04}, 0x00080808},
        {pf8bit, {0x80}, 0x00808080},
        {pf4bit, {0xC0}, 0x000000FF},  // VGA blue, index 12
        {pf1bit, {0x80}, 0x00FFFFFF},
    };
    for (const Case& c : cases) {
        TBitmap b(1, 1, c.from);
        std::memcpy(b.ScanLine(0), c.bytes.data(), c.bytes.size());
        b.SetPixelFormat(pf32bit);
        EXPECT_EQ(*static_cast<const uint32_t*>(b.ScanLine(0)), c.out) << "from " << c.from;
    }
    TBitmap b(2, 1, pf32bit);
    static_cast<uint32_t*>(b.ScanLine(0))[1] = 0xFF0A0B0C;
    b.SetPixelFormat(pf24bit);
    b.SetPixelFormat(pf32bit);
    EXPECT_EQ(static_cast<const uint32_t*>(b.ScanLine(0))[1], 0x000A0B0Cu) << "24 -> 32 gives alpha 0";
}

TEST(Bitmap, AssignMakesADeepCopy) {
    TBitmap src(5, 3, pf8bit);
    FillPattern(src, 9);
    src.SetTransparentColor(clFuchsia);
    src.SetTransparent(true);
    TBitmap copy;
    copy.Assign(&src);
    EXPECT_EQ(copy.PixelFormat(), pf8bit);
    EXPECT_EQ(copy.Width(), 5);
    EXPECT_EQ(copy.Height(), 3);
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentColor(), clFuchsia);
    EXPECT_NE(copy.Handle(), src.Handle());
    EXPECT_EQ(copy.SaveToBytes(), src.SaveToBytes());
    std::vector<uint8_t> before = RowOf(copy, 0);
    static_cast<uint8_t*>(src.ScanLine(0))[0] ^= 0xFF;
    EXPECT_EQ(RowOf(copy, 0), before);

    TBitmap ddb;
    ddb.SetSize(2, 2);
    ddb.Canvas()->SetPixels(1, 1, clAqua);
    copy.Assign(&ddb);
    EXPECT_EQ(copy.HandleType(), bmDDB);
    EXPECT_EQ(copy.Canvas()->Pixels(1, 1), clAqua);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(Bitmap, BmpRoundTripsByteForByte) {
    for (TPixelFormat f : kDibFormats) {
        for (int w : {1, 3, 7}) {
            TBitmap b(w, 3, f);
            FillPattern(b, w);
            std::vector<uint8_t> first = b.SaveToBytes();
            EXPECT_EQ(first.size(), 14u + 40u + (f == pf16bit ? 12u : 0u) +
                                        (PixelFormatBits(f) <= 8 ? 4u << PixelFormatBits(f) : 0u) +
                                        3u * StrideOf(w, f));
            TBitmap loaded;
            loaded.LoadFromBytes(first.data(), first.size());
            EXPECT_EQ(loaded.PixelFormat(), f);
            EXPECT_EQ(loaded.Width(), w);
            for (int y = 0; y < 3; ++y) EXPECT_EQ(RowOf(loaded, y), RowOf(b, y));
            EXPECT_EQ(loaded.SaveToBytes(), first) << "format " << f << " width " << w;
        }
    }
}

TEST(Bitmap, TopDownFilesKeepTheirRowOrder) {
    // 3 x 2, 24-bit, top-down: row 0 (the top) is red, green, blue.
    std::vector<uint8_t> pixels = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0,  //
                                   9, 9, 9,   8, 8,   8, 7,   7, 7, 0, 0, 0};
    std::vector<uint8_t> file = MakeBmp(3, -2, 24, 40, {}, pixels);
    TBitmap b;
    b.LoadFromBytes(file.data(), file.size());
    EXPECT_TRUE(b.TopDown());
    EXPECT_EQ(b.RowStep(), 12);
    EXPECT_EQ(static_cast<uint8_t*>(b.ScanLine(1)) - static_cast<uint8_t*>(b.ScanLine(0)), 12);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(2, 0), clBlue);
    EXPECT_EQ(b.Canvas()->Pixels(0, 1), RGBColor(9, 9, 9));
    std::vector<uint8_t> saved = b.SaveToBytes();
    EXPECT_EQ(saved, file);
    b.SetSize(4, 3);  // stays top-down
    EXPECT_TRUE(b.TopDown());
    EXPECT_EQ(b.Canvas()->Pixels(2, 0), clBlue);
}

TEST(Bitmap, ReadsOtherHeaderForms) {
    // OS/2 core header, 1-bit, palette of three-byte entries.
    std::vector<uint8_t> core = MakeBmp(2, 1, 1, 12, {0, 0, 0, 0, 0, 255}, {0x40, 0, 0, 0});
    TBitmap b;
    b.LoadFromBytes(core.data(), core.size());
    EXPECT_EQ(b.PixelFormat(), pf1bit);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clBlack);
    EXPECT_EQ(b.Canvas()->Pixels(1, 0), clRed);

    // Version 5 header with 32-bit bit fields; the masks live inside the header.
    std::vector<uint8_t> v5 = MakeBmp(1, 1, 32, 124, {}, {0x01, 0x02, 0x03, 0x80}, BI_BITFIELDS);
    PutLE(v5, 14 + 40, 0x00FF0000, 4);
    PutLE(v5, 14 + 44, 0x0000FF00, 4);
    PutLE(v5, 14 + 48, 0x000000FF, 4);
    b.LoadFromBytes(v5.data(), v5.size());
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_EQ(*static_cast<uint32_t*>(b.ScanLine(0)), 0x80030201u);

    // 5-6-5 after a 40-byte header; a short colour table (2 of 16 entries).
    std::vector<uint8_t> masks(12);
    PutLE(masks, 0, 0xF800, 4);
    PutLE(masks, 4, 0x07E0, 4);
    PutLE(masks, 8, 0x001F, 4);
    std::vector<uint8_t> rgb565 = MakeBmp(1, 1, 16, 40, masks, {0x00, 0xF8, 0, 0}, BI_BITFIELDS);
    b.LoadFromBytes(rgb565.data(), rgb565.size());
    EXPECT_EQ(b.PixelFormat(), pf16bit);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);
    std::vector<uint8_t> shortTable = MakeBmp(2, 1, 4, 40, {1, 2, 3, 0, 4, 5, 6, 0}, {0x10, 0, 0, 0}, BI_RGB, 2);
    b.LoadFromBytes(shortTable.data(), shortTable.size());
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), RGBColor(6, 5, 4));
    EXPECT_EQ(b.Canvas()->Pixels(1, 0), RGBColor(3, 2, 1));
    EXPECT_EQ(b.Colors().size(), 16u);
}

TEST(Bitmap, RefusesBrokenOrCompressedFiles) {
    std::vector<uint8_t> good = MakeBmp(2, 2, 24, 40, {}, std::vector<uint8_t>(16, 0));
    auto broken = [&](auto edit) {
        std::vector<uint8_t> f = good;
        edit(f);
        return f;
    };
    std::vector<std::vector<uint8_t>> cases = {
        broken([](auto& f) { f[0] = 'X'; }),                                             // not a bitmap
        broken([](auto& f) { f.resize(f.size() - 1); }),                                 // truncated pixels
        broken([](auto& f) { f.resize(20); }),                                           // truncated header
        broken([](auto& f) { PutLE(f, 30, BI_RLE8, 4); }),                               // compressed
        broken([](auto& f) { PutLE(f, 28, 7, 2); }),                                     // no such depth
        broken([](auto& f) { PutLE(f, 18, 0x7FFFFFFF, 4); }),                            // size overflows
        broken([](auto& f) { PutLE(f, 14, 0x7FFFFFF0, 4); }),                            // header larger than the file
        MakeBmp(1, 1, 32, 40, std::vector<uint8_t>(12, 0), {0, 0, 0, 0}, BI_BITFIELDS),  // odd masks
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        TBitmap b(1, 1, pf24bit);
        EXPECT_THROW(b.LoadFromBytes(cases[i].data(), cases[i].size()), EInvalidGraphic) << "case " << i;
        EXPECT_EQ(b.Width(), 1) << "a failed load leaves the bitmap as it was";
    }
}

TEST(Bitmap, StreamsAndFilesCarryTheSameBytes) {
    TBitmap b(3, 2, pf24bit);
    FillPattern(b, 5);
    TMemoryStream stream;
    stream.WriteBuffer("xy", 2);  // the image starts at the stream's position
    b.SaveToStream(&stream);
    stream.SetPosition(2);
    TBitmap loaded;
    loaded.LoadFromStream(&stream);
    EXPECT_EQ(loaded.SaveToBytes(), b.SaveToBytes());

    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    String path = String(dir) + L"graphics_test_그림.bmp";
    b.SaveToFile(path);
    TBitmap fromFile;
    fromFile.LoadFromFile(path);
    DeleteFileW(path.c_str());
    EXPECT_EQ(fromFile.SaveToBytes(), b.SaveToBytes());
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelUntilFixed) {
    TBitmap b(3, 2, pf24bit);
    b.Canvas()->SetPixels(0, 1, clLime);
    EXPECT_EQ(b.TransparentMode(), tmAuto);
    EXPECT_EQ(b.TransparentColor(), clLime);
    b.SetTransparentColor(clFuchsia);
    EXPECT_EQ(b.TransparentMode(), tmFixed);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
    b.SetTransparentMode(tmAuto);
    EXPECT_EQ(b.TransparentColor(), clLime);
}

TEST(Bitmap, TransparentDrawLeavesKeyPixels) {
    TBitmap src(2, 1, pf24bit);
    src.Canvas()->SetPixels(0, 0, clFuchsia);
    src.Canvas()->SetPixels(1, 0, clRed);
    src.SetTransparentColor(clFuchsia);
    src.SetTransparent(true);
    TBitmap dst(2, 1, pf24bit);
    dst.Canvas()->Brush()->SetColor(clBlue);
    dst.Canvas()->FillRect(Rect(0, 0, 2, 1));
    dst.Canvas()->Draw(0, 0, &src);
    EXPECT_EQ(dst.Canvas()->Pixels(0, 0), clBlue);
    EXPECT_EQ(dst.Canvas()->Pixels(1, 0), clRed);
}

TEST(Bitmap, HandlesCanBeAdoptedAndReleased) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 2;
    bi.bmiHeader.biHeight = -2;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    static_cast<uint32_t*>(bits)[3] = 0x00ABCDEF;

    TBitmap b;
    b.SetHandle(dib);
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.ScanLine(0), bits);
    EXPECT_EQ(b.RowStep(), 8);
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), RGBColor(0xAB, 0xCD, 0xEF));
    EXPECT_EQ(b.ReleaseHandle(), dib);
    EXPECT_TRUE(b.Empty());
    EXPECT_NE(GetObjectType(dib), 0u) << "a released handle belongs to the caller";
    DeleteObject(dib);
}

TEST(Bitmap, ChangesAreAnnounced) {
    TBitmap b;
    ChangeCounter counter;
    b.OnChange = TNotifyEvent(&counter, &ChangeCounter::Hit);
    b.SetPixelFormat(pf24bit);
    b.SetSize(2, 2);
    int afterSetup = counter.n;
    EXPECT_GE(afterSetup, 2);
    b.Canvas()->FillRect(Rect(0, 0, 1, 1));
    EXPECT_GT(counter.n, afterSetup);
    EXPECT_TRUE(b.Modified());
}

TEST(Bitmap, CanvasKeepsWorkingAcrossResizeAndFormatChange) {
    TBitmap b(2, 2, pf24bit);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 2, 2));
    b.SetSize(4, 4);
    c->FillRect(Rect(2, 2, 4, 4));
    b.SetPixelFormat(pf32bit);
    c->SetPixels(3, 0, clBlue);
    EXPECT_EQ(c->Pixels(0, 0), clRed);
    EXPECT_EQ(c->Pixels(3, 3), clRed);
    EXPECT_EQ(c->Pixels(3, 1), clBlack);
    EXPECT_EQ(c->Pixels(3, 0), clBlue);
}
