// JPEG: the libjpeg codec in memory (round trips, the default encoding
// settings, grey images, refusal of broken input), then TJPEGImage on top.
#include "framework/graphics/JpegCodec.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <map>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Jpeg.h"
#include "framework/rtl/Streams.h"

using namespace fw;

namespace {

// A smooth colour gradient, RGB, rows top-down.
std::vector<uint8_t> Gradient(int w, int h) {
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            p[0] = static_cast<uint8_t>(x * 255 / (w - 1));
            p[1] = static_cast<uint8_t>(y * 255 / (h - 1));
            p[2] = static_cast<uint8_t>(255 - x * 255 / (w - 1));
        }
    return rgb;
}

int WorstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int worst = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) worst = std::max(worst, std::abs(a[i] - b[i]));
    return worst;
}

// Marker segments before the scan: marker code -> payload (the first one seen).
std::map<int, std::vector<uint8_t>> Segments(const std::vector<uint8_t>& jpeg) {
    std::map<int, std::vector<uint8_t>> out;
    size_t i = 2;
    while (i + 4 <= jpeg.size() && jpeg[i] == 0xFF) {
        int marker = jpeg[i + 1];
        size_t len = (jpeg[i + 2] << 8) | jpeg[i + 3];
        if (!out.count(marker)) out[marker].assign(jpeg.begin() + i + 4, jpeg.begin() + i + 2 + len);
        if (marker == 0xDA) break;
        i += 2 + len;
    }
    return out;
}

// The baseline luminance table, natural order, and the zigzag scan order.
const int kLuminance[64] = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                            14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                            18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                            49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
const int kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
                         41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
                         30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

}  // namespace

TEST(JpegCodec, GradientRoundTripsWithinToleranceInEitherByteOrderAndRowDirection) {
    const int w = 80, h = 60;
    std::vector<uint8_t> rgb = Gradient(w, h);

    auto encoded = JpegEncode(rgb.data(), w, h, w * 3);
    ASSERT_GE(encoded.size(), 4u);
    EXPECT_EQ(encoded[0], 0xFF);
    EXPECT_EQ(encoded[1], 0xD8);
    JpegPixels back = JpegDecode(encoded.data(), encoded.size());
    EXPECT_EQ(back.Width, w);
    EXPECT_EQ(back.Height, h);
    EXPECT_FALSE(back.SourceGrayscale);
    EXPECT_LE(WorstDifference(rgb, back.Data), 16);

    // The same picture as a bottom-up BGR buffer (a DIB): top row last,
    // negative stride; decoded in BGR it must match byte for byte order.
    std::vector<uint8_t> dib(rgb.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c)
                dib[(static_cast<size_t>(h - 1 - y) * w + x) * 3 + c] =
                    rgb[(static_cast<size_t>(y) * w + x) * 3 + 2 - c];
    JpegEncodeOptions bgr;
    bgr.Order = JpegPixelOrder::Bgr;
    auto fromDib = JpegEncode(&dib[static_cast<size_t>(h - 1) * w * 3], w, h, -w * 3, bgr);
    EXPECT_EQ(fromDib, encoded);  // identical input pixels give identical bytes
    JpegDecodeOptions asBgr;
    asBgr.Order = JpegPixelOrder::Bgr;
    JpegPixels bgrBack = JpegDecode(fromDib.data(), fromDib.size(), asBgr);
    ASSERT_EQ(bgrBack.Data.size(), rgb.size());
    EXPECT_EQ(bgrBack.Data[2], back.Data[0]);  // red of the top-left pixel moved to byte 2
    EXPECT_EQ(bgrBack.Data[0], back.Data[2]);
}

TEST(JpegCodec, DefaultsAreBaselineQuality90AndProgressiveIsOptIn) {
    const int w = 32, h = 24;
    std::vector<uint8_t> rgb = Gradient(w, h);
    auto baseline = Segments(JpegEncode(rgb.data(), w, h, w * 3));
    EXPECT_TRUE(baseline.count(0xC0)) << "baseline frame (SOF0)";
    EXPECT_FALSE(baseline.count(0xC2));
    ASSERT_TRUE(baseline.count(0xDB));
    const std::vector<uint8_t>& dqt = baseline[0xDB];
    ASSERT_GE(dqt.size(), 65u);
    EXPECT_EQ(dqt[0], 0) << "8-bit precision, table 0";
    // Quality 90 scales the baseline table by 20%, rounded, at least 1.
    for (int k = 0; k < 64; ++k) {
        int expected = std::max(1, (kLuminance[kZigzag[k]] * 20 + 50) / 100);
        ASSERT_EQ(dqt[1 + k], expected) << "zigzag index " << k;
    }
    // Three components in the frame header: a colour image.
    EXPECT_EQ(baseline[0xC0][5], 3);

    JpegEncodeOptions progressive;
    progressive.Progressive = true;
    auto prog = Segments(JpegEncode(rgb.data(), w, h, w * 3, progressive));
    EXPECT_TRUE(prog.count(0xC2));
    EXPECT_FALSE(prog.count(0xC0));

    JpegEncodeOptions low;
    low.Quality = 10;
    EXPECT_LT(JpegEncode(rgb.data(), w, h, w * 3, low).size(), JpegEncode(rgb.data(), w, h, w * 3).size());
}

