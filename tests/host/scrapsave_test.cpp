// The page capture: the size and pixel text as the movie sends them, the
// picture they make, the JPEG file where the reader chooses, and the sizes
// that are refused before anything is allocated.
#include "host/ScrapSave.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "framework/graphics/Jpeg.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/DialogSeam.h"
#include "service_files.h"

using namespace fw;
using host::ScrapSave;

namespace {

struct Rgb {
    int r, g, b;
};

Rgb PixelAt(TBitmap& bitmap, int x, int y) {
    const BYTE* row = static_cast<const BYTE*>(bitmap.ScanLine(y));
    int step = bitmap.PixelFormat() == pf32bit ? 4 : 3;
    const BYTE* p = row + x * step;
    return {p[2], p[1], p[0]};
}

int Luma(Rgb c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; }

// A page as the movie sends it: a leading field, then a first empty item (black).
const wchar_t kThreeByTwo[] = L"0,FF0000,00FF00,0000FF,FFFFFF,000000,808080";
const Rgb kThreeByTwoPixels[2][3] = {{{0, 0, 0}, {255, 0, 0}, {0, 255, 0}}, {{0, 0, 255}, {255, 255, 255}, {0, 0, 0}}};

std::unique_ptr<TBitmap> Decode(const std::wstring& path, bool gray = false) {
    TJPEGImage jpeg;
    jpeg.SetGrayscale(gray);
    jpeg.LoadFromFile(path);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Assign(&jpeg);
    return bitmap;
}

}  // namespace

TEST(ScrapSave, StartReadsTheSizeAndAFailedStartChangesNothing) {
    struct Case {
        const wchar_t* text;
        int width, height;
    } good[] = {{L"3,2", 3, 2}, {L" 640 ,480", 640, 480}, {L"\"10\",\"20\"", 10, 20}, {L"7,8,9", 7, 8}};
    for (const Case& c : good) {
        ScrapSave scrap;
        scrap.Start(c.text);
        EXPECT_EQ(scrap.Width, c.width) << c.text;
        EXPECT_EQ(scrap.Height, c.height) << c.text;
    }

    ScrapSave scrap;
    scrap.Reset();
    EXPECT_THROW(scrap.Start(L"3"), EStringListError);
    EXPECT_THROW(scrap.Start(L""), EStringListError);
    EXPECT_THROW(scrap.Start(L"x,y"), EConvertError);
    EXPECT_THROW(scrap.Start(L"3,2.5"), EConvertError);
    EXPECT_EQ(scrap.Width, 0);
    EXPECT_EQ(scrap.Height, 0);
}

TEST(ScrapSave, ChunksLoseTheirLeadingFieldAndJoinWithCommas) {
    ScrapSave scrap;
    scrap.Start(L"4,1");
    scrap.AddData(L"0,FF0000,00FF00");
    scrap.AddData(L"1,0000FF");
    EXPECT_EQ(scrap.PixelText, L",FF0000,00FF00,0000FF");
    scrap.AddData(L"ABCDEF");  // no comma: whole
    EXPECT_EQ(scrap.PixelText, L",FF0000,00FF00,0000FFABCDEF");
    scrap.Reset();
    EXPECT_EQ(scrap.PixelText, L"");
}

TEST(ScrapSave, ItemsFillThePictureRowByRow) {
    ScrapSave scrap;
    scrap.Start(L"3,2");
    scrap.AddData(kThreeByTwo);
    EXPECT_EQ(scrap.PixelText, L",FF0000,00FF00,0000FF,FFFFFF,000000,808080");
    auto bitmap = scrap.BuildBitmap();
    ASSERT_TRUE(bitmap);
    ASSERT_EQ(bitmap->Width(), 3);
    ASSERT_EQ(bitmap->Height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            Rgb got = PixelAt(*bitmap, x, y), want = kThreeByTwoPixels[y][x];
            EXPECT_EQ(got.r, want.r) << x << "," << y;
            EXPECT_EQ(got.g, want.g) << x << "," << y;
            EXPECT_EQ(got.b, want.b) << x << "," << y;
        }
}

