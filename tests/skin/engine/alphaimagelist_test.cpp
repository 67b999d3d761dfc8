// The alpha image list: PNG and ICO files kept beside the native list, drawn
// with their alpha; glyph columns; streaming, rebuilding and copying.
#include "skin/engine/acAlphaImageList.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "EngineTestFiles.h"
#include "TestImages.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/Filer.h"
#include "framework/windows/DialogSeam.h"
#include "framework/windows/Dialogs.h"
#include "skin/engine/sBitmapBase.h"

using namespace skin;
using namespace enginetest;

namespace {

std::unique_ptr<fw::TBitmap> Filled24(int w, int h, fw::TColor c) {
    std::unique_ptr<fw::TBitmap> b(CreateBmp24(w, h));
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect(fw::TRect(0, 0, w, h));
    return b;
}

std::unique_ptr<TsAlphaImageList> NewList(int w, int h) {
    auto list = std::make_unique<TsAlphaImageList>(nullptr, w, h);
    list->AfterConstruction();
    return list;
}

// A strip of four 16 x 16 columns: red, green, blue, yellow; in each column
// pixel (8, 8) half transparent and (0, 0) clear.
uint32_t Strip(int x, int y) {
    static const uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
    const uint32_t c = colours[x / 16];
    if (x % 16 == 0 && y == 0) return c;
    return (x % 16 == 8 && y == 8 ? 0x80000000u : 0xFF000000u) | c;
}

// Red left half, blue right half, opaque.
uint32_t Halves(int x, int y, int w) {
    (void)y;
    return x < w / 2 ? 0xFFFF0000u : 0xFF0000FFu;
}

// A 32 x 32 icon: a green square in the middle, clear around it.
uint32_t GreenSquare(int x, int y) { return x >= 8 && x < 24 && y >= 8 && y < 24 ? 0xFF00C000u : 0; }

}  // namespace

TEST(AlphaImageList, FilesAreRecognisedByContentAndTheIconExtension) {
    TempDir dir;
    const std::vector<uint8_t> png = PngRGBA(2, 2, [](int, int) { return 0xFF000000u; });
    const std::vector<uint8_t> ico = Ico32(32, 32, GreenSquare);
    struct Case {
        const wchar_t* name;
        std::vector<uint8_t> bytes;
        bool recognised;
        TsImageFormat format;
    } cases[] = {
        {L"a.png", png, true, ifPNG},
        {L"png-named.ico", png, true, ifPNG},  // the signature comes first
        {L"b.ico", ico, true, ifICO},
        {L"C.ICO", ico, true, ifICO},
        {L"c.cur", ico, false, ifPNG},
        {L"d.icon", ico, false, ifPNG},
        {L"e", ico, false, ifPNG},
        {L"magic-only.png", std::vector<uint8_t>(png.begin(), png.begin() + 8), false, ifPNG},  // no byte after it
        {L"zeros.ico", {0, 0}, false, ifPNG},
        {L"empty.ico", {}, false, ifPNG},
        {L"text.ico", {'i', 'c', 'o', 'n'}, false, ifPNG},
    };
    for (const Case& c : cases) {
        WriteFileBytes(dir / c.name, c.bytes);
        TsImageFormat format = ifPNG;
        EXPECT_EQ(GetImageFormat(dir / c.name, format), c.recognised) << fw::ToAnsi(c.name);
        if (c.recognised) {
            EXPECT_EQ(format, c.format) << fw::ToAnsi(c.name);
        }
    }
    // At most eight bytes are compared.
    const uint8_t longer[12] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 9, 9, 9, 9};
    EXPECT_TRUE(HaveMagic(dir / L"a.png", longer, 12));
    EXPECT_THROW(HaveMagic(dir / L"missing.png", longer, 8), fw::EStreamError);
}