TEST(JpegCodec, GreyEncodingAndGreyDecoding) {
    const int w = 40, h = 30;
    std::vector<uint8_t> rgb = Gradient(w, h);

    JpegEncodeOptions grey;
    grey.Grayscale = true;
    auto encoded = JpegEncode(rgb.data(), w, h, w * 3, grey);
    EXPECT_EQ(Segments(encoded)[0xC0][5], 1) << "one component";
    JpegPixels back = JpegDecode(encoded.data(), encoded.size());
    EXPECT_TRUE(back.SourceGrayscale);
    ASSERT_EQ(back.Data.size(), rgb.size());

    // A colour stream decoded as grey: equal channels close to the luma.
    auto colour = JpegEncode(rgb.data(), w, h, w * 3);
    JpegDecodeOptions asGrey;
    asGrey.Grayscale = true;
    JpegPixels g = JpegDecode(colour.data(), colour.size(), asGrey);
    EXPECT_FALSE(g.SourceGrayscale);
    ASSERT_EQ(g.Data.size(), rgb.size());
    int worst = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) {
        ASSERT_EQ(g.Data[i], g.Data[i + 1]);
        ASSERT_EQ(g.Data[i], g.Data[i + 2]);
        ASSERT_EQ(back.Data[i], back.Data[i + 2]);
        int luma = (299 * rgb[i] + 587 * rgb[i + 1] + 114 * rgb[i + 2]) / 1000;
        worst = std::max({worst, std::abs(g.Data[i] - luma), std::abs(back.Data[i] - luma)});
    }
    EXPECT_LE(worst, 10);
}

TEST(JpegCodec, BrokenInputRaisesInvalidGraphicNamingJpeg) {
    const int w = 64, h = 64;
    std::vector<uint8_t> rgb = Gradient(w, h);
    auto good = JpegEncode(rgb.data(), w, h, w * 3);
    auto sos = Segments(good);
    ASSERT_TRUE(sos.count(0xDA));

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"not a JPEG", {'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8}},
        {"SOI only", {0xFF, 0xD8}},
        {"header cut", std::vector<uint8_t>(good.begin(), good.begin() + 60)},
        {"scan cut in half", std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2)},
    };
    for (const Case& c : cases) {
        try {
            JpegDecode(c.bytes.data(), c.bytes.size());
            ADD_FAILURE() << c.name << ": decoded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message.find(L"JPEG"), String::npos) << c.name;
        }
    }

    // A header whose size in bytes overflows 32 bits (65500 x 21858 x 3) is
    // refused before anything is allocated or written.
    std::vector<uint8_t> huge = good;
    for (size_t i = 2; i + 9 < huge.size(); ++i)
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = 21858 >> 8, huge[i + 6] = 21858 & 0xFF;  // height
            huge[i + 7] = 65500 >> 8, huge[i + 8] = 65500 & 0xFF;  // width
            break;
        }
    try {
        JpegDecode(huge.data(), huge.size());
        ADD_FAILURE() << "a 65500 x 21858 picture decoded";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message.find(L"too large"), String::npos);
    }

    // Only the final EOI missing: the whole picture was there, so it loads.
    std::vector<uint8_t> noEoi(good.begin(), good.end() - 2);
    EXPECT_EQ(JpegDecode(noEoi.data(), noEoi.size()).Height, h);

    // Encoding nothing is refused too.
    EXPECT_THROW(JpegEncode(rgb.data(), 0, 5, 0), EInvalidGraphic);
    EXPECT_THROW(JpegEncode(rgb.data(), 70000, 1, 0), EInvalidGraphic);  // beyond JPEG's 65500 limit
}

// ------------------------------------------------------------ TJPEGImage

