#include "skin/engine/PNGGraphic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cwchar>
#include <random>

#include "EngineTestFiles.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"

using namespace skin;
using namespace enginetest;

namespace {

using Bytes = std::vector<uint8_t>;

// A reference decoding by libpng (see data/png_reference.c for the layout).
struct Reference {
    uint32_t w = 0, h = 0, gamma = 0;
    int depth = 0, ctype = 0, interlace = 0;
    std::vector<std::array<uint8_t, 3>> palette;
    Bytes trns;
    size_t rowBytes = 0;
    Bytes pixels;

    static Reference Load(const fw::String& path) {
        Bytes b = ReadFileBytes(path);
        Reference r;
        if (b.size() < 24 || std::memcmp(b.data(), "PREF", 4) != 0) return r;
        auto u32 = [&](size_t at) {
            return uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24);
        };
        auto u16 = [&](size_t at) { return unsigned(b[at] | b[at + 1] << 8); };
        r.w = u32(4);
        r.h = u32(8);
        r.depth = b[12];
        r.ctype = b[13];
        r.interlace = b[14];
        r.gamma = u32(16);
        unsigned np = u16(20), nt = u16(22);
        size_t at = 24;
        for (unsigned i = 0; i < np; ++i, at += 3) r.palette.push_back({b[at], b[at + 1], b[at + 2]});
        r.trns.assign(b.begin() + long(at), b.begin() + long(at + nt));
        at += nt;
        r.pixels.assign(b.begin() + long(at), b.end());
        r.rowBytes = r.pixels.size() / r.h;
        return r;
    }
    int Channels() const { return ctype == 0 || ctype == 3 ? 1 : ctype == 4 ? 2 : ctype == 2 ? 3 : 4; }
    unsigned Sample(uint32_t x, uint32_t y, int c) const {
        const uint8_t* row = pixels.data() + y * rowBytes;
        const size_t i = size_t(x) * Channels() + size_t(c);
        if (depth == 16) return unsigned(row[2 * i] << 8 | row[2 * i + 1]);
        if (depth == 8) return row[i];
        const size_t bit = i * size_t(depth);
        return (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
    }
};

unsigned IndexAt(fw::TBitmap& bmp, int x, int y) {
    const uint8_t* row = static_cast<const uint8_t*>(bmp.ScanLine(y));
    switch (bmp.PixelFormat()) {
        case fw::pf1bit:
            return (row[x / 8] >> (7 - x % 8)) & 1;
        case fw::pf4bit:
            return x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4;
        default:
            return row[x];
    }
}

// The reader's gamma table for a file gamma (display gamma 2.2).
std::array<uint8_t, 256> GammaTable(uint32_t fileGamma) {
    std::array<uint8_t, 256> t;
    const float g = float(fileGamma / 100000.0);
    for (int i = 0; i < 256; ++i)
        t[size_t(i)] =
            fileGamma ? uint8_t(std::nearbyint(255 * std::pow(i / 255.0, 1 / (double(g) * double(2.2f))))) : uint8_t(i);
    return t;
}

std::unique_ptr<TPNGGraphic> LoadPng(const fw::String& name) {
    auto png = std::make_unique<TPNGGraphic>();
    fw::TMemoryStream s;
    s.LoadFromFile(DataPath(L"png\\" + name));
    png->LoadFromStream(&s);
    return png;
}

std::vector<fw::String> CorpusFiles(const wchar_t* prefix) {
    std::vector<fw::String> out;
    for (const auto& n : ListDir(DataPath(L"png")))
        if (n.rfind(prefix, 0) == 0 && n.size() > 4 && n.substr(n.size() - 4) == L".png") out.push_back(n);
    std::sort(out.begin(), out.end());
    return out;
}

struct ProgressLog {
    std::vector<std::pair<fw::TProgressStage, fw::String>> events;
    int rows = 0;
    void On(fw::TObject*, fw::TProgressStage stage, uint8_t, bool, const fw::TRect&, const fw::String& msg) {
        if (stage == fw::psRunning)
            ++rows;
        else
            events.emplace_back(stage, msg);
    }
};

}  // namespace