TEST(AlphaImageList, FilesBecomeItemsBesideTheNativeImages) {
    TempDir dir;
    WriteFileBytes(dir / L"strip.png", PngRGBA(64, 16, Strip));
    const std::vector<uint8_t> alphaIco = Ico32(32, 32, GreenSquare);
    WriteFileBytes(dir / L"alpha.ico", alphaIco);
    // No alpha at all: the mask alone cuts the square out.
    WriteFileBytes(dir / L"plain.ico", Ico32(
                                           32, 32, [](int x, int y) { return GreenSquare(x, y) & 0xFFFFFFu; },
                                           [](int x, int y) { return GreenSquare(x, y) == 0; }));
    WriteFileBytes(dir / L"note.txt", {'h', 'i', '!', '!', '!', '!', '!', '!', '!'});
    std::vector<uint8_t> junkIco = {0, 0, 7, 7, 7, 7, 7, 7};
    WriteFileBytes(dir / L"junk.ico", junkIco);
    std::vector<uint8_t> badPng = PngRGBA(4, 4, Strip);
    badPng.resize(40);
    WriteFileBytes(dir / L"bad.png", badPng);

    auto list = NewList(64, 16);
    EXPECT_TRUE(list->HandleAllocated());
    EXPECT_TRUE(list->DoubleData);
    ASSERT_TRUE(list->TryLoadFromFile(dir / L"strip.png"));
    ASSERT_TRUE(list->TryLoadFromFile(dir / L"alpha.ico"));
    ASSERT_TRUE(list->TryLoadFromFile(dir / L"plain.ico"));
    ASSERT_EQ(list->Items()->Count(), 3);
    EXPECT_EQ(list->Count(), 3);
    TsImgListItem* png = list->Items()->Items(0);
    EXPECT_EQ(png->ImageFormat, ifPNG);
    EXPECT_EQ(png->PixelFormat, fw::pf32bit);
    TsImgListItem* ico = list->Items()->Items(1);
    EXPECT_EQ(ico->ImageFormat, ifICO);
    EXPECT_EQ(ico->PixelFormat, fw::pf32bit);
    EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t*>(ico->ImgData->Memory()),
                                   static_cast<uint8_t*>(ico->ImgData->Memory()) + ico->ImgData->Size()),
              alphaIco)
        << "the file is kept byte for byte";
    EXPECT_EQ(list->Items()->Items(2)->PixelFormat, fw::pf24bit);

    // What is not an image, or cannot be made into one, leaves nothing behind.
    EXPECT_FALSE(list->TryLoadFromFile(dir / L"note.txt"));
    EXPECT_FALSE(list->TryLoadFromFile(dir / L"junk.ico"));
    EXPECT_THROW(list->TryLoadFromFile(dir / L"bad.png"), fw::Exception);
    EXPECT_EQ(list->Items()->Count(), 3);
    EXPECT_EQ(list->Count(), 3);
    EXPECT_NO_THROW(list->GenerateStdList()) << "no broken item was kept";
    EXPECT_EQ(list->Count(), 3);

    {
        fw::DialogSeam::Scope seam;
        list->LoadFromFile(dir / L"note.txt");
        ASSERT_EQ(fw::DialogSeam::Log().size(), 1u);
        const auto& asked = fw::DialogSeam::Log()[0];
        EXPECT_EQ(asked.Text, L"Cannot load " + (dir / L"note.txt") + L"\r\nInvalid or unexpected image format.");
        EXPECT_EQ(asked.DlgType, int(fw::mtError));
    }

    // Icons drawn from the native list: the square, the clear border showing through.
    for (int i : {1, 2}) {
        auto canvas = Filled24(20, 20, 0x808080);
        TsAlphaImageList square(nullptr, 16, 16);
        square.AfterConstruction();
        ASSERT_TRUE(square.TryLoadFromFile(dir / (i == 1 ? L"alpha.ico" : L"plain.ico")));
        square.Draw(canvas->Canvas(), 2, 2, 0);
        EXPECT_TRUE(Near(Px(*canvas, 10, 10), 0x00C000)) << i;
        EXPECT_EQ(Px(*canvas, 3, 3), 0x808080u) << i;
        EXPECT_EQ(Px(*canvas, 1, 1), 0x808080u) << i;
    }

    // Without a native list nothing is taken.
    list->KillImgList();
    EXPECT_FALSE(list->HandleAllocated());
    EXPECT_FALSE(list->TryLoadFromFile(dir / L"strip.png"));
    EXPECT_EQ(list->Items()->Count(), 3);
}

