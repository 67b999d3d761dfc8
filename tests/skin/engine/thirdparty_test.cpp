// Glyphs of skinned buttons in their states and tool-button images: where
// they go and what they leave of the background.
#include "skin/paint/sBtnGlyphs.h"

#include <gtest/gtest.h>

#include <memory>

#include "EngineTestFiles.h"
#include "TestImages.h"
#include "framework/windows/StdCtrls.h"
#include "skin/engine/acAlphaImageList.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sCommonData.h"

using namespace skin;
using namespace enginetest;

namespace {

void Fill(fw::TBitmap& b, fw::TColor c) {
    b.Canvas()->Brush()->SetColor(c);
    b.Canvas()->FillRect(fw::TRect(0, 0, b.Width(), b.Height()));
}

// 0xRRGGBB to the framework's 0x00BBGGRR.
fw::TColor RGBColour(uint32_t rgb) { return fw::TColor((rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16); }

const uint32_t kGrey = 0x404040;

// A button that shows a glyph the way the skinned buttons do.
class TGlyphButton : public fw::TGraphicControl, public TacGlyphButton {
public:
    explicit TGlyphButton(fw::TComponent* AOwner) : fw::TGraphicControl(AOwner), sd(this, true) {
        SetBounds(0, 0, 40, 30);
        sd.FCacheBmp->SetSize(40, 30);
        Fill(*sd.FCacheBmp, RGBColour(kGrey));
        data.SkinData = &sd;
        data.ImgRect = fw::TRect(5, 5, 15, 15);
    }
    fw::String ClassName() const override { return L"TGlyphButton"; }
    TacBtnGlyphData GlyphData() override { return data; }
    fw::TBitmap& Cache() { return *sd.FCacheBmp; }

    TsCommonData sd;
    TacBtnGlyphData data;
};

// A skin with one section, BUTTON, of colour 0x00A0FF.
struct ButtonSkin {
    TsSkinManager sm{nullptr};
    ButtonSkin() {
        TsGeneralData button;
        button.ClassName = L"BUTTON";
        button.Color = RGBColour(0xFFA000);
        sm.gd = {button};
    }
    void Apply(TGlyphButton& b) {
        b.sd.SetSkinManager(&sm);
        b.sd.SetSkinSection(L"BUTTON");
        ASSERT_TRUE(b.sd.Skinned());
    }
};

// A 24-bit strip of Columns 10 x 10 images: red, green, blue..., each with a
// magenta corner (the key: the strip's bottom-left pixel is magenta).
std::unique_ptr<fw::TBitmap> KeyedStrip(int Columns) {
    static const uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF};
    auto b = std::make_unique<fw::TBitmap>(10 * Columns, 10, fw::pf24bit);
    for (int c = 0; c < Columns; ++c) {
        b->Canvas()->Brush()->SetColor(RGBColour(colours[c]));
        b->Canvas()->FillRect(fw::TRect(10 * c, 0, 10 * c + 10, 10));
        b->Canvas()->SetPixels(10 * c, 9, RGBColour(0xFF00FF));
    }
    return b;
}

// A plain image list of 10 x 10 pictures: red, then blue; magenta is clear.
std::unique_ptr<fw::TImageList> PlainList() {
    auto list = std::make_unique<fw::TImageList>(nullptr, 10, 10);
    fw::TBitmap pic(10, 10, fw::pf24bit);
    for (uint32_t c : {0xFF0000u, 0x0000FFu}) {
        Fill(pic, RGBColour(c));
        pic.Canvas()->SetPixels(0, 0, RGBColour(0xFF00FF));
        list->AddMasked(&pic, RGBColour(0xFF00FF));
    }
    return list;
}

}  // namespace

