// The extended frame's measurements: a sizeable 300 x 200 form with the
// fixtures' system sizes (frame 4, caption 19) under a skin border of 8, a
// title of 34 and a shadow of (16, 12, 16, 16).
#include <gtest/gtest.h>

#include "FrameFixtures.h"
#include "skin/forms/sExBorderGeometry.h"
#include "skin/forms/sFrameHitTest.h"
#include "skin/forms/sTitleButtons.h"

using namespace skin;
using namespace formstest;

namespace {

TExBorders Ex() {
    TExBorders e;
    e.On = true;
    e.SkinBorder = 8;
    e.SkinTitle = 34;
    e.Shadow = RECT{16, 12, 16, 16};
    return e;
}

fw::TPoint Centre(const fw::TRect& r) { return fw::TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

}  // namespace

TEST(ExBorderGeometry, SizesOffsetsAndTheFormsOwnRegion) {
    const TFrameMetrics m = Metrics();
    const TFrameState s = State(fw::bsSizeable, kAllIcons);
    const TExBorders e = Ex();
    EXPECT_EQ(ExFrameWidth(s, m, e), 8);
    EXPECT_EQ(ExCaptionHeight(s, m, e), 34);
    EXPECT_EQ(DiffBorder(s, m, e), 4);
    EXPECT_EQ(DiffTitle(s, m, e), 34 - 19 - 4);
    // The frame grows by 4 left, right and below and by 11 on top; the
    // shadow adds 32 across and 28 down.
    EXPECT_EQ(ExImageSize(s, m, e), fw::TSize(300 + 8 + 32, 200 + 15 + 28));
    // The client area lies below the skin's title and inside its border ...
    EXPECT_EQ(ExClientOffset(s, m, e), fw::TPoint(16 + 8, 12 + 34));
    // ... which puts it where the form's own client area is on the screen.
    const fw::TPoint w = ExWindowOffset(s, m, e);
    EXPECT_EQ(ExClientOffset(s, m, e).X - w.X, 4);
    EXPECT_EQ(ExClientOffset(s, m, e).Y - w.Y, 4 + 19);
    EXPECT_EQ(ExOwnerRegionRect(s, m), fw::TRect(4, 23, 296, 196));

    // Off, nothing changes; a skin without sizes keeps the system's.
    TExBorders off;
    EXPECT_EQ(ExImageSize(s, m, off), fw::TSize(300, 200));
    TExBorders bare = Ex();
    bare.SkinBorder = 0, bare.SkinTitle = 0;
    EXPECT_EQ(ExFrameWidth(s, m, bare), 4);
    EXPECT_EQ(ExCaptionHeight(s, m, bare), 19);
    // A form without a caption has no title, extended or not.
    const TFrameState none = State(fw::bsNone, kAllIcons);
    EXPECT_EQ(ExCaptionHeight(none, m, e), 0);
}

TEST(ExBorderGeometry, ShadowAndHitTable) {
    LoadedSkin skin(L"default", L"Stillwater");
    const TFrameSkin k = skin.Frame();
    const TFrameMetrics m = Metrics();
    const TFrameState s = State(fw::bsSizeable, kAllIcons);
    const TExBorders e = Ex();
    TFrameState sx;
    TFrameMetrics mx;
    ExFrame(s, m, e, sx, mx);
    TTitleButtons b;
    UpdateIconsIndexes(b, sx, k);
    LayoutTitleButtons(b, sx, mx, k);
    const fw::TPoint shadow(16, 12);
    auto shifted = [&](fw::TPoint p) { return fw::TPoint(p.X + shadow.X, p.Y + shadow.Y); };
    fw::TRect icon = IconRect(sx, mx, k);
    fw::OffsetRect(icon, shadow.X, shadow.Y);

    // The image is 340 x 243; the frame spans (16, 12)-(324, 227), ends included.
    struct Case {
        int x, y;
        bool shadow;
        int code;
    } cases[] = {
        {5, 5, true, HTCAPTION},  // the title band reaches the image's top
        {15, 100, true, -1},
        {330, 100, true, -1},
        {100, 235, true, -1},
        {16, 12, false, HTTOPLEFT},
        {18, 14, false, HTTOPLEFT},
        {100, 14, false, HTTOP},
        {100, 17, false, HTCAPTION},
        {100, 46, false, HTCAPTION},
        {18, 100, false, HTLEFT},
        {21, 100, false, -1},
        {322, 100, false, HTRIGHT},
        {100, 225, false, HTBOTTOM},
        {322, 225, false, HTBOTTOMRIGHT},
        {324, 227, false, HTBOTTOMRIGHT},
        {18, 225, false, HTBOTTOMLEFT},
        {322, 14, false, HTTOPRIGHT},
        {100, 100, false, -1},
    };
    for (const Case& c : cases) {
        const fw::TPoint p(c.x, c.y);
        EXPECT_EQ(ExAboveTheShadow(s, m, e, p), c.shadow) << c.x << "," << c.y;
        if (!c.shadow || c.code != -1) EXPECT_EQ(ExFrameHitTest(s, m, e, k, b, p), c.code) << c.x << "," << c.y;
    }
    // Title buttons and the icon in the extended title.
    EXPECT_EQ(ExFrameHitTest(s, m, e, k, b, shifted(Centre(b.Close.Rect))), HTCLOSE);
    EXPECT_EQ(ExFrameHitTest(s, m, e, k, b, shifted(Centre(b.Max.Rect))), HTMAXBUTTON);
    EXPECT_EQ(ExFrameHitTest(s, m, e, k, b, shifted(Centre(b.Min.Rect))), HTMINBUTTON);
    EXPECT_EQ(ExFrameHitTest(s, m, e, k, b, Centre(icon)), HTSYSMENU);
    EXPECT_GT(b.Close.Rect.Bottom, 19 + 4) << "laid out in the higher title";

    // A disabled form answers nothing; a zoomed one has no edges and no shadow.
    TFrameState off = s;
    off.Enabled = false;
    EXPECT_EQ(ExFrameHitTest(off, m, e, k, b, fw::TPoint(100, 30)), -1);
    TFrameState z = s;
    z.Zoomed = true;
    EXPECT_EQ(ExFrameHitTest(z, m, e, k, b, fw::TPoint(18, 100)), -1);
    EXPECT_FALSE(ExAboveTheShadow(z, m, e, fw::TPoint(2, 2)));
}

// A user title button answers 1000 + its index while enabled; disabled it is
// the client area on the form (HTCLIENT) and nothing on the border window (-1).
TEST(ExBorderGeometry, ADisabledUserTitleButtonAnswersAsTheClientArea) {
    LoadedSkin skin(L"default", L"Stillwater");
    const TFrameSkin k = skin.Frame();
    const TFrameMetrics m = Metrics();
    const TFrameState s = State(fw::bsSizeable, kAllIcons);
    const TExBorders e = Ex();
    TFrameState sx;
    TFrameMetrics mx;
    ExFrame(s, m, e, sx, mx);
    TsCaptionButton pin, mark;
    struct Case {
        bool enabled;
        int onForm, onBorderWindow;
    } cases[] = {{true, HTUDBTN + 1, HTUDBTN + 1}, {false, HTCLIENT, -1}};
    for (const Case& c : cases) {
        TTitleButtons b;
        b.User = {{&pin, true, true}, {&mark, true, c.enabled}};
        UpdateIconsIndexes(b, sx, k);
        LayoutTitleButtons(b, sx, mx, k);
        ASSERT_FALSE(mark.Rect.IsEmpty());
        const fw::TPoint p = Centre(mark.Rect);
        EXPECT_EQ(FrameHitTest(sx, mx, k, b, p), c.onForm) << c.enabled;
        EXPECT_EQ(ExFrameHitTest(s, m, e, k, b, fw::TPoint(p.X + 16, p.Y + 12)), c.onBorderWindow) << c.enabled;
        // The enabled one beside it still answers.
        EXPECT_EQ(FrameHitTest(sx, mx, k, b, Centre(pin.Rect)), HTUDBTN + 0);
    }
}

TEST(ExBorderGeometry, AZoomedFormsBorderWindowShowsOnlyItsInnerRectangle) {
    const TFrameMetrics m = Metrics();
    TFrameState s = State(fw::bsSizeable, kAllIcons);
    EXPECT_EQ(ExZoomedRegion(s, m, Ex()), nullptr);
    s.Zoomed = true;
    HRGN rgn = ExZoomedRegion(s, m, Ex());
    ASSERT_NE(rgn, nullptr);
    RECT box{};
    EXPECT_EQ(GetRgnBox(rgn, &box), SIMPLEREGION);
    // The system frame and the extra border inside the shadow; 4 pixels
    // below the shadow's top.
    EXPECT_EQ(fw::TRect(box.left, box.top, box.right, box.bottom),
              fw::TRect(16 + 8, 12 + 4, 340 - 8 - 16, 243 - 8 - 16));
    DeleteObject(rgn);
}