TEST(AlphaImageList, GlyphColumnsAreDrawnWithTheirAlpha) {
    TempDir dir;
    WriteFileBytes(dir / L"strip.png", PngRGBA(64, 16, Strip));
    auto list = NewList(64, 16);
    ASSERT_TRUE(list->TryLoadFromFile(dir / L"strip.png"));

    struct Case {
        int state, glyphs;
        fw::TSize size;
        uint32_t colour;  // at the column's (4, 4)
    } cases[] = {
        {0, 4, {16, 16}, 0xFF0000},  {1, 4, {16, 16}, 0x00FF00},
        {3, 4, {16, 16}, 0xFFFF00},  {7, 4, {16, 16}, 0xFFFF00},  // a state past the columns draws the last one
        {-2, 4, {16, 16}, 0xFF0000}, {0, 0, {64, 16}, 0xFF0000},  // fewer than one column counts as one
        {1, 2, {32, 16}, 0x0000FF},
    };
    for (const Case& c : cases) {
        auto dest = Filled24(80, 24, 0x404040);
        const fw::TSize got =
            DrawAlphaImgList(list.get(), dest.get(), 2, 3, 0, 0, fw::clNone, c.state, c.glyphs, false);
        EXPECT_EQ(got.cx, c.size.cx) << c.state << "/" << c.glyphs;
        EXPECT_EQ(got.cy, c.size.cy) << c.state << "/" << c.glyphs;
        EXPECT_TRUE(Near(Px(*dest, 2 + 4, 3 + 4), c.colour)) << c.state << "/" << c.glyphs;
        EXPECT_EQ(Px(*dest, 2, 3), 0x404040u) << "a clear pixel shows what was there";
        EXPECT_EQ(Px(*dest, 1, 3), 0x404040u);
        EXPECT_EQ(Px(*dest, 2 + got.cx, 3 + 4), 0x404040u) << "nothing right of the column";
        EXPECT_EQ(Px(*dest, 2 + 4, 3 + 16), 0x404040u) << "nothing below it";
    }

    // Half alpha mixes; Blend weakens; a grey colour tints by the picture's grey.
    auto dest = Filled24(20, 20, 0x404040);
    DrawAlphaImgList(list.get(), dest.get(), 0, 0, 0, 0, fw::clNone, 0, 4, false);
    EXPECT_TRUE(Near(Px(*dest, 8, 8), 0x9F2020, 3));
    dest = Filled24(20, 20, 0x404040);
    DrawAlphaImgList(list.get(), dest.get(), 0, 0, 0, 50, fw::clNone, 0, 4, false);
    EXPECT_TRUE(Near(Px(*dest, 4, 4), 0x9F2020, 3));

    // Nothing to draw: no width, no native list, a plain list without the image.
    fw::TBitmap empty;
    EXPECT_EQ(DrawAlphaImgList(list.get(), &empty, 0, 0, 0, 0, fw::clNone, 0, 4, false).cx, 0);
    dest = Filled24(20, 20, 0x404040);
    EXPECT_EQ(DrawAlphaImgList(list.get(), dest.get(), 0, 0, 5, 0, fw::clNone, 0, 4, false).cx, 16);
    EXPECT_EQ(Px(*dest, 4, 4), 0x404040u);

    // A plain image list draws its whole picture and gives the column.
    fw::TImageList plain(nullptr, 64, 16);
    fw::TBitmap strip(64, 16, fw::pf24bit);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 16; ++y) {
            const uint32_t p = Strip(x, y);
            strip.Canvas()->SetPixels(x, y, fw::TColor((p >> 16 & 0xFF) | (p & 0xFF00) | (p & 0xFF) << 16));
        }
    plain.Add(&strip, nullptr);
    dest = Filled24(20, 20, 0x404040);
    const fw::TSize got = DrawAlphaImgList(&plain, dest.get(), 1, 1, 0, 0, fw::clNone, 2, 4, false);
    EXPECT_EQ(got.cx, 16);
    EXPECT_EQ(Px(*dest, 5, 5), 0x0000FFu);
    EXPECT_EQ(Px(*dest, 0, 0), 0x404040u);

    list->KillImgList();
    EXPECT_EQ(DrawAlphaImgList(list.get(), dest.get(), 0, 0, 0, 0, fw::clNone, 0, 4, false).cx, 0);
    EXPECT_EQ(DrawAlphaImgList(list.get(), dest.get(), 0, 0, 0, 0, fw::clNone, 0, 4, false).cy, 0);
}