TEST(GlyphHelpers, ToolButtonImagePlacement) {
    struct Case {
        bool list, captions, dropDown;
        int textHeight, width, height, pressed;
        fw::TRect want;
    } cases[] = {
        {false, false, false, 13, 23, 22, 0, {4, 3, 20, 19}},  // centred, one pixel right
        {false, false, true, 13, 23, 22, 0, {-4, 3, 12, 19}},  // a drop-down sits 8 pixels left
        {false, false, false, 13, 23, 22, 2, {5, 4, 21, 20}},  // pressed: one right, one down
        {false, false, false, 13, 23, 22, 1, {4, 3, 20, 19}},  // hot: in place
        {false, true, false, 13, 40, 40, 0, {13, 4, 29, 20}},  // room for a caption below
        {true, true, false, 13, 60, 22, 0, {5, 3, 21, 19}},    // list style: left, centred down
        {true, false, true, 13, 60, 22, 2, {6, 4, 22, 20}},
        {false, false, false, 13, 10, 9, 0, {-2, -3, 14, 13}},  // larger than the button: truncated halves
    };
    for (const Case& c : cases) {
        const fw::TRect r =
            ToolBtnGlyphRect(c.list, c.captions, c.textHeight, c.width, c.height, c.dropDown, 16, 16, c.pressed);
        EXPECT_EQ(r, c.want) << c.list << c.captions << c.dropDown << " " << c.width << "x" << c.height << " p"
                             << c.pressed;
    }
    using S = fw::TCustomDrawState;
    EXPECT_EQ(ToolBtnPressedLook(S()), 0);
    EXPECT_EQ(ToolBtnPressedLook(S{fw::cdsDisabled}), 0);
    EXPECT_EQ(ToolBtnPressedLook(S{fw::cdsHot}), 1);
    EXPECT_EQ(ToolBtnPressedLook(S{fw::cdsHot, fw::cdsDisabled}), 1);
    EXPECT_EQ(ToolBtnPressedLook(S{fw::cdsChecked}), 2);
    EXPECT_EQ(ToolBtnPressedLook(S{fw::cdsSelected, fw::cdsHot}), 2);

    EXPECT_EQ(GetImageCount(nullptr), 0);
    ASSERT_NE(ThirdPartySkipForms, nullptr);
    EXPECT_TRUE(ThirdPartySkipForms->Sorted());
    EXPECT_EQ(ThirdPartySkipForms->Text(), L"TApplication\r\nTfcPopup\r\nTQRStandardPreview\r\n");
    EXPECT_EQ(InitDevEx, nullptr);
    EXPECT_EQ(CheckDevEx, nullptr);
    EXPECT_EQ(RefreshDevEx, nullptr);
}

