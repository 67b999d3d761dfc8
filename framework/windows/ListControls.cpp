// List boxes and combo boxes on the system's "LISTBOX" and "COMBOBOX"
// classes, and the items both keep in their window.
#include <algorithm>

#include "framework/rtl/Exception.h"
#include "framework/windows/StdCtrls.h"

namespace fw {

namespace {

const TListMessages listBoxMessages = {LB_GETCOUNT,     LB_GETTEXTLEN,   LB_GETTEXT,      LB_ADDSTRING,
                                       LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETITEMDATA,
                                       LB_SETITEMDATA,  LB_GETCURSEL,    LB_SETCURSEL,    UINT(LB_ERR)};
const TListMessages comboBoxMessages = {CB_GETCOUNT,     CB_GETLBTEXTLEN, CB_GETLBTEXT,    CB_ADDSTRING,
                                        CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETITEMDATA,
                                        CB_SETITEMDATA,  CB_GETCURSEL,    CB_SETCURSEL,    UINT(CB_ERR)};

}  // namespace

// ---- TListControlStrings

LRESULT TListControlStrings::Send(UINT Msg, WPARAM W, LPARAM L) const {
    return SendMessageW(control_->WindowHandle(), Msg, W, L);
}

void TListControlStrings::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) Error(L"List index out of bounds (%d)", Index);
}

int TListControlStrings::Count() const { return Live() ? int(Send(msg_.GetCount)) : saved_.Count(); }

String TListControlStrings::Strings(int Index) const {
    if (!Live()) return saved_.Strings(Index);
    CheckIndex(Index);
    int len = int(Send(msg_.GetTextLen, WPARAM(Index)));
    String s(size_t(len < 0 ? 0 : len) + 1, L'\0');
    int got = int(Send(msg_.GetText, WPARAM(Index), reinterpret_cast<LPARAM>(s.data())));
    s.resize(size_t(got < 0 ? 0 : got));
    return s;
}

TObject* TListControlStrings::Objects(int Index) const {
    if (!Live()) return saved_.Objects(Index);
    CheckIndex(Index);
    return reinterpret_cast<TObject*>(Send(msg_.GetItemData, WPARAM(Index)));
}

void TListControlStrings::SetObjects(int Index, TObject* AObject) {
    if (!Live()) return saved_.SetObjects(Index, AObject);
    CheckIndex(Index);
    Send(msg_.SetItemData, WPARAM(Index), reinterpret_cast<LPARAM>(AObject));
}

int TListControlStrings::Add(const String& S) {
    if (!Live()) {
        // A sorted list keeps duplicates, as the window does.
        saved_.SetDuplicates(dupAccept);
        return saved_.Add(S);
    }
    LRESULT r = Send(msg_.AddString, 0, reinterpret_cast<LPARAM>(S.c_str()));
    if (r < 0) throw EOutOfMemory(L"Unable to insert a line");
    return int(r);
}

void TListControlStrings::Insert(int Index, const String& S) {
    if (!Live()) {
        if (saved_.Sorted()) {
            Add(S);
            return;
        }
        saved_.Insert(Index, S);
        return;
    }
    if (Index < 0 || Index > Count()) Error(L"List index out of bounds (%d)", Index);
    if (Send(msg_.InsertString, WPARAM(Index), reinterpret_cast<LPARAM>(S.c_str())) < 0)
        throw EOutOfMemory(L"Unable to insert a line");
}

void TListControlStrings::Delete(int Index) {
    if (!Live()) return saved_.Delete(Index);
    CheckIndex(Index);
    Send(msg_.DeleteString, WPARAM(Index));
}

void TListControlStrings::Clear() {
    if (!Live()) return saved_.Clear();
    Send(msg_.ResetContent);
}

// The window's own search matches prefixes: compare whole strings here.
int TListControlStrings::IndexOf(const String& S) const { return TStrings::IndexOf(S); }

void TListControlStrings::PushToWindow() {
    for (int i = 0; i < saved_.Count(); ++i) {
        LRESULT at = Send(msg_.AddString, 0, reinterpret_cast<LPARAM>(saved_.Strings(i).c_str()));
        if (at >= 0) Send(msg_.SetItemData, WPARAM(at), reinterpret_cast<LPARAM>(saved_.Objects(i)));
    }
    saved_.Clear();
}

void TListControlStrings::PullFromWindow() {
    saved_.Clear();
    bool sorted = saved_.Sorted();
    saved_.SetSorted(false);
    int n = int(Send(msg_.GetCount));
    for (int i = 0; i < n; ++i) saved_.AddObject(Strings(i), Objects(i));
    saved_.SetSorted(sorted);
}

// ---- TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner), items_(this, listBoxMessages) {
    controlStyle_ = {csSetCaption, csDoubleClicks};
    width_ = 121;
    height_ = 97;
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
    static const DWORD styles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE, LBS_NODATA | LBS_OWNERDRAWFIXED,
                                   LBS_NODATA | LBS_OWNERDRAWFIXED};
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"LISTBOX");
    Params.Style |= WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | styles[style_];
    if (style_ != lbStandard) Params.Style |= LBS_HASSTRINGS;
    if (sorted_) Params.Style |= LBS_SORT;
    if (multiSelect_) Params.Style |= LBS_EXTENDEDSEL;
    if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListBox::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    if (style_ != lbStandard) SendMessageW(WindowHandle(), LB_SETITEMHEIGHT, 0, itemHeight_);
    items_.PushToWindow();
    SetItemIndex(itemIndex_);
}

