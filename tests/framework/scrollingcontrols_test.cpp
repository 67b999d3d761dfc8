// Scroll boxes, frames and forms: ranges from the children, the window's own
// scroll bars moving them.
#include "framework/windows/ScrollingControls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Frames.h"

#include <gtest/gtest.h>

#include "app_fixture.h"
#include "control_fixture.h"

using namespace fw;
using namespace fwtest;

namespace {

struct ScrollBoxTest : ::testing::Test {
    void SetUp() override {
        host = Create<THostWindow>(nullptr);
        box = Create<TScrollBox>(nullptr);
        box->SetBounds(10, 10, 200, 100);
        box->SetParent(host);
        wide = Create<TBox>(nullptr);
        wide->SetBounds(150, 20, 100, 30);
        wide->SetParent(box);
        low = Create<TBox>(nullptr);
        low->SetBounds(10, 120, 50, 40);
        low->SetParent(box);
        host->Show();
        Pump(30);
    }
    void TearDown() override { host->Free(); }

    void Scroll(UINT msg, WORD code, WORD pos = 0) { SendMessageW(box->Handle(), msg, MAKEWPARAM(code, pos), 0); }
    // Where a child's window really is, in the box's client coordinates.
    TPoint WindowPlace(TWinControl* c) {
        RECT r;
        GetWindowRect(c->Handle(), &r);
        POINT p{r.left, r.top};
        ScreenToClient(box->Handle(), &p);
        return TPoint(p.x, p.y);
    }
    SCROLLINFO Bar(int which) {
        SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(box->Handle(), which, &si);
        return si;
    }

    THostWindow* host = nullptr;
    TScrollBox* box = nullptr;
    TBox* wide = nullptr;
    TBox* low = nullptr;
};

}  // namespace

TEST_F(ScrollBoxTest, RangesFollowTheChildrenAndShowTheBars) {
    EXPECT_TRUE(box->AutoScroll());
    EXPECT_EQ(box->HorzScrollBar()->Range(), 250);
    EXPECT_EQ(box->VertScrollBar()->Range(), 160);
    EXPECT_TRUE(box->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());
    LONG style = GetWindowLongW(box->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & WS_VSCROLL);
    // The bars take room from the client area; the window's bars carry the range and page.
    RECT client;
    GetClientRect(box->Handle(), &client);
    EXPECT_EQ(box->ClientWidth(), client.right);
    EXPECT_LT(client.right, 200 - 4);
    SCROLLINFO h = Bar(SB_HORZ);
    EXPECT_EQ(h.nMax, 249);
    EXPECT_EQ(int(h.nPage), client.right);
    EXPECT_EQ(box->HorzScrollBar()->ScrollRange(), 250 - client.right);

    // Children brought into view: no range beyond the client, no bars.
    wide->SetLeft(20);
    low->SetTop(10);
    EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(box->VertScrollBar()->IsScrollBarVisible());
    style = GetWindowLongW(box->Handle(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL));
}

TEST_F(ScrollBoxTest, WhatCountsTowardsTheRange) {
    struct Case {
        TAlign align;
        TAnchors anchors;
        bool visible;
        int horz;  // expected ranges with `wide` so placed
        int vert;
    } cases[] = {
        {alNone, {akLeft, akTop}, true, 250, 160},
        {alNone, {akLeft, akTop}, false, 60, 160},          // hidden: not counted
        {alNone, {akRight, akBottom}, true, 60, 160},       // kept from the far edges
        {alNone, {akLeft, akRight, akTop}, true, 60, 160},  // stretched: not counted across
        {alRight, {akLeft, akTop}, true, 60 + 100, 160},    // aligned right adds its width
        {alBottom, {akLeft, akTop}, true, 60, 160 + 30},
    };
    for (const Case& c : cases) {
        wide->SetAlign(alNone);
        wide->SetAnchors({akLeft, akTop});
        wide->SetBounds(150, 20, 100, 30);
        wide->SetVisible(c.visible);
        wide->SetAnchors(c.anchors);
        wide->SetAlign(c.align);
        box->UpdateScrollBars();
        EXPECT_EQ(box->HorzScrollBar()->Range(), c.horz) << c.align << " " << c.anchors.Bits() << " " << c.visible;
        EXPECT_EQ(box->VertScrollBar()->Range(), c.vert) << c.align << " " << c.anchors.Bits() << " " << c.visible;
    }
}

