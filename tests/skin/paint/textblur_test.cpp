// Skinned text against DrawTextW's own output on a non-antialiased font, the
// glow blend from a given mask, and the blur kernel by radius.
#include <gtest/gtest.h>

#include "PaintTestBitmaps.h"
#include "SkinTables.h"
#include "framework/graphics/Color.h"
#include "skin/engine/sColorMath.h"
#include "skin/paint/sBlur.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sTextOut.h"

using namespace skin;
using namespace painttest;

namespace {

std::unique_ptr<fw::TBitmap> Canvas24(int w, int h) {
    auto b = Make(fw::pf24bit, w, h);
    Fill(*b, 255);
    b->Canvas()->Font()->SetName(L"Courier New");  // bitmap-like strokes, no antialiasing below
    b->Canvas()->Font()->SetHeight(-13);
    b->Canvas()->Font()->SetQuality(fw::fqNonAntialiased);
    return b;
}

// Every pixel equal.
::testing::AssertionResult SamePixels(fw::TBitmap& a, fw::TBitmap& b) {
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (Get(a, x, y) != Get(b, x, y)) return ::testing::AssertionFailure() << "differs at " << x << ", " << y;
    return ::testing::AssertionSuccess();
}

void DrawPlain(fw::TBitmap* b, const wchar_t* text, fw::TRect r, fw::TColor colour) {
    fw::TCanvas* c = b->Canvas();
    c->Brush()->SetStyle(fw::bsClear);
    c->Font()->SetColor(colour);
    DrawTextW(c->Handle(), text, -1, r.AsRECT(), DT_LEFT);
}

}  // namespace

TEST(SkinnedText, SectionColoursAndOutlinesMatchDrawText) {
    SkinTables t;
    t.sm->gd[0].FontColor = {0x000000, 0x0000FF, -1, 0x00FF00, -1};
    struct Case {
        int section;
        bool enabled;
    } cases[] = {{2, true}, {0, true}, {0, false}};
    for (const Case& c : cases) {
        auto got = Canvas24(120, 30), want = Canvas24(120, 30);
        fw::TRect r(10, 5, 110, 25);
        WriteTextEx(got->Canvas(), L"Skin 42", c.enabled, r, DT_LEFT, c.section, false, t.sm.get());
        const TsGeneralData& g = t.sm->gd[size_t(c.section)];
        if (!c.enabled) {
            DrawPlain(want.get(), L"Skin 42", r, MixColors(g.FontColor[0], g.Color, 0.4));
        } else {
            if (g.FontColor[1] != -1) DrawPlain(want.get(), L"Skin 42", fw::TRect(9, 5, 109, 25), g.FontColor[1]);
            if (g.FontColor[3] != -1) DrawPlain(want.get(), L"Skin 42", fw::TRect(11, 5, 111, 25), g.FontColor[3]);
            DrawPlain(want.get(), L"Skin 42", r, g.FontColor[0]);
        }
        EXPECT_TRUE(SamePixels(*got, *want)) << "section " << c.section << " enabled " << c.enabled;
    }
    // An index the manager lacks draws nothing.
    auto got = Canvas24(60, 20), blank = Canvas24(60, 20);
    fw::TRect r(0, 0, 60, 20);
    WriteTextEx(got->Canvas(), L"x", true, r, DT_LEFT, 9, false, t.sm.get());
    EXPECT_TRUE(SamePixels(*got, *blank));
}

TEST(SkinnedText, DisabledPlainTextIsEmbossedAndTheBoxIsReturned) {
    auto got = Canvas24(120, 30), want = Canvas24(120, 30);
    fw::TRect r(10, 5, 110, 25);
    WriteText(got->Canvas(), L"Off", false, r, DT_LEFT);
    SIZE sz{};
    GetTextExtentPoint32W(want->Canvas()->Handle(), L"Off", 3, &sz);
    const int dy = (sz.cy - 20) / 2;
    const fw::TRect box(10, 5 - dy, 10 + sz.cx, 25 + dy);
    EXPECT_EQ(r, fw::TRect(box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1));
    DrawPlain(want.get(), L"Off", fw::TRect(box.Left + 1, box.Top + 1, box.Right + 1, box.Bottom + 1),
              fw::ColorToRGB(fw::clBtnHighlight));
    DrawPlain(want.get(), L"Off", box, fw::ColorToRGB(fw::clBtnShadow));
    EXPECT_TRUE(SamePixels(*got, *want));
}

TEST(SkinnedText, CutTextKeepsWhatFitsWithAnEllipsis) {
    auto b = Canvas24(10, 10);
    fw::TCanvas* c = b->Canvas();
    EXPECT_EQ(CutText(c, L"Hello", 0), L"");
    EXPECT_EQ(CutText(c, L"Hello", 1000), L"Hello");
    const int two = c->TextWidth(L"He...");
    EXPECT_EQ(CutText(c, L"Hello", two), L"He...");
    EXPECT_EQ(CutText(c, L"Hello", c->TextWidth(L"...") - 1), L"");
}