TEST(GlyphHelpers, ToolButtonImagesComeFromTheStateAndTheList) {
    fw::TToolBar bar(nullptr);
    auto images = PlainList();
    fw::TImageList hot(nullptr, 10, 10);
    fw::TBitmap pic(10, 10, fw::pf24bit);
    Fill(pic, RGBColour(0x00FF00));
    hot.Add(&pic, nullptr);
    bar.SetImages(images.get());
    bar.SetHotImages(&hot);
    fw::TToolButton button(nullptr);
    button.SetBounds(0, 0, 22, 22);
    button.SetImageIndex(0);
    fw::TTBCustomDrawFlags flags;
    fw::TBitmap bmp(22, 22, fw::pf24bit);
    // The place of a 10 x 10 image in a 22 x 22 button: (7, 6).
    auto draw = [&](fw::TCustomDrawState state) {
        Fill(bmp, RGBColour(kGrey));
        CopyToolBtnGlyph(&bar, &button, state, fw::cdPrePaint, flags, &bmp);
    };
    draw({});
    EXPECT_EQ(Px(bmp, 8, 7), 0xFF0000u);
    EXPECT_EQ(Px(bmp, 7, 6), kGrey) << "the list's clear pixel";
    EXPECT_EQ(Px(bmp, 6, 7), kGrey);
    EXPECT_EQ(Px(bmp, 17, 7), kGrey);
    draw({fw::cdsHot});
    EXPECT_EQ(Px(bmp, 8, 7), 0x00FF00u) << "the hot images";
    draw({fw::cdsChecked});
    EXPECT_EQ(Px(bmp, 7, 6), kGrey) << "pressed: moved right and down";
    EXPECT_EQ(Px(bmp, 8, 7), 0x00FF00u);
    EXPECT_EQ(Px(bmp, 16, 15), 0x00FF00u);
    button.SetImageIndex(1);  // beyond the hot images: the normal ones
    draw({fw::cdsHot});
    EXPECT_EQ(Px(bmp, 8, 7), 0x0000FFu);
    button.SetStyle(fw::tbsDropDown);
    draw({});
    EXPECT_EQ(Px(bmp, 0, 7), 0x0000FFu) << "a drop-down button's image starts 8 pixels further left";
    EXPECT_EQ(Px(bmp, 9, 7), kGrey);
    button.SetStyle(fw::tbsButton);

    // Captions below lift the image by half the text's height (measured on Bmp).
    bar.SetShowCaptions(true);
    button.SetBounds(0, 0, 22, 40);
    fw::TBitmap tall(22, 40, fw::pf24bit);
    Fill(tall, RGBColour(kGrey));
    CopyToolBtnGlyph(&bar, &button, {}, fw::cdPrePaint, flags, &tall);
    const int top = (40 - 10 - (tall.Canvas()->TextHeight(L"A") + 3)) / 2;
    EXPECT_EQ(Px(tall, 8, top + 1), 0x0000FFu);
    EXPECT_EQ(Px(tall, 8, top - 1), kGrey);
    EXPECT_EQ(Px(tall, 8, top + 10), kGrey);
    bar.SetShowCaptions(false);
    button.SetBounds(0, 0, 22, 22);

    // An alpha image list keeps its alpha; a skinned bar draws through it too.
    TempDir dir;
    WriteFileBytes(dir / L"half.png", PngRGBA(10, 10, [](int, int) { return 0x80FF0000u; }));
    TsAlphaImageList alpha(nullptr, 10, 10);
    alpha.AfterConstruction();
    ASSERT_TRUE(alpha.TryLoadFromFile(dir / L"half.png"));
    bar.SetImages(&alpha);
    bar.SetHotImages(nullptr);
    button.SetImageIndex(0);
    draw({});
    EXPECT_TRUE(Near(Px(bmp, 10, 10), 0x9F2020, 3));
    ButtonSkin skin;
    TsCommonData barData(&bar, true);
    barData.SetSkinManager(&skin.sm);
    barData.SetSkinSection(L"BUTTON");
    ASSERT_TRUE(barData.Skinned());
    Fill(bmp, RGBColour(kGrey));
    CopyToolBtnGlyph(&bar, &barData, &button, {}, fw::cdPrePaint, flags, &bmp);
    EXPECT_TRUE(Near(Px(bmp, 10, 10), 0x9F2020, 3));
    // A plain list on a skinned bar: keyed by the list's background colour.
    bar.SetImages(images.get());
    Fill(bmp, RGBColour(kGrey));
    CopyToolBtnGlyph(&bar, &barData, &button, {}, fw::cdPrePaint, flags, &bmp);
    EXPECT_EQ(Px(bmp, 8, 7), 0xFF0000u);
    EXPECT_EQ(Px(bmp, 7, 6), kGrey);
    // Unskinned skin data: the list draws itself.
    TsCommonData plainData(&bar, true);
    Fill(bmp, RGBColour(kGrey));
    CopyToolBtnGlyph(&bar, &plainData, &button, {}, fw::cdPrePaint, flags, &bmp);
    EXPECT_EQ(Px(bmp, 8, 7), 0xFF0000u);
}