// Every file of the corpus against libpng's decoding, after the reader's own
// mappings: 16-bit samples cut to 8 (v * 255 / 65535), 2-bit values spread to
// 4 bits (v * 5), gray with alpha reduced to its gray, RGB stored as BGR with
// straight alpha, and the gamma table on colour (never alpha) samples.
TEST(PngReader, CorpusMatchesTheReferenceDecoder) {
    auto files = CorpusFiles(L"ok_");
    ASSERT_GE(files.size(), 30u);
    // One graphic for the whole corpus, each file loaded after one with an RGB
    // key colour and one of 2-bit gray, then again after itself: nothing of an
    // earlier image (key, sample depths, gamma range) may leak into the next.
    auto png = std::make_unique<TPNGGraphic>();
    for (const auto& name : files) {
        SCOPED_TRACE(fw::ToAnsi(name));
        Reference ref = Reference::Load(DataPath(L"png\\" + name.substr(0, name.size() - 4) + L".ref"));
        ASSERT_GT(ref.w, 0u);
        for (const fw::String& file : {fw::String(L"edge_trns_rgb16.png"), fw::String(L"edge_gray2.png"), name, name}) {
            fw::TMemoryStream s;
            s.LoadFromFile(DataPath(L"png\\" + file));
            png->LoadFromStream(&s);
        }
        EXPECT_FALSE(png->Transparent()) << "no gray or RGB key in the corpus";
        ASSERT_EQ(png->Width(), int(ref.w));
        ASSERT_EQ(png->Height(), int(ref.h));
        EXPECT_EQ(png->ImageProperties().Interlaced, ref.interlace != 0);
        EXPECT_EQ(png->ImageProperties().Options.Contains(ioUseGamma), ref.gamma != 0);
        const auto gamma = GammaTable(ref.gamma);
        auto scale = [&](unsigned v) { return ref.depth == 16 ? v * 255 / 65535 : v; };
        const std::vector<RGBQUAD> colors = png->Colors();

        fw::TPixelFormat want = fw::pf8bit;
        if (ref.ctype == 2) want = fw::pf24bit;
        if (ref.ctype == 6) want = fw::pf32bit;
        if ((ref.ctype == 0 || ref.ctype == 3) && ref.depth == 1) want = fw::pf1bit;
        if ((ref.ctype == 0 || ref.ctype == 3) && (ref.depth == 2 || ref.depth == 4)) want = fw::pf4bit;
        ASSERT_EQ(png->PixelFormat(), want);

        int bad = 0;
        for (uint32_t y = 0; y < ref.h && bad < 5; ++y) {
            const uint8_t* row = static_cast<const uint8_t*>(png->ScanLine(int(y)));
            for (uint32_t x = 0; x < ref.w && bad < 5; ++x) {
                bool ok = true;
                switch (ref.ctype) {
                    case 0:
                    case 4: {
                        unsigned v = scale(ref.Sample(x, y, 0));
                        if (ref.depth == 2) v *= 5;
                        ok = IndexAt(*png, int(x), int(y)) == v;
                        break;
                    }
                    case 3: {
                        unsigned v = ref.Sample(x, y, 0);
                        unsigned idx = ref.depth == 2 ? v * 5 : v;
                        ok = IndexAt(*png, int(x), int(y)) == idx;
                        if (ok && v < ref.palette.size() && idx < colors.size()) {
                            const RGBQUAD& c = colors[idx];
                            ok = c.rgbRed == gamma[ref.palette[v][0]] && c.rgbGreen == gamma[ref.palette[v][1]] &&
                                 c.rgbBlue == gamma[ref.palette[v][2]];
                        }
                        break;
                    }
                    default: {
                        const int n = ref.ctype == 6 ? 4 : 3;
                        const uint8_t* p = row + x * uint32_t(n);
                        ok = p[0] == gamma[scale(ref.Sample(x, y, 2))] && p[1] == gamma[scale(ref.Sample(x, y, 1))] &&
                             p[2] == gamma[scale(ref.Sample(x, y, 0))];
                        if (n == 4) ok = ok && p[3] == scale(ref.Sample(x, y, 3));
                        break;
                    }
                }
                if (!ok) {
                    ++bad;
                    ADD_FAILURE() << "pixel " << x << "," << y;
                }
            }
        }
        if (ref.ctype == 3 && !ref.trns.empty()) {
            ASSERT_EQ(png->Transparency().size(), 256u);
            for (size_t i = 0; i < 256; ++i)
                EXPECT_EQ(png->Transparency()[i], i < ref.trns.size() ? ref.trns[i] : 255) << i;
        }
    }
}

