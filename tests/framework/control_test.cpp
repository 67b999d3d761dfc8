// TControl without windows: the message path, property notifications, the
// child list and alignment.
#include "control_fixture.h"

#include "framework/rtl/SysUtils.h"
#include "framework/windows/StdCtrls.h"

using namespace fw;
using namespace fwtest;

namespace {

struct Swallower {
    int seen = 0;
    void Hook(TMessage& m) {
        ++seen;
        m.Result = 77;
    }
};

}  // namespace

TEST(Control, WindowProcIsReplacedComparedAndRestored) {
    TPlain* c = Create<TPlain>(nullptr);
    const TWndMethod original = c->WindowProc();
    EXPECT_TRUE(original == TWndMethod(static_cast<TControl*>(c), &TControl::WndProc));

    Swallower s;
    c->SetWindowProc(TWndMethod(&s, &Swallower::Hook));
    EXPECT_TRUE(c->WindowProc() != original);
    // Perform goes through the replacement, also for a control without a window.
    EXPECT_EQ(c->Perform(CM_HITTEST), 77);
    EXPECT_EQ(s.seen, 1);

    c->SetWindowProc(original);
    EXPECT_TRUE(c->WindowProc() == original);
    EXPECT_EQ(c->Perform(CM_HITTEST), HTCLIENT);
    EXPECT_EQ(s.seen, 1);
    c->Free();
}

TEST(Control, PropertyChangesSendTheirNotifications) {
    TPlain* c = Create<TPlain>(nullptr);
    MessageLog log(c);

    c->SetVisible(false);
    c->SetVisible(false);  // no change, no message
    ASSERT_EQ(log.Count(CM_VISIBLECHANGED), 1u);
    EXPECT_EQ(log.Messages[0].WParam, 0u);
    c->SetVisible(true);
    EXPECT_EQ(log.Messages.back().Msg, UINT(CM_VISIBLECHANGED));
    EXPECT_EQ(log.Messages.back().WParam, 1u);

    log.Clear();
    c->SetEnabled(false);
    c->SetColor(clRed);
    c->Font()->SetHeight(-20);
    c->SetText(L"캡션");
    c->SetText(L"캡션");
    EXPECT_EQ(log.Only({CM_ENABLEDCHANGED, CM_COLORCHANGED, CM_FONTCHANGED, WM_SETTEXT, CM_TEXTCHANGED}),
              (std::vector<UINT>{CM_ENABLEDCHANGED, CM_COLORCHANGED, CM_FONTCHANGED, WM_SETTEXT, CM_TEXTCHANGED}));
    EXPECT_EQ(c->Caption(), L"캡션");
    EXPECT_FALSE(c->ParentColor());
    EXPECT_FALSE(c->ParentFont());

    // Nothing docks: DragKind is only kept, and tells nobody.
    log.Clear();
    EXPECT_EQ(c->DragKind(), dkDrag);
    c->SetDragKind(dkDock);
    EXPECT_EQ(c->DragKind(), dkDock);
    EXPECT_TRUE(log.Messages.empty());
    log.Detach();
    c->Free();
}

TEST(Control, RightToLeftOnlyOnAMiddleEastSystem) {
    EXPECT_EQ(SysLocale.MiddleEast, GetSystemMetrics(SM_MIDEASTENABLED) != 0);
    const TSysLocale saved = SysLocale;
    TPlain* c = Create<TPlain>(nullptr);
    struct Case {
        bool middleEast;
        TBiDiMode mode;
        UINT flags;  // of DrawTextBiDiModeFlags(DT_LEFT)
        bool readingRtl;
    } cases[] = {
        {false, bdRightToLeft, DT_LEFT, false},
        {false, bdRightToLeftReadingOnly, DT_LEFT, false},
        {true, bdLeftToRight, DT_LEFT, false},
        {true, bdRightToLeft, DT_RIGHT | DT_RTLREADING, true},
        {true, bdRightToLeftNoAlign, DT_LEFT | DT_RTLREADING, true},
        {true, bdRightToLeftReadingOnly, DT_LEFT | DT_RTLREADING, true},
    };
    for (const Case& k : cases) {
        SysLocale.MiddleEast = k.middleEast;
        c->SetBiDiMode(k.mode);
        EXPECT_EQ(c->DrawTextBiDiModeFlags(DT_LEFT), k.flags) << k.middleEast << " " << k.mode;
        EXPECT_EQ(c->UseRightToLeftReading(), k.readingRtl) << k.middleEast << " " << k.mode;
    }
    SysLocale = saved;
    c->Free();
}

