// Section backgrounds on small bitmaps with skin tables built in code: the
// transparency blend over a parent cache or colour, textures and their tint,
// gradients over textures, the custom colour, the masked overlay, and the
// fast variant of the scroll bars.
#include <gtest/gtest.h>

#include <memory>

#include "PaintTestBitmaps.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sSectionBG.h"

using namespace skin;
using namespace painttest;

namespace {

using Px = std::vector<uint8_t>;

Px Grey(uint8_t v) { return Px(3, v); }

// Sections by name with their values set in each test; textures are images
// with bitmaps of their own: a flat grey 200 texture and a masked 4 x 4 dot
// with draw mode 10 (its middle 2 x 2 under mask 0, grey 200 under mask 255
// around it).
struct SectionTables {
    std::unique_ptr<TsSkinManager> sm = std::make_unique<TsSkinManager>(nullptr);
    std::unique_ptr<fw::TBitmap> flat = Make(fw::pf24bit, 4, 4), dot = Make(fw::pf24bit, 4, 8);
    int flatIndex = -1, dotIndex = -1;

    SectionTables() {
        Fill(*flat, 200);
        Fill(*dot, 255);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                const bool middle = x >= 1 && x <= 2 && y >= 1 && y <= 2;
                Put(*dot, x, y, middle ? Px{10, 20, 30} : Grey(200));
                if (middle) Put(*dot, x, y + 4, {0, 0, 0});
            }
        TsMaskData t;
        t.Manager = sm.get();
        t.ImgType = itisaTexture;
        t.ImageCount = 1;
        t.ClassName = L"TEX";
        t.PropertyName = L"PATTERN";
        t.Bmp = flat.get();
        t.R = fw::TRect(0, 0, 4, 4);
        TsMaskData d = t;
        d.ClassName = L"DOT";
        d.PropertyName = L"HOTPATTERN";
        d.Bmp = dot.get();
        d.R = fw::TRect(0, 0, 4, 8);
        d.MaskType = 1;
        d.DrawMode = 10;
        sm->ma = {t, d};
        flatIndex = 0, dotIndex = 1;
        for (const wchar_t* name : {L"PLAIN", L"TEX", L"DOT"}) {
            TsGeneralData g;
            g.ClassName = name;
            sm->gd.push_back(g);
        }
    }
    ~SectionTables() {
        for (TsMaskData& m : sm->ma) m.Bmp = nullptr;  // owned here
    }
    TsGeneralData& Section(const wchar_t* name) { return sm->gd[size_t(sm->GetSkinIndex(name))]; }
    void Paint(const wchar_t* name, const TCacheInfo& CI, int State, fw::TBitmap* Bmp, fw::TRect R,
               fw::TPoint pP = fw::TPoint(0, 0), int Tex = -1, int HotTex = -1, TColor Custom = 0xFF00FF) {
        PaintItemBG(sm->GetSkinIndex(name), name, CI, State, R, pP, Bmp, sm.get(), Tex, HotTex, Custom);
    }
};

TCacheInfo FillCI(TColor c) {
    TCacheInfo ci;
    ci.FillColor = c;
    return ci;
}

}  // namespace

TEST(SectionBackground, TransparencyOverAParentCacheOrColour) {
    SectionTables t;
    TsGeneralData& plain = t.Section(L"PLAIN");
    plain.Color = 0x646464;  // 100 in each channel
    auto parent = Make(fw::pf24bit, 8, 8);
    Fill(*parent, 200);
    auto item = Make(fw::pf24bit, 4, 4);
    // 30: t = 76; (200 * 76 + 100 * 179 + 127) shr 8 = 129.
    plain.Transparency = 30;
    t.Paint(L"PLAIN", MakeCacheInfo(parent.get()), 0, item.get(), fw::TRect(0, 0, 4, 4));
    EXPECT_EQ(Get(*item, 3, 3), Grey(129));
    // 40 over a black parent colour: 60 % of red 255 -> 153.
    plain.Transparency = 40;
    plain.Color = 0x0000FF;
    t.Paint(L"PLAIN", FillCI(0x000000), 0, item.get(), fw::TRect(0, 0, 4, 4));
    EXPECT_EQ(Get(*item, 0, 0), (Px{0, 0, 153}));
    // Nothing known behind it: the section's own colour, whatever its transparency.
    t.Paint(L"PLAIN", FillCI(0xFF00FF), 0, item.get(), fw::TRect(0, 0, 4, 4));
    EXPECT_EQ(Get(*item, 1, 1), (Px{0, 0, 255}));
    // Opaque: the colour over any parent; a custom colour wins even over transparency.
    plain.Transparency = 0;
    t.Paint(L"PLAIN", MakeCacheInfo(parent.get()), 0, item.get(), fw::TRect(0, 0, 4, 4));
    EXPECT_EQ(Get(*item, 2, 2), (Px{0, 0, 255}));
    plain.Transparency = 100;
    t.Paint(L"PLAIN", MakeCacheInfo(parent.get()), 0, item.get(), fw::TRect(0, 0, 4, 4), {}, -1, -1, 0x00FF00);
    EXPECT_EQ(Get(*item, 2, 2), (Px{0, 255, 0}));
}

