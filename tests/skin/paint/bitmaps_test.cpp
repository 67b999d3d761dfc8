#include "skin/paint/sBitmaps.h"

#include <gtest/gtest.h>

#include "PaintTestBitmaps.h"
#include "framework/graphics/Jpeg.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/StdCtrls.h"
#include "skin/paint/sChannels.h"

using namespace skin;
using namespace painttest;
using V = std::vector<uint8_t>;

TEST(Bitmaps, NestedFramesAndFocusDots) {
    auto b = Make(fw::pf24bit, 12, 12);
    fw::TRect r(0, 0, 10, 10);
    int width = 2;
    DrawRectangleOnDC(b->Canvas()->Handle(), r, fw::RGBColor(255, 0, 0), fw::RGBColor(0, 0, 255), width);
    EXPECT_EQ(r, fw::TRect(2, 2, 8, 8));
    EXPECT_EQ(width, 0);
    EXPECT_EQ(Get(*b, 0, 0), (V{0, 0, 255}));  // top-left colour
    EXPECT_EQ(Get(*b, 9, 9), (V{255, 0, 0}));  // bottom-right colour
    EXPECT_EQ(Get(*b, 1, 5), (V{0, 0, 255}));  // the second frame
    EXPECT_EQ(Get(*b, 8, 5), (V{255, 0, 0}));
    EXPECT_EQ(Get(*b, 2, 2), (V{0, 0, 0}));    // inside
    EXPECT_EQ(Get(*b, 10, 10), (V{0, 0, 0}));  // outside

    auto f = Make(fw::pf24bit, 20, 20);
    Fill(*f, 128);
    FocusRect(f->Canvas(), fw::TRect(10, 10, 16, 13));
    for (int x : {10, 13, 16})
        for (int y : {10, 13}) EXPECT_EQ(Get(*f, x, y), V(3, 0)) << x << "," << y;
    for (int y : {10, 13}) EXPECT_EQ(Get(*f, 10, y), V(3, 0));
    EXPECT_EQ(Get(*f, 9, 9), V(3, 255));
    EXPECT_EQ(Get(*f, 11, 10), V(3, 128));
}

TEST(Bitmaps, ButtonLayouts) {
    struct Case {
        TButtonLayout layout;
        fw::TAlignment alignment;
        int margin, spacing, bidi;
        fw::TPoint glyph;
        fw::TRect text;
    } cases[] = {
        {blGlyphLeft, fw::taCenter, -1, 4, 0, fw::TPoint(20, 7), fw::TRect(40, 9, 80, 22)},
        {blGlyphLeft, fw::taLeftJustify, -1, 4, 0, fw::TPoint(2, 7), fw::TRect(22, 9, 62, 22)},
        {blGlyphRight, fw::taLeftJustify, -1, 4, 0, fw::TPoint(46, 7), fw::TRect(2, 9, 42, 22)},
        {blGlyphLeft, fw::taLeftJustify, -1, 4, DT_RIGHT, fw::TPoint(46, 7), fw::TRect(2, 9, 42, 22)},
        {blGlyphLeft, fw::taRightJustify, 5, 4, 0, fw::TPoint(35, 7), fw::TRect(55, 9, 95, 22)},
        {blGlyphLeft, fw::taLeftJustify, -1, -1, 0, fw::TPoint(14, 7), fw::TRect(44, 9, 84, 22)},
        {blGlyphTop, fw::taCenter, -1, 0, 0, fw::TPoint(42, 0), fw::TRect(30, 16, 70, 29)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << int(c.layout) << " alignment " << int(c.alignment));
        fw::TPoint glyph;
        fw::TRect text;
        CalcButtonLayout(fw::TRect(0, 0, 100, 30), fw::TPoint(16, 16), SIZE{40, 13}, c.layout, c.alignment, c.margin,
                         c.spacing, glyph, text, c.bidi);
        EXPECT_EQ(glyph.X, c.glyph.X);
        EXPECT_EQ(glyph.Y, c.glyph.Y);
        EXPECT_EQ(text, c.text);
    }
    // The client's origin shifts both.
    fw::TPoint glyph;
    fw::TRect text;
    CalcButtonLayout(fw::TRect(5, 6, 105, 36), fw::TPoint(16, 16), SIZE{40, 13}, blGlyphLeft, fw::taCenter, -1, 4,
                     glyph, text, 0);
    EXPECT_EQ(glyph.X, 25);
    EXPECT_EQ(glyph.Y, 13);
    EXPECT_EQ(text, fw::TRect(45, 15, 85, 28));
}

