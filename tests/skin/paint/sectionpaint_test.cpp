// Whole sections painted from the TPaint test skin: the order of border and
// corner images, rectangles that do not fit, the DC form, the fallback
// section name, the fast form's cache information, and a picture of every
// kind of section in its normal and hot state over a parent background.
#include <gtest/gtest.h>

#include <memory>

#include "PaintTestBitmaps.h"
#include "Pictures.h"
#include "SkinnedPanel.h"
#include "framework/graphics/ImageList.h"
#include "framework/windows/Forms.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sColorMath.h"
#include "skin/paint/sGradient.h"
#include "skin/paint/sSectionPaint.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace painttest;

namespace {

using Px = std::vector<uint8_t>;

// A parent background with something in every pixel: a diagonal gradient
// with a grid, so see-through pixels show where they look.
std::unique_ptr<fw::TBitmap> ParentPicture(int w, int h) {
    auto b = Make(fw::pf24bit, w, h);
    PaintGrad(b.get(), fw::TRect(0, 0, w, h), L"8454016;16744448;100;1;0");
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (x % 8 == 0 || y % 8 == 0) Put(*b, x, y, {90, 90, 90});
    return b;
}

}  // namespace

TEST(SectionPaint, CornerImagesBeforeTheBorderByIndexAfterItBySkinData) {
    auto sm = PaintScene::LoadSkin();
    const int button = sm->GetSkinIndex(L"BUTTON");
    const fw::TRect R(10, 5, 70, 35);
    // Pixels of the top-left and bottom-left corner images that the border's
    // corners cover without cutting them.
    const Px glyphTL = Get(*sm->MasterBitmap, 86, 0), glyphBL = Get(*sm->MasterBitmap, 85, 10);
    auto byIndex = Make(fw::pf24bit, 80, 40);
    PaintItem(button, L"BUTTON", EmptyCI, true, 0, R, fw::TPoint(0, 0), byIndex.get(), sm.get());
    EXPECT_NE(Get(*byIndex, 12, 5), glyphTL);
    EXPECT_NE(Get(*byIndex, 11, 33), glyphBL);

    fw::TComponent owner(nullptr);
    TsCommonData sd(&owner, false);
    sd.SetSkinManager(sm.get());
    sd.SetSkinSection(L"BUTTON");
    auto bySkinData = Make(fw::pf24bit, 80, 40);
    PaintItem(&sd, EmptyCI, true, 0, R, fw::TPoint(0, 0), bySkinData.get(), false);
    EXPECT_EQ(Get(*bySkinData, 12, 5), glyphTL);
    EXPECT_EQ(Get(*bySkinData, 11, 33), glyphBL);  // the bottom-left image at R.Left
    // Both paint the same background and border elsewhere.
    EXPECT_EQ(Get(*byIndex, 40, 20), Get(*bySkinData, 40, 20));
    EXPECT_EQ(Get(*byIndex, 40, 5), Get(*bySkinData, 40, 5));
    EXPECT_EQ(Get(*byIndex, 12, 9), Get(*bySkinData, 12, 9));
}

TEST(SectionPaint, RectanglesThatDoNotFitPaintNothing) {
    auto sm = PaintScene::LoadSkin();
    const int panel = sm->GetSkinIndex(L"PANEL");
    auto bmp = Make(fw::pf24bit, 20, 20);
    Fill(*bmp, 9);
    const Snapshot before(*bmp);
    for (const fw::TRect& r : {fw::TRect(0, 0, 21, 20), fw::TRect(-1, 0, 20, 20), fw::TRect(0, 0, 20, 21),
                               fw::TRect(5, 5, 5, 10), fw::TRect(8, 8, 4, 12)})
        PaintItem(panel, L"PANEL", EmptyCI, true, 0, r, fw::TPoint(0, 0), bmp.get(), sm.get());
    PaintItem(-1, L"PANEL", EmptyCI, true, 0, fw::TRect(0, 0, 20, 20), fw::TPoint(0, 0), bmp.get(), sm.get());
    EXPECT_TRUE(UnchangedOutside(*bmp, before, fw::TRect()));
    PaintItem(panel, L"PANEL", EmptyCI, true, 0, fw::TRect(0, 0, 20, 20), fw::TPoint(0, 0), bmp.get(), sm.get());
    EXPECT_EQ(Get(*bmp, 10, 10), BgrOf(sm->gd[size_t(panel)].Color));
}