TEST(SectionBackground, FullTransparencyCopiesTheParentRectangleExactly) {
    SectionTables t;
    t.Section(L"PLAIN").Transparency = 100;
    auto parent = Make(fw::pf24bit, 12, 12, true);
    Pattern(*parent, 3);
    auto item = Make(fw::pf24bit, 10, 10);
    Fill(*item, 7);
    const Snapshot before(*item);
    // The pixel behind R's corner (2, 1) is (CI.X + pP.X, CI.Y + pP.Y) = (4, 3).
    t.Paint(L"PLAIN", MakeCacheInfo(parent.get(), 3, 2), 0, item.get(), fw::TRect(2, 1, 6, 4), fw::TPoint(1, 1));
    EXPECT_TRUE(UnchangedOutside(*item, before, fw::TRect(2, 1, 6, 4)));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(Get(*item, 2 + x, 1 + y), Get(*parent, 4 + x, 3 + y)) << x << "," << y;
    // Painted into the parent's own cache: the parent's pixels are already there.
    const Snapshot parentBefore(*parent);
    t.Paint(L"PLAIN", MakeCacheInfo(parent.get()), 0, parent.get(), fw::TRect(0, 0, 12, 12));
    EXPECT_TRUE(UnchangedOutside(*parent, parentBefore, fw::TRect()));
}

TEST(SectionBackground, TexturesTintsAndGradients) {
    SectionTables t;
    TsGeneralData& tex = t.Section(L"TEX");
    auto item = Make(fw::pf24bit, 9, 6);
    const fw::TRect all(0, 0, 9, 6);
    // 30 % texture (200), 70 % colour (0): 60, on every tile and the cut ones.
    tex.ImagePercent = 30;
    t.Paint(L"TEX", FillCI(0xFF00FF), 0, item.get(), all);
    EXPECT_EQ(Get(*item, 0, 0), Grey(60));
    EXPECT_EQ(Get(*item, 8, 5), Grey(60));
    // 100 %: the texture alone.
    tex.ImagePercent = 100;
    t.Paint(L"TEX", FillCI(0xFF00FF), 0, item.get(), all);
    EXPECT_EQ(Get(*item, 5, 5), Grey(200));
    // Texture and a black gradient at 50 % each: the texture keeps 127/256
    // (the sum is 100: no tint).
    tex.ImagePercent = 50;
    tex.GradientPercent = 50;
    tex.GradientArray = {TsGradPie{0, 0, 100, 0, 0}};
    t.Paint(L"TEX", FillCI(0xFF00FF), 0, item.get(), all);
    EXPECT_EQ(Get(*item, 4, 3), Grey((200 * 127 + 127) >> 8));
    // A gradient alone paints its stops; a percentage without stops paints the colour.
    tex.ImagePercent = 0;
    tex.GradientPercent = 100;
    tex.GradientArray = {TsGradPie{0x0000FF, 0x0000FF, 100, 0, 0}};
    t.Paint(L"TEX", FillCI(0xFF00FF), 0, item.get(), all);
    EXPECT_EQ(Get(*item, 4, 3), (Px{0, 0, 255}));
    tex.GradientArray.clear();
    tex.Color = 0x00FF00;
    t.Paint(L"TEX", FillCI(0xFF00FF), 0, item.get(), all);
    EXPECT_EQ(Get(*item, 4, 3), (Px{0, 255, 0}));
}

