// Form-shadow templates, prepared with every load while extended borders are
// on: from the skin's EXBORDER image (its own picture, or a rectangle of the
// master bitmap), else from the library's default shadow images.
#include <gtest/gtest.h>

#include "EngineTestFiles.h"
#include "ManagerFixture.h"
#include "framework/graphics/Bitmap.h"
#include "skin/engine/PNGGraphic.h"
#include "skin/engine/SystemUtils.h"
#include "skin/engine/sLibraryStartUp.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace enginetest;
using fw::String;

namespace {

// Bytes per pixel: 4 (BGRA) or 3 (BGR).
int PixelBytes(fw::TBitmap* b) { return b->PixelFormat() == fw::pf32bit ? 4 : 3; }

// Template t equals the w x h block of src at (x0, y0): colours, and alpha
// too when both have it. The first difference, or "" when none.
std::string Differs(fw::TBitmap* t, fw::TBitmap* src, int x0, int y0, int w, int h) {
    if (t->Width() != w || t->Height() != h)
        return "size " + std::to_string(t->Width()) + "x" + std::to_string(t->Height());
    const int tb = PixelBytes(t), sb = PixelBytes(src), channels = tb == 4 && sb == 4 ? 4 : 3;
    for (int y = 0; y < h; ++y) {
        auto* a = static_cast<uint8_t*>(t->ScanLine(y));
        auto* b = static_cast<uint8_t*>(src->ScanLine(y0 + y));
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < channels; ++c)
                if (a[x * tb + c] != b[(x0 + x) * sb + c])
                    return "pixel " + std::to_string(x) + "," + std::to_string(y) + " channel " + std::to_string(c);
    }
    return "";
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

// T1's EXBORDER is its own two-state picture; the sides are its widths less
// FORMOFFSET (8 by default). Turning extended borders on reloads the skin.
TEST(FormShadows, FromTheSkinsOwnExBorderPicture) {
    Cleanup keep;
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    sm->SetSkinDirectory(kvbskins::SkinsPath(L"test"));
    sm->SetSkinName(L"T1");
    EXPECT_TRUE(SameRect(sm->FormShadowSize, RECT{0, 0, 0, 0})) << "off: no shadow";
    ASSERT_TRUE(LayeredWindowsAvailable());
    sm->SetExtendedBorders(true);
    ASSERT_TRUE(sm->ExtendedBorders());
    ASSERT_GE(sm->ConstData.ExBorder, 0);
    const TsMaskData& ex = sm->ma[size_t(sm->ConstData.ExBorder)];
    ASSERT_NE(ex.Bmp, nullptr);
    EXPECT_TRUE(SameRect(sm->FormShadowSize, RECT{16 - 8, 12 - 8, 16 - 8, 16 - 8}));
    ASSERT_NE(sm->ShdiTemplate, nullptr);
    ASSERT_NE(sm->ShdaTemplate, nullptr);
    EXPECT_EQ(sm->ShdiTemplate->PixelFormat(), fw::pf32bit);
    EXPECT_EQ(Differs(sm->ShdiTemplate, ex.Bmp, 0, 0, 40, 40), "") << "inactive: the first state";
    EXPECT_EQ(Differs(sm->ShdaTemplate, ex.Bmp, 40, 0, 40, 40), "") << "active: the second state";
    EXPECT_NE(Differs(sm->ShdaTemplate, ex.Bmp, 0, 0, 40, 40), "") << "the two states must differ";

    sm->SetExtendedBorders(false);
    EXPECT_TRUE(SameRect(sm->FormShadowSize, RECT{0, 0, 0, 0}));
}

// An EXBORDER cut from the master bitmap has no picture of its own: the
// templates are copied out of the master bitmap (never read from a null
// picture). BORDERMODE other than 0 puts FORMOFFSET on every side; one
// state serves both templates.
TEST(FormShadows, FromARectangleOfTheMasterBitmap) {
    struct Case {
        const char* exborder;
        int borderMode;
        RECT size;
        int activeX;  // left of the active template in the master bitmap
    } cases[] = {
        // BUTTON's three 16 x 16 states at (0,0); sides 6,5,7,9 less FORMOFFSET 2.
        {"^0000^0000^0048^0016^0006^0005^0007^0009^3^0^5^0", 0, {4, 3, 5, 7}, 16},
        {"^0000^0000^0048^0016^0006^0005^0007^0009^3^0^5^0", 1, {2, 2, 2, 2}, 16},
        // The first 16 x 16 of TABTOP at (0,16) as a single state.
        {"^0000^0016^0016^0032^0004^0004^0004^0004^1^0^5^0", 0, {2, 2, 2, 2}, 0},
    };
    TempDir dir;
    const String folder = dir / L"MasterEx";
    CreateDirectoryW(folder.c_str(), nullptr);
    CopyFileW(kvbskins::SkinsPath(L"test\\T1\\Master.bmp").c_str(), (folder + L"\\MASTER.BMP").c_str(), FALSE);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.exborder) + " mode " + std::to_string(c.borderMode));
        const std::string text =
            "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\nFORMOFFSET=2\r\nBORDERMODE=" + std::to_string(c.borderMode) +
            "\r\nEXBORDER=" + c.exborder + "\r\n";
        WriteFileBytes(folder + L"\\Options.dat", std::vector<uint8_t>(text.begin(), text.end()));
        Cleanup keep;
        TsSkinManager* sm = keep.Keep(NewManager(nullptr));
        sm->SetExtendedBorders(true);
        sm->SetSkinDirectory(dir.Path());
        sm->SetSkinName(L"MasterEx");
        ASSERT_GE(sm->ConstData.ExBorder, 0);
        const TsMaskData& ex = sm->ma[size_t(sm->ConstData.ExBorder)];
        ASSERT_EQ(ex.Bmp, nullptr);
        EXPECT_TRUE(SameRect(sm->FormShadowSize, c.size))
            << sm->FormShadowSize.left << "," << sm->FormShadowSize.top << "," << sm->FormShadowSize.right << ","
            << sm->FormShadowSize.bottom;
        const int top = ex.R.Top;
        EXPECT_EQ(Differs(sm->ShdiTemplate, sm->MasterBitmap, ex.R.Left, top, 16, 16), "");
        EXPECT_EQ(Differs(sm->ShdaTemplate, sm->MasterBitmap, ex.R.Left + c.activeX, top, 16, 16), "");
        EXPECT_EQ(c.activeX == 0, Differs(sm->ShdaTemplate, sm->ShdiTemplate, 0, 0, 16, 16).empty());
    }
}

// Without an EXBORDER image the library's own shadow images serve, with
// fixed sides (one more each while desktop composition is on).
TEST(FormShadows, WithoutExBorderTheLibrarysImagesServe) {
    ASSERT_NE(acShdaImage, nullptr);
    ASSERT_NE(acShdiImage, nullptr);
    Cleanup keep;
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    sm->SetExtendedBorders(true);
    sm->SetSkinDirectory(kvbskins::SkinsPath(L"test"));
    sm->SetSkinName(L"T1NoGlobalInfo");
    EXPECT_EQ(sm->ConstData.ExBorder, -1);
    const int more = acAeroIsEnabled() ? 1 : 0;
    EXPECT_TRUE(SameRect(sm->FormShadowSize, RECT{11 + more, 7 + more, 11 + more, 11 + more}));
    EXPECT_EQ(Differs(sm->ShdaTemplate, acShdaImage, 0, 0, 32, 32), "");
    EXPECT_EQ(Differs(sm->ShdiTemplate, acShdiImage, 0, 0, 31, 31), "");
}
