// The extended title's measurements beyond its size: where a maximised form
// with a border window goes, the system-height title of a zoomed form whose
// skin title is low, and where the title's items lie in the extended draw
// mode and in a maximised form keeping a lower title in view. The fixtures'
// system sizes: frame 4, caption 19.
#include <gtest/gtest.h>

#include "FrameFixtures.h"
#include "skin/forms/sExBorderGeometry.h"
#include "skin/forms/sFramePaint.h"
#include "skin/forms/sTitleButtons.h"

using namespace skin;
using namespace formstest;

namespace {

TExBorders Ex(int Title, int MaxTitle = 0, int Centre = 0, int Mode = 0) {
    TExBorders e;
    e.On = true;
    e.SkinBorder = 8;
    e.SkinTitle = Title;
    e.MaxTitle = MaxTitle;
    e.CenterOffs = Centre;
    e.DrawMode = Mode;
    e.Shadow = RECT{6, 6, 6, 6};
    return e;
}

}  // namespace

TEST(ExBorderTitle, MaximisedPlaceWithAndWithoutABorderWindow) {
    const TFrameMetrics m = Metrics();
    const fw::TRect work(0, 0, 1024, 740);
    TFrameSkin plain;
    TFrameSkin aligned;
    aligned.BIVAlign = 1;
    aligned.BITopMargin = 3;
    TExBorders sysHigh = Ex(20);
    sysHigh.SysExHeight = true;
    struct Case {
        const char* what;
        TExBorders e;
        const TFrameSkin* k;
        POINT pos, size;
    } cases[] = {
        // The system's frame off the work area on every side.
        {"no border window", TExBorders{}, &plain, {-4, -4}, {1032, 748}},
        // The extended title (11 higher than the system's frame and caption)
        // comes down onto the work area.
        {"title 34", Ex(34), &plain, {-4, 7}, {1032, 737}},
        {"title 34 kept at 34", Ex(34, 34), &plain, {-4, 7}, {1032, 737}},
        // A maximised title of 28 with the items 2 lower: 8 of it off the top.
        {"title 34, maximised 28, centre 2", Ex(34, 28, 2), &plain, {-4, -1}, {1032, 745}},
        // Aligned buttons 3 from the top: 1 less of it off the top.
        {"aligned buttons", Ex(34, 28, 2), &aligned, {-4, 0}, {1032, 744}},
        // A skin title no higher than the system's frame and caption: the
        // frame's width stands for the difference (the window's top on the
        // work area's).
        {"title 20", Ex(20), &plain, {-4, 0}, {1032, 744}},
        {"title 20 at the system height", sysHigh, &plain, {-4, 0}, {1032, 744}},
    };
    for (const Case& c : cases) {
        POINT pos{}, size{};
        ASSERT_TRUE(ExMaxInfo(State(fw::bsSizeable, kAllIcons), m, c.e, *c.k, work, pos, size)) << c.what;
        EXPECT_EQ(pos.x, c.pos.x) << c.what;
        EXPECT_EQ(pos.y, c.pos.y) << c.what;
        EXPECT_EQ(size.x, c.size.x) << c.what;
        EXPECT_EQ(size.y, c.size.y) << c.what;
    }
    // The window's bottom edge stays the system frame's width below the work
    // area whatever the title does.
    for (const Case& c : cases) {
        POINT pos{}, size{};
        ExMaxInfo(State(fw::bsSizeable, kAllIcons), m, c.e, *c.k, work, pos, size);
        EXPECT_EQ(pos.y + size.y, 740 + 4) << c.what;
    }
    // Forms the system places itself.
    POINT pos{}, size{};
    EXPECT_FALSE(ExMaxInfo(State(fw::bsNone, kAllIcons), m, Ex(34), plain, work, pos, size));
    TFrameState child = State(fw::bsSizeable, kAllIcons);
    child.MDIChild = true;
    EXPECT_FALSE(ExMaxInfo(child, m, Ex(34), plain, work, pos, size));
}

TEST(ExBorderTitle, SystemHeightForAZoomedFormWithALowSkinTitle) {
    const TFrameMetrics m = Metrics();
    TFrameState zoomed = State(fw::bsSizeable, kAllIcons);
    zoomed.Zoomed = true;
    const TFrameState normal = State(fw::bsSizeable, kAllIcons);
    struct Case {
        const char* what;
        const TFrameState* s;
        TExBorders e;
        bool wanted;
    } cases[] = {
        {"title 20", &zoomed, Ex(20), true},
        {"title 22", &zoomed, Ex(22), true},
        {"title 23 = caption + 4", &zoomed, Ex(23), false},
        {"title 34", &zoomed, Ex(34), false},
        {"no skin title: the system's", &zoomed, Ex(0), true},
        {"not zoomed", &normal, Ex(20), false},
        {"no border window", &zoomed, TExBorders{}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SysExHeightFor(*c.s, m, c.e), c.wanted) << c.what;
        // Once set, it keeps itself (the title is then measured higher).
        TExBorders set = c.e;
        set.SysExHeight = c.wanted;
        EXPECT_EQ(SysExHeightFor(*c.s, m, set), c.wanted) << c.what << " (set)";
    }
    // With it the title is the system caption plus 4, or the skin's when higher.
    TExBorders low = Ex(20);
    low.SysExHeight = true;
    EXPECT_EQ(ExCaptionHeight(zoomed, m, low), 19 + 4);
    TExBorders high = Ex(30);
    high.SysExHeight = true;
    EXPECT_EQ(ExCaptionHeight(zoomed, m, high), 30);
    EXPECT_EQ(ExCaptionHeight(zoomed, m, Ex(20)), 20);
    // The extended frame is measured with it: its title band grows, and the
    // client area lies that much lower in the image.
    EXPECT_EQ(ExClientOffset(zoomed, m, low).Y - ExClientOffset(zoomed, m, Ex(20)).Y, 3);
}