TEST(Bitmaps, LoadJpegOrBmpByExtension) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const fw::String base = fw::String(dir) + L"kvb-paint-load";
    auto bmp = Make(fw::pf24bit, 4, 3);
    Fill(*bmp, 90);
    Put(*bmp, 0, 0, V{10, 20, 31});
    bmp->SaveToFile(base + L".bmp");
    fw::TJPEGImage jpeg;
    jpeg.Assign(bmp.get());
    jpeg.SaveToFile(base + L".JpEg");
    CopyFileW((base + L".bmp").c_str(), (base + L".gif").c_str(), FALSE);

    fw::TPicture picture;
    LoadJpegOrBmp(&picture, base + L".JpEg", false);
    ASSERT_TRUE(dynamic_cast<fw::TJPEGImage*>(picture.Graphic()));
    EXPECT_EQ(picture.Graphic()->Width(), 4);
    LoadJpegOrBmp(&picture, base + L".gif", false);  // another extension: unchanged
    EXPECT_TRUE(dynamic_cast<fw::TJPEGImage*>(picture.Graphic()));
    LoadJpegOrBmp(&picture, base + L".bmp", true);
    ASSERT_TRUE(dynamic_cast<fw::TBitmap*>(picture.Graphic()));
    EXPECT_EQ(picture.Bitmap()->PixelFormat(), fw::pf24bit);
    EXPECT_EQ(Get(*picture.Bitmap(), 0, 0), V(3, 20));  // greyed
    LoadJpegOrBmp(&picture, base + L"-missing.bmp", false);
    EXPECT_TRUE(!picture.Graphic() || picture.Graphic()->Empty());
    for (const wchar_t* ext : {L".bmp", L".JpEg", L".gif"}) DeleteFileW((base + ext).c_str());
}

TEST(Bitmaps, ExcludedControlsAreVisibleGraphicChildren) {
    fw::TPanel* panel = fw::Create<fw::TPanel>(nullptr);
    panel->SetBounds(0, 0, 100, 100);
    fw::TLabel* label = fw::Create<fw::TLabel>(nullptr);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 20, 20);
    label->SetParent(panel);
    fw::TLabel* hidden = fw::Create<fw::TLabel>(nullptr);
    hidden->SetAutoSize(false);
    hidden->SetBounds(50, 50, 20, 20);
    hidden->SetVisible(false);
    hidden->SetParent(panel);
    fw::TPanel* windowed = fw::Create<fw::TPanel>(nullptr);
    windowed->SetBounds(60, 10, 20, 20);
    windowed->SetParent(panel);

    auto b = Make(fw::pf24bit, 100, 100);
    HDC dc = b->Canvas()->Handle();
    const int saved = SaveDC(dc);
    ExcludeControls(dc, panel, actGraphic, 1, 2);
    FillDC(dc, fw::TRect(0, 0, 100, 100), fw::RGBColor(255, 255, 255));
    RestoreDC(dc, saved);
    EXPECT_EQ(Get(*b, 11, 12), V(3, 0));  // the label, shifted by the offset
    EXPECT_EQ(Get(*b, 10, 10), V(3, 255));
    EXPECT_EQ(Get(*b, 55, 55), V(3, 255));  // hidden
    EXPECT_EQ(Get(*b, 65, 15), V(3, 255));  // windowed
    panel->Free();
}