TEST(PngReader, MalformedFilesGiveTheirMessages) {
    const char* invalid = "Cannot load image. Invalid or unexpected PNG image format.";
    const char* crc = "Cannot load image. CRC error found in PNG file.";
    const char* color = "Invalid color format in PNG file.";
    const char* extra = "Cannot load image. Extra compressed data found in PNG file.";
    const char* critical = "Cannot load PNG image. Unexpected but critical chunk detected.";
    struct Case {
        const wchar_t* file;
        const char* message;
        bool readError;  // the framework's stream read error instead
    } cases[] = {
        {L"bad_signature.png", invalid, false},
        {L"bad_first_not_ihdr.png", invalid, false},
        {L"bad_ihdr_len12.png", invalid, false},
        {L"bad_ihdr_len14.png", invalid, false},
        {L"bad_width0.png", invalid, false},
        {L"bad_width_2g.png", invalid, false},
        {L"bad_pixels_cap.png", invalid, false},
        {L"bad_chunk_len_2g.png", invalid, false},
        {L"bad_compression1.png", "Cannot load image. The compression scheme is not supported for PNG files.", false},
        {L"bad_plte_len10.png", "Cannot load image. Palette in PNG file is invalid.", false},
        {L"bad_crc_idat.png", crc, false},
        {L"bad_crc_ihdr.png", crc, false},
        {L"bad_colortype5.png", color, false},
        {L"bad_rgb_depth4.png", color, false},
        {L"bad_extra_data.png", extra, false},
        {L"bad_trailing_input.png", extra, false},
        {L"bad_deflate.png", "Cannot load image. Compression error found in PNG file.", false},
        {L"bad_critical_chunk.png", critical, false},
        {L"bad_plte_after_idat.png", critical, false},
        {L"bad_no_iend.png", "Stream read error", true},
        {L"bad_chunk_len_beyond.png", "Stream read error", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(fw::ToAnsi(c.file));
        try {
            LoadPng(c.file);
            ADD_FAILURE() << "loaded";
        } catch (const fw::EReadError& e) {
            EXPECT_TRUE(c.readError);
            EXPECT_EQ(fw::ToAnsi(e.Message), c.message);
        } catch (const fw::EInvalidGraphic& e) {
            EXPECT_FALSE(c.readError);
            EXPECT_EQ(fw::ToAnsi(e.Message), c.message);
        }
    }
    EXPECT_EQ(CorpusFiles(L"bad_").size(), std::size(cases));
}

TEST(PngReader, OddButValidFiles) {
    auto lower = LoadPng(L"edge_lowercase_chunks.png");  // idat / iend in lower case
    EXPECT_EQ(IndexAt(*lower, 3, 2), (3 * 16 + 2) & 255u);
    auto afterIdat = LoadPng(L"edge_empty_idat_after.png");
    EXPECT_EQ(IndexAt(*afterIdat, 7, 7), (7 * 16 + 7) & 255u);
    EXPECT_NO_THROW(LoadPng(L"edge_text_after_idat.png"));

    auto f5 = LoadPng(L"edge_filter5.png");  // unknown filter type: bytes as stored
    for (int x = 0; x < 4; ++x) EXPECT_EQ(IndexAt(*f5, x, 1), unsigned((x * 16 + 1) & 255));

    auto t300 = LoadPng(L"edge_trns300.png");
    ASSERT_EQ(t300->Transparency().size(), 256u);
    EXPECT_EQ(t300->Transparency()[255], 255);
    EXPECT_EQ(t300->Transparency()[7], 7);
    auto t3 = LoadPng(L"edge_trns3.png");
    EXPECT_EQ(t3->Transparency()[2], 3);
    EXPECT_EQ(t3->Transparency()[3], 255);
    EXPECT_EQ(IndexAt(*t3, 1, 1), 5u);  // the pixels keep their indexes

    EXPECT_EQ(LoadPng(L"edge_bkgd200.png")->BackgroundColor(), 200);  // not spread to a grey colour
    EXPECT_NO_THROW(LoadPng(L"edge_bkgd_short_rgb.png"));
    auto tg = LoadPng(L"edge_trns_gray.png");
    EXPECT_TRUE(tg->Transparent());
    EXPECT_EQ(tg->TransparentColor(), 0x4D4D4D);
    EXPECT_EQ(LoadPng(L"edge_trns_rgb16.png")->TransparentColor(), 0x8000FF);

    EXPECT_EQ(LoadPng(L"edge_rgb_with_plte.png")->PixelFormat(), fw::pf24bit);
    auto noPlte = LoadPng(L"edge_indexed_no_plte.png");
    EXPECT_EQ(noPlte->PixelFormat(), fw::pf8bit);
    EXPECT_EQ(IndexAt(*noPlte, 2, 1), 81u);

    auto g2 = LoadPng(L"edge_gray2.png");
    ASSERT_EQ(g2->PixelFormat(), fw::pf4bit);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(IndexAt(*g2, x, 0), unsigned(5 * x));
    auto colors = g2->Colors();
    ASSERT_GE(colors.size(), 16u);
    EXPECT_EQ(colors[5].rgbRed, 85);
    EXPECT_EQ(colors[15].rgbBlue, 255);

    // Image data that ends early still loads; the rows it covers are right.
    auto cut = LoadPng(L"edge_truncated_idat.png");
    EXPECT_EQ(IndexAt(*cut, 5, 0), unsigned(5 * 16));

    auto gamma = LoadPng(L"ok_c2_d8_gamma_n.png");
    EXPECT_FLOAT_EQ(gamma->ImageProperties().FileGamma, 0.45455f);
}

TEST(PngReader, CanLoadAndHeaderProperties) {
    fw::TMemoryStream s;
    s.LoadFromFile(DataPath(L"png\\ok_c6_d8_n.png"));
    s.SetPosition(0);
    EXPECT_TRUE(TPNGGraphic::CanLoad(&s));
    EXPECT_EQ(s.Position(), 0);
    s.SetPosition(s.Size() - 8);  // exactly 8 bytes left
    EXPECT_FALSE(TPNGGraphic::CanLoad(&s));
    EXPECT_EQ(s.Position(), s.Size() - 8);
    EXPECT_TRUE(TPNGGraphic::CanLoad(DataPath(L"png\\ok_c6_d8_n.png")));
    EXPECT_FALSE(TPNGGraphic::CanLoad(DataPath(L"png\\missing.png")));
    UseACPng = false;
    s.SetPosition(0);
    EXPECT_FALSE(TPNGGraphic::CanLoad(&s));
    UseACPng = true;

    TPNGGraphic png;
    s.SetPosition(0);
    ASSERT_TRUE(png.ReadImageProperties(&s, 0));
    const TImageProperties& p = png.ImageProperties();
    EXPECT_EQ(p.Width, 37u);
    EXPECT_EQ(p.ColorScheme, csRGBA);
    EXPECT_EQ(p.SamplesPerPixel, 4);
    EXPECT_EQ(p.BitsPerPixel, 32);
    EXPECT_TRUE(p.HasAlpha);
    EXPECT_EQ(p.Compression, ctLZ77);
    EXPECT_TRUE(p.Options.Contains(ioBigEndian));

    // Loading leaves the stream after IEND, also with data behind it.
    fw::TMemoryStream two;
    two.WriteBuffer(s.Memory(), int(s.Size()));
    two.WriteBuffer("tail", 4);
    two.SetPosition(0);
    png.LoadFromStream(&two);
    EXPECT_EQ(two.Position(), s.Size());

    TPNGGraphic copy;
    copy.Assign(&png);
    EXPECT_EQ(copy.ImageProperties().Width, 37u);
    EXPECT_EQ(copy.PixelFormat(), fw::pf32bit);
}

TEST(PngReader, ProgressEventsOfOneLoad) {
    for (const wchar_t* name : {L"ok_c2_d8_n.png", L"ok_c2_d8_i.png"}) {
        TPNGGraphic png;
        ProgressLog log;
        png.OnProgress = fw::TProgressEvent(&log, &ProgressLog::On);
        fw::TMemoryStream s;
        s.LoadFromFile(DataPath(fw::String(L"png\\") + name));
        png.LoadFromStream(&s);
        ASSERT_EQ(log.events.size(), 4u);
        EXPECT_EQ(log.events[0].first, fw::psStarting);
        EXPECT_EQ(log.events[0].second, L"Preparing...");
        EXPECT_EQ(log.events[1].first, fw::psEnding);
        EXPECT_EQ(log.events[2].second, L"Transfering...");
        EXPECT_EQ(log.events[3].first, fw::psEnding);
        // One per row (interlaced: the rows of the last pass, every second row).
        EXPECT_EQ(log.rows, std::wcsstr(name, L"_n.") ? 23 : 11);
    }
}

TEST(PngReader, RegisteredAsPictureFormat) {
    EXPECT_EQ(fw::TPicture::FileFormatDescription(L"PNG"), L"Portable network graphics (skin components)");
    fw::TPicture pic;
    pic.LoadFromFile(DataPath(L"png\\ok_c2_d8_n.png"));
    ASSERT_NE(pic.Graphic(), nullptr);
    EXPECT_EQ(pic.Graphic()->ClassName(), L"TPNGGraphic");
    EXPECT_EQ(pic.Width(), 37);
}

TEST(PngReader, DrawComposesByAlpha) {
    // Over an opaque green background, channel by channel: d + (s - d) * alpha / 256.
    auto png = LoadPng(L"ok_c6_d8_n.png");
    fw::TBitmap canvas(60, 60, fw::pf24bit);
    canvas.Canvas()->Brush()->SetColor(0x00FF00);
    canvas.Canvas()->FillRect(fw::TRect(0, 0, 60, 60));
    png->Draw(canvas.Canvas(), fw::TRect(5, 5, 5 + 37, 5 + 23));
    for (int x : {0, 10, 36}) {
        const uint8_t* s = static_cast<const uint8_t*>(png->ScanLine(4)) + 4 * x;
        const uint8_t* d = static_cast<const uint8_t*>(canvas.ScanLine(9)) + 3 * (x + 5);
        const int a = s[3];
        EXPECT_EQ(d[0], (0 * 256 + (s[0] - 0) * a) >> 8) << x;
        EXPECT_EQ(d[1], (255 * 256 + (s[1] - 255) * a) >> 8) << x;
    }
    // Outside the rectangle nothing changed.
    EXPECT_EQ(static_cast<const uint8_t*>(canvas.ScanLine(2))[3 * 2 + 1], 255);

    // Reflected: a fading mirror under the picture at its own size only.
    png->Reflected = true;
    fw::TBitmap c2(60, 60, fw::pf24bit);
    png->Draw(c2.Canvas(), fw::TRect(0, 0, 37, 23));
    bool mirrored = false;
    for (int x = 0; x < 37; ++x) mirrored = mirrored || static_cast<const uint8_t*>(c2.ScanLine(24))[3 * x] != 0;
    EXPECT_TRUE(mirrored);
    fw::TBitmap c3(80, 80, fw::pf24bit);
    png->Draw(c3.Canvas(), fw::TRect(0, 0, 60, 40));  // stretched: no mirror
    bool below = false;
    for (int x = 0; x < 60; ++x) below = below || static_cast<const uint8_t*>(c3.ScanLine(45))[3 * x] != 0;
    EXPECT_FALSE(below);
    bool drawn = false;
    for (int x = 0; x < 60; ++x) drawn = drawn || static_cast<const uint8_t*>(c3.ScanLine(20))[3 * x] != 0;
    EXPECT_TRUE(drawn);
}

TEST(PngReader, MutatedFilesNeverCrash) {
    std::vector<Bytes> seeds;
    for (const wchar_t* n : {L"ok_c6_d8_n.png", L"ok_c3_d2_trns_i.png", L"ok_c0_d16_i.png", L"ok_c2_d8_split_n.png"})
        seeds.push_back(ReadFileBytes(DataPath(fw::String(L"png\\") + n)));
    std::mt19937 rng(15948);
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes m = seeds[size_t(round) % seeds.size()];
        const bool fixCrc = round % 2 == 1;
        const int edits = 1 + int(rng() % 3);
        for (int e = 0; e < edits; ++e) {
            size_t at = 8 + rng() % (m.size() - 8);
            switch (rng() % 4) {
                case 0:
                    m[at] ^= uint8_t(1u << (rng() % 8));
                    break;
                case 1:
                    m[at] = uint8_t(rng());
                    break;
                case 2:
                    m.resize(at);
                    break;
                case 3:
                    m[at] = uint8_t(rng() % 2 ? 0 : 0xFF);
                    break;
            }
            if (m.size() <= 8) break;
        }
        if (fixCrc) {
            // Recompute every chunk CRC so that the mutation reaches the decoder.
            size_t at = 8;
            while (at + 12 <= m.size()) {
                uint32_t len = uint32_t(m[at] << 24 | m[at + 1] << 16 | m[at + 2] << 8 | m[at + 3]);
                if (len > m.size() - at - 12) break;
                uint32_t c = crc32(0, m.data() + at + 4, len + 4);
                for (int k = 0; k < 4; ++k) m[at + 8 + len + size_t(k)] = uint8_t(c >> (24 - 8 * k));
                at += 12 + len;
            }
        }
        fw::TMemoryStream s;
        if (!m.empty()) s.WriteBuffer(m.data(), int(m.size()));
        s.SetPosition(0);
        TPNGGraphic png;
        try {
            png.LoadFromStream(&s);
            ++loaded;
        } catch (const fw::Exception&) {
        }
    }
    EXPECT_GT(loaded, 0);
}