TEST(Control, ParentFontAndColorFollowTheParentUntilSetLocally) {
    TBox* box = Create<TBox>(nullptr);
    TPlain* follows = Create<TPlain>(nullptr);
    TPlain* own = Create<TPlain>(nullptr);
    follows->SetParent(box);
    own->SetParent(box);
    own->Font()->SetHeight(-30);
    own->SetColor(clLime);

    box->Font()->SetHeight(-17);
    box->SetColor(clNavy);
    EXPECT_EQ(follows->Font()->Height(), -17);
    EXPECT_EQ(follows->Color(), clNavy);
    EXPECT_TRUE(follows->ParentFont());
    EXPECT_TRUE(follows->ParentColor());
    EXPECT_EQ(own->Font()->Height(), -30);
    EXPECT_EQ(own->Color(), clLime);

    // Turning ParentFont back on takes the parent's font at once.
    own->SetParentFont(true);
    EXPECT_EQ(own->Font()->Height(), -17);
    box->Free();
}

TEST(Control, ChildListOrderAndChangeNotifications) {
    TBox* box = Create<TBox>(nullptr);
    MessageLog log(box);
    TBox* win1 = Create<TBox>(nullptr);
    TPlain* g1 = Create<TPlain>(nullptr);
    TBox* win2 = Create<TBox>(nullptr);
    TPlain* g2 = Create<TPlain>(nullptr);
    for (TControl* c : std::initializer_list<TControl*>{win1, g1, win2, g2}) c->SetParent(box);

    // Graphic children first, then windowed ones, each in insertion order.
    ASSERT_EQ(box->ControlCount(), 4);
    EXPECT_EQ(box->Controls(0), g1);
    EXPECT_EQ(box->Controls(1), g2);
    EXPECT_EQ(box->Controls(2), win1);
    EXPECT_EQ(box->Controls(3), win2);
    EXPECT_THROW(box->Controls(4), EListError);

    const TMessage* change = nullptr;
    for (const TMessage& m : log.Messages)
        if (m.Msg == CM_CONTROLLISTCHANGE && m.WParam == reinterpret_cast<WPARAM>(g1)) change = &m;
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(change->LParam, 1);

    log.Clear();
    g1->SetParent(nullptr);
    EXPECT_EQ(log.Only({CM_CONTROLCHANGE, CM_CONTROLLISTCHANGING, CM_CONTROLLISTCHANGE}),
              (std::vector<UINT>{CM_CONTROLCHANGE, CM_CONTROLLISTCHANGING, CM_CONTROLLISTCHANGE}));
    EXPECT_EQ(log.Messages.back().LParam, 0);
    EXPECT_EQ(box->ControlCount(), 3);

    // Freeing a child takes it out of its parent's list.
    win1->Free();
    EXPECT_EQ(box->ControlCount(), 2);
    EXPECT_EQ(box->Controls(1), win2);
    log.Detach();
    g1->Free();
    box->Free();  // frees g2 and win2 with it
}