TEST(TextGlow, BlendsTheGlowColourByAGivenMask) {
    // A mask of the right size is used as it is: nothing is drawn into it.
    auto dst24 = Make(fw::pf24bit, 12, 12), dst32 = Make(fw::pf32bit, 12, 12);
    const int blur = 1, m = blur + 4;
    const fw::TRect R(m, m, m + 2, m + 1);  // the mask is 2 + 2m by 1 + 2m, at (0, 0) of the target
    fw::TBitmap* mask = new fw::TBitmap(2 + 2 * m, 1 + 2 * m, fw::pf8bit);
    Fill(*mask, 255);
    Put(*mask, 0, 0, {128});
    Put(*mask, 1, 0, {128});
    Put(*mask, 2, 0, {100});
    Fill(*dst24, 255);
    Put(*dst24, 1, 0, {0, 0, 0});
    Fill(*dst32, 200);
    acDrawGlowForText(dst24.get(), L"x", R, 0, 15, blur, 0x000000, mask);
    EXPECT_EQ(Get(*dst24, 0, 0), std::vector<uint8_t>(3, 128));  // (255 - 0) * 128 / 255
    EXPECT_EQ(Get(*dst24, 3, 0), std::vector<uint8_t>(3, 255));  // mask 255: skipped
    Put(*dst24, 0, 0, {0, 0, 0});
    acDrawGlowForText(dst24.get(), L"x", R, 0, 15, blur, 0xFFFFFF, mask);
    EXPECT_EQ(Get(*dst24, 0, 0), std::vector<uint8_t>(3, 127));  // (0 - 255) * 128 / 255 + 255
    acDrawGlowForText(dst32.get(), L"x", R, 0, 15, blur, 0x000000, mask);
    EXPECT_EQ(Get(*dst32, 2, 0)[3], 45);  // 200 - (255 - 100)
    delete mask;
}

TEST(GaussianBlur, KernelSizeByRadius) {
    struct Case {
        double radius;
        int size;
    } cases[] = {{1, 2}, {2, 5}, {10, 30}};
    for (const Case& c : cases) {
        const TKernel k = MakeGaussianKernel(c.radius);
        EXPECT_EQ(k.Size, c.size) << c.radius;
        double sum = 0;
        for (int i = -k.Size; i <= k.Size; ++i) sum += k.W(i);
        EXPECT_NEAR(sum, 1.0, 1e-5);
        EXPECT_FLOAT_EQ(k.W(-1), k.W(1));
    }
    EXPECT_LE(MakeGaussianKernel(80).Size, 100);
    EXPECT_EQ(MakeGaussianKernel(0).Size, 0);
}

TEST(GaussianBlur, WhiteStaysWhiteAndAPointSpreadsSymmetrically) {
    for (double radius : {1.0, 3.0, 10.0}) {
        auto b = Make(fw::pf8bit, 17, 9);
        Fill(*b, 255);
        Blur8(b.get(), radius);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 17; ++x) EXPECT_GE(Get(*b, x, y)[0], 254) << radius;
    }
    auto p = Make(fw::pf24bit, 11, 11);
    Put(*p, 5, 5, {255, 255, 255});
    Blur24(p.get(), 1.5);
    EXPECT_GT(Get(*p, 5, 5)[0], Get(*p, 6, 5)[0]);
    EXPECT_EQ(Get(*p, 4, 5), Get(*p, 6, 5));
    EXPECT_EQ(Get(*p, 5, 4), Get(*p, 5, 6));
    // No kernel for a radius of 0 or less, and other formats are left.
    auto q = Make(fw::pf24bit, 5, 5);
    Put(*q, 2, 2, {255, 255, 255});
    Blur24(q.get(), 0);
    Blur8(q.get(), 2);
    EXPECT_EQ(Get(*q, 2, 2), std::vector<uint8_t>(3, 255));
    EXPECT_EQ(Get(*q, 1, 2), std::vector<uint8_t>(3, 0));
}

TEST(SkinnedText, ControlTextUnderlinedWhenHotOnAWebButtonWithItsGlowInTheCache) {
    SkinTables t;
    TsGeneralData web;
    web.ClassName = L"WEBBUTTON";
    web.FontColor = {0x000000, -1, -1, -1, -1};
    web.HotFontColor = {0x800000, -1, -1, -1, -1};
    web.HotGlowSize = 2;
    web.HotGlowColor = 0x0000FF;
    t.sm->gd.push_back(web);
    fw::TComponent owner(nullptr);
    TsCommonData sd(&owner, true);
    sd.SetSkinManager(t.sm.get());
    sd.SetSkinSection(L"WEBBUTTON");
    ASSERT_EQ(sd.SkinIndex, 3);
    sd.FCacheBmp->SetSize(120, 30);
    Fill(*sd.FCacheBmp, 255);
    auto got = Canvas24(120, 30), want = Canvas24(120, 30);
    fw::TRect r(10, 5, 110, 25);
    WriteTextEx(got->Canvas(), L"Link", true, r, DT_LEFT, &sd, true);
    want->Canvas()->Font()->SetStyle(fw::fsUnderline);
    DrawPlain(want.get(), L"Link", r, 0x800000);
    EXPECT_TRUE(SamePixels(*got, *want));
    // The glow went into the cache: red around the text, nothing beyond the mask.
    bool reddish = false;
    for (int x = 10; x < 60; ++x) reddish |= Get(*sd.FCacheBmp, x, 15)[0] < 255 && Get(*sd.FCacheBmp, x, 15)[2] == 255;
    EXPECT_TRUE(reddish);
    EXPECT_EQ(Get(*sd.FCacheBmp, 117, 2), std::vector<uint8_t>(3, 255));  // outside R inflated by 2 + 4
}