void TCustomListBox::DestroyWnd() {
    itemIndex_ = ItemIndex();
    items_.PullFromWindow();
    TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() const {
    if (!HandleAllocated()) return itemIndex_;
    HWND h = WindowHandle();
    if (multiSelect_) return int(SendMessageW(h, LB_GETCARETINDEX, 0, 0));
    return int(SendMessageW(h, LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int Value) {
    if (!HandleAllocated()) {
        itemIndex_ = Value;
        return;
    }
    if (multiSelect_)
        SendMessageW(WindowHandle(), LB_SETCARETINDEX, WPARAM(Value), FALSE);
    else
        SendMessageW(WindowHandle(), LB_SETCURSEL, WPARAM(Value), 0);
}

void TCustomListBox::SetSorted(bool Value) {
    if (sorted_ == Value) return;
    sorted_ = Value;
    items_.SetSorted(Value);
    RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool Value) {
    if (multiSelect_ == Value) return;
    multiSelect_ = Value;
    RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    RecreateWnd();
}

void TCustomListBox::SetItemHeight(int Value) {
    if (itemHeight_ == Value || Value <= 0) return;
    itemHeight_ = Value;
    RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    RecreateWnd();
}

void TCustomListBox::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode == LBN_SELCHANGE)
        Click();
    else if (Message.NotifyCode == LBN_DBLCLK)
        DblClick();
}

void TCustomListBox::Dispatch(TMessage& Message) {
    if (Message.Msg == CN_COMMAND)
        CNCommand(reinterpret_cast<TWMCommand&>(Message));
    else
        TWinControl::Dispatch(Message);
}

// ---- TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner), items_(this, comboBoxMessages) {
    controlStyle_ = {csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight};
    width_ = 145;
    height_ = 21;
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
    static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                   CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"COMBOBOX");
    Params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS | styles[style_];
    if (sorted_) Params.Style |= CBS_SORT;
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
    // The window's height is the closed box plus its list: DropDownCount rows.
    if (style_ != csSimple) Params.Height = height_ + dropDownCount_ * itemHeight_ + 2;
}

void TCustomComboBox::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    HWND h = WindowHandle();
    if (maxLength_) SendMessageW(h, CB_LIMITTEXT, WPARAM(maxLength_), 0);
    items_.PushToWindow();
    if (itemIndex_ >= 0) SendMessageW(h, CB_SETCURSEL, WPARAM(itemIndex_), 0);
}

void TCustomComboBox::DestroyWnd() {
    itemIndex_ = ItemIndex();
    items_.PullFromWindow();
    TWinControl::DestroyWnd();
}

int TCustomComboBox::ItemIndex() const {
    if (!HandleAllocated()) return itemIndex_;
    return int(SendMessageW(WindowHandle(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int Value) {
    itemIndex_ = Value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), CB_SETCURSEL, WPARAM(Value), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    RecreateWnd();
}

void TCustomComboBox::SetSorted(bool Value) {
    if (sorted_ == Value) return;
    sorted_ = Value;
    items_.SetSorted(Value);
    RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int Value) {
    if (dropDownCount_ == Value) return;
    dropDownCount_ = Value;
    RecreateWnd();
}

void TCustomComboBox::SetItemHeight(int Value) {
    if (itemHeight_ == Value || Value <= 0) return;
    itemHeight_ = Value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), CB_SETITEMHEIGHT, 0, Value);
}

void TCustomComboBox::SetMaxLength(int Value) {
    maxLength_ = Value < 0 ? 0 : Value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), CB_LIMITTEXT, WPARAM(maxLength_), 0);
}

bool TCustomComboBox::DroppedDown() {
    return HandleAllocated() && SendMessageW(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value) { SendMessageW(Handle(), CB_SHOWDROPDOWN, Value, 0); }

void TCustomComboBox::AdjustDropDown() {
    int rows = std::clamp(items_.Count(), 1, std::max(dropDownCount_, 1));
    int rowHeight = int(SendMessageW(WindowHandle(), CB_GETITEMHEIGHT, 0, 0));
    SetWindowPos(WindowHandle(), nullptr, 0, 0, width_, height_ + rows * rowHeight + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::CNCommand(TWMCommand& Message) {
    switch (Message.NotifyCode) {
        case CBN_SELCHANGE:
            Click();
            Select();
            break;
        case CBN_EDITCHANGE:
            Change();
            break;
        case CBN_DROPDOWN:
            DropDown();
            AdjustDropDown();
            break;
        case CBN_CLOSEUP:
            CloseUp();
            break;
        default:
            break;
    }
}

void TCustomComboBox::Dispatch(TMessage& Message) {
    if (Message.Msg == CN_COMMAND)
        CNCommand(reinterpret_cast<TWMCommand&>(Message));
    else
        TWinControl::Dispatch(Message);
}

}  // namespace fw