TEST(ExBorderTitle, ItemsOfTheExtendedTitle) {
    LoadedSkin skin(L"default", L"Stillwater");
    const TFrameMetrics m = Metrics();
    const TFrameState normal = State(fw::bsSizeable, kAllIcons);
    TFrameState zoomed = normal;
    zoomed.Zoomed = true;
    TFrameState capped = zoomed;
    capped.MaxConstraints = true;
    struct Case {
        const char* what;
        const TFrameState* s;
        TExBorders e;
        int icon, caption, buttons, aligned;
    } cases[] = {
        {"draw mode 0: the centre offset is the shadow's business", &normal, Ex(34, 0, 2, 0), 0, 0, 0, 0},
        {"draw mode 1: everything 2 lower", &normal, Ex(34, 0, 2, 1), 2, 2, 2, 2},
        // Zoomed: buttons 2 up and half the system frame down; aligned
        // buttons the system frame less 1 down.
        {"zoomed, title kept", &zoomed, Ex(34, 34, 0, 1), 0, 0, 0, 3},
        // A maximised title of 28: items centred in it ((34 - 28) / 2 - 2),
        // buttons by (34 - 28 - 2) / 2 - 2, aligned buttons by the 6 hidden.
        {"zoomed, maximised title 28", &zoomed, Ex(34, 28, 2, 1), 3, 3, 2, 2 + 3 + 6},
        {"zoomed with size limits", &capped, Ex(34, 28, 2, 1), 3, 3, 2, 2 + 6},
    };
    for (const Case& c : cases) {
        TFrameState sx;
        TFrameMetrics mx;
        ExFrame(*c.s, m, c.e, sx, mx);
        EXPECT_TRUE(sx.ExTitle.On);
        EXPECT_EQ(sx.ExTitle.Icon, c.icon) << c.what;
        EXPECT_EQ(sx.ExTitle.Caption, c.caption) << c.what;
        EXPECT_EQ(sx.ExTitle.Buttons, c.buttons) << c.what;
        EXPECT_EQ(sx.ExTitle.AlignedTop, c.aligned) << c.what;

        // The measurements move the items by those amounts.
        TFrameState flat = sx;
        flat.ExTitle = TFrameState::TExTitle{};
        TFrameSkin k = skin.Frame();
        k.BIVAlign = 0;
        EXPECT_EQ(IconRect(sx, mx, k).Top - IconRect(flat, mx, k).Top, c.icon) << c.what;
        TTitleButtons b, bf;
        UpdateIconsIndexes(b, sx, k);
        UpdateIconsIndexes(bf, flat, k);
        LayoutTitleButtons(b, sx, mx, k);
        LayoutTitleButtons(bf, flat, mx, k);
        EXPECT_EQ(b.Close.Rect.Top - bf.Close.Rect.Top, c.buttons) << c.what;
        EXPECT_EQ(b.Close.Rect.Height(), bf.Close.Rect.Height());
        EXPECT_EQ(CaptionTextRect(sx, mx, k, b, 40, 12, fw::taLeftJustify).Top -
                      CaptionTextRect(flat, mx, k, bf, 40, 12, fw::taLeftJustify).Top,
                  c.caption)
            << c.what;
        // Aligned buttons: the skin's top margin (a zoomed form's system
        // frame instead when there is one) and the title's shift.
        for (int margin : {0, 3}) {
            k.BIVAlign = 1;
            k.BITopMargin = margin;
            LayoutTitleButtons(b, sx, mx, k);
            const int top = c.s->Zoomed && margin != 0 ? 4 : margin;
            EXPECT_EQ(b.Close.Rect.Top, top + c.aligned) << c.what << ", margin " << margin;
        }
    }
    // The icon's hit test follows it.
    TFrameState sx;
    TFrameMetrics mx;
    const TExBorders e = Ex(34, 0, 2, 1);
    ExFrame(normal, m, e, sx, mx);
    TTitleButtons b;
    UpdateIconsIndexes(b, sx, skin.Frame());
    LayoutTitleButtons(b, sx, mx, skin.Frame());
    fw::TRect icon = IconRect(sx, mx, skin.Frame());
    EXPECT_EQ(ExFrameHitTest(normal, m, e, skin.Frame(), b, fw::TPoint(icon.Left + 6 + 1, icon.Bottom + 6 - 1)),
              HTSYSMENU);
}