TEST(Control, AlignPlacesChildrenSideBySideAndClientLast) {
    TBox* box = Create<TBox>(nullptr);
    box->SetBounds(0, 0, 300, 200);
    TBox* client = Create<TBox>(nullptr);
    TBox* top = Create<TBox>(nullptr);
    TPlain* left = Create<TPlain>(nullptr);
    TBox* bottom = Create<TBox>(nullptr);
    client->SetParent(box);
    client->SetAlign(alClient);
    top->SetBounds(0, 0, 10, 30);
    top->SetParent(box);
    top->SetAlign(alTop);
    left->SetBounds(0, 0, 40, 10);
    left->SetParent(box);
    left->SetAlign(alLeft);
    bottom->SetBounds(0, 0, 10, 20);
    bottom->SetParent(box);
    bottom->SetAlign(alBottom);

    EXPECT_EQ(top->BoundsRect(), TRect(0, 0, 300, 30));
    EXPECT_EQ(bottom->BoundsRect(), TRect(0, 180, 300, 200));
    EXPECT_EQ(left->BoundsRect(), TRect(0, 30, 40, 180));
    EXPECT_EQ(client->BoundsRect(), TRect(40, 30, 300, 180));

    // The parent's resize realigns; a hidden child gives its space away.
    box->SetBounds(0, 0, 400, 260);
    EXPECT_EQ(client->BoundsRect(), TRect(40, 30, 400, 240));
    top->SetVisible(false);
    EXPECT_EQ(client->BoundsRect(), TRect(40, 0, 400, 240));
    box->Free();
}

TEST(Control, SetParentToItselfIsRefused) {
    TBox* box = Create<TBox>(nullptr);
    EXPECT_THROW(box->SetParent(box), EInvalidOperation);
    EXPECT_EQ(box->Parent(), nullptr);
    box->Free();
}

TEST(Control, GraphicControlClickFollowsDownAndUpInside) {
    TPlain* c = Create<TPlain>(nullptr);
    c->SetBounds(0, 0, 50, 20);
    int clicks = 0;
    struct Counter {
        int* n;
        void OnClick(TObject*) { ++*n; }
    } counter{&clicks};
    c->OnClick = TNotifyEvent(&counter, &Counter::OnClick);
    c->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(c->ControlState().Contains(csLButtonDown));
    c->Perform(WM_LBUTTONUP, 0, MAKELPARAM(12, 11));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(c->ControlState().Contains(csLButtonDown));
    // Released outside: no click.
    c->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    c->Perform(WM_LBUTTONUP, 0, MAKELPARAM(80, 10));
    EXPECT_EQ(clicks, 1);
    c->Free();
}

TEST(Control, CaptionFollowsTheNameUntilSetOnItsOwn) {
    TPlain* c = Create<TPlain>(nullptr);
    c->SetName(L"Label1");
    EXPECT_EQ(c->Caption(), L"Label1");
    c->SetName(L"Label2");
    EXPECT_EQ(c->Caption(), L"Label2");
    c->SetCaption(L"이름");
    c->SetName(L"Label3");
    EXPECT_EQ(c->Caption(), L"이름");

    TBox* box = Create<TBox>(nullptr);  // no csSetCaption
    box->SetControlStyle(box->ControlStyle() - TControlStyle{csSetCaption});
    box->SetName(L"Box1");
    EXPECT_EQ(box->Caption(), L"");
    box->Free();
    c->Free();
}

TEST(Control, UnusedWheelTurnGoesUpToTheParent) {
    TBox* box = Create<TBox>(nullptr);
    TPlain* child = Create<TPlain>(nullptr);
    child->SetParent(box);
    struct Wheel {
        std::vector<TObject*> senders;
        int delta = 0;
        TShiftState shift;
        TPoint pos;
        bool handle = true;
        void On(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled) {
            senders.push_back(Sender);
            delta = WheelDelta;
            shift = Shift;
            pos = MousePos;
            // The child passes, the parent takes it.
            Handled = handle && senders.size() > 1;
        }
    } wheel;
    child->OnMouseWheel = TMouseWheelEvent(&wheel, &Wheel::On);
    box->OnMouseWheel = TMouseWheelEvent(&wheel, &Wheel::On);

    WPARAM w = MAKEWPARAM(WORD(TShiftState{ssCtrl}.Bits()), WORD(SHORT(-120)));
    EXPECT_EQ(child->Perform(CM_MOUSEWHEEL, w, MAKELPARAM(100, 200)), 1);
    EXPECT_EQ(wheel.senders, (std::vector<TObject*>{child, box}));
    EXPECT_EQ(wheel.delta, -120);
    EXPECT_TRUE(wheel.shift.Contains(ssCtrl));
    EXPECT_EQ(wheel.pos, TPoint(100, 200));

    // Nobody uses it: the answer is 0, so the window's default handling runs.
    wheel = Wheel();
    wheel.handle = false;
    EXPECT_EQ(child->Perform(CM_MOUSEWHEEL, w, MAKELPARAM(100, 200)), 0);
    EXPECT_EQ(wheel.senders.size(), 2u);
    box->Free();
}