TEST(AlphaImageList, APictureLargerThanTheListIsResampledToIt) {
    TempDir dir;
    WriteFileBytes(dir / L"big.png", PngRGBA(24, 24, [](int x, int y) { return Halves(x, y, 24); }));
    auto list = NewList(16, 16);
    ASSERT_TRUE(list->TryLoadFromFile(dir / L"big.png"));

    fw::TBitmap image(16, 16, fw::pf32bit);
    ASSERT_TRUE(list->GetBitmap32(0, &image));
    EXPECT_EQ(image.Width(), 16);
    EXPECT_EQ(image.PixelFormat(), fw::pf32bit);
    EXPECT_TRUE(Near(Px(image, 2, 8), 0xFF0000, 4));
    EXPECT_TRUE(Near(Px(image, 13, 8), 0x0000FF, 4));
    EXPECT_EQ(Px(image, 2, 8) >> 24, 255u);
    EXPECT_FALSE(list->GetBitmap32(1, &image));
    EXPECT_FALSE(list->GetBitmap32(-1, &image));

    // Drawing goes the same way, at the list's size.
    auto canvas = Filled24(24, 24, 0xFFFFFF);
    list->Draw(canvas->Canvas(), 4, 4, 0);
    EXPECT_TRUE(Near(Px(*canvas, 4 + 2, 4 + 8), 0xFF0000, 4));
    EXPECT_TRUE(Near(Px(*canvas, 4 + 13, 4 + 8), 0x0000FF, 4));
    EXPECT_EQ(Px(*canvas, 3, 12), 0xFFFFFFu);
    EXPECT_EQ(Px(*canvas, 4 + 16, 12), 0xFFFFFFu);

    // A picture of the list's size comes back as it is, alpha and all.
    WriteFileBytes(dir / L"strip.png", PngRGBA(64, 16, Strip));
    auto strips = NewList(64, 16);
    ASSERT_TRUE(strips->TryLoadFromFile(dir / L"strip.png"));
    fw::TBitmap same;
    ASSERT_TRUE(strips->GetBitmap32(0, &same));
    EXPECT_EQ(same.Width(), 64);
    EXPECT_EQ(Px(same, 8, 8), 0x80FF0000u);
    EXPECT_EQ(Px(same, 16, 0) >> 24, 0u);
    EXPECT_EQ(Px(same, 20, 4), 0xFF00FF00u);
}