namespace {

// Each test gets an empty folder of its own under the temp folder.
class JpegFiles : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = String(temp) + L"jpeg_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
               std::to_wstring(counter_++) + L"\\";
        CreateDirectoryW(dir_.c_str(), nullptr);
    }
    void TearDown() override {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((dir_ + L"*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do DeleteFileW((dir_ + fd.cFileName).c_str());
            while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryW(dir_.c_str());
    }
    String Path(const String& name) const { return dir_ + name; }

    static std::vector<uint8_t> ReadFile(const String& path) {
        TFileStream f(path, fmOpenRead);
        std::vector<uint8_t> bytes(size_t(f.Size()));
        if (!bytes.empty()) f.ReadBuffer(bytes.data(), int(bytes.size()));
        return bytes;
    }
    static void WriteFile(const String& path, const std::vector<uint8_t>& bytes) {
        TFileStream f(path, fmCreate);
        if (!bytes.empty()) f.WriteBuffer(bytes.data(), int(bytes.size()));
    }
    static bool Exists(const String& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    String dir_;
    static inline int counter_ = 0;
};

// The gradient as a 24-bit bitmap (DIB rows are BGR).
void FillGradient(TBitmap& bitmap, int w, int h) {
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(w, h);
    std::vector<uint8_t> rgb = Gradient(w, h);
    for (int y = 0; y < h; ++y) {
        auto* row = static_cast<uint8_t*>(bitmap.ScanLine(y));
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) row[x * 3 + c] = rgb[(size_t(y) * w + x) * 3 + 2 - c];
    }
}

// RGB triples of a bitmap, rows top-down, through its 24-bit scanlines.
std::vector<uint8_t> RgbOf(TBitmap& bitmap) {
    bitmap.SetPixelFormat(pf24bit);
    std::vector<uint8_t> rgb;
    for (int y = 0; y < bitmap.Height(); ++y) {
        auto* row = static_cast<const uint8_t*>(bitmap.ScanLine(y));
        for (int x = 0; x < bitmap.Width(); ++x)
            for (int c = 0; c < 3; ++c) rgb.push_back(row[x * 3 + 2 - c]);
    }
    return rgb;
}

std::vector<uint8_t> Saved(TJPEGImage& jpeg) {
    TMemoryStream stream;
    jpeg.SaveToStream(&stream);
    const auto* p = static_cast<const uint8_t*>(stream.Memory());
    return std::vector<uint8_t>(p, p + stream.Size());
}

}  // namespace

TEST_F(JpegFiles, BitmapSavedAsJpegFileLoadsBackWithinTolerance) {
    const int w = 96, h = 64;
    TBitmap source;
    FillGradient(source, w, h);
    const std::vector<uint8_t> original = RgbOf(source);

    TJPEGImage jpeg;
    EXPECT_TRUE(jpeg.Empty());
    EXPECT_EQ(jpeg.CompressionQuality(), 90);
    EXPECT_FALSE(jpeg.ProgressiveEncoding());
    EXPECT_FALSE(jpeg.Grayscale());
    jpeg.Assign(&source);
    EXPECT_FALSE(jpeg.Empty());
    EXPECT_EQ(jpeg.Width(), w);
    EXPECT_EQ(jpeg.Height(), h);
    jpeg.SaveToFile(Path(L"page.jpg"));

    // The file carries the defaults: baseline, three components, quality 90.
    auto file = ReadFile(Path(L"page.jpg"));
    auto segments = Segments(file);
    ASSERT_TRUE(segments.count(0xC0));
    EXPECT_EQ(segments[0xC0][5], 3);
    EXPECT_EQ(segments[0xDB][1], 3) << "DC quantiser of quality 90";
    EXPECT_EQ(file, Saved(jpeg)) << "file and stream hold the same bytes";

    TJPEGImage loaded;
    loaded.LoadFromFile(Path(L"page.jpg"));
    EXPECT_EQ(loaded.Width(), w);
    EXPECT_EQ(loaded.Height(), h);
    TBitmap back;
    back.Assign(&loaded);  // through TJPEGImage's AssignTo
    EXPECT_EQ(back.Width(), w);
    EXPECT_EQ(back.Height(), h);
    EXPECT_EQ(back.PixelFormat(), pf24bit);
    EXPECT_LE(WorstDifference(original, RgbOf(back)), 16);

    // A copy carries the pixels and the stream.
    TJPEGImage copy;
    copy.Assign(&loaded);
    EXPECT_EQ(Saved(copy), file);
    // nil empties; an empty image gives an empty bitmap.
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    back.Assign(&copy);
    EXPECT_TRUE(back.Empty());
}