TEST(ScrapSave, ItemsAreSplitAsTheFrameworkSplitsDelimitedText) {
    struct Case {
        const wchar_t* chunk;
        Rgb first, second;
    } cases[] = {
        {L"0, FF0000,00FF00", {0, 0, 0}, {255, 0, 0}},     // blanks before an item are skipped
        {L"0,FF0000 00FF00", {0, 0, 0}, {255, 0, 0}},      // a blank ends an item
        {L"0,,00FF00", {0, 0, 0}, {0, 0, 0}},              // commas in a row give an empty item
        {L"0,ff8000,00FF00", {0, 0, 0}, {255, 128, 0}},    // lower-case digits
        {L"0,\"00FF00\",FF0000", {0, 0, 0}, {0, 255, 0}},  // quoted items
        {L"0,ABC,00FF00", {0, 0, 0}, {0, 0, 0}},           // not six characters: black
        {L"FF0000", {255, 0, 0}, {0, 0, 0}},               // a chunk without a comma is taken whole
    };
    for (const Case& c : cases) {
        ScrapSave scrap;
        scrap.Start(L"2,1");
        scrap.AddData(c.chunk);
        auto bitmap = scrap.BuildBitmap();
        ASSERT_TRUE(bitmap);
        Rgb a = PixelAt(*bitmap, 0, 0), b = PixelAt(*bitmap, 1, 0);
        EXPECT_TRUE(a.r == c.first.r && a.g == c.first.g && a.b == c.first.b) << c.chunk;
        EXPECT_TRUE(b.r == c.second.r && b.g == c.second.g && b.b == c.second.b) << c.chunk;
    }
}

TEST(ScrapSave, EndWithoutDataGivesABlackPicture) {
    ScrapSave scrap;
    scrap.Start(L"4,3");
    auto bitmap = scrap.BuildBitmap();
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->Width(), 4);
    EXPECT_EQ(bitmap->Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(Luma(PixelAt(*bitmap, x, y)), 0);
}

TEST(ScrapSave, SavesAJpegThatDecodesBackToThePicture) {
    ScratchFolder folder(L"scrap");
    DialogSeam::Scope seam;
    DialogSeam::PushFileName(folder / L"page");
    TSaveDialog dialog(nullptr);

    ScrapSave scrap;
    scrap.Start(L"3,2");
    scrap.AddData(kThreeByTwo);
    ASSERT_EQ(scrap.Finish(dialog), ScrapSave::Outcome::Saved);

    ASSERT_EQ(DialogSeam::Log().size(), 1u);
    EXPECT_EQ(DialogSeam::Log()[0].kind, DialogSeam::Kind::SaveDialog);
    EXPECT_EQ(DialogSeam::Log()[0].Filter, L"JPG 파일|*.jpg");
    EXPECT_EQ(DialogSeam::Log()[0].Text, L"ScrapImage.jpg");
    EXPECT_EQ(dialog.Filter(), L"JPG 파일|*.jpg");  // left for the next use

    ASSERT_TRUE(ScratchFolder::Exists(folder / L"page.jpg"));
    auto decoded = Decode(folder / L"page.jpg", true);
    ASSERT_EQ(decoded->Width(), 3);
    ASSERT_EQ(decoded->Height(), 2);
    // Luminance only: colour is sampled in 2 x 2 blocks, far coarser than this picture.
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_NEAR(PixelAt(*decoded, x, y).g, Luma(kThreeByTwoPixels[y][x]), 8) << x << "," << y;
}

