// The native standard controls: check and radio buttons, group box, memo,
// list and combo boxes and scroll bars on a shown form, set through the
// framework and read back from their windows; notifications reach their
// events by real messages.
#include <gtest/gtest.h>

#include <functional>

#include "framework/windows/StdCtrls.h"
#include "native_fixture.h"

using namespace fw;
using namespace fwtest;

namespace {

LRESULT Send(TWinControl* c, UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(c->Handle(), msg, w, l); }

String ListText(TWinControl* c, UINT getLen, UINT get, int index) {
    int len = int(Send(c, getLen, WPARAM(index)));
    String s(size_t(len) + 1, L'\0');
    s.resize(size_t(Send(c, get, WPARAM(index), reinterpret_cast<LPARAM>(s.data()))));
    return s;
}

}  // namespace

TEST(StdCtrlsNative, EachControlIsItsSystemClassUnderItsFrameworkName) {
    NativeForm form;
    ExpectNativeClasses({
        {[&] { return form.Put<TCheckBox>(0, 0, 80, 20); }, L"TCheckBox",
         [](TWinControl* c) { return c->Is<TCustomCheckBox>() && c->Is<TButtonControl>(); }, WM_GETDLGCODE},
        {[&] { return form.Put<TRadioButton>(0, 20, 80, 20); }, L"TRadioButton",
         [](TWinControl* c) { return c->Is<TButtonControl>(); }, WM_GETDLGCODE},
        {[&] { return form.Put<TMemo>(0, 40, 80, 40); }, L"TMemo",
         [](TWinControl* c) { return c->Is<TCustomMemo>() && c->Is<TCustomEdit>(); }, WM_GETDLGCODE},
        {[&] { return form.Put<TListBox>(0, 80, 80, 40); }, L"TListBox",
         [](TWinControl* c) { return c->Is<TCustomListBox>(); }, LB_GETITEMHEIGHT},
        {[&] { return form.Put<TComboBox>(0, 120, 80, 20); }, L"TComboBox",
         [](TWinControl* c) { return c->Is<TCustomComboBox>(); }, CB_GETITEMHEIGHT},
        {[&] { return form.Put<TScrollBar>(0, 150, 80, 17); }, L"TScrollBar",
         [](TWinControl* c) { return c->Is<TWinControl>(); }, WM_GETDLGCODE},
    });
    TGroupBox* box = form.Put<TGroupBox>(100, 0, 100, 80);
    EXPECT_EQ(WindowClass(box->Handle()), L"TGroupBox");
    EXPECT_TRUE(box->Is<TCustomGroupBox>());
}