// gAMA on images of few bits per sample: their palettes (from PLTE, or the
// grey ramp) hold 8-bit colours, so the gamma table they go through must span
// 0..255 whatever the sample depth, and whatever the graphic loaded before.
// The files are written here: one row holding every value of the depth.
namespace {

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

// Distinct colours that are not a ramp, so that a wrong entry shows.
Bytes MakePalette(unsigned count) {
    Bytes p;
    for (unsigned k = 0; k < count; ++k)
        p.insert(p.end(), {uint8_t(11 + 37 * k), uint8_t(200 - 29 * k), uint8_t(97 * k + 3)});
    return p;
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
    const auto gamma = GammaTable(c.gamma);
    ASSERT_EQ(png.Width(), count);
    const std::vector<RGBQUAD> colors = png.Colors();
    for (int v = 0; v < count; ++v) {
        const unsigned index = IndexAt(png, v, 0);
        ASSERT_LT(index, colors.size()) << "value " << v;
        const RGBQUAD& got = colors[index];
        uint8_t r, g, b;
        if (c.colorType == 3) {
            r = gamma[palette[size_t(3 * v)]];
            g = gamma[palette[size_t(3 * v + 1)]];
            b = gamma[palette[size_t(3 * v + 2)]];
        } else {
            r = g = b = gamma[size_t(v * 255 / (count - 1))];
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
    {3, 4, 35000},  {3, 4, 45455}, {3, 4, 100000}, {3, 4, 250000}, {3, 2, 35000},  {3, 2, 250000}, {3, 1, 100000},
    {3, 8, 250000}, {0, 2, 45455}, {0, 2, 100000}, {0, 4, 35000},  {0, 4, 250000}, {0, 1, 250000}, {0, 8, 35000},
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
    const struct { uint8_t colorType, depth; } cases[] = {{3, 4}, {0, 2}, {0, 1}, {2, 8}, {2, 4}, {3, 16}};
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