TEST(SectionBackground, AMaskedTextureIsLaidOverNotTiledUnder) {
    SectionTables t;
    TsGeneralData& dot = t.Section(L"DOT");
    dot.Color = 0x808080;
    dot.ImagePercent = 100;
    auto item = Make(fw::pf24bit, 9, 9);
    const fw::TRect all(0, 0, 9, 9);
    // Given as the texture it is no texture: the colour fills; in state 0 with
    // draw mode 10 it is then laid over whole tiles (its middle 2 x 2 shows).
    t.Paint(L"DOT", FillCI(0x00FF00), 0, item.get(), all, {}, t.dotIndex, -1);
    EXPECT_EQ(Get(*item, 1, 1), (Px{10, 20, 30}));
    EXPECT_EQ(Get(*item, 5, 6), (Px{10, 20, 30}));
    // Mask 255 keeps nearly all of what is under it: ((128 - 200) * 255 + 200 * 256) shr 8.
    EXPECT_EQ(Get(*item, 4, 4), Grey(128));
    // No whole tile fits right of column 8 or below row 8: the parent's colour there.
    EXPECT_EQ(Get(*item, 8, 1), (Px{0, 255, 0}));
    EXPECT_EQ(Get(*item, 1, 8), (Px{0, 255, 0}));
    // The hot texture is the overlay when no normal one is given; other states have none.
    t.Paint(L"DOT", FillCI(0x00FF00), 0, item.get(), all, {}, -1, t.dotIndex);
    EXPECT_EQ(Get(*item, 2, 2), (Px{10, 20, 30}));
    dot.HotColor = 0x808080;
    t.Paint(L"DOT", FillCI(0x00FF00), 1, item.get(), all, {}, -1, t.dotIndex);
    EXPECT_EQ(Get(*item, 2, 2), Grey(0x80));
}

TEST(SectionBackground, ThirtyTwoBitItemsStayOpaque) {
    SectionTables t;
    TsGeneralData& plain = t.Section(L"PLAIN");
    plain.Color = 0x646464;
    auto item = Make(fw::pf32bit, 4, 4);
    t.Paint(L"PLAIN", FillCI(0xFF00FF), 0, item.get(), fw::TRect(0, 0, 4, 4));
    EXPECT_EQ(Get(*item, 1, 1), (Px{100, 100, 100, 255}));
    auto parent = Make(fw::pf32bit, 4, 4);
    Fill(*parent, 200);
    plain.Transparency = 30;
    t.Paint(L"PLAIN", MakeCacheInfo(parent.get()), 0, item.get(), fw::TRect(0, 0, 4, 4));
    EXPECT_EQ(Get(*item, 1, 1)[2], 129);
}

TEST(SectionBackground, FastVariantForScrollBars) {
    SectionTables t;
    TsGeneralData& tex = t.Section(L"TEX");
    auto parent = Make(fw::pf24bit, 6, 6);
    Pattern(*parent, 11);
    auto item = Make(fw::pf24bit, 6, 6);
    const fw::TRect all(0, 0, 6, 6);
    auto fast = [&](const TCacheInfo& ci, int state, int bg = -1) {
        PaintItemBGFast(t.sm->GetSkinIndex(L"TEX"), bg, bg, L"TEX", ci, state, all, fw::TPoint(0, 0), item.get(),
                        t.sm.get());
    };
    // Fully transparent over a cache: the parent's pixels.
    tex.Transparency = 100;
    fast(MakeCacheInfo(parent.get()), 0);
    EXPECT_EQ(Get(*item, 3, 4), Get(*parent, 3, 4));
    // ... over a colour: that colour.
    fast(FillCI(0x00FF00), 0);
    EXPECT_EQ(Get(*item, 3, 4), (Px{0, 255, 0}));
    // A negative transparency over a cache paints nothing.
    Fill(*item, 5);
    tex.Transparency = -1;
    fast(MakeCacheInfo(parent.get()), 0);
    EXPECT_EQ(Get(*item, 3, 4), Grey(5));
    // The given texture is used whatever it is; texture and gradient summing
    // over 100 paint the colour.
    tex.Transparency = 0;
    tex.Color = 0x0000FF;
    tex.ImagePercent = 100;
    fast(FillCI(0xFF00FF), 0, t.flatIndex);
    EXPECT_EQ(Get(*item, 3, 4), Grey(200));
    tex.GradientPercent = 20;
    fast(FillCI(0xFF00FF), 0, t.flatIndex);
    EXPECT_EQ(Get(*item, 3, 4), (Px{0, 0, 255}));
}