TEST(GlyphHelpers, ButtonGlyphStripsShowTheStatesColumn) {
    // Only the skinned buttons have a glyph to draw.
    fw::TButton plain(nullptr);
    fw::TBitmap canvas(40, 30, fw::pf24bit);
    Fill(canvas, RGBColour(kGrey));
    DrawBtnGlyph(&plain, canvas.Canvas());
    DrawBtnGlyph(&plain, nullptr);
    EXPECT_EQ(Px(canvas, 10, 10), kGrey);

    TGlyphButton b(nullptr);
    auto strip = KeyedStrip(3);
    b.data.Glyph = strip.get();
    b.data.NumGlyphs = 3;
    const uint32_t column[] = {0xFF0000, 0x00FF00, 0x0000FF};
    for (int state : {0, 1, 2}) {
        Fill(b.Cache(), RGBColour(kGrey));
        b.data.CurrentState = state;
        DrawBtnGlyph(&b, nullptr);
        EXPECT_EQ(Px(b.Cache(), 10, 10), column[state]) << state;
        EXPECT_EQ(Px(b.Cache(), 5, 14), kGrey) << "the key colour is clear";
        EXPECT_EQ(Px(b.Cache(), 4, 10), kGrey);
    }
    // One column: the same image in every state.
    auto single = KeyedStrip(1);
    b.data.Glyph = single.get();
    b.data.NumGlyphs = 1;
    for (int state : {0, 1, 2}) {
        Fill(b.Cache(), RGBColour(kGrey));
        b.data.CurrentState = state;
        DrawBtnGlyph(&b, nullptr);
        EXPECT_EQ(Px(b.Cache(), 10, 10), 0xFF0000u) << state;
    }
    // Onto another canvas, through a copy of what it shows.
    Fill(canvas, RGBColour(0x102030));
    b.data.CurrentState = 0;
    DrawBtnGlyph(&b, canvas.Canvas());
    EXPECT_EQ(Px(canvas, 10, 10), 0xFF0000u);
    EXPECT_EQ(Px(canvas, 5, 14), 0x102030u);
    EXPECT_EQ(Px(canvas, 30, 20), 0x102030u);

    // A 32-bit glyph without one opaque pixel is keyed like a 24-bit one.
    fw::TBitmap faint(10, 10, fw::pf32bit);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            uint8_t* p = static_cast<uint8_t*>(faint.ScanLine(y)) + 4 * x;
            const bool edge = x == 0 || y == 0 || x == 9 || y == 9;
            p[0] = edge ? 255 : 255, p[1] = edge ? 0 : 255, p[2] = edge ? 255 : 0, p[3] = 200;
        }
    b.data.Glyph = &faint;
    Fill(b.Cache(), RGBColour(kGrey));
    DrawBtnGlyph(&b, nullptr);
    EXPECT_EQ(faint.PixelFormat(), fw::pf24bit);
    EXPECT_EQ(Px(b.Cache(), 10, 10), 0x00FFFFu) << "drawn opaque";
    EXPECT_EQ(Px(b.Cache(), 5, 5), kGrey) << "the corner colour is the key";
}

TEST(GlyphHelpers, AlphaGlyphsBlendAlikeOnTheCacheAndOnACanvas) {
    TGlyphButton b(nullptr);
    fw::TBitmap glyph(20, 10, fw::pf32bit);  // two columns: opaque red, opaque blue
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            uint8_t* p = static_cast<uint8_t*>(glyph.ScanLine(y)) + 4 * x;
            p[0] = x < 10 ? 0 : 255, p[1] = 0, p[2] = x < 10 ? 255 : 0, p[3] = 255;
        }
    b.data.Glyph = &glyph;
    b.data.NumGlyphs = 2;
    b.data.CurrentState = 1;
    DrawBtnGlyph(&b, nullptr);
    EXPECT_TRUE(Near(Px(b.Cache(), 10, 10), 0x0000FF)) << "the hot column";

    // Blend is the share of the background that shows, on either road.
    b.data.CurrentState = 0;
    b.data.Blend = 25;
    Fill(b.Cache(), RGBColour(kGrey));
    DrawBtnGlyph(&b, nullptr);
    const uint32_t onCache = Px(b.Cache(), 10, 10);
    EXPECT_TRUE(Near(onCache, 0xCF1010, 4));
    fw::TBitmap canvas(40, 30, fw::pf24bit);
    Fill(canvas, RGBColour(kGrey));
    DrawBtnGlyph(&b, canvas.Canvas());
    EXPECT_TRUE(Near(Px(canvas, 10, 10), onCache, 4));
    EXPECT_EQ(Px(canvas, 4, 10), kGrey);

    // Grayed at rest: the glyph loses its colour; hot it has it again.
    b.data.Blend = 0;
    b.data.Grayed = true;
    Fill(b.Cache(), RGBColour(kGrey));
    DrawBtnGlyph(&b, nullptr);
    const uint32_t grey = Px(b.Cache(), 10, 10);
    EXPECT_FALSE(Near(grey, 0xFF0000, 40));
    Fill(canvas, RGBColour(kGrey));
    DrawBtnGlyph(&b, canvas.Canvas());
    const uint32_t g = Px(canvas, 10, 10);
    EXPECT_TRUE((g >> 16 & 255) == (g & 255) && (g >> 8 & 255) == (g & 255)) << std::hex << g;
    b.data.CurrentState = 1;
    Fill(b.Cache(), RGBColour(kGrey));
    DrawBtnGlyph(&b, nullptr);
    EXPECT_TRUE(Near(Px(b.Cache(), 10, 10), 0x0000FF));
}

