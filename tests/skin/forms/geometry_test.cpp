// Frame measurements, title-button places and hit tests as tables over form
// states and the committed skins, without windows.
#include <gtest/gtest.h>

#include <algorithm>

#include "FrameFixtures.h"
#include "skin/forms/sFrameHitTest.h"

using namespace skin;
using namespace formstest;
using fw::TRect;

namespace {

std::string Name(fw::TFormBorderStyle bs) {
    static const char* names[] = {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"};
    return names[bs];
}

}  // namespace

TEST(FrameGeometry, MeasuresEveryBorderStyle) {
    const TFrameMetrics m = Metrics();
    struct Case {
        fw::TFormBorderStyle bs;
        bool iconic;
        int frame, caption, iconSide;
        bool big;
    } cases[] = {
        {fw::bsNone, false, 0, 0, 0, false},
        {fw::bsSingle, false, 3, 19, 16, true},
        {fw::bsSizeable, false, 4, 19, 16, true},
        {fw::bsDialog, false, 3, 19, 0, false},
        {fw::bsToolWindow, false, 3, 15, 0, false},
        {fw::bsSizeToolWin, false, 4, 15, 0, false},
        // Iconic tool windows have the full caption height.
        {fw::bsToolWindow, true, 3, 19, 0, false},
        {fw::bsSizeToolWin, true, 4, 19, 0, false},
    };
    for (const Case& c : cases) {
        TFrameState s = State(c.bs, kAllIcons);
        s.Iconic = c.iconic;
        SCOPED_TRACE(Name(c.bs) + (c.iconic ? " iconic" : ""));
        EXPECT_EQ(SysBorderWidth(s, m), c.frame);
        EXPECT_EQ(CaptionHeight(s, m), c.caption);
        EXPECT_EQ(IconSize(s, m).cx, c.iconSide);
        EXPECT_EQ(BigButtons(s), c.big);
        if (!c.iconic) {
            // The client area lies right below the title, inside the frame.
            EXPECT_EQ(OffsetX(s), c.frame);
            EXPECT_EQ(OffsetY(s, m), c.frame + c.caption);
            EXPECT_EQ(HeaderHeight(s, m), c.frame + c.caption);
        }
    }
    // A window whose style lost the caption bits has no caption (and no icon
    // or caption hit area) unless it is iconic.
    TFrameState bare = State(fw::bsSizeable, kAllIcons);
    bare.Style &= ~WS_DLGFRAME;
    EXPECT_EQ(CaptionHeight(bare, m), 0);
    bare.Iconic = true;
    EXPECT_EQ(CaptionHeight(bare, m), 19);
}

TEST(FrameGeometry, IconSizeRuleAndTitleIconSizes) {
    struct Case {
        int t, side;
    } cases[] = {{18, 16}, {17, 16}, {16, 8}, {12, 8}, {9, 8}, {8, 1}, {6, 1}, {-100, 1}, {-101, 16}};
    for (const Case& c : cases) EXPECT_EQ(IconSizeFor(c.t), c.side) << c.t;
    TFrameState s = State(fw::bsSizeable, kAllIcons);
    s.TitleIconHeight = 20;
    EXPECT_EQ(IconSize(s, Metrics()), fw::TSize(16, 20));
    s.ShowAppIcon = false;
    EXPECT_EQ(IconSize(s, Metrics()), fw::TSize(0, 0));
    s.ShowAppIcon = true;
    s.SystemMenu = false;
    EXPECT_FALSE(IconVisible(s));
}

TEST(FrameGeometry, TitleButtonsOfTheDefaultSkinForEveryBorderStyle) {
    LoadedSkin skin(L"default", L"Stillwater");
    const TFrameSkin k = skin.Frame();
    ASSERT_GE(k.BigClose, 0);
    // Stillwater: big buttons 28 x 20 (close alone 30), small ones 18 x 14,
    // BIRIGHT 4, BISPACE 1 between big buttons.
    const TRect none;
    struct Case {
        fw::TFormBorderStyle bs;
        fw::TBorderIcons icons;
        TRect close, max, min, help;
    } cases[] = {
        {fw::bsSizeable, kAllIcons, TRect(264, 1, 292, 21), TRect(235, 1, 263, 21), TRect(206, 1, 234, 21), none},
        {fw::bsSizeable,
         {fw::biSystemMenu, fw::biMinimize, fw::biHelp},
         TRect(264, 1, 292, 21),
         none,
         TRect(235, 1, 263, 21),
         TRect(206, 1, 234, 21)},
        {fw::bsSingle, {fw::biSystemMenu, fw::biMaximize}, TRect(265, 1, 293, 21), TRect(236, 1, 264, 21), none, none},
        {fw::bsSingle, {fw::biSystemMenu}, TRect(263, 1, 293, 21), none, none, none},
        {fw::bsDialog, {fw::biSystemMenu, fw::biHelp}, TRect(275, 4, 293, 18), none, none, TRect(257, 4, 275, 18)},
        {fw::bsToolWindow, kAllIcons, TRect(275, 2, 293, 16), none, none, none},
        {fw::bsSizeToolWin, kAllIcons, TRect(274, 2, 292, 16), none, none, none},
        {fw::bsNone, kAllIcons, none, none, none, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Name(c.bs));
        const TFrameState s = State(c.bs, c.icons);
        const TTitleButtons b = Buttons(s, k);
        auto placed = [](const TsCaptionButton& btn) { return btn.State < 0 ? TRect() : btn.Rect; };
        EXPECT_EQ(placed(b.Close), c.close);
        EXPECT_EQ(placed(b.Max), c.max);
        EXPECT_EQ(placed(b.Min), c.min);
        EXPECT_EQ(placed(b.Help), c.help);
        // The buttons' room reaches from the frame's right to the leftmost one.
        if (c.close != none) {
            LONG leftmost = c.close.Left;
            for (const TRect& r : {c.max, c.min, c.help})
                if (r != none) leftmost = std::min(leftmost, r.Left);
            EXPECT_EQ(CaptionWidth(s) - TitleBtnsWidth(s, k, b), leftmost + SysBorderWidth(s, Metrics()));
        }
    }
    // The close-alone image only when neither box shows; a skin without it
    // keeps the ordinary close image.
    const TTitleButtons alone = Buttons(State(fw::bsSingle, {fw::biSystemMenu}), k);
    EXPECT_EQ(alone.Close.ImageIndex, k.BigCloseAlone);
    TFrameSkin noAlone = k;
    noAlone.BigCloseAlone = -1;
    EXPECT_EQ(Buttons(State(fw::bsSingle, {fw::biSystemMenu}), noAlone).Close.ImageIndex, k.BigClose);
    // A skin without small images gives dialogs the big ones.
    TFrameSkin noSmall = k;
    noSmall.SmallClose = -1;
    const TTitleButtons dlg = Buttons(State(fw::bsDialog, {fw::biSystemMenu}), noSmall);
    EXPECT_EQ(dlg.Close.ImageIndex, k.BigClose);
    EXPECT_EQ(dlg.Close.Rect, TRect(265, 1, 293, 21));
}

TEST(FrameGeometry, HitTestsOfASizeableForm) {
    LoadedSkin skin(L"default", L"Stillwater");
    const TFrameSkin k = skin.Frame();
    const TFrameMetrics m = Metrics();
    TFrameState s = State(fw::bsSizeable, kAllIcons);
    struct Case {
        int x, y, code;
    } cases[] = {
        {278, 10, HTCLOSE},
        {249, 10, HTMAXBUTTON},
        {220, 10, HTMINBUTTON},
        {10, 10, HTSYSMENU},
        {100, 10, HTCAPTION},
        {5, 10, HTCAPTION},
        {234, 10, HTCAPTION},
        {150, 100, HTCLIENT},
        {2, 100, HTLEFT},
        {297, 100, HTRIGHT},
        {296, 100, HTCLIENT},
        {150, 197, HTBOTTOM},
        {150, 196, HTCLIENT},
        {150, 2, HTTOP},
        {1, 1, HTTOPLEFT},
        {298, 1, HTTOPRIGHT},
        {1, 198, HTBOTTOMLEFT},
        {298, 198, HTBOTTOMRIGHT},
        // The title's last row answers HTMENU, which the window procedure
        // leaves to the platform.
        {150, 23, HTMENU},
    };
    TTitleButtons b = Buttons(s, k);
    for (const Case& c : cases) EXPECT_EQ(FrameHitTest(s, m, k, b, fw::TPoint(c.x, c.y)), c.code) << c.x << "," << c.y;

    // Maximised: no sizing edges; the maximise button restores.
    TFrameState z = s;
    z.Zoomed = true;
    b = Buttons(z, k);
    EXPECT_EQ(FrameHitTest(z, m, k, b, fw::TPoint(2, 100)), HTCLIENT);
    EXPECT_EQ(FrameHitTest(z, m, k, b, fw::TPoint(249, 10)), HTMAXBUTTON);
    EXPECT_EQ(b.Max.ImageIndex, k.BigNorm);

    // The size grip (12 x 12 at the bottom-right, inside the frame).
    TFrameState g = s;
    g.GripMode = gmRightBottom;
    b = Buttons(g, k);
    EXPECT_EQ(RBGripPoint(g, m, k), fw::TPoint(283, 183));
    EXPECT_EQ(FrameHitTest(g, m, k, b, fw::TPoint(290, 190)), HTBOTTOMRIGHT);
    EXPECT_EQ(FrameHitTest(g, m, k, b, fw::TPoint(282, 190)), HTCLIENT);
    EXPECT_EQ(FrameHitTest(s, m, k, b, fw::TPoint(290, 190)), HTCLIENT);

    // Without the system menu there are no buttons.
    TFrameState noSys = State(fw::bsSizeable, {fw::biMinimize, fw::biMaximize});
    b = Buttons(noSys, k);
    EXPECT_EQ(FrameHitTest(noSys, m, k, b, fw::TPoint(278, 10)), HTCAPTION);
}

TEST(FrameGeometry, HitCodesFollowTheSystemMenuRules) {
    LoadedSkin skin(L"default", L"Stillwater");
    const TFrameSkin k = skin.Frame();
    const TFrameMetrics m = Metrics();
    // Close, minimise and help: the third button from the right is help.
    TFrameState s = State(fw::bsSizeable, {fw::biSystemMenu, fw::biMinimize, fw::biHelp});
    TTitleButtons b = Buttons(s, k);
    EXPECT_EQ(FrameHitTest(s, m, k, b, fw::TPoint(220, 10)), HTHELP);
    EXPECT_EQ(FrameHitTest(s, m, k, b, fw::TPoint(249, 10)), HTMINBUTTON);
    // An MDI child shows a minimise button it cannot use: the caption answers.
    TFrameState child = State(fw::bsSizeable, {fw::biSystemMenu, fw::biMaximize});
    child.MDIChild = true;
    b = Buttons(child, k);
    ASSERT_GE(b.Min.State, 0);
    EXPECT_EQ(FrameHitTest(child, m, k, b, fw::TPoint(220, 10)), HTCAPTION);
    // A minimised form: its minimise button restores, its maximise button maximises.
    TFrameState iconic = State(fw::bsSizeable, kAllIcons, 160, 25);
    iconic.Iconic = true;
    b = Buttons(iconic, k);
    EXPECT_EQ(FrameHitTest(iconic, m, k, b, b.Min.Rect.TopLeft()), HTMINBUTTON);
    EXPECT_EQ(FrameHitTest(iconic, m, k, b, b.Max.Rect.TopLeft()), HTMAXBUTTON);
}

TEST(FrameGeometry, MaximisedPlaceCoversTheWorkAreaWithTheFrameOutside) {
    const TFrameMetrics m = Metrics();
    const TRect work(0, 0, 1024, 740);
    POINT pos{}, size{};
    ASSERT_TRUE(MaxInfo(State(fw::bsSizeable, kAllIcons), m, work, pos, size));
    EXPECT_EQ(pos.x, -4);
    EXPECT_EQ(pos.y, -4);
    EXPECT_EQ(size.x, 1032);
    EXPECT_EQ(size.y, 748);
    ASSERT_TRUE(MaxInfo(State(fw::bsDialog, kAllIcons), m, work, pos, size));
    EXPECT_EQ(pos.x, -3);
    EXPECT_FALSE(MaxInfo(State(fw::bsNone, kAllIcons), m, work, pos, size));
    TFrameState child = State(fw::bsSizeable, kAllIcons);
    child.MDIChild = true;
    EXPECT_FALSE(MaxInfo(child, m, work, pos, size));
}

TEST(FrameGeometry, TheFormsOwnScrollBarsLieOutsideTheClientImage) {
    LoadedSkin skin(L"default", L"Stillwater");
    const TFrameSkin k = skin.Frame();
    const TFrameMetrics m = Metrics();
    // Both bars take 17 pixels of the 300 x 200 sizeable form's client.
    TFrameState s = State(fw::bsSizeable, kAllIcons);
    s.ClientWidth -= 17, s.ClientHeight -= 17;
    s.VScrollWidth = 17, s.HScrollHeight = 17;
    s.ScrollCorner = TRect(279, 179, 296, 196);
    // The client image still starts right inside the frame, below the title.
    EXPECT_EQ(OffsetX(s), 4);
    EXPECT_EQ(OffsetY(s, m), 4 + 19);
    EXPECT_EQ(HeaderHeight(s, m), 4 + 19);
    // The square between the bars holds the grip, whatever GripMode says.
    const TTitleButtons b = Buttons(s, k);
    EXPECT_EQ(FrameHitTest(s, m, k, b, fw::TPoint(290, 190)), HTBOTTOMRIGHT);
    EXPECT_EQ(FrameHitTest(s, m, k, b, fw::TPoint(281, 181)), HTCLIENT);
    s.ScrollCorner = TRect();
    EXPECT_EQ(FrameHitTest(s, m, k, b, fw::TPoint(290, 190)), HTCLIENT);
}

TEST(FrameGeometry, SizeChangesRepaintTheGripAndTheRightCorners) {
    using R = std::vector<TSizeRepaint>;
    const fw::TSize grip(12, 12), none(0, 0), tr(8, 6), br(10, 5);
    const TRect small(0, 0, 100, 80), wide(0, 0, 150, 80), tall(0, 0, 100, 120);
    auto same = [](const R& a, const R& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (!(a[i].R == b[i].R) || a[i].Erase != b[i].Erase) return false;
        return true;
    };
    struct Case {
        const char* what;
        TRect last, now;
        bool cached;
        fw::TSize grip, topRight, bottomRight;
        R want;
    } cases[] = {
        {"grown, not cached: the old grip place",
         small,
         wide,
         false,
         grip,
         none,
         none,
         {{TRect(88, 68, 100, 80), true}}},
        {"grown, cached: nothing", small, tall, true, grip, tr, br, {}},
        {"shrunk, cached: the new grip place, not erased, and the old right corners",
         wide,
         small,
         true,
         grip,
         tr,
         br,
         {{TRect(88, 68, 100, 80), false}, {TRect(142, 0, 150, 6), false}, {TRect(140, 75, 150, 80), false}}},
        {"shrunk without a grip: the corners, erased",
         tall,
         small,
         false,
         none,
         tr,
         none,
         {{TRect(92, 0, 100, 6), true}}},
        {"same size: nothing", small, small, false, grip, tr, br, {}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(same(SizeRepaints(c.last, c.now, c.cached, c.grip, c.topRight, c.bottomRight), c.want)) << c.what;
}
