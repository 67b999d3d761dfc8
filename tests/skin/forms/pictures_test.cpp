// Whole frames painted into bitmaps and compared with committed pictures
// (tests/skin/forms/data; KVB_REGENERATE_PICTURES=1 writes them again), all
// but where captions lie, which the fonts draw: the default skin's form active
// and inactive, with and without caption, icon, size grip and hot or pressed
// buttons, dialogs and tool windows, a minimised form; and a skin without a
// title section.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "FrameFixtures.h"
#include "skin/forms/sFramePaint.h"
#include "skin/forms/sFrameRegion.h"
#include "skin/paint/PaintTestBitmaps.h"
#include "skin/paint/Pictures.h"

using namespace skin;
using namespace formstest;

namespace {

// A 16 x 16 icon drawn here: a blue square with a white cross.
HICON TestIcon() {
    auto colour = painttest::Make(fw::pf24bit, 16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            painttest::Put(*colour, x, y,
                           x == 7 || x == 8 || y == 7 || y == 8 ? std::vector<uint8_t>{255, 255, 255}
                                                                : std::vector<uint8_t>{200, 90, 30});
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask);
    PatBlt(dc, 0, 0, 16, 16, BLACKNESS);
    SelectObject(dc, old);
    DeleteDC(dc);
    ICONINFO ii{TRUE, 0, 0, mask, colour->Handle()};
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(mask);
    return icon;
}

struct Frame {
    TFrameState s;
    fw::String caption;
    bool icon = true;
    fw::TAlignment alignment = fw::taLeftJustify;
    int closeState = 0, maxState = 0;
};

// Paints f and copies it, cut by its region, to (x, y) of the gallery. Gives
// back where its caption may lie in the gallery (with room for a glow and the
// caption's box): text, which a font or Wine update redraws.
RECT PaintInto(fw::TBitmap& gallery, int x, int y, const TFrameSkin& k, const Frame& f, HICON icon) {
    fw::TBitmap cache;
    TTitleButtons b;
    b.Close.State = f.closeState;
    b.Max.State = f.maxState;
    TFrameContent c;
    c.Caption = f.caption;
    c.Icon = f.icon ? icon : nullptr;
    c.CaptionAlignment = f.alignment;
    fw::TBitmap* glow = nullptr;
    PaintFrame(&cache, f.s, Metrics(), k, b, c, glow);
    delete glow;
    HRGN rgn = f.s.Iconic ? nullptr : FrameRegion(f.s, Metrics(), FillArOR(f.s, k));
    for (int py = 0; py < cache.Height(); ++py)
        for (int px = 0; px < cache.Width(); ++px)
            if (!rgn || PtInRegion(rgn, px, py)) painttest::Put(gallery, x + px, y + py, painttest::Get(cache, px, py));
    if (rgn) DeleteObject(rgn);
    const fw::TRect room = CaptionTextRect(f.s, Metrics(), k, b, 0, TitleBottom(f.s, Metrics()), fw::taLeftJustify);
    if (f.caption.empty() || room.IsEmpty()) return RECT{};
    return RECT{x + room.Left - 8, y + room.Top - 4, x + room.Right + 8, y + room.Bottom + 4};
}

}  // namespace

TEST(FramePictures, DefaultSkinFrames) {
    LoadedSkin skin(L"default", L"Stillwater");
    const TFrameSkin k = skin.Frame();
    HICON icon = TestIcon();
    auto shot = painttest::Make(fw::pf24bit, 3 * 250 + 10, 3 * 130 + 10);
    painttest::Fill(*shot, 96);
    Frame frames[9];
    frames[0] = {State(fw::bsSizeable, kAllIcons, 240, 120), L"Active form"};
    frames[1] = frames[0];
    frames[1].s.Active = false;
    frames[1].caption = L"Inactive form";
    // Hot close and pressed maximise buttons, a size grip, no icon.
    frames[2] = {State(fw::bsSizeable, kAllIcons, 240, 120), L"Grip, hot close", false};
    frames[2].s.GripMode = gmRightBottom;
    frames[2].closeState = 1, frames[2].maxState = 2;
    frames[3] = {State(fw::bsDialog, {fw::biSystemMenu, fw::biHelp}, 240, 120), L"Dialog with help"};
    frames[4] = {State(fw::bsToolWindow, kAllIcons, 240, 120), L"Tool window"};
    frames[4].s.Active = false;
    frames[5] = {State(fw::bsSingle, {fw::biSystemMenu}, 240, 120), L"A centred caption", true, fw::taCenter};
    frames[6] = {State(fw::bsSizeable, kAllIcons, 240, 120), L"No caption, no border"};
    frames[6].s = State(fw::bsNone, {}, 240, 120);
    frames[7] = {State(fw::bsSizeable, kAllIcons, 240, 120), L"A right-aligned caption far too long for its title bar",
                 true, fw::taRightJustify};
    frames[8] = {State(fw::bsSizeable, kAllIcons, 160, 25), L"Minimised"};
    frames[8].s.Iconic = true;
    std::vector<RECT> captions;
    for (int i = 0; i < 9; ++i)
        captions.push_back(PaintInto(*shot, 10 + 250 * (i % 3), 10 + 130 * (i / 3), k, frames[i], icon));
    DestroyIcon(icon);
    painttest::ComparePicture(*shot, L"frames-stillwater.bmp", L"forms", captions);
}