TEST(ScrapSave, ColoursKeepTheirChannelsThroughTheJpeg) {
    // Blocks of 16 x 16, as large as the colour sampling needs.
    const Rgb blocks[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
    const wchar_t* items[] = {L"FF0000", L"00FF00", L"0000FF", L"FFFF00"};
    String chunk = L"lead";
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) chunk += String(L",") + items[x / 16];
    ScratchFolder folder(L"scrap");
    DialogSeam::Scope seam;
    DialogSeam::PushFileName(folder / L"blocks.jpeg");
    TSaveDialog dialog(nullptr);
    ScrapSave scrap;
    scrap.Start(L"64,16");
    scrap.AddData(chunk);
    scrap.PixelText.erase(0, 1);  // no empty first item: block 0 starts at pixel 0
    ASSERT_EQ(scrap.Finish(dialog), ScrapSave::Outcome::Saved);

    auto decoded = Decode(folder / L"blocks.jpeg");  // kept: the name ends in ".jpeg"
    for (int i = 0; i < 4; ++i) {
        Rgb got = PixelAt(*decoded, i * 16 + 8, 8);
        EXPECT_NEAR(got.r, blocks[i].r, 16) << "block " << i;
        EXPECT_NEAR(got.g, blocks[i].g, 16) << "block " << i;
        EXPECT_NEAR(got.b, blocks[i].b, 16) << "block " << i;
    }
}

TEST(ScrapSave, TheChosenNameEndsInJpg) {
    struct Case {
        const wchar_t* chosen;
        const wchar_t* saved;
    } cases[] = {
        {L"C:\\out\\page", L"C:\\out\\page.jpg"},     {L"C:\\out\\page.JPEG", L"C:\\out\\page.JPEG"},
        {L"C:\\out\\page.Jpg", L"C:\\out\\page.Jpg"}, {L"C:\\out\\page.png", L"C:\\out\\page.png.jpg"},
        {L"C:\\out.d\\page", L"C:\\out.d\\page.jpg"},  // a dot in the folder is no extension
        {L"C:\\out\\page.", L"C:\\out\\page..jpg"},
    };
    for (const Case& c : cases) EXPECT_EQ(ScrapSave::JpegFileName(c.chosen), c.saved) << c.chosen;
}

TEST(ScrapSave, CancelSavesNothingAndKeepsTheText) {
    ScratchFolder folder(L"scrap");
    DialogSeam::Scope seam;
    DialogSeam::PushCancel();
    DialogSeam::PushFileName(folder / L"again.jpg");
    TSaveDialog dialog(nullptr);
    ScrapSave scrap;
    scrap.Start(L"3,2");
    scrap.AddData(kThreeByTwo);
    EXPECT_EQ(scrap.Finish(dialog), ScrapSave::Outcome::Cancelled);
    EXPECT_FALSE(ScratchFolder::Exists(folder / L"ScrapImage.jpg"));
    // The end may come again without a new start.
    EXPECT_EQ(scrap.Finish(dialog), ScrapSave::Outcome::Saved);
    EXPECT_TRUE(ScratchFolder::Exists(folder / L"again.jpg"));
}

TEST(ScrapSave, ABadItemRaisesBeforeTheDialog) {
    DialogSeam::Scope seam;
    TSaveDialog dialog(nullptr);
    ScrapSave scrap;
    scrap.Start(L"3,2");
    scrap.AddData(L"0,FF0000,GG0000");
    EXPECT_THROW(scrap.Finish(dialog), EConvertError);
    scrap.Reset();
    scrap.Start(L"2,1");
    scrap.AddData(L"0,FF0000,00FF00,12345Z");  // outside the picture, still read
    EXPECT_THROW(scrap.Finish(dialog), EConvertError);
    EXPECT_TRUE(DialogSeam::Log().empty());
}