TEST_F(JpegFiles, DeviceFormatBitmapPaintedPixelByPixel) {
    // The page-capture path: a default-format bitmap filled with SetPixel.
    TBitmap page;
    page.SetSize(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) page.Canvas()->SetPixels(x, y, x < 8 ? TColor(0x0000FF) : TColor(0xFF0000));
    TJPEGImage jpeg;
    jpeg.Assign(&page);
    jpeg.SaveToFile(Path(L"scrap.jpg"));
    TJPEGImage loaded;
    loaded.LoadFromFile(Path(L"scrap.jpg"));
    TBitmap back;
    back.Assign(&loaded);
    auto rgb = RgbOf(back);
    auto at = [&](int x, int y, int c) { return rgb[(size_t(y) * 16 + x) * 3 + c]; };
    EXPECT_GT(at(2, 2, 0), 230);  // red (TColor is 0x00BBGGRR)
    EXPECT_LT(at(2, 2, 2), 25);
    EXPECT_GT(at(13, 13, 2), 230);  // blue
    EXPECT_LT(at(13, 13, 0), 25);
}

TEST_F(JpegFiles, EncodingSettingsApplyToTheNextCompressionOnly) {
    TBitmap source;
    FillGradient(source, 64, 48);
    TJPEGImage jpeg;
    jpeg.Assign(&source);
    const auto q90 = Saved(jpeg);
    jpeg.SetCompressionQuality(20);
    const auto q20 = Saved(jpeg);
    EXPECT_LT(q20.size(), q90.size());
    EXPECT_EQ(Segments(q20)[0xDB][1], (16 * 250 + 50) / 100) << "DC quantiser of quality 20";
    jpeg.SetProgressiveEncoding(true);
    EXPECT_TRUE(Segments(Saved(jpeg)).count(0xC2));

    // A loaded stream is written back as it was read, whatever the settings.
    TMemoryStream in;
    in.WriteBuffer(q90.data(), int(q90.size()));
    in.SetPosition(0);
    TJPEGImage loaded;
    loaded.LoadFromStream(&in);
    loaded.SetCompressionQuality(10);
    EXPECT_EQ(Saved(loaded), q90);

    // A JPEG image's size is its picture's.
    EXPECT_THROW(loaded.SetWidth(10), EInvalidGraphic);
    EXPECT_THROW(loaded.SetHeight(10), EInvalidGraphic);
}

TEST_F(JpegFiles, GrayscaleShowsGreyAndCanBeSwitchedBack) {
    const int w = 48, h = 32;
    std::vector<uint8_t> rgb = Gradient(w, h);
    auto colourStream = JpegEncode(rgb.data(), w, h, w * 3);
    WriteFile(Path(L"colour.jpg"), colourStream);

    auto isGrey = [](const std::vector<uint8_t>& px) {
        for (size_t i = 0; i < px.size(); i += 3)
            if (px[i] != px[i + 1] || px[i] != px[i + 2]) return false;
        return true;
    };

    TJPEGImage jpeg;
    jpeg.LoadFromFile(Path(L"colour.jpg"));
    TBitmap shown;
    shown.Assign(&jpeg);
    EXPECT_FALSE(isGrey(RgbOf(shown)));
    jpeg.SetGrayscale(true);
    shown.Assign(&jpeg);
    EXPECT_TRUE(isGrey(RgbOf(shown)));
    EXPECT_EQ(Saved(jpeg), colourStream) << "grey is a way of showing; the stream keeps its colour";
    jpeg.SetGrayscale(false);
    shown.Assign(&jpeg);
    EXPECT_LE(WorstDifference(rgb, RgbOf(shown)), 16);

    // Grayscale set before loading decodes grey straight away.
    TJPEGImage grey;
    grey.SetGrayscale(true);
    grey.LoadFromFile(Path(L"colour.jpg"));
    shown.Assign(&grey);
    EXPECT_TRUE(isGrey(RgbOf(shown)));

    // A one-component file loads as grey pixels of the 24-bit bitmap.
    JpegEncodeOptions one;
    one.Grayscale = true;
    WriteFile(Path(L"grey.jpg"), JpegEncode(rgb.data(), w, h, w * 3, one));
    TJPEGImage fromGrey;
    fromGrey.LoadFromFile(Path(L"grey.jpg"));
    EXPECT_EQ(fromGrey.Width(), w);
    shown.Assign(&fromGrey);
    EXPECT_TRUE(isGrey(RgbOf(shown)));

    // A bitmap compressed while Grayscale is set gives a one-component stream.
    TBitmap source;
    FillGradient(source, w, h);
    TJPEGImage toGrey;
    toGrey.SetGrayscale(true);
    toGrey.Assign(&source);
    EXPECT_EQ(Segments(Saved(toGrey))[0xC0][5], 1);
}