TEST(GlyphHelpers, ImageListGlyphsFollowStateSkinAndEnabling) {
    TempDir dir;
    // Four 10 x 10 columns: red, green, blue, white.
    WriteFileBytes(dir / L"strip.png", PngRGBA(40, 10, [](int x, int) {
                       static const uint32_t c[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
                       return c[x / 10];
                   }));
    TsAlphaImageList alpha(nullptr, 40, 10);
    alpha.AfterConstruction();
    ASSERT_TRUE(alpha.TryLoadFromFile(dir / L"strip.png"));

    TGlyphButton b(nullptr);
    b.data.Images = &alpha;
    b.data.ImageIndex = 0;
    b.data.NumGlyphs = 4;
    auto draw = [&](fw::TCanvas* canvas = nullptr) {
        Fill(b.Cache(), RGBColour(kGrey));
        DrawBtnGlyph(&b, canvas);
        return Px(b.Cache(), 10, 10);
    };
    // Unskinned, into the cache through its DC.
    EXPECT_TRUE(Near(draw(), 0xFF0000));
    EXPECT_EQ(Px(b.Cache(), 16, 10), kGrey);
    ButtonSkin skin;
    skin.Apply(b);
    b.data.CurrentState = 1;
    EXPECT_TRUE(Near(draw(), 0x00FF00));
    b.data.CurrentState = 2;
    b.data.Down = true;  // pressed and down: one column further
    EXPECT_TRUE(Near(draw(), 0xFFFFFF));
    b.data.CurrentState = 0;
    b.data.Down = false;
    b.data.Enabled = false;
    b.data.DisabledGlyphKind = {dgBlended};
    EXPECT_TRUE(Near(draw(), 0x9F2020, 4)) << "disabled and blended: half";
    b.data.Enabled = true;
    b.data.ImageIndex = 1;  // equal to the count: nothing
    EXPECT_EQ(draw(), kGrey);

    // A plain image list, keyed by its background colour (none: magenta).
    auto plain = PlainList();
    b.data.Images = plain.get();
    b.data.NumGlyphs = 1;
    b.data.ImageIndex = 1;
    EXPECT_EQ(draw(), 0x0000FFu);
    EXPECT_EQ(Px(b.Cache(), 5, 5), kGrey);
    b.data.Blend = 50;
    EXPECT_TRUE(Near(draw(), 0x20209F, 2)) << "skinned, at rest, blended";
    b.data.Blend = 0;
    b.data.Enabled = false;
    EXPECT_TRUE(Near(draw(), 0x20209F, 2)) << "disabled with dgBlended";
    b.data.DisabledGlyphKind = {dgGrayed};
    const uint32_t g = draw();
    EXPECT_TRUE((g >> 16 & 255) == (g & 255) && (g >> 8 & 255) == (g & 255)) << std::hex << g;
    EXPECT_NE(g, kGrey);
    b.data.ImageIndex = 2;
    EXPECT_EQ(draw(), kGrey);

    // Unskinned onto a canvas: drawn with magenta clear.
    TGlyphButton u(nullptr);
    u.data.Images = plain.get();
    u.data.ImageIndex = 0;
    fw::TBitmap canvas(40, 30, fw::pf24bit);
    Fill(canvas, RGBColour(kGrey));
    DrawBtnGlyph(&u, canvas.Canvas());
    EXPECT_EQ(Px(canvas, 10, 10), 0xFF0000u);
    EXPECT_EQ(Px(canvas, 5, 5), kGrey);
}