TEST(ScrapSave, SizesOutOfRangeAreRefusedWithoutAPicture) {
    struct Case {
        int width, height;
    } refused[] = {{0, 2}, {3, 0}, {-1, 5}, {5, -1}, {0, 0}, {INT_MAX, 2}, {4097, 4096}, {65536, 65536}};
    DialogSeam::Scope seam;
    TSaveDialog dialog(nullptr);
    for (const Case& c : refused) {
        ScrapSave scrap;
        scrap.Width = c.width;
        scrap.Height = c.height;
        scrap.AddData(kThreeByTwo);  // items to draw: the column step would divide by zero
        EXPECT_FALSE(scrap.BuildBitmap()) << c.width << "x" << c.height;
        EXPECT_EQ(scrap.Finish(dialog), ScrapSave::Outcome::Refused) << c.width << "x" << c.height;
    }
    EXPECT_TRUE(DialogSeam::Log().empty());  // nobody was asked where to save
    EXPECT_TRUE(ScrapSave::SizeAccepted(4096, 4096));
    EXPECT_TRUE(ScrapSave::SizeAccepted(1, 1));
}

// A picture of W x H pixels needs at most W x H items and the empty first
// one, each a comma, a blank and six digits. Text beyond that is refused as an
// oversize picture is: nothing more is kept, nobody is asked where to save,
// until a new start.
TEST(ScrapSave, PixelTextBeyondThePictureIsRefusedLikeAnOversizePicture) {
    DialogSeam::Scope seam;
    TSaveDialog dialog(nullptr);
    ScrapSave scrap;
    scrap.Start(L"3,2");
    // The fullest text the picture can take, in three chunks.
    scrap.AddData(L"0, FF0000, 00FF00, 0000FF");
    scrap.AddData(L"1, FFFFFF, 000000, 808080");
    EXPECT_EQ(scrap.PixelText.size(), ScrapSave::TextCapacity(3, 2) - 8);
    scrap.AddData(L"2, 123456");
    EXPECT_EQ(scrap.PixelText.size(), ScrapSave::TextCapacity(3, 2));
    ASSERT_TRUE(scrap.BuildBitmap());
    EXPECT_EQ(PixelAt(*scrap.BuildBitmap(), 2, 1).r, 0);  // the item after the picture is dropped

    scrap.AddData(L"3,F");  // one character too many
    EXPECT_TRUE(scrap.PixelText.empty());
    EXPECT_FALSE(scrap.BuildBitmap());
    EXPECT_EQ(scrap.Finish(dialog), ScrapSave::Outcome::Refused);
    scrap.AddData(L"4,FF0000");  // stays refused
    EXPECT_TRUE(scrap.PixelText.empty());
    EXPECT_EQ(scrap.Finish(dialog), ScrapSave::Outcome::Refused);

    // The same outcome as an oversize picture, and as data with no picture declared.
    for (const wchar_t* size : {L"5000,5000", L""}) {
        ScrapSave other;
        if (*size) other.Start(size);
        other.AddData(kThreeByTwo);
        EXPECT_TRUE(other.PixelText.empty()) << size;
        EXPECT_EQ(other.Finish(dialog), ScrapSave::Outcome::Refused) << size;
    }
    EXPECT_TRUE(DialogSeam::Log().empty());

    // A new start takes text again.
    scrap.Reset();
    scrap.Start(L"3,2");
    scrap.AddData(kThreeByTwo);
    ASSERT_TRUE(scrap.BuildBitmap());
    EXPECT_EQ(PixelAt(*scrap.BuildBitmap(), 1, 0).r, 255);
}

// A movie that keeps sending chunks cannot make the text grow past the bound.
TEST(ScrapSave, EndlessChunksKeepTheTextBounded) {
    ScrapSave scrap;
    scrap.Start(L"100,100");
    std::wstring chunk = L"0";
    for (int i = 0; i < 1000; ++i) chunk += L",ABCDEF";
    size_t longest = 0;
    for (int i = 0; i < 2000; ++i) {
        scrap.AddData(chunk);
        longest = std::max(longest, scrap.PixelText.size());
    }
    EXPECT_LE(longest, ScrapSave::TextCapacity(100, 100));
    EXPECT_TRUE(scrap.PixelText.empty());
    EXPECT_FALSE(scrap.BuildBitmap());
}