TEST_F(ScrollBoxTest, ScrollMessagesMoveTheChildren) {
    TControlScrollBar* h = box->HorzScrollBar();
    const int last = h->ScrollRange();
    const int page = box->ClientWidth();
    ASSERT_GT(last, 20);
    struct Step {
        WORD code, pos;
        int expected;
    } steps[] = {
        {SB_LINEDOWN, 0, 8},
        {SB_LINEDOWN, 0, 16},
        {SB_LINEUP, 0, 8},
        {SB_THUMBTRACK, 30, 8},  // no tracking: only where the thumb is let go
        {SB_THUMBPOSITION, 20, 20},
        {SB_PAGEDOWN, 0, std::min(20 + page, last)},
        {SB_TOP, 0, 0},
        {SB_PAGEUP, 0, 0},
        {SB_BOTTOM, 0, last},
        {SB_LINEDOWN, 0, last},  // clamped
        {SB_ENDSCROLL, 0, last},
    };
    for (const Step& s : steps) {
        Scroll(WM_HSCROLL, s.code, s.pos);
        EXPECT_EQ(h->Position(), s.expected) << "code " << s.code;
        EXPECT_EQ(wide->Left(), 150 - s.expected) << "code " << s.code;
        EXPECT_EQ(low->Left(), 10 - s.expected);
        EXPECT_EQ(WindowPlace(wide), TPoint(150 - s.expected, 20));
        EXPECT_EQ(GetScrollPos(box->Handle(), SB_HORZ), s.expected);
    }
    h->SetTracking(true);
    Scroll(WM_HSCROLL, SB_THUMBTRACK, 5);
    EXPECT_EQ(wide->Left(), 145);

    // The other bar, and Position set in code.
    Scroll(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(box->VertScrollBar()->Position(), 8);
    EXPECT_EQ(low->Top(), 112);
    box->VertScrollBar()->SetPosition(-50);
    EXPECT_EQ(low->Top(), 120);
    EXPECT_EQ(WindowPlace(low), TPoint(10 - 5, 120));
    // The range stays what the content is, wherever it is scrolled to.
    EXPECT_EQ(h->Range(), 250);
}

TEST_F(ScrollBoxTest, AlignedChildrenSpanTheRangeAndScrollWithIt) {
    auto* bar = Create<TBox>(nullptr);
    bar->SetHeight(15);
    bar->SetParent(box);
    bar->SetAlign(alTop);
    EXPECT_EQ(bar->Width(), 250) << "as wide as the content";
    EXPECT_EQ(bar->Top(), 0);
    box->HorzScrollBar()->SetPosition(30);
    box->VertScrollBar()->SetPosition(10);
    EXPECT_EQ(bar->Left(), -30);
    EXPECT_EQ(bar->Top(), -10);
    EXPECT_EQ(bar->Width(), 250);

    // Scrolling into view a child below the visible part.
    box->VertScrollBar()->SetPosition(0);
    box->ScrollInView(low);
    EXPECT_EQ(low->Top() + low->Height(), box->ClientHeight());
    box->ScrollInView(wide);
    EXPECT_GE(wide->Top(), 0);
}

TEST_F(ScrollBoxTest, ARangeSetByHandEndsAutoScroll) {
    box->HorzScrollBar()->SetPosition(40);
    box->HorzScrollBar()->SetRange(1000);
    EXPECT_FALSE(box->AutoScroll());
    EXPECT_EQ(box->HorzScrollBar()->Range(), 1000);
    wide->SetLeft(10);  // children no longer decide
    EXPECT_EQ(box->HorzScrollBar()->Range(), 1000);
    EXPECT_EQ(Bar(SB_HORZ).nMax, 999);

    box->HorzScrollBar()->SetVisible(false);
    EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
    box->HorzScrollBar()->SetVisible(true);
    box->SetAutoScroll(true);
    EXPECT_EQ(box->HorzScrollBar()->Range(), 150) << "wide: 10 + the 40 scrolled + 100";
    EXPECT_EQ(box->HorzScrollBar()->Position(), 0) << "the range fits the client now";
    EXPECT_EQ(wide->Left(), 50) << "scrolled back by the 40 it was moved";
    EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(box->VertScrollBar()->Range(), 160);
    box->SetAutoScroll(false);
    EXPECT_EQ(box->VertScrollBar()->Range(), 0);
    EXPECT_FALSE(box->VertScrollBar()->IsScrollBarVisible());
}

TEST(ScrollingControls, FormsDoNotScrollUnlessAskedAndFramesDo) {
    FormPtr<TForm> form(Create<TForm>(nullptr));
    EXPECT_TRUE(form->Is<TScrollingWinControl>());
    EXPECT_FALSE(form->AutoScroll());
    form->SetBounds(0, 0, 200, 150);
    auto* outside = Create<TBox>(form.get());
    outside->SetBounds(300, 300, 20, 20);
    outside->SetParent(form.get());
    form->Handle();
    EXPECT_FALSE(GetWindowLongW(form->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
    form->SetAutoScroll(true);
    EXPECT_EQ(form->HorzScrollBar()->Range(), 320);
    EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_VSCROLL);

    TFrame frame(nullptr);
    EXPECT_EQ(frame.ClassName(), L"TFrame");
    EXPECT_TRUE(frame.Is<TCustomFrame>());
    EXPECT_TRUE(frame.AutoScroll());
    EXPECT_TRUE(frame.ControlStyle().Contains(csAcceptsControls));
    TScrollBox box(nullptr);
    EXPECT_EQ(box.ClassName(), L"TScrollBox");
}