TEST(SectionPaint, OntoADcTheFallbackSectionAndTheFastForm) {
    auto sm = PaintScene::LoadSkin();
    const int grad = sm->GetSkinIndex(L"GRADPANEL");
    // The DC form equals the bitmap form painted at (0, 0) and copied.
    auto onDC = Make(fw::pf24bit, 40, 40);
    Fill(*onDC, 1);
    PaintItem(grad, L"GRADPANEL", EmptyCI, true, 0, fw::TRect(5, 6, 35, 36), fw::TPoint(0, 0), onDC->Canvas()->Handle(),
              sm.get());
    auto direct = Make(fw::pf24bit, 30, 30);
    PaintItem(grad, L"GRADPANEL", EmptyCI, true, 0, fw::TRect(0, 0, 30, 30), fw::TPoint(0, 0), direct.get(), sm.get());
    EXPECT_EQ(Get(*onDC, 5, 6), Get(*direct, 0, 0));
    EXPECT_EQ(Get(*onDC, 34, 35), Get(*direct, 29, 29));
    EXPECT_EQ(Get(*onDC, 4, 6), Px(3, 1));

    // A first name the skin lacks: the second one paints; neither: -1, untouched.
    auto bmp = Make(fw::pf24bit, 16, 16);
    Fill(*bmp, 2);
    EXPECT_EQ(PaintSection(bmp.get(), L"NOSUCH", L"HALF", 0, sm.get(), fw::TPoint(0, 0), 0x0000FF, nullptr),
              sm->GetSkinIndex(L"HALF"));
    EXPECT_EQ(Get(*bmp, 8, 8), BgrOf(MixColors(0x0000FF, sm->gd[size_t(sm->GetSkinIndex(L"HALF"))].Color, 0.5)));
    const Snapshot before(*bmp);
    EXPECT_EQ(PaintSection(bmp.get(), L"NOSUCH", L"NOTEITHER", 0, sm.get(), fw::TPoint(0, 0), 0, nullptr), -1);
    EXPECT_TRUE(UnchangedOutside(*bmp, before, fw::TRect()));
    // Over a parent DC: a transparent section leaves the parent's pixels.
    auto parent = ParentPicture(40, 40);
    PaintSection(bmp.get(), L"TRANS", L"", 0, sm.get(), fw::TPoint(7, 9), 0, parent->Canvas()->Handle());
    EXPECT_EQ(Get(*bmp, 3, 2), Get(*parent, 10, 11));

    // The fast form moves the cache information only for its border.
    TCacheInfo ci = MakeCacheInfo(parent.get(), 2, 3);
    const int button = sm->GetSkinIndex(L"BUTTON");
    PaintItemFast(button, sm->gd[size_t(button)].BorderIndex, -1, -1, L"BUTTON", ci, true, 1, fw::TRect(0, 0, 16, 16),
                  fw::TPoint(4, 5), bmp.get(), sm.get());
    EXPECT_EQ(ci.X, 2);
    EXPECT_EQ(ci.Y, 3);
    EXPECT_EQ(Get(*bmp, 0, 0), Get(*parent, 6, 8));  // the border's cut corner shows the parent
}

TEST(SectionPaint, PaintSkinControlAsksTheParent) {
    PaintScene scene(200, 150);
    auto* grad = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(10, 10, 170, 130));
    auto* half = scene.Add(grad, L"HALF", fw::TRect(30, 40, 70, 60));
    scene.form.HandleNeeded();
    auto item = Make(fw::pf24bit, 40, 20);
    PaintSkinControl(half->SkinData.get(), grad, true, 0, fw::TRect(0, 0, 40, 20), fw::TPoint(30, 40), item.get(),
                     true);
    // Half of the gradient at the control's place, half the section colour.
    const Px under = Get(*grad->SkinData->FCacheBmp, 35, 45);
    const Px own = BgrOf(scene.Section(L"HALF").Color);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(Get(*item, 5, 5)[size_t(c)], (under[size_t(c)] * 127 + own[size_t(c)] * 128 + 127) >> 8);
}