TEST(AlphaImageList, ALoadedListIsBuiltThenRepairsPicturesAddedWithoutAlpha) {
    TempDir dir;
    WriteFileBytes(dir / L"strip.png", PngRGBA(16, 16, Strip));
    WriteFileBytes(dir / L"plain.ico", Ico32(
                                           32, 32, [](int x, int y) { return GreenSquare(x, y) & 0xFFFFFFu; },
                                           [](int x, int y) { return GreenSquare(x, y) == 0; }));
    auto source = NewList(16, 16);
    ASSERT_TRUE(source->TryLoadFromFile(dir / L"strip.png"));
    ASSERT_TRUE(source->TryLoadFromFile(dir / L"plain.ico"));
    fw::TMemoryStream stream;
    fw::TWriter(&stream).WriteProperties(source.get());
    // Formats by name; the pixel format only where it is not pf32bit.
    const std::string bytes(static_cast<char*>(stream.Memory()), size_t(stream.Size()));
    EXPECT_NE(bytes.find(std::string("\x0BImageFormat\x07\x05ifPNG")), std::string::npos);
    EXPECT_NE(bytes.find(std::string("\x0BPixelFormat\x07\x07pf24bit")), std::string::npos);
    EXPECT_EQ(bytes.find("pf32bit"), std::string::npos);

    for (bool doubleData : {true, false}) {
        fw::TComponent root(nullptr);
        fw::BeginLoading(&root);
        auto* list = new TsAlphaImageList(&root, 16, 16);
        list->AfterConstruction();
        list->DoubleData = doubleData;
        stream.SetPosition(0);
        fw::TReader(&stream).ReadProperties(list);
        EXPECT_EQ(list->Count(), 0) << "nothing is built while loading";
        ASSERT_EQ(list->Items()->Count(), 2);
        fw::EndLoading(&root);
        EXPECT_TRUE(list->StdListIsGenerated);
        EXPECT_EQ(list->Count(), 2);
        if (!doubleData) {
            EXPECT_EQ(list->Items()->Count(), 0) << "the files go once the pictures are built";
            continue;
        }
        ASSERT_EQ(list->Items()->Count(), 2);
        EXPECT_EQ(list->Items()->Items(1)->ImageFormat, ifICO);
        EXPECT_EQ(list->Items()->Items(1)->PixelFormat, fw::pf24bit);
        EXPECT_EQ(list->Items()->Items(0)->ImgData->Size(), source->Items()->Items(0)->ImgData->Size());

        // A picture without alpha put into the native list directly: opaque
        // everywhere but its magenta.
        fw::TBitmap pic(16, 16, fw::pf24bit);
        pic.Canvas()->Brush()->SetColor(0xFF00FF);
        pic.Canvas()->FillRect(fw::TRect(0, 0, 16, 16));
        pic.Canvas()->Brush()->SetColor(0x0080FF);
        pic.Canvas()->FillRect(fw::TRect(4, 4, 12, 12));
        EXPECT_EQ(list->Add(&pic, nullptr), 2);
        fw::TBitmap out;
        ASSERT_TRUE(list->GetBitmap32(2, &out));
        EXPECT_EQ(Px(out, 8, 8) >> 24, 255u);
        EXPECT_TRUE(Near(Px(out, 8, 8), 0xFF8000));
        EXPECT_EQ(Px(out, 1, 1) >> 24, 0u);
        // Pictures that had alpha keep it; an icon without alpha stays cut
        // out by its mask.
        ASSERT_TRUE(list->GetBitmap32(0, &out));
        EXPECT_EQ(Px(out, 8, 8) >> 24, 0x80u);
        ASSERT_TRUE(list->GetBitmap32(1, &out));
        EXPECT_EQ(Px(out, 8, 8) >> 24, 255u);
        EXPECT_EQ(Px(out, 1, 1) >> 24, 0u);
        auto canvas = Filled24(16, 16, 0x404040);
        list->Draw(canvas->Canvas(), 0, 0, 2);
        EXPECT_TRUE(Near(Px(*canvas, 8, 8), 0xFF8000, 3));
        EXPECT_EQ(Px(*canvas, 1, 1), 0x404040u);
    }
}