TEST(CheckBox, ClicksCycleUncheckedCheckedGrayedAndTheWindowShowsTheState) {
    NativeForm form;
    TCheckBox* box = form.Put<TCheckBox>(10, 10, 120, 20);
    box->SetCaption(L"반복 재생");
    EventCounter clicks;
    box->OnClick = clicks.Event();
    HWND h = box->Handle();
    EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & 0x0F, BS_3STATE);

    // Clicked by the window's own BM_CLICK: the control decides the next state.
    struct Step {
        bool allowGrayed;
        TCheckBoxState after;
        LRESULT check;
    } steps[] = {{true, cbChecked, BST_CHECKED},
                 {true, cbGrayed, BST_INDETERMINATE},
                 {true, cbUnchecked, BST_UNCHECKED},
                 {false, cbChecked, BST_CHECKED},
                 {false, cbUnchecked, BST_UNCHECKED}};
    int n = 0;
    for (const Step& s : steps) {
        box->SetAllowGrayed(s.allowGrayed);
        SendMessageW(h, BM_CLICK, 0, 0);
        EXPECT_EQ(box->State(), s.after) << n;
        EXPECT_EQ(SendMessageW(h, BM_GETCHECK, 0, 0), s.check) << n;
        EXPECT_EQ(clicks.count, ++n);
    }

    // Set in code: the window follows and OnClick runs, as a click would.
    box->SetChecked(true);
    EXPECT_EQ(SendMessageW(h, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(clicks.count, n + 1);
    // A new window (caption on the left) keeps the state.
    box->SetAlignment(taLeftJustify);
    EXPECT_NE(box->Handle(), h);
    EXPECT_TRUE(GetWindowLongW(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(RadioButton, ClickingOneUnchecksItsSiblingsAndMovesTheTabStop) {
    NativeForm form;
    TRadioButton* a = form.Put<TRadioButton>(10, 10, 100, 20);
    TRadioButton* b = form.Put<TRadioButton>(10, 40, 100, 20);
    TGroupBox* other = form.Put<TGroupBox>(200, 10, 150, 80);
    auto* c = Create<TRadioButton>(other);
    c->SetParent(other);
    c->SetChecked(true);  // another parent: not a sibling
    a->SetChecked(true);
    EventCounter clicks;
    b->OnClick = clicks.Event();
    EXPECT_EQ(Send(a, BM_GETCHECK), BST_CHECKED);

    SendMessageW(b->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(Send(b, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(Send(a, BM_GETCHECK), BST_UNCHECKED);
    EXPECT_TRUE(b->TabStop());
    EXPECT_FALSE(a->TabStop());
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(clicks.count, 1);
    // Clicking the checked one again changes nothing.
    SendMessageW(b->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.count, 1);
}

TEST(GroupBox, ChildrenSitInsideTheFrameBelowTheCaption) {
    NativeForm form;
    TGroupBox* box = form.Put<TGroupBox>(10, 10, 200, 120);
    box->SetCaption(L"녹음 설정");
    auto* inner = Create<TCheckBox>(box);
    inner->SetParent(box);
    inner->SetAlign(alClient);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, box->Font()->Handle());
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_GE(inner->Top(), tm.tmHeight);
    EXPECT_GT(inner->Left(), 0);
    EXPECT_LT(inner->Left() + inner->Width(), box->Width());
    EXPECT_LT(inner->Top() + inner->Height(), box->Height());
}

TEST(Memo, LinesAreTheWindowsTextInCrLfLines) {
    NativeForm form;
    TMemo* memo = form.Put<TMemo>(10, 10, 200, 100);
    HWND h = memo->Handle();
    EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & ES_MULTILINE);
    EXPECT_FALSE(GetWindowLongW(h, GWL_STYLE) & ES_AUTOHSCROLL);  // word wrap
    memo->Lines()->Add(L"첫 줄");
    memo->Lines()->Add(L"둘째 줄");
    EXPECT_EQ(WindowText(h), L"첫 줄\r\n둘째 줄");
    EXPECT_EQ(SendMessageW(h, EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Strings(1), L"둘째 줄");
    memo->Lines()->SetText(L"a\nb\r\nc");
    EXPECT_EQ(WindowText(h), L"a\r\nb\r\nc");
    memo->Lines()->Delete(1);
    EXPECT_EQ(WindowText(h), L"a\r\nc");

    memo->SetWordWrap(false);
    memo->SetScrollBars(ssVertical);
    h = memo->Handle();
    EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & ES_AUTOHSCROLL);
    EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(WindowText(h), L"a\r\nc");
    // Tabs go to the form unless the memo wants them.
    EXPECT_EQ(memo->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
    memo->SetWantTabs(true);
    EXPECT_NE(memo->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
}

TEST(ListBox, ItemsLiveInTheWindowAndSurviveANewWindow) {
    NativeForm form;
    auto* box = Create<TListBox>(form.get());
    box->SetBounds(10, 10, 150, 120);
    // Added before the window exists.
    box->Items()->Add(L"다");
    box->Items()->AddObject(L"가", box);
    box->SetItemIndex(1);
    box->SetParent(form.get());
    EXPECT_EQ(Send(box, LB_GETCOUNT), 2);
    EXPECT_EQ(ListText(box, LB_GETTEXTLEN, LB_GETTEXT, 1), L"가");
    EXPECT_EQ(Send(box, LB_GETITEMDATA, 1), reinterpret_cast<LRESULT>(box));
    EXPECT_EQ(Send(box, LB_GETCURSEL), 1);
    box->Items()->Insert(0, L"나");
    EXPECT_EQ(box->Items()->Strings(0), L"나");
    EXPECT_EQ(box->Count(), 3);
    EXPECT_EQ(box->Items()->IndexOf(L"가"), 2);

    // A keyboard move selects the next item: LBN_SELCHANGE runs OnClick.
    EventCounter clicks;
    box->OnClick = clicks.Event();
    box->SetItemIndex(0);
    KeyDown(box->Handle(), VK_DOWN);
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(clicks.count, 1);

    // Sorting makes a new window with the same items, in order.
    HWND old = box->Handle();
    box->SetSorted(true);
    EXPECT_NE(box->Handle(), old);
    EXPECT_EQ(Send(box, LB_GETCOUNT), 3);
    EXPECT_EQ(ListText(box, LB_GETTEXTLEN, LB_GETTEXT, 0), L"가");
    EXPECT_EQ(box->Items()->Objects(0), box);
    EXPECT_EQ(box->Items()->Strings(2), L"다");
    box->Clear();
    EXPECT_EQ(Send(box, LB_GETCOUNT), 0);
    EXPECT_THROW(box->Items()->Strings(0), EStringListError);
}

TEST(ComboBox, StyleItemsAndSelectionReachTheWindowAndEvents) {
    NativeForm form;
    auto* combo = Create<TComboBox>(form.get());
    combo->SetBounds(10, 10, 150, 21);
    combo->SetStyle(csDropDownList);
    for (const wchar_t* s : {L"bsNone", L"bsDialog", L"bsSizeToolWin"}) combo->Items()->Add(s);
    combo->SetItemIndex(0);
    combo->SetParent(form.get());
    HWND h = combo->Handle();
    EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(SendMessageW(h, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(ListText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, 2), L"bsSizeToolWin");
    EXPECT_EQ(SendMessageW(h, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(combo->Height(), combo->BoundsRect().Height());

    // The user picks the next item with the keyboard: CBN_SELCHANGE comes
    // back reflected and runs OnChange (no OnSelect), then OnSelect when set.
    EventCounter changes, selects;
    combo->OnChange = changes.Event();
    KeyDown(h, VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(changes.count, 1);
    combo->OnSelect = selects.Event();
    KeyDown(h, VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(selects.count, 1);
    EXPECT_EQ(changes.count, 1);

    // Dropped down, the list shows its rows even after the box was sized
    // to its closed height.
    combo->SetDropDownCount(2);
    combo->SetBounds(10, 10, 160, 21);
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    RECT list;
    GetWindowRect(info.hwndList, &list);
    int row = int(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
    EXPECT_TRUE(IsWindowVisible(info.hwndList));
    EXPECT_GE(list.bottom - list.top, 2 * row);
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(combo->Height(), 21);

    // A new style is a new window with the same items and selection.
    combo->SetStyle(csDropDown);
    EXPECT_EQ(GetWindowLongW(combo->Handle(), GWL_STYLE) & 3, CBS_DROPDOWN);
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), L"bsSizeToolWin");
}

TEST(ScrollBar, ParamsReachTheWindowAndArrowKeysMoveThePosition) {
    NativeForm form;
    TScrollBar* bar = form.Put<TScrollBar>(10, 10, 200, 17);
    bar->SetParams(5, 0, 50);
    bar->SetSmallChange(2);
    bar->SetLargeChange(10);
    SCROLLINFO si = {sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar->Handle(), SB_CTL, &si);
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 50);
    EXPECT_EQ(si.nPos, 5);

    EventCounter changes;
    bar->OnChange = changes.Event();
    // The window turns arrow keys into WM_HSCROLL to its parent.
    KeyDown(bar->Handle(), VK_RIGHT);
    EXPECT_EQ(bar->Position(), 7);
    EXPECT_EQ(changes.count, 1);
    KeyDown(bar->Handle(), VK_END);
    EXPECT_EQ(bar->Position(), 50);
    GetScrollInfo(bar->Handle(), SB_CTL, &si);
    EXPECT_EQ(si.nPos, 50);
    // Out of range and reversed values are put in order.
    bar->SetParams(80, 20, 10);
    EXPECT_EQ(bar->Min(), 10);
    EXPECT_EQ(bar->Max(), 20);
    EXPECT_EQ(bar->Position(), 20);
    bar->SetKind(sbVertical);
    EXPECT_TRUE(GetWindowLongW(bar->Handle(), GWL_STYLE) & SBS_VERT);
    EXPECT_EQ(bar->Width(), 17);
}
