// gAMA on images of few bits per sample: their palettes (from PLTE, or the
// grey ramp) hold 8-bit colours, so the gamma table they go through must span
// 0..255 whatever the sample depth, and whatever the graphic loaded before.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "skin/engine/PNGGraphic.h"

using namespace skin;

namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& out, uint32_t v) {
    for (int k = 3; k >= 0; --k) out.push_back(uint8_t(v >> (8 * k)));
}

void Chunk(Bytes& out, const char* type, const Bytes& data) {
    Put32(out, uint32_t(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    Put32(out, uint32_t(crc32(0, body.data(), uInt(body.size()))));
}

// One row holding every value of the depth once (0, 1, 2, ...), filter None.
// gamma 0 writes no gAMA; an empty palette writes no PLTE; withData false
// writes no image data at all.
Bytes MakePng(uint8_t colorType, uint8_t depth, uint32_t gamma, const Bytes& palette, bool withData = true) {
    const uint32_t width = 1u << depth;
    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes ihdr;
    Put32(ihdr, width);
    Put32(ihdr, 1);
    ihdr.insert(ihdr.end(), {depth, colorType, 0, 0, 0});
    Chunk(png, "IHDR", ihdr);
    if (gamma) {
        Bytes g;
        Put32(g, gamma);
        Chunk(png, "gAMA", g);
    }
    if (!palette.empty()) Chunk(png, "PLTE", palette);
    if (withData) {
        Bytes row = {0};  // filter type None
        unsigned acc = 0, bits = 0;
        for (uint32_t v = 0; v < width; ++v) {
            acc = (acc << depth) | v;
            bits += depth;
            if (bits == 8) {
                row.push_back(uint8_t(acc));
                acc = bits = 0;
            }
        }
        if (bits) row.push_back(uint8_t(acc << (8 - bits)));
        uLongf size = compressBound(uLong(row.size()));
        Bytes packed(size);
        compress(packed.data(), &size, row.data(), uLong(row.size()));
        packed.resize(size);
        Chunk(png, "IDAT", packed);
    }
    Chunk(png, "IEND", {});
    return png;
}

void Load(TPNGGraphic& png, const Bytes& bytes) {
    fw::TMemoryStream s;
    s.WriteBuffer(bytes.data(), int(bytes.size()));
    s.SetPosition(0);
    png.LoadFromStream(&s);
}

// Round(255 x (v / 255)^(1 / (g x 2.2))), g the file gamma.
uint8_t Corrected(uint8_t v, uint32_t fileGamma) {
    const double g = double(float(fileGamma / 100000.0)) * double(2.2f);
    return uint8_t(std::nearbyint(255 * std::pow(v / 255.0, 1 / g)));
}

// Distinct colours that are not a ramp, so that a wrong entry shows.
Bytes MakePalette(unsigned count) {
    Bytes p;
    for (unsigned k = 0; k < count; ++k) p.insert(p.end(), {uint8_t(11 + 37 * k), uint8_t(200 - 29 * k), uint8_t(97 * k + 3)});
    return p;
}

unsigned IndexAt(fw::TBitmap& bmp, int x) {
    const uint8_t* row = static_cast<const uint8_t*>(bmp.ScanLine(0));
    switch (bmp.PixelFormat()) {
        case fw::pf1bit:
            return (row[x / 8] >> (7 - x % 8)) & 1;
        case fw::pf4bit:
            return x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4;
        default:
            return row[x];
    }
}

struct GammaCase {
    uint8_t colorType, depth;
    uint32_t gamma;
};

// Every pixel shows its value's colour through the file gamma: a PLTE entry
// for indexed images, the grey v x 255 / (2^depth - 1) for grey ones.
void ExpectCorrectedColours(TPNGGraphic& png, const GammaCase& c) {
    const int count = 1 << c.depth;
    const Bytes palette = MakePalette(unsigned(count));
    ASSERT_EQ(png.Width(), count);
    const std::vector<RGBQUAD> colors = png.Colors();
    for (int v = 0; v < count; ++v) {
        const unsigned index = IndexAt(png, v);
        ASSERT_LT(index, colors.size()) << "value " << v;
        const RGBQUAD& got = colors[index];
        uint8_t r, g, b;
        if (c.colorType == 3) {
            r = Corrected(palette[size_t(3 * v)], c.gamma);
            g = Corrected(palette[size_t(3 * v + 1)], c.gamma);
            b = Corrected(palette[size_t(3 * v + 2)], c.gamma);
        } else {
            r = g = b = Corrected(uint8_t(v * 255 / (count - 1)), c.gamma);
        }
        EXPECT_EQ(int(got.rgbRed), int(r)) << "value " << v;
        EXPECT_EQ(int(got.rgbGreen), int(g)) << "value " << v;
        EXPECT_EQ(int(got.rgbBlue), int(b)) << "value " << v;
    }
}

Bytes CaseFile(const GammaCase& c) {
    return MakePng(c.colorType, c.depth, c.gamma, c.colorType == 3 ? MakePalette(1u << c.depth) : Bytes{});
}

const GammaCase kCases[] = {
    {3, 4, 35000},  {3, 4, 45455},  {3, 4, 100000}, {3, 4, 250000}, {3, 2, 35000},
    {3, 2, 250000}, {3, 1, 100000}, {3, 8, 250000}, {0, 2, 45455},  {0, 2, 100000},
    {0, 4, 35000},  {0, 4, 250000}, {0, 1, 250000}, {0, 8, 35000},
};

}  // namespace

TEST(PngGamma, LowDepthPalettesGoThroughAByteWideTable) {
    for (const GammaCase& c : kCases) {
        SCOPED_TRACE("colour type " + std::to_string(c.colorType) + ", " + std::to_string(c.depth) + " bits, gAMA " +
                     std::to_string(c.gamma));
        TPNGGraphic fresh;
        Load(fresh, CaseFile(c));
        EXPECT_TRUE(fresh.ImageProperties().Options.Contains(ioUseGamma));
        ExpectCorrectedColours(fresh, c);
    }
}

// The 2-bit grey ramp at gamma 1 / 2.2 is the identity: 00, 55, AA, FF.
TEST(PngGamma, TwoBitGreyAtTheDisplayGammaKeepsItsRamp) {
    TPNGGraphic png;
    Load(png, MakePng(0, 2, 45455, {}));
    ASSERT_EQ(png.PixelFormat(), fw::pf4bit);
    const std::vector<RGBQUAD> colors = png.Colors();
    ASSERT_GE(colors.size(), 16u);
    for (unsigned i = 0; i < 16; ++i) EXPECT_EQ(colors[i].rgbGreen, 17 * i) << i;
}

// One graphic loads every case after every other: what an earlier image set
// up (its depths, its gamma) must not change the next one's colours.
TEST(PngGamma, ColoursDoNotDependOnTheImageLoadedBefore) {
    TPNGGraphic png;
    for (const GammaCase& before : kCases) {
        for (const GammaCase& c : kCases) {
            SCOPED_TRACE("colour type " + std::to_string(c.colorType) + ", " + std::to_string(c.depth) +
                         " bits, gAMA " + std::to_string(c.gamma) + " after " + std::to_string(before.depth) +
                         " bits, gAMA " + std::to_string(before.gamma));
            Load(png, CaseFile(before));
            Load(png, CaseFile(c));
            ExpectCorrectedColours(png, c);
            if (HasFailure()) return;
        }
    }
}

// A gAMA chunk configures nothing by itself: without image data the file
// loads as an empty bitmap of no pixel format, even where the colour type and
// depth could never be set up.
TEST(PngGamma, GammaWithoutImageDataLoadsAnEmptyBitmap) {
    const struct {
        uint8_t colorType, depth;
    } cases[] = {{3, 4}, {0, 2}, {0, 1}, {2, 8}, {2, 4}, {3, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE("colour type " + std::to_string(c.colorType) + ", " + std::to_string(c.depth) + " bits");
        TPNGGraphic png;
        Load(png, MakePng(3, 4, 45455, MakePalette(16)));  // a picture before
        ASSERT_NO_THROW(Load(png, MakePng(c.colorType, c.depth, 45455, {}, false)));
        EXPECT_TRUE(png.Empty());
        EXPECT_EQ(png.PixelFormat(), fw::pfDevice);
        EXPECT_TRUE(png.ImageProperties().Options.Contains(ioUseGamma));
    }
}