TEST(AlphaImageList, AssignCopiesSettingsAndPicturesQuietly) {
    TempDir dir;
    WriteFileBytes(dir / L"red.png", PngRGBA(24, 24, [](int, int) { return 0xFFFF0000u; }));
    WriteFileBytes(dir / L"halves.png", PngRGBA(24, 24, [](int x, int y) { return Halves(x, y, 24); }));
    auto source = NewList(24, 24);
    source->SetBkColor(fw::clYellow);
    source->SetDrawingStyle(fw::dsTransparent);
    ASSERT_TRUE(source->TryLoadFromFile(dir / L"red.png"));
    ASSERT_TRUE(source->TryLoadFromFile(dir / L"halves.png"));

    struct Counter {
        int n = 0;
        void Hit(fw::TObject*) { ++n; }
    } changes;
    auto target = NewList(16, 16);
    target->OnChange = fw::TNotifyEvent(&changes, &Counter::Hit);
    target->Assign(source.get());
    EXPECT_EQ(changes.n, 0) << "no change notification";
    EXPECT_EQ(target->Width(), 24);
    EXPECT_EQ(target->Height(), 24);
    EXPECT_EQ(target->DrawingStyle(), fw::dsTransparent);
    EXPECT_EQ(target->BkColor(), fw::clYellow);
    EXPECT_EQ(ImageList_GetBkColor(source->Handle()), CLR_NONE) << "the source's background is none afterwards";
    ASSERT_EQ(target->Items()->Count(), 2);
    EXPECT_EQ(target->Count(), 2);
    fw::TBitmap image;
    ASSERT_TRUE(target->GetBitmap32(1, &image));
    EXPECT_TRUE(Near(Px(image, 20, 10), 0x0000FF));

    // From a list that dropped its files: the pictures still come over.
    auto dropped = NewList(24, 24);
    dropped->DoubleData = false;
    ASSERT_TRUE(dropped->TryLoadFromFile(dir / L"red.png"));
    ASSERT_TRUE(dropped->TryLoadFromFile(dir / L"halves.png"));
    EXPECT_EQ(dropped->Items()->Count(), 0);
    auto copy = NewList(16, 16);
    copy->Assign(dropped.get());
    EXPECT_EQ(copy->Count(), 2);
    ASSERT_EQ(copy->Items()->Count(), 2);
    EXPECT_EQ(copy->Items()->Items(0)->ImageFormat, ifICO);
    auto canvas = Filled24(24, 24, 0x404040);
    copy->Draw(canvas->Canvas(), 0, 0, 1);
    EXPECT_TRUE(Near(Px(*canvas, 3, 12), 0xFF0000, 3));
    EXPECT_TRUE(Near(Px(*canvas, 20, 12), 0x0000FF, 3));
    // A list that keeps no files takes the icons.
    auto noFiles = NewList(16, 16);
    noFiles->DoubleData = false;
    noFiles->Assign(source.get());
    EXPECT_EQ(noFiles->Count(), 2);
    EXPECT_EQ(noFiles->Items()->Count(), 0);

    // Emptied files: the items stay, the pictures come from the native list.
    target->ItemsClear();
    ASSERT_EQ(target->Items()->Count(), 2);
    EXPECT_EQ(target->Items()->Items(1)->ImgData->Size(), 0);
    fw::TBitmap fromIcon(24, 24, fw::pf32bit);
    ASSERT_TRUE(target->GetBitmap32(1, &fromIcon));
    EXPECT_TRUE(Near(Px(fromIcon, 20, 10), 0x0000FF, 3));
    EXPECT_TRUE(Near(Px(fromIcon, 3, 10), 0xFF0000, 3));

    // The icon size of another native list; none readable keeps the size.
    auto sized = NewList(16, 16);
    sized->SetNewDimensions(source->Handle());
    EXPECT_EQ(sized->Width(), 24);
    EXPECT_EQ(sized->Height(), 24);
    sized->SetNewDimensions(nullptr);
    EXPECT_EQ(sized->Width(), 24);

    // Nil takes the native list away.
    target->Assign(nullptr);
    EXPECT_FALSE(target->HandleAllocated());
    EXPECT_EQ(target->Count(), 0);

    // Resources: a PNG in RT_RCDATA (the library's own shadow image), an icon that is not there.
    auto res = NewList(32, 32);
    EXPECT_TRUE(AddImageFromRes(acResourceInstance(), res.get(), L"acSHDA", ifPNG));
    EXPECT_EQ(res->Count(), 1);
    EXPECT_FALSE(AddImageFromRes(acResourceInstance(), res.get(), L"NOSUCHICON", ifICO));
    EXPECT_EQ(res->Count(), 1);
}