TEST(Control, AnchorsKeepEdgeDistancesWhenTheParentResizes) {
    TBox* box = Create<TBox>(nullptr);
    box->SetBounds(0, 0, 300, 200);
    struct {
        TAnchors anchors;
        TRect before, after;
    } table[] = {
        {{akLeft, akTop}, TRect(10, 10, 60, 30), TRect(10, 10, 60, 30)},
        {{akLeft, akTop, akRight}, TRect(10, 10, 60, 30), TRect(10, 10, 160, 30)},
        {{akRight, akBottom}, TRect(250, 170, 290, 190), TRect(350, 230, 390, 250)},
        {{akLeft, akTop, akRight, akBottom}, TRect(10, 10, 290, 190), TRect(10, 10, 390, 250)},
        {{}, TRect(100, 50, 200, 70), TRect(150, 68, 250, 88)},  // centre keeps its relative place
    };
    std::vector<TPlain*> controls;
    for (auto& row : table) {
        TPlain* c = Create<TPlain>(nullptr);
        c->SetBoundsRect(row.before);
        c->SetParent(box);
        c->SetAnchors(row.anchors);
        controls.push_back(c);
    }
    box->SetBounds(0, 0, 400, 260);
    for (size_t i = 0; i < controls.size(); ++i) EXPECT_EQ(controls[i]->BoundsRect(), table[i].after) << "row " << i;
    // Back to the first size: back to the first bounds.
    box->SetBounds(0, 0, 300, 200);
    for (size_t i = 0; i < controls.size(); ++i) EXPECT_EQ(controls[i]->BoundsRect(), table[i].before) << "row " << i;
    box->Free();
}

TEST(Control, AlignmentWaitsForTheEndOfLoading) {
    TBox* box = Create<TBox>(nullptr);
    BeginLoading(box);
    TPlain* child = Create<TPlain>(box);
    child->SetParent(box);
    child->SetAlign(alClient);
    box->SetBounds(0, 0, 100, 50);
    EXPECT_EQ(child->BoundsRect(), TRect(0, 0, 0, 0));
    EXPECT_TRUE(box->ControlState().Contains(csAlignmentNeeded));
    EndLoading(box);
    EXPECT_EQ(child->BoundsRect(), TRect(0, 0, 100, 50));
    EXPECT_FALSE(box->ControlState().Contains(csAlignmentNeeded));
    box->Free();
}

TEST(Control, ConstraintsLimitEverySizeChange) {
    TBox* box = Create<TBox>(nullptr);
    box->SetBounds(0, 0, 300, 200);
    TPlain* c = Create<TPlain>(nullptr);
    c->SetParent(box);
    c->Constraints()->SetMaxWidth(100);
    c->Constraints()->SetMinHeight(20);
    c->SetBounds(5, 5, 150, 10);
    EXPECT_EQ(c->BoundsRect(), TRect(5, 5, 105, 25));

    // A new limit applies at once; a minimum above the maximum lifts it.
    c->Constraints()->SetMinWidth(120);
    EXPECT_EQ(c->Width(), 120);
    EXPECT_EQ(c->Constraints()->MaxWidth(), 120);

    // Alignment asks too, and gets no more than the limits.
    c->SetAlign(alClient);
    EXPECT_EQ(c->BoundsRect(), TRect(0, 0, 120, 200));
    box->Free();
}
