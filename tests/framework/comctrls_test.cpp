// The common controls on a shown form: status bar, toolbar, tab and page
// controls, tree and list views, up-down, progress and track bars, each set
// through the framework and read back from its window, with notifications
// reaching the events by real messages.
#include "framework/windows/ComCtrls.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "framework/rtl/Strings.h"
#include "framework/windows/StdCtrls.h"
#include "native_fixture.h"

using namespace fw;
using namespace fwtest;

namespace {

LRESULT Send(TWinControl* c, UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(c->Handle(), msg, w, l); }

String StatusText(TStatusBar* bar, int part) {
    wchar_t buf[128] = {};
    Send(bar, SB_GETTEXTW, WPARAM(part), reinterpret_cast<LPARAM>(buf));
    return buf;
}

String TabText(TWinControl* tabs, int index) {
    wchar_t buf[64] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = 64;
    Send(tabs, TCM_GETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    return buf;
}

TPoint Centre(const RECT& r) { return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

struct Changing {
    bool allow = true;
    int asked = 0;
    void Ask(TObject*, bool& AllowChange) {
        ++asked;
        AllowChange = allow;
    }
};

}  // namespace

TEST(ComCtrls, EachControlIsItsCommonClassUnderItsFrameworkName) {
    NativeForm form;
    ExpectNativeClasses({
        {[&] { return form.Put<TStatusBar>(0, 0, 100, 19); }, L"TStatusBar",
         [](TWinControl* c) { return c->Is<TStatusBar>(); }, SB_GETPARTS},
        {[&] { return form.Put<TToolBar>(0, 0, 100, 29); }, L"TToolBar",
         [](TWinControl* c) { return c->Is<TToolBar>(); }, TB_GETBUTTONSIZE},
        {[&] { return form.Put<TPageControl>(0, 40, 100, 80); }, L"TPageControl",
         [](TWinControl* c) { return c->Is<TCustomTabControl>(); }, TCM_GETCURSEL},
        {[&] { return form.Put<TTabControl>(100, 40, 100, 80); }, L"TTabControl",
         [](TWinControl* c) { return c->Is<TCustomTabControl>(); }, TCM_GETCURSEL},
        {[&] { return form.Put<TTreeView>(200, 40, 100, 80); }, L"TTreeView",
         [](TWinControl* c) { return c->Is<TCustomTreeView>(); }, TVM_GETINDENT},
        {[&] { return form.Put<TListView>(300, 40, 100, 80); }, L"TListView",
         [](TWinControl* c) { return c->Is<TCustomListView>(); }, LVM_GETBKCOLOR},
        {[&] { return form.Put<TUpDown>(0, 130, 17, 30); }, L"TUpDown",
         [](TWinControl* c) { return c->Is<TCustomUpDown>(); }, UDM_GETRANGE},
        {[&] { return form.Put<TProgressBar>(20, 130, 100, 17); }, L"TProgressBar",
         [](TWinControl* c) { return c->Is<TWinControl>(); }, PBM_GETRANGE},
        {[&] { return form.Put<TTrackBar>(130, 130, 100, 30); }, L"TTrackBar",
         [](TWinControl* c) { return c->Is<TWinControl>(); }, TBM_GETRANGEMAX},
        // A rebar's background colour is "none" until set.
        {[&] { return form.Put<TCoolBar>(0, 170, 200, 40); }, L"TCoolBar",
         [](TWinControl* c) { return c->Is<TCoolBar>(); }, RB_GETBKCOLOR},
        {[&] { return form.Put<TComboBoxEx>(240, 170, 120, 100); }, L"TComboBoxEx",
         [](TWinControl* c) { return c->Is<TComboBoxEx>() && !c->Is<TCustomComboBox>(); }, CBEM_GETCOMBOCONTROL},
    });
}

TEST(StatusBar, PanelsBecomeThePartsWithTheirTextsAndAlignment) {
    NativeForm form;
    TStatusBar* bar = form.Put<TStatusBar>(0, 0, 400, 20);
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight());
    bar->SetSimpleText(L"준비");
    EXPECT_EQ(Send(bar, SB_GETPARTS), 1);
    EXPECT_EQ(StatusText(bar, 0), L"준비");

    struct Panel {
        const wchar_t* text;
        TAlignment alignment;
        int width;
        const wchar_t* sent;
    } panels[] = {{L"녹음", taLeftJustify, 80, L"녹음"},
                  {L"12:00", taCenter, 60, L"\t12:00"},
                  {L"3쪽", taRightJustify, 50, L"\t\t3쪽"}};
    for (const Panel& p : panels) {
        TStatusPanel* panel = bar->Panels()->Add();
        panel->SetText(p.text);
        panel->SetAlignment(p.alignment);
        panel->SetWidth(p.width);
    }
    int edges[3] = {};
    EXPECT_EQ(Send(bar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 80);
    EXPECT_EQ(edges[1], 140);
    EXPECT_EQ(edges[2], -1);  // the last panel reaches the right edge
    for (int i = 0; i < 3; ++i) EXPECT_EQ(StatusText(bar, i), panels[i].sent) << i;
    EXPECT_EQ(bar->Panels()->Items(2)->Index(), 2);

    bar->SetSimplePanel(true);
    EXPECT_NE(Send(bar, SB_ISSIMPLE), 0);
    EXPECT_EQ(StatusText(bar, 0), L"준비");
    bar->SetSimplePanel(false);
    EXPECT_EQ(Send(bar, SB_ISSIMPLE), 0);
    bar->Panels()->Delete(0);
    EXPECT_EQ(Send(bar, SB_GETPARTS), 2);
    EXPECT_EQ(StatusText(bar, 0), L"\t12:00");

    // BorderWidth: a frame inside the window's edge.
    RECT before;
    GetClientRect(bar->Handle(), &before);
    bar->SetBorderWidth(3);
    RECT after;
    GetClientRect(bar->Handle(), &after);
    EXPECT_EQ(before.right - after.right, 6);
    EXPECT_EQ(before.bottom - after.bottom, 6);
    EXPECT_TRUE(GetWindowLongW(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
}

namespace {

struct PanelDraw {
    std::vector<TStatusPanel*> panels;
    void Draw(TStatusBar* Bar, TStatusPanel* Panel, const TRect& Rect) {
        panels.push_back(Panel);
        Bar->Canvas()->Brush()->SetColor(clRed);
        Bar->Canvas()->FillRect(Rect);
    }
};

}  // namespace

TEST(StatusBar, OwnerDrawnPanelsArePaintedByOnDrawPanel) {
    NativeForm form;
    TStatusBar* bar = form.Put<TStatusBar>(0, 0, 300, 22);
    bar->Panels()->Add()->SetText(L"text");
    TStatusPanel* drawn = bar->Panels()->Add();
    drawn->SetStyle(psOwnerDraw);
    PanelDraw draw;
    bar->OnDrawPanel = TDrawPanelEvent(&draw, &PanelDraw::Draw);
    bar->Repaint();
    Pump(30);
    ASSERT_FALSE(draw.panels.empty());
    EXPECT_EQ(draw.panels.back(), drawn);
    RECT part;
    Send(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
    Capture cap = CaptureWindow(bar->Handle());
    EXPECT_EQ(cap.At(part.left + 10, (part.top + part.bottom) / 2), Rgb(clRed));
    EXPECT_NE(cap.At(10, (part.top + part.bottom) / 2), Rgb(clRed));
}

namespace {

struct ToolBarDraw {
    int bar = 0;
    std::vector<TToolButton*> buttons;
    TCustomDrawState lastState;
    void Bar(TToolBar* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw) {
        if (Stage != cdPrePaint) return;
        ++bar;
        // Paint the bar's background ourselves; the buttons stay native.
        // (The system's rectangle is the update area, Wine's the buttons'.)
        EXPECT_FALSE(ARect.IsEmpty());
        Sender->Canvas()->Brush()->SetColor(clRed);
        Sender->Canvas()->FillRect(Sender->ClientRect());
        DefaultDraw = true;
    }
    void Button(TToolBar*, TToolButton* Button, TCustomDrawState State, TCustomDrawStage, TTBCustomDrawFlags& Flags,
                bool&) {
        buttons.push_back(Button);
        lastState = State;
        Flags.Include(tbNoEdges);
    }
};

}  // namespace

TEST(ToolBar, ButtonsMirrorTheWindowsButtonsAndClicksReachThem) {
    NativeForm form;
    TToolBar* bar = form.Put<TToolBar>(0, 0, 300, 30);
    bar->SetShowCaptions(true);
    TToolButton* buttons[3];
    const wchar_t* captions[] = {L"열기", L"", L"반복"};
    const TToolButtonStyle styles[] = {tbsButton, tbsSeparator, tbsCheck};
    for (int i = 0; i < 3; ++i) {
        buttons[i] = Create<TToolButton>(bar);
        buttons[i]->SetCaption(captions[i]);
        buttons[i]->SetStyle(styles[i]);
        buttons[i]->SetParent(bar);
    }
    EXPECT_EQ(bar->ButtonCount(), 3);
    EXPECT_EQ(Send(bar, TB_BUTTONCOUNT), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bar->Buttons(i), buttons[i]);
        EXPECT_EQ(buttons[i]->Index(), i);
        TBBUTTON b = {};
        Send(bar, TB_GETBUTTON, WPARAM(i), reinterpret_cast<LPARAM>(&b));
        EXPECT_EQ(b.dwData, reinterpret_cast<DWORD_PTR>(buttons[i]));
        RECT r;
        Send(bar, TB_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
        EXPECT_EQ(buttons[i]->BoundsRect(), TRect(r)) << i;
    }
    EXPECT_EQ(HIWORD(Send(bar, TB_GETBUTTONSIZE)), bar->ButtonHeight());

    // Clicks on the window's buttons run the buttons' OnClick; a check
    // button's Down follows its window.
    EventCounter open, repeat;
    buttons[0]->OnClick = open.Event();
    buttons[2]->OnClick = repeat.Event();
    TPoint p = Centre(*buttons[0]->BoundsRect().AsRECT());
    ClickAt(bar->Handle(), p.X, p.Y);
    EXPECT_EQ(open.count, 1);
    p = Centre(*buttons[2]->BoundsRect().AsRECT());
    ClickAt(bar->Handle(), p.X, p.Y);
    EXPECT_EQ(repeat.count, 1);
    EXPECT_TRUE(buttons[2]->Down());
    buttons[2]->SetDown(false);
    TBBUTTON b = {};
    Send(bar, TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&b));
    EXPECT_FALSE(Send(bar, TB_ISBUTTONCHECKED, WPARAM(b.idCommand)));
    buttons[0]->SetEnabled(false);
    buttons[0]->SetMarked(true);
    Send(bar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&b));
    EXPECT_FALSE(b.fsState & TBSTATE_ENABLED);
    EXPECT_TRUE(b.fsState & TBSTATE_MARKED);

    bar->SetButtonHeight(30);
    EXPECT_EQ(HIWORD(Send(bar, TB_GETBUTTONSIZE)), 30);
    EXPECT_EQ(buttons[0]->Height(), 30);

    // A freed button leaves the window.
    buttons[1]->Free();
    EXPECT_EQ(bar->ButtonCount(), 2);
    EXPECT_EQ(Send(bar, TB_BUTTONCOUNT), 2);
    EXPECT_EQ(buttons[2]->Index(), 1);
}

TEST(ToolBar, EdgesAndBorderAreTheFrameAndCustomDrawReachesTheEvents) {
    NativeForm form;
    TToolBar* bar = form.Put<TToolBar>(0, 0, 300, 40);
    auto* button = Create<TToolButton>(bar);
    button->SetParent(bar);
    struct Case {
        TEdgeBorders borders;
        TEdgeStyle inner, outer;
        int borderWidth;
        int left, top, right, bottom;
    } cases[] = {
        {{ebTop}, esRaised, esLowered, 0, 0, 2, 0, 0},
        {{ebLeft, ebTop, ebRight, ebBottom}, esRaised, esNone, 0, 1, 1, 1, 1},
        {{ebLeft, ebBottom}, esLowered, esLowered, 3, 5, 3, 3, 5},
        {{}, esRaised, esRaised, 0, 0, 0, 0, 0},
    };
    for (const Case& k : cases) {
        bar->SetEdgeBorders(k.borders);
        bar->SetEdgeInner(k.inner);
        bar->SetEdgeOuter(k.outer);
        bar->SetBorderWidth(k.borderWidth);
        RECT client;
        GetClientRect(bar->Handle(), &client);
        MapWindowPoints(bar->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        RECT window;
        GetWindowRect(bar->Handle(), &window);
        EXPECT_EQ(client.left - window.left, k.left);
        EXPECT_EQ(client.top - window.top, k.top);
        EXPECT_EQ(window.right - client.right, k.right);
        EXPECT_EQ(window.bottom - client.bottom, k.bottom);
    }

    ToolBarDraw draw;
    bar->OnAdvancedCustomDraw = TTBAdvancedCustomDrawEvent(&draw, &ToolBarDraw::Bar);
    bar->OnAdvancedCustomDrawButton = TTBAdvancedCustomDrawBtnEvent(&draw, &ToolBarDraw::Button);
    button->SetCaption(L"");
    bar->Repaint();
    Pump(50);
    EXPECT_GE(draw.bar, 1);
    ASSERT_FALSE(draw.buttons.empty());
    EXPECT_EQ(draw.buttons.front(), button);
    Capture cap = CaptureWindow(bar->Handle());
    // The bar's own painting shows right of the button.
    EXPECT_EQ(cap.At(button->Left() + button->Width() + 20, button->Top() + 5), Rgb(clRed));
}

TEST(PageControl, PagesAreTheTabsAndAClickedTabShowsItsPage) {
    NativeForm form;
    TPageControl* pages = form.Put<TPageControl>(10, 10, 300, 200);
    TTabSheet* sheets[3];
    const wchar_t* captions[] = {L"일반", L"녹음", L"화면"};
    for (int i = 0; i < 3; ++i) {
        sheets[i] = Create<TTabSheet>(pages);
        sheets[i]->SetCaption(captions[i]);
        sheets[i]->SetPageControl(pages);
    }
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(Send(pages, TCM_GETITEMCOUNT), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(TabText(pages, i), captions[i]);
        EXPECT_EQ(sheets[i]->PageIndex(), i);
        EXPECT_TRUE(sheets[i]->Is<TTabSheet>());
    }
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_TRUE(IsWindowVisible(sheets[0]->Handle()));
    // The page fills the area the window leaves below its tabs.
    RECT area;
    GetClientRect(pages->Handle(), &area);
    Send(pages, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    EXPECT_EQ(sheets[0]->BoundsRect(), TRect(area));

    // A click on the third tab: OnChanging may refuse, then the page comes up.
    Changing changing;
    EventCounter changed;
    pages->OnChanging = TTabChangingEvent(&changing, &Changing::Ask);
    pages->OnChange = changed.Event();
    RECT tab;
    Send(pages, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tab));
    changing.allow = false;
    ClickAt(pages->Handle(), Centre(tab).X, Centre(tab).Y);
    EXPECT_EQ(changing.asked, 1);
    EXPECT_EQ(changed.count, 0);
    EXPECT_EQ(Send(pages, TCM_GETCURSEL), 0);
    changing.allow = true;
    ClickAt(pages->Handle(), Centre(tab).X, Centre(tab).Y);
    EXPECT_EQ(changed.count, 1);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    EXPECT_TRUE(IsWindowVisible(sheets[2]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheets[0]->Handle()));

    // A sheet's BorderWidth: its controls sit that far inside the page.
    auto* inner = Create<TEdit>(sheets[2]);
    inner->SetAlign(alClient);
    inner->SetParent(sheets[2]);
    sheets[2]->SetBorderWidth(5);
    RECT page, field;
    GetWindowRect(sheets[2]->Handle(), &page);
    GetWindowRect(inner->Handle(), &field);
    EXPECT_EQ(TRect(field), TRect(page.left + 5, page.top + 5, page.right - 5, page.bottom - 5));
    EXPECT_EQ(sheets[2]->ClientWidth(), int(page.right - page.left) - 10);

    // Set in code; a caption change and a removed page reach the tabs.
    pages->SetActivePageIndex(1);
    EXPECT_EQ(Send(pages, TCM_GETCURSEL), 1);
    sheets[1]->SetCaption(L"녹음기");
    EXPECT_EQ(TabText(pages, 1), L"녹음기");
    sheets[1]->Free();
    EXPECT_EQ(Send(pages, TCM_GETITEMCOUNT), 2);
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_NE(pages->ActivePage(), nullptr);
}

TEST(TabControl, TabsAndTabIndexAreTheWindowsTabs) {
    NativeForm form;
    auto* tabs = Create<TTabControl>(form.get());
    tabs->SetBounds(10, 10, 300, 100);
    tabs->Tabs()->Add(L"하나");
    tabs->Tabs()->Add(L"둘");
    tabs->SetTabIndex(1);
    tabs->SetParent(form.get());
    EXPECT_EQ(Send(tabs, TCM_GETITEMCOUNT), 2);
    EXPECT_EQ(Send(tabs, TCM_GETCURSEL), 1);
    tabs->Tabs()->Add(L"셋");
    EXPECT_EQ(Send(tabs, TCM_GETITEMCOUNT), 3);
    EXPECT_EQ(TabText(tabs, 2), L"셋");
    EXPECT_EQ(tabs->TabIndex(), 1);
    tabs->SetTabPosition(tpBottom);
    EXPECT_TRUE(GetWindowLongW(tabs->Handle(), GWL_STYLE) & TCS_BOTTOM);
    EXPECT_EQ(Send(tabs, TCM_GETITEMCOUNT), 3);
    EXPECT_EQ(tabs->TabIndex(), 1);
}

namespace {

struct TreeDraw {
    int pre = 0;
    void Draw(TCustomTreeView*, const TRect&, TCustomDrawStage Stage, bool&) { pre += Stage == cdPrePaint; }
};

}  // namespace

TEST(TreeView, NodesAreTheWindowsItemsAcrossANewWindow) {
    NativeForm form;
    auto* tree = Create<TTreeView>(form.get());
    tree->SetBounds(10, 10, 200, 200);
    TTreeNode* root = tree->Items()->AddChild(nullptr, L"책");
    TTreeNode* first = tree->Items()->AddChild(root, L"1장");
    tree->SetParent(form.get());
    TTreeNode* second = tree->Items()->Add(first, L"2장");
    EXPECT_EQ(Send(tree, TVM_GETCOUNT), 3);
    EXPECT_EQ(tree->Items()->Count(), 3);
    EXPECT_EQ(second->Parent(), root);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(Send(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(second->ItemId())),
                  reinterpret_cast<LRESULT>(root->ItemId()));
        EXPECT_EQ(Send(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(first->ItemId())),
                  reinterpret_cast<LRESULT>(second->ItemId()));
        wchar_t buf[32] = {};
        TVITEMW item = {};
        item.mask = TVIF_TEXT;
        item.hItem = first->ItemId();
        item.pszText = buf;
        item.cchTextMax = 32;
        Send(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(buf, L"1장");
        tree->RecreateWnd();
        EXPECT_EQ(Send(tree, TVM_GETCOUNT), 3);
    }

    TreeDraw draw;
    tree->OnAdvancedCustomDraw = TTVAdvancedCustomDrawEvent(&draw, &TreeDraw::Draw);
    tree->Repaint();
    EXPECT_GE(draw.pre, 1);
    tree->Items()->Clear();
    EXPECT_EQ(Send(tree, TVM_GETCOUNT), 0);
}

TEST(ListView, ViewStyleColumnsAndItemsAreTheWindows) {
    NativeForm form;
    TListView* list = form.Put<TListView>(10, 10, 300, 200);
    list->SetViewStyle(vsReport);
    EXPECT_EQ(GetWindowLongW(list->Handle(), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    const wchar_t* headers[] = {L"이름", L"크기"};
    for (const wchar_t* h : headers) {
        TListColumn* c = list->Columns()->Add();
        c->SetCaption(h);
        c->SetWidth(120);
    }
    for (const wchar_t* s : {L"micrec1.mp3", L"micrec2.mp3", L"micrec3.mp3"}) list->Items()->Add()->SetCaption(s);
    EXPECT_EQ(list->Columns()->Count(), 2);
    EXPECT_EQ(Send(list, LVM_GETITEMCOUNT), 3);
    HWND header = reinterpret_cast<HWND>(Send(list, LVM_GETHEADER));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(list->Columns()->Items(1)->Width(), 120);
    wchar_t buf[32] = {};
    LVITEMW item = {};
    item.pszText = buf;
    item.cchTextMax = 32;
    Send(list, LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(buf, L"micrec2.mp3");
    list->SetViewStyle(vsList);
    EXPECT_EQ(GetWindowLongW(list->Handle(), GWL_STYLE) & LVS_TYPEMASK, LVS_LIST);
    list->RecreateWnd();
    EXPECT_EQ(Send(list, LVM_GETITEMCOUNT), 3);
    list->Items()->Clear();
    EXPECT_EQ(Send(list, LVM_GETITEMCOUNT), 0);
}

namespace {

struct UpDownClicks {
    std::vector<TUDBtnType> buttons;
    std::vector<std::pair<int, TUpDownDirection>> asked;
    void Click(TObject*, TUDBtnType Button) { buttons.push_back(Button); }
    void ChangingEx(TObject*, bool&, int NewValue, TUpDownDirection Direction) {
        asked.push_back({NewValue, Direction});
    }
};

}  // namespace

TEST(UpDown, RangeAndPositionAreTheWindowsAndArrowClicksReachTheEvents) {
    NativeForm form;
    TEdit* edit = form.Put<TEdit>(10, 10, 60, 21);
    auto* ud = Create<TUpDown>(form.get());
    ud->SetMin(1);
    ud->SetMax(10);
    ud->SetPosition(5);
    ud->SetAssociate(edit);
    ud->SetParent(form.get());
    int lo = 0, hi = 0;
    Send(ud, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 10);
    EXPECT_EQ(Send(ud, UDM_GETPOS32), 5);
    EXPECT_EQ(Send(ud, UDM_GETBUDDY), reinterpret_cast<LRESULT>(edit->Handle()));
    EXPECT_EQ(edit->Text(), L"5");
    // The window sits at the buddy's right edge.
    EXPECT_EQ(ud->Left(), edit->Left() + edit->Width());

    Changing changing;
    UpDownClicks clicks;
    ud->OnChanging = TUDChangingEvent(&changing, &Changing::Ask);
    ud->OnClick = TUDClickEvent(&clicks, &UpDownClicks::Click);
    ud->OnChangingEx = TUDChangingEventEx(&clicks, &UpDownClicks::ChangingEx);
    RECT r;
    GetClientRect(ud->Handle(), &r);
    ClickAt(ud->Handle(), r.right / 2, 2);  // the upper arrow
    EXPECT_EQ(ud->Position(), 6);
    EXPECT_EQ(edit->Text(), L"6");
    EXPECT_EQ(changing.asked, 1);
    EXPECT_EQ(clicks.buttons, std::vector<TUDBtnType>{btNext});
    ClickAt(ud->Handle(), r.right / 2, r.bottom - 2);  // the lower arrow
    EXPECT_EQ(ud->Position(), 5);
    EXPECT_EQ(clicks.buttons.back(), btPrev);
    using Asked = std::vector<std::pair<int, TUpDownDirection>>;
    EXPECT_EQ(clicks.asked, (Asked{{6, updUp}, {5, updDown}}));
    changing.allow = false;
    ClickAt(ud->Handle(), r.right / 2, 2);
    EXPECT_EQ(ud->Position(), 5);
    EXPECT_EQ(clicks.buttons.size(), 2u);
    // Freeing the buddy lets go of it.
    edit->Free();
    EXPECT_EQ(ud->Associate(), nullptr);
}

TEST(ProgressBar, RangePositionAndStepAreTheWindows) {
    NativeForm form;
    TProgressBar* bar = form.Put<TProgressBar>(10, 10, 200, 17);
    bar->SetMin(10);
    bar->SetMax(60);
    bar->SetStep(20);
    bar->SetPosition(15);
    PBRANGE range = {};
    Send(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 10);
    EXPECT_EQ(range.iHigh, 60);
    EXPECT_EQ(Send(bar, PBM_GETPOS), 15);
    bar->StepIt();
    EXPECT_EQ(Send(bar, PBM_GETPOS), 35);
    EXPECT_EQ(bar->Position(), 35);
    bar->SetSmooth(true);
    EXPECT_TRUE(GetWindowLongW(bar->Handle(), GWL_STYLE) & PBS_SMOOTH);
    EXPECT_EQ(Send(bar, PBM_GETPOS), 35);
}

TEST(TrackBar, RangeAndPositionAreTheWindowsAndKeysRunOnChange) {
    NativeForm form;
    TTrackBar* bar = form.Put<TTrackBar>(10, 10, 200, 40);
    bar->SetMax(20);
    bar->SetPosition(4);
    EXPECT_EQ(Send(bar, TBM_GETRANGEMIN), 0);
    EXPECT_EQ(Send(bar, TBM_GETRANGEMAX), 20);
    EXPECT_EQ(Send(bar, TBM_GETPOS), 4);
    EventCounter changes;
    bar->OnChange = changes.Event();
    KeyDown(bar->Handle(), VK_RIGHT);
    EXPECT_EQ(bar->Position(), 5);
    EXPECT_EQ(changes.count, 1);
    bar->SetPosition(99);
    EXPECT_EQ(Send(bar, TBM_GETPOS), 20);
    EXPECT_EQ(changes.count, 2);
    bar->SetOrientation(trVertical);
    EXPECT_TRUE(GetWindowLongW(bar->Handle(), GWL_STYLE) & TBS_VERT);
    EXPECT_EQ(Send(bar, TBM_GETPOS), 20);
}

#include "framework/windows/Buttons.h"

// One form holding every native control, for a person to look at (Latin
// captions: the test display has no Hangul font).
TEST(NativeControls, AllOnOneFormScreenshot) {
    NativeForm form;
    form->SetColor(clBtnFace);
    TToolBar* tools = form.Put<TToolBar>(0, 0, 480, 30);
    tools->SetShowCaptions(true);
    tools->SetFlat(true);
    for (const wchar_t* s : {L"Open", L"Save", L"Record"}) {
        auto* b = Create<TToolButton>(tools);
        b->SetCaption(s);
        b->SetParent(tools);
    }
    TStatusBar* status = form.Put<TStatusBar>(0, 0, 480, 20);
    for (const wchar_t* s : {L"Ready", L"Page 3 / 120"}) {
        TStatusPanel* p = status->Panels()->Add();
        p->SetText(s);
        p->SetWidth(150);
    }
    TPageControl* pages = form.Put<TPageControl>(8, 40, 230, 150);
    for (const wchar_t* s : {L"General", L"Recording"}) {
        auto* sheet = Create<TTabSheet>(pages);
        sheet->SetCaption(s);
        sheet->SetPageControl(pages);
    }
    auto* check = Create<TCheckBox>(pages->Pages(0));
    check->SetBounds(8, 8, 150, 20);
    check->SetCaption(L"Repeat");
    check->SetParent(pages->Pages(0));
    check->SetChecked(true);
    auto* radio = Create<TRadioButton>(pages->Pages(0));
    radio->SetBounds(8, 32, 150, 20);
    radio->SetCaption(L"Full screen");
    radio->SetParent(pages->Pages(0));
    radio->SetChecked(true);
    auto* group = Create<TGroupBox>(pages->Pages(0));
    group->SetBounds(8, 56, 200, 55);
    group->SetCaption(L"Volume");
    group->SetParent(pages->Pages(0));
    auto* track = Create<TTrackBar>(group);
    track->SetBounds(8, 18, 180, 30);
    track->SetParent(group);
    track->SetPosition(6);

    TComboBox* combo = form.Put<TComboBox>(248, 40, 140, 21);
    combo->Items()->Add(L"bsSizeToolWin");
    combo->SetItemIndex(0);
    TEdit* edit = form.Put<TEdit>(400, 40, 50, 21);
    TUpDown* ud = form.Put<TUpDown>(450, 40, 17, 21);
    ud->SetAssociate(edit);
    ud->SetPosition(3);
    TListBox* list = form.Put<TListBox>(248, 70, 100, 60);
    for (const wchar_t* s : {L"micrec1.mp3", L"micrec2.mp3"}) list->Items()->Add(s);
    TMemo* memo = form.Put<TMemo>(356, 70, 112, 60);
    memo->Lines()->SetText(L"First line\nSecond line");
    TScrollBar* scroll = form.Put<TScrollBar>(248, 140, 220, 17);
    scroll->SetPosition(40);
    TProgressBar* progress = form.Put<TProgressBar>(248, 165, 220, 17);
    progress->SetPosition(60);
    TTreeView* tree = form.Put<TTreeView>(8, 200, 150, 130);
    TTreeNode* root = tree->Items()->AddChild(nullptr, L"Book");
    tree->Items()->AddChild(root, L"Chapter 1");
    tree->Items()->AddChild(root, L"Chapter 2");
    TListView* view = form.Put<TListView>(166, 200, 180, 130);
    view->SetViewStyle(vsReport);
    view->Columns()->Add()->SetCaption(L"Name");
    view->Columns()->Items(0)->SetWidth(100);
    view->Items()->Add()->SetCaption(L"micrec1.mp3");
    TTabControl* tabs = form.Put<TTabControl>(354, 190, 118, 60);
    tabs->Tabs()->Add(L"One");
    tabs->Tabs()->Add(L"Two");
    auto* speed = form.Put<TSpeedButton>(354, 260, 60, 30);
    speed->SetCaption(L"Play");
    const auto shot = form.Screenshot(L"native-controls");
    EXPECT_EQ(form->ControlCount(), 14);

    // Every control painted something of its own: a border, a text, a fill.
    fw::TCanvas* pixels = shot->Canvas();
    for (int i = 0; i < form->ControlCount(); ++i) {
        const fw::TRect r = form->Controls(i)->BoundsRect();
        std::set<COLORREF> colours;
        for (int y = r.Top; y < r.Bottom; y += 2)
            for (int x = r.Left; x < r.Right; x += 2) colours.insert(GetPixel(pixels->Handle(), x, y));
        EXPECT_GE(colours.size(), 3u) << fw::ToAnsi(form->Controls(i)->ClassName()).c_str();
    }
    // The bar at 60 of 100 is filled on its left, not at its right end.
    auto filled = [&](int x0, int x1) {
        int n = 0;
        const fw::TRect r = progress->BoundsRect();
        for (int x = x0; x < x1; ++x)
            n += GetPixel(pixels->Handle(), r.Left + x, (r.Top + r.Bottom) / 2) == GetSysColor(COLOR_HIGHLIGHT);
        return n;
    };
    EXPECT_GT(filled(4, 120), 60);
    EXPECT_EQ(filled(150, 216), 0);
}

TEST(ToolBar, ADropDownArrowTellsTheBarItsMenuClosed) {
    NativeForm form;
    TToolBar* bar = form.Put<TToolBar>(0, 0, 300, 30);
    auto* button = Create<TToolButton>(bar);
    button->SetStyle(tbsDropDown);
    button->SetParent(bar);
    EventCounter clicks;
    button->OnClick = clicks.Event();
    MessageLog log(bar);
    // The arrow is the button's right part.
    TRect r = button->BoundsRect();
    ClickAt(bar->Handle(), r.Right - 3, (r.Top + r.Bottom) / 2);
    EXPECT_GT(log.Count(CN_NOTIFY), 0u);
    EXPECT_EQ(log.Count(CN_DROPDOWNCLOSED), 1u);
    EXPECT_EQ(clicks.count, 0);
    // The button part clicks.
    ClickAt(bar->Handle(), r.Left + 4, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(clicks.count, 1);
    EXPECT_EQ(log.Count(CN_DROPDOWNCLOSED), 1u);
}
