// The buttons of a maximised MDI child in its parent's menu line: when they
// show, their images, places and hit codes, and how they are drawn, as
// tables over hand-made states and the default skin, without windows.
#include <gtest/gtest.h>

#include "FrameFixtures.h"
#include "framework/graphics/Canvas.h"
#include "skin/forms/sFrameHitTest.h"
#include "skin/forms/sMDIButtons.h"
#include "skin/forms/sMDIMenuLine.h"

using namespace skin;
using namespace formstest;
using fw::TRect;

namespace {

TMDIState AllOn() {
    TMDIState s;
    s.MDIForm = s.HasMenu = s.ChildProvider = s.ChildMaximized = s.ChildSystemMenu = true;
    return s;
}

// A sizeable MDI parent with a menu line of Lines rows.
TFrameState Parent(int Lines = 1) {
    TFrameState s = State(fw::bsSizeable, kAllIcons, 400, 300);
    s.MenuLine = true;
    s.MenuLines = Lines;
    return s;
}

TMDIButtons Laid(const TFrameState& s, const TFrameSkin& k) {
    TMDIButtons b;
    UpdateMDIIconsIndexes(b, Buttons(s, k), k);
    LayoutMDIButtons(b, s, Metrics(), k);
    return b;
}

}  // namespace

TEST(MDIButtons, ShowOnlyForAMaximisedChildWithAProviderAndAWindowMenuInAParentWithAMenu) {
    EXPECT_TRUE(MDIButtonsNeeded(AllOn()));
    bool TMDIState::*const each[] = {&TMDIState::MDIForm, &TMDIState::HasMenu, &TMDIState::ChildProvider,
                                     &TMDIState::ChildMaximized, &TMDIState::ChildSystemMenu};
    for (size_t i = 0; i < std::size(each); ++i) {
        TMDIState s = AllOn();
        s.*each[i] = false;
        EXPECT_FALSE(MDIButtonsNeeded(s)) << i;
    }
    // What the child's menu allows and the parent's activity only dim them.
    TMDIState s = AllOn();
    s.ChildEnabledMin = s.ChildEnabledRestore = s.Active = false;
    EXPECT_TRUE(MDIButtonsNeeded(s));
}