TEST(SectionPaint, ImageListPictureOverItsBackground) {
    fw::TImageList list(nullptr);
    list.SetSize(8, 8);
    auto pic = Make(fw::pf24bit, 8, 8);
    Fill(*pic, 0);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x) Put(*pic, x, y, {0, 0, 200});
    list.AddMasked(pic.get(), 0x000000);
    fw::TBitmap out;
    out.SetPixelFormat(fw::pf24bit);
    CopyImage(&out, &list, 0);
    EXPECT_EQ(out.Width(), 8);
    EXPECT_EQ(Get(out, 0, 0), (Px{255, 0, 255}));
    EXPECT_EQ(Get(out, 3, 3), (Px{0, 0, 200}));
    list.SetBkColor(0x00FF00);
    CopyImage(&out, &list, 0);
    EXPECT_EQ(Get(out, 0, 0), (Px{0, 255, 0}));
}

TEST(SectionPaint, PictureOfEverySectionKind) {
    auto sm = PaintScene::LoadSkin();
    const wchar_t* sections[] = {L"PANEL",    L"GRADPANEL", L"TEXPANEL", L"MIXPANEL", L"DOTPANEL",
                                 L"JPGPANEL", L"TRANS",     L"HALF",     L"BUTTON",   L"PNGPANEL"};
    const int cw = 44, ch = 30, gap = 6, n = int(std::size(sections));
    auto parent = ParentPicture(gap + n * (cw + gap), gap + 3 * (ch + gap));
    auto shot = Make(fw::pf24bit, parent->Width(), parent->Height());
    BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), parent->Canvas()->Handle(), 0, 0, SRCCOPY);
    const TCacheInfo ci = MakeCacheInfo(parent.get());
    for (int i = 0; i < n; ++i) {
        const int index = sm->GetSkinIndex(sections[i]);
        ASSERT_GE(index, 0) << fw::ToAnsi(sections[i]).c_str();
        const int x = gap + i * (cw + gap);
        // Rows: normal state, hot state (as a control paints, with its
        // textures from its skin data), and the small-image form of the normal state.
        fw::TComponent owner(nullptr);
        TsCommonData sd(&owner, false);
        sd.SetSkinManager(sm.get());
        sd.SetSkinSection(sections[i]);
        for (int state = 0; state < 2; ++state) {
            const int y = gap + state * (ch + gap);
            PaintItem(&sd, ci, true, state, fw::TRect(x, y, x + cw, y + ch), fw::TPoint(0, 0), shot.get(), true);
        }
        const int y = gap + 2 * (ch + gap);
        PaintSmallItem(index, sections[i], ci, true, 0, fw::TRect(x, y, x + cw, y + ch), fw::TPoint(0, 0), shot.get(),
                       sm.get());
    }
    ComparePicture(*shot, L"sections-tpaint.bmp");
}

TEST(SectionPaint, APngBorderIsWrittenAs24BitPixels) {
    auto sm = PaintScene::LoadSkin();
    const int png = sm->GetSkinIndex(L"PNGPANEL");
    const TsMaskData& frame = PaintScene::BorderOf(*sm, L"PNGPANEL");
    ASSERT_EQ(frame.Bmp->PixelFormat(), fw::pf32bit);
    // An odd width: rows are padded, so a four-byte pixel would land in the next one.
    auto bmp = Make(fw::pf24bit, 15, 14);
    Fill(*bmp, 77);
    auto parent = ParentPicture(15, 14);
    const Snapshot before(*bmp);
    PaintItem(png, L"PNGPANEL", MakeCacheInfo(parent.get()), true, 1, fw::TRect(1, 1, 14, 13), fw::TPoint(0, 0),
              bmp.get(), sm.get());
    EXPECT_TRUE(UnchangedOutside(*bmp, before, fw::TRect(1, 1, 14, 13)));
    // State 1's frame colour (at its (3, 0)) and face (at its centre) in the 32-bit image.
    auto image = [&](int x, int y) { return GetBgr(*frame.Bmp, 12 + x, y); };
    EXPECT_EQ(Get(*bmp, 4, 1), image(3, 0));         // the top edge
    EXPECT_EQ(Get(*bmp, 13, 6), image(3, 0));        // the right edge
    EXPECT_EQ(Get(*bmp, 7, 7), image(6, 6));         // the centre (file images draw theirs)
    EXPECT_EQ(Get(*bmp, 1, 1), Get(*parent, 1, 1));  // the cut corner shows the parent
}