TEST(FramePictures, TitleColoursSwapWithActivation) {
    LoadedSkin skin(L"default", L"Stillwater");
    const TFrameSkin k = skin.Frame();
    const TsGeneralData& title = skin.sm->gd[size_t(k.TitleIndex)];
    Frame f{State(fw::bsSizeable, kAllIcons, 240, 120), L""};
    fw::TBitmap active, inactive;
    TTitleButtons b;
    TFrameContent c;
    fw::TBitmap* glow = nullptr;
    PaintFrame(&active, f.s, Metrics(), k, b, c, glow);
    f.s.Active = false;
    PaintFrame(&inactive, f.s, Metrics(), k, b, c, glow);
    // The title's gradient runs into its colour (hot while active) at the bottom.
    const int y = TitleBottom(f.s, Metrics()) - 3;
    auto similar = [](std::vector<uint8_t> a, std::vector<uint8_t> b) {
        for (int i = 0; i < 3; ++i)
            if (std::abs(a[i] - b[i]) > 4) return false;
        return true;
    };
    EXPECT_TRUE(similar(painttest::Get(active, 120, y), painttest::BgrOf(title.HotColor)));
    EXPECT_TRUE(similar(painttest::Get(inactive, 120, y), painttest::BgrOf(title.Color)));
    // The client area is the form section's colour either way.
    EXPECT_EQ(painttest::Get(active, 120, 80), painttest::BgrOf(skin.sm->gd[size_t(k.FormIndex)].HotColor));
    EXPECT_EQ(painttest::Get(inactive, 120, 80), painttest::BgrOf(skin.sm->gd[size_t(k.FormIndex)].Color));
    EXPECT_EQ(active.Width(), 240);
    EXPECT_EQ(active.Height(), 120);
    // A minimised form's image is only as high as its title.
    f.s.Iconic = true;
    PaintFrame(&inactive, f.s, Metrics(), k, b, c, glow);
    EXPECT_EQ(inactive.Height(), 4 + 19 + 2);
    delete glow;
}

TEST(FramePictures, SkinWithoutATitleSection) {
    LoadedSkin skin(L"test", L"T1");
    const TFrameSkin k = skin.Frame();
    EXPECT_LT(k.TitleIndex, 0);
    HICON icon = TestIcon();
    auto shot = painttest::Make(fw::pf24bit, 2 * 250 + 10, 140);
    painttest::Fill(*shot, 96);
    Frame active{State(fw::bsSizeable, kAllIcons, 240, 120), L"T1"};
    Frame dialog{State(fw::bsDialog, {fw::biSystemMenu}, 240, 120), L"T1 dialog"};
    dialog.s.Active = false;
    const std::vector<RECT> captions = {PaintInto(*shot, 10, 10, k, active, icon),
                                        PaintInto(*shot, 260, 10, k, dialog, icon)};
    DestroyIcon(icon);
    painttest::ComparePicture(*shot, L"frames-t1.bmp", L"forms", captions);
}

TEST(FramePictures, TitleIconGlyphTakesTheIconsPlace) {
    LoadedSkin skin(L"default", L"Stillwater");
    const TFrameSkin k = skin.Frame();
    const TFrameState s = State(fw::bsSizeable, kAllIcons);
    // A red square in a two-pixel fuchsia ring.
    auto glyph = painttest::Make(fw::pf24bit, 16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool ring = x < 2 || y < 2 || x > 13 || y > 13;
            painttest::Put(*glyph, x, y, ring ? std::vector<uint8_t>{255, 0, 255} : std::vector<uint8_t>{0, 0, 220});
        }
    HICON icon = TestIcon();
    auto paint = [&](fw::TBitmap* Glyph, HICON Icon, fw::TBitmap& cache) {
        TTitleButtons b;
        TFrameContent c;
        c.Caption = L"Glyph";
        c.Icon = Icon;
        c.IconGlyph = Glyph;
        fw::TBitmap* glow = nullptr;
        PaintFrame(&cache, s, Metrics(), k, b, c, glow);
        delete glow;
    };
    fw::TBitmap bare, withGlyph;
    paint(nullptr, nullptr, bare);
    paint(glyph.get(), icon, withGlyph);
    DestroyIcon(icon);
    const fw::TRect r = IconRect(s, Metrics(), k);
    EXPECT_EQ(TitleGlyphSize(s, Metrics()), fw::TSize(16, 16));
    const auto at = [](fw::TBitmap& b, int x, int y) { return GetPixel(b.Canvas()->Handle(), x, y); };
    // The glyph, not the icon, in the icon's place; its ring shows the title.
    EXPECT_EQ(at(withGlyph, r.Left + 8, r.Top + 8), RGB(220, 0, 0));
    EXPECT_EQ(at(withGlyph, r.Left + 7, r.Top + 8), RGB(220, 0, 0));
    EXPECT_EQ(at(withGlyph, r.Left, r.Top), at(bare, r.Left, r.Top));
    EXPECT_EQ(at(withGlyph, r.Left + 15, r.Top + 15), at(bare, r.Left + 15, r.Top + 15));
}