TEST(MDIButtons, ImagesFromTheSmallSetTheBigOneOrTheParentsOwn) {
    TFrameSkin k;
    k.BigClose = 1, k.BigMax = 2, k.BigMin = 3;
    k.SmallClose = 11, k.SmallMax = 12, k.SmallMin = 13;
    TTitleButtons own;
    own.Close.ImageIndex = 21, own.Max.ImageIndex = 22, own.Min.ImageIndex = 23;
    struct Case {
        const char* name;
        int smallClose, smallMin;
        int min, max, close;
        bool align;
    } cases[] = {
        {"small set", 11, 13, 13, 12, 11, false},
        {"no small close: big set", -1, 13, 3, 2, 1, true},
        {"no small minimise: the parent's own", 11, -1, 23, 22, 21, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        k.SmallClose = c.smallClose, k.SmallMin = c.smallMin;
        TMDIButtons b;
        UpdateMDIIconsIndexes(b, own, k);
        EXPECT_EQ(b.Min.ImageIndex, c.min);
        EXPECT_EQ(b.Max.ImageIndex, c.max);
        EXPECT_EQ(b.Close.ImageIndex, c.close);
        EXPECT_EQ(b.Close.HaveAlignment, c.align);
        EXPECT_EQ(b.Close.HitCode, HTMDICLOSE);
        EXPECT_EQ(b.Max.HitCode, HTMDIMAX);
        EXPECT_EQ(b.Min.HitCode, HTMDIMIN);
        EXPECT_EQ(b.Of(HTMDIMIN), &b.Min);
        EXPECT_EQ(b.Of(HTCLOSE), nullptr);
    }
}

TEST(MDIButtons, PlacesAtTheRightEndOfTheLastMenuLineAndHitCodes) {
    LoadedSkin skin(L"default", L"Stillwater");
    const TFrameSkin k = skin.Frame();
    const TFrameMetrics m = Metrics();
    struct Case {
        int lines;
        int top;
    } cases[] = {
        // frame 4 + caption 19 + (menu 18 - button 14) / 2, one menu line down per row
        {1, 25},
        {2, 43},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        const TFrameState s = Parent(c.lines);
        const TMDIButtons b = Laid(s, k);
        EXPECT_EQ(SmallButtonWidth(k, b), 18);
        EXPECT_EQ(SmallButtonHeight(k, b), 14);
        // Right to left from the frame's inner edge (400 - 4), one pixel apart.
        EXPECT_EQ(b.Close.Rect, TRect(377, c.top, 395, c.top + 14));
        EXPECT_EQ(b.Max.Rect, TRect(358, c.top, 376, c.top + 14));
        EXPECT_EQ(b.Min.Rect, TRect(339, c.top, 357, c.top + 14));
        EXPECT_EQ(MDIButtonsRect(b), TRect(339, c.top, 395, c.top + 14));
        const struct {
            fw::TPoint p;
            int code;
        } hits[] = {
            {{377, c.top}, HTMDICLOSE},   {{394, c.top + 13}, HTMDICLOSE}, {{360, c.top + 5}, HTMDIMAX},
            {{340, c.top + 5}, HTMDIMIN}, {{357, c.top + 5}, HTMENU},      {{376, c.top + 5}, HTMENU},
            {{338, c.top + 5}, HTMENU},   {{390, c.top + 14}, HTMENU},
        };
        for (const auto& h : hits) {
            EXPECT_EQ(MDIButtonHitTest(b, h.p), h.code) << h.p.X << "," << h.p.Y;
            // The frame's own hit test answers the menu there, which the
            // provider turns into the button's code.
            EXPECT_EQ(FrameHitTest(s, m, k, Buttons(s, k), h.p), HTMENU) << h.p.X << "," << h.p.Y;
        }
    }
}

TEST(MDIButtons, WithoutImagesOnlyTheRestoreButtonTakesAPlace) {
    TFrameSkin none;  // no manager: no image at all, 16 x 16 places
    TMDIButtons b;
    UpdateMDIIconsIndexes(b, TTitleButtons(), none);
    LayoutMDIButtons(b, Parent(), Metrics(), none);
    EXPECT_EQ(SmallButtonWidth(none, b), 16);
    EXPECT_TRUE(b.Min.Rect.IsEmpty());
    EXPECT_TRUE(b.Close.Rect.IsEmpty());
    // frame 4 + caption 19 + (18 - 16) / 2; 396 - 2 * 16 - 2
    EXPECT_EQ(b.Max.Rect, TRect(362, 24, 378, 40));
    EXPECT_EQ(MDIButtonHitTest(b, fw::TPoint(370, 30)), HTMDIMAX);
}

TEST(MDIButtons, DrawnDimmedUnlessTheParentIsActiveAndTheChildAllowsTheCommand) {
    LoadedSkin skin(L"default", L"Stillwater");
    const TFrameSkin k = skin.Frame();
    const TFrameState s = Parent();
    TMDIButtons b = Laid(s, k);
    auto paint = [&](const TMDIState& ms) {
        auto bmp = std::make_unique<fw::TBitmap>(400, 60, fw::pf24bit);
        bmp->Canvas()->Brush()->SetColor(fw::TColor(0x00FF00));
        bmp->Canvas()->FillRect(TRect(0, 0, 400, 60));
        PaintMDIButtons(bmp.get(), b, ms, k);
        return bmp;
    };
    auto differs = [](fw::TBitmap& x, fw::TBitmap& y, const TRect& r) {
        int n = 0;
        for (int yy = r.Top; yy < r.Bottom; ++yy)
            for (int xx = r.Left; xx < r.Right; ++xx)
                n += GetPixel(x.Canvas()->Handle(), xx, yy) != GetPixel(y.Canvas()->Handle(), xx, yy);
        return n;
    };
    const auto active = paint(AllOn());
    TMDIState inactiveState = AllOn();
    inactiveState.Active = false;
    const auto inactive = paint(inactiveState);
    TMDIState noMin = AllOn();
    noMin.ChildEnabledMin = false;
    const auto withoutMin = paint(noMin);
    // Each button covers the line where it lies and nowhere else.
    for (const TsCaptionButton* btn : {&b.Min, &b.Max, &b.Close}) {
        int drawn = 0;
        for (int y = btn->Rect.Top; y < btn->Rect.Bottom; ++y)
            for (int x = btn->Rect.Left; x < btn->Rect.Right; ++x)
                drawn += GetPixel(active->Canvas()->Handle(), x, y) != RGB(0, 0xFF, 0);
        EXPECT_GT(drawn, 8) << btn->HitCode;  // a keyed glyph: the line shows around it
        EXPECT_GT(differs(*active, *inactive, btn->Rect), 0) << btn->HitCode;
    }
    EXPECT_EQ(differs(*active, *inactive, TRect(0, 0, 338, 60)), 0);
    // A child that cannot be minimised dims only the minimise button.
    EXPECT_EQ(differs(*withoutMin, *inactive, b.Min.Rect), 0);
    EXPECT_EQ(differs(*withoutMin, *active, b.Max.Rect), 0);
    EXPECT_EQ(differs(*withoutMin, *active, b.Close.Rect), 0);
    // Restore shows the restore image while the child is maximised.
    EXPECT_EQ(ShownMDIImage(b.Max, b, AllOn(), k), k.SmallNorm);
    TMDIState restored = AllOn();
    restored.ChildMaximized = false;
    EXPECT_EQ(ShownMDIImage(b.Max, b, restored, k), k.SmallMax);
    // A hot button looks different from a normal one; a dimmed one does not.
    b.Close.State = 1;
    const auto hot = paint(AllOn());
    EXPECT_GT(differs(*hot, *active, b.Close.Rect), 0);
    const auto hotInactive = paint(inactiveState);
    EXPECT_EQ(differs(*hotInactive, *inactive, b.Close.Rect), 0);
}

TEST(MDIMenuLine, ChildIconAndIconsWindowPlaces) {
    // The icon: on the platform's window-menu item, never wider than it; one
    // pixel into the line without one.
    const fw::TRect line(4, 30, 396, 48);
    EXPECT_EQ(ChildIconRect(line, 18, fw::TRect()), fw::TRect(5, 31, 21, 47));
    EXPECT_EQ(ChildIconRect(line, 18, fw::TRect(4, 30, 24, 48)), fw::TRect(6, 31, 22, 47));
    EXPECT_EQ(ChildIconRect(line, 18, fw::TRect(4, 30, 14, 48)), fw::TRect(4, 31, 14, 41));

    // The icons window: 60 pixels before the right border on the line's last
    // row, as high as a menu plus 3 unless the line ends first; wider when
    // the buttons start further left.
    TFrameState s = Parent();
    const TFrameMetrics m = Metrics();
    const int bw = SysBorderWidth(s, m), top = TitleBottom(s, m), mh = MenuHeight(s, m);
    EXPECT_EQ(MDIIconsRect(s, m, fw::TRect()), fw::TRect(400 - bw - 60, top, 400 - bw, top + mh));
    EXPECT_EQ(MDIIconsRect(s, m, fw::TRect(300, top + 2, 390, top + 15)).Left, 299);
    s.MenuLines = 2;
    EXPECT_EQ(MDIIconsRect(s, m, fw::TRect()).Top, top + mh);
    s.MenuLine = false;
    EXPECT_TRUE(MDIIconsRect(s, m, fw::TRect()).IsEmpty());
}