TEST_F(JpegFiles, BrokenFilesAreRefusedAndLeaveTheImageAsItWas) {
    TBitmap source;
    FillGradient(source, 64, 64);
    TJPEGImage good;
    good.Assign(&source);
    const auto bytes = Saved(good);
    WriteFile(Path(L"cut.jpg"), std::vector<uint8_t>(bytes.begin(), bytes.begin() + bytes.size() / 2));
    WriteFile(Path(L"text.jpg"), {'h', 'e', 'l', 'l', 'o'});
    WriteFile(Path(L"empty.jpg"), {});

    TJPEGImage jpeg;
    jpeg.Assign(&source);
    for (const wchar_t* name : {L"cut.jpg", L"text.jpg", L"empty.jpg"}) {
        try {
            jpeg.LoadFromFile(Path(name));
            ADD_FAILURE() << "loaded " << ToAnsi(name);
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message.find(L"JPEG"), String::npos) << ToAnsi(e.Message);
        }
        EXPECT_EQ(jpeg.Width(), 64) << ToAnsi(name);
    }
    EXPECT_EQ(Saved(jpeg), bytes);
    EXPECT_THROW(jpeg.LoadFromFile(Path(L"missing.jpg")), EFOpenError);
}

TEST_F(JpegFiles, FailedSaveWritesNoFile) {
    // Wider than JPEG allows (65,500 pixels): the encoder refuses.
    TBitmap wide(70000, 1, pf24bit);
    TJPEGImage jpeg;
    jpeg.Assign(&wide);
    EXPECT_THROW(jpeg.SaveToFile(Path(L"wide.jpg")), EInvalidGraphic);
    EXPECT_FALSE(Exists(Path(L"wide.jpg")));

    TJPEGImage empty;
    EXPECT_THROW(empty.SaveToFile(Path(L"empty.jpg")), EInvalidGraphic);
    EXPECT_FALSE(Exists(Path(L"empty.jpg")));

    // An existing file is not touched by a save that cannot encode.
    WriteFile(Path(L"old.jpg"), {1, 2, 3});
    EXPECT_THROW(jpeg.SaveToFile(Path(L"old.jpg")), EInvalidGraphic);
    EXPECT_EQ(ReadFile(Path(L"old.jpg")), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(JpegFiles, DrawsOntoACanvasAtAndStretchedToARectangle) {
    // 16 x 16: left half red, right half blue (8-pixel blocks code cleanly).
    TBitmap source(16, 16, pf24bit);
    for (int y = 0; y < 16; ++y) {
        auto* row = static_cast<uint8_t*>(source.ScanLine(y));
        for (int x = 0; x < 16; ++x) {
            row[x * 3 + 0] = x < 8 ? 0 : 255;  // B
            row[x * 3 + 1] = 0;
            row[x * 3 + 2] = x < 8 ? 255 : 0;  // R
        }
    }
    TJPEGImage jpeg;
    jpeg.Assign(&source);

    TBitmap target(64, 40, pf24bit);
    target.Canvas()->Brush()->SetColor(TColor(0x00FF00));
    target.Canvas()->FillRect(Rect(0, 0, 64, 40));
    target.Canvas()->Draw(4, 4, &jpeg);
    target.Canvas()->StretchDraw(Rect(30, 4, 62, 36), &jpeg);

    auto closeTo = [](TColor c, int r, int g, int b) {
        return std::abs(int(c & 0xFF) - r) < 40 && std::abs(int((c >> 8) & 0xFF) - g) < 40 &&
               std::abs(int((c >> 16) & 0xFF) - b) < 40;
    };
    TCanvas* canvas = target.Canvas();
    EXPECT_TRUE(closeTo(canvas->Pixels(2, 2), 0, 255, 0)) << "outside stays green";
    EXPECT_TRUE(closeTo(canvas->Pixels(6, 10), 255, 0, 0));
    EXPECT_TRUE(closeTo(canvas->Pixels(17, 10), 0, 0, 255));
    EXPECT_TRUE(closeTo(canvas->Pixels(20, 10), 0, 255, 0)) << "drawn at its own size";
    EXPECT_TRUE(closeTo(canvas->Pixels(33, 30), 255, 0, 0));
    EXPECT_TRUE(closeTo(canvas->Pixels(59, 30), 0, 0, 255)) << "stretched to the rectangle";
    EXPECT_TRUE(closeTo(canvas->Pixels(62, 30), 0, 255, 0));
}
