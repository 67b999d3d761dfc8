// The standard controls the forms are built from: push, check and radio
// buttons on the system's "Button" window, edits and memos on "Edit", list
// and combo boxes, scroll bars, a painted group box and a label painted by
// its parent. Each native control is superclassed under its framework class
// name; its notifications come back to it reflected as CN_* messages.
#pragma once

#include <memory>

#include "framework/rtl/StringList.h"
#include "framework/windows/Controls.h"

namespace fw {

// A push button: a real "Button" window whose BN_CLICKED comes back as
// CN_COMMAND and runs Click.
class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* AOwner);
    String ClassName() const override { return L"TButtonControl"; }

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    // Set while a check or radio button changes its own state: no Click then.
    bool ClicksDisabled() const { return clicksDisabled_; }
    void SetClicksDisabled(bool Value) { clicksDisabled_ = Value; }

protected:
    void CreateParams(TCreateParams& Params) override;

    bool wordWrap_ = false;
    bool clicksDisabled_ = false;
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* AOwner);
    String ClassName() const override { return L"TButton"; }

    // Enter anywhere on the form clicks a Default button, Esc a Cancel one.
    bool Default() const { return default_; }
    void SetDefault(bool Value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool Value) { cancel_ = Value; }
    // Non-zero: clicking hands it to the parent form (ChildModalResult).
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int Value) { modalResult_ = Value; }

    void Click() override;
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    // BS_DEFPUSHBUTTON while this button acts as the default (BM_SETSTYLE).
    virtual void SetButtonStyle(bool ADefault);

    void CNCommand(TWMCommand& Message);
    void CMDialogKey(TMessage& Message);
    void CMFocusChanged(TMessage& Message);

private:
    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;  // shown as the default button now
    int modalResult_ = 0;
};

// A single-line edit: the system's "Edit" window. Text is the window's text.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    String ClassName() const override { return L"TCustomEdit"; }

    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int Value);
    void SelectAll();
    // The window's selection (EM_GETSEL, EM_SETSEL), in characters; the
    // window is made when there is none. Setting SelStart empties the
    // selection; SelLength keeps its start.
    int SelStart();
    void SetSelStart(int Value);
    int SelLength();
    void SetSelLength(int Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;

private:
    int maxLength_ = 0;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    String ClassName() const override { return L"TEdit"; }
};

// True when Char (any case) is the accelerator of Caption: the character
// after its first single '&'.
bool IsAccel(wchar_t Char, const String& Caption);

enum TTextLayout { tlTop, tlCenter, tlBottom };

// Text painted on the parent. Transparent leaves the parent's background;
// AutoSize (on by default) keeps the bounds fitted to the text.
class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);
    String ClassName() const override { return L"TCustomLabel"; }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout Value);
    bool Transparent() const { return !controlStyle_.Contains(csOpaque); }
    void SetTransparent(bool Value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool Value);
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* Value) { focusControl_ = Value; }
    void SetAutoSize(bool Value) override;
    void Dispatch(TMessage& Message) override;

protected:
    void Loaded() override;
    void Paint() override;
    // Draws (or with DT_CALCRECT measures) the caption in Rect.
    virtual void DoDrawText(TRect& Rect, UINT Flags);
    // Resizes to the text when AutoSize, keeping the anchored edge.
    virtual void AdjustBounds();
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void CMTextChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMDialogChar(TMessage& Message);

private:
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
    String ClassName() const override { return L"TLabel"; }
};

// ---- check boxes and radio buttons

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
// Which side of the box the caption is on (taRightJustify: the usual right).
using TLeftRight = TAlignment;

// A BS_3STATE button whose state the control keeps: a click toggles it
// (unchecked, checked, grayed when AllowGrayed, unchecked) and runs Click.
class TCustomCheckBox : public TButtonControl {
public:
    explicit TCustomCheckBox(TComponent* AOwner);
    String ClassName() const override { return L"TCustomCheckBox"; }

    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight Value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool Value) { allowGrayed_ = Value; }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState Value);
    bool Checked() const { return state_ == cbChecked; }
    virtual void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    virtual void Toggle();
    void CNCommand(TWMCommand& Message);

    TLeftRight alignment_ = taRightJustify;
    bool allowGrayed_ = false;
    TCheckBoxState state_ = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
public:
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
    String ClassName() const override { return L"TCheckBox"; }
};

// A BS_RADIOBUTTON: checking it unchecks the radio buttons of the same
// parent; TabStop follows Checked.
class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    String ClassName() const override { return L"TRadioButton"; }

    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight Value);
    bool Checked() const { return checked_; }
    virtual void SetChecked(bool Value);

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void CNCommand(TWMCommand& Message);

private:
    TLeftRight alignment_ = taRightJustify;
    bool checked_ = false;
};

// A frame with its caption cut into the top edge, painted by the control;
// children sit inside the frame (AdjustClientRect).
class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* AOwner);
    String ClassName() const override { return L"TCustomGroupBox"; }
    void Dispatch(TMessage& Message) override;

protected:
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void CMTextChanged(TMessage& Message);
    void CMDialogChar(TMessage& Message);
};

class TGroupBox : public TCustomGroupBox {
public:
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
    String ClassName() const override { return L"TGroupBox"; }
};

// ---- memos

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// The lines of a multi-line edit, read from and written to its window text.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TWinControl* Memo) : memo_(Memo) {}
    String ClassName() const override { return L"TMemoStrings"; }
    int Count() const override;
    String Strings(int Index) const override;
    void Insert(int Index, const String& S) override;
    void Delete(int Index) override;
    void Clear() override;
    String Text() const override;
    void SetText(const String& Value) override;

private:
    std::vector<String> Lines() const;
    void SetLines(const std::vector<String>& Lines);
    TWinControl* memo_;
};

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);
    String ClassName() const override { return L"TCustomMemo"; }

    TStrings* Lines() { return &lines_; }
    void SetLines(const TStrings* Value) { lines_.Assign(Value); }
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle Value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool Value) { wantReturns_ = Value; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool Value) { wantTabs_ = Value; }
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    TMemoStrings lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
};

class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
    String ClassName() const override { return L"TMemo"; }
};

// ---- list and combo boxes

// The messages one kind of list window answers (list box or combo box).
struct TListMessages {
    UINT GetCount, GetTextLen, GetText, AddString, InsertString, DeleteString, ResetContent, GetItemData, SetItemData,
        GetCurSel, SetCurSel, Error;
};

// The items of a list or combo box: held by the window while it exists,
// here while it does not (before the first window and across RecreateWnd).
// Objects are kept as the items' data.
class TListControlStrings : public TStrings {
public:
    TListControlStrings(TWinControl* Control, const TListMessages& Messages) : control_(Control), msg_(Messages) {}
    String ClassName() const override { return L"TListControlStrings"; }
    int Count() const override;
    String Strings(int Index) const override;
    TObject* Objects(int Index) const override;
    void SetObjects(int Index, TObject* AObject) override;
    int Add(const String& S) override;
    void Insert(int Index, const String& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int IndexOf(const String& S) const override;

    // The window was made: it gets the kept items. It goes: they are kept.
    void PushToWindow();
    void PullFromWindow();
    // A sorted control puts added items in order (as its window would).
    void SetSorted(bool Value) { saved_.SetSorted(Value); }

private:
    bool Live() const { return control_->HandleAllocated(); }
    LRESULT Send(UINT Msg, WPARAM W = 0, LPARAM L = 0) const;
    void CheckIndex(int Index) const;

    TWinControl* control_;
    TListMessages msg_;
    TStringList saved_;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    String ClassName() const override { return L"TCustomListBox"; }

    TStrings* Items() { return &items_; }
    void SetItems(const TStrings* Value) { items_.Assign(Value); }
    int Count() const { return items_.Count(); }
    int ItemIndex() const;
    void SetItemIndex(int Value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool Value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool Value);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle Value);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int Value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    void Clear() { items_.Clear(); }

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void CNCommand(TWMCommand& Message);

private:
    TListControlStrings items_;
    int itemIndex_ = -1;  // kept while there is no window
    bool sorted_ = false;
    bool multiSelect_ = false;
    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 16;
    TBorderStyle borderStyle_ = bsSingle;
};

class TListBox : public TCustomListBox {
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
    String ClassName() const override { return L"TListBox"; }
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// A COMBOBOX window. CBN_SELCHANGE runs Select (OnSelect, or Change when
// there is none), an edit change runs Change (OnChange).
class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    String ClassName() const override { return L"TCustomComboBox"; }

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle Value);
    TStrings* Items() { return &items_; }
    void SetItems(const TStrings* Value) { items_.Assign(Value); }
    int ItemIndex() const;
    void SetItemIndex(int Value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool Value);
    int DropDownCount() const { return dropDownCount_; }
    virtual void SetDropDownCount(int Value);
    bool DroppedDown();
    void SetDroppedDown(bool Value);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int Value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int Value);
    void Clear() { items_.Clear(); }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    // The list is about to drop: the window is made tall enough for
    // DropDownCount rows (its height while closed is only the box's).
    void AdjustDropDown();
    void CNCommand(TWMCommand& Message);

private:
    TListControlStrings items_;
    TComboBoxStyle style_ = csDropDown;
    int itemIndex_ = -1;
    bool sorted_ = false;
    int dropDownCount_ = 8;
    int itemHeight_ = 16;
    int maxLength_ = 0;
};

class TComboBox : public TCustomComboBox {
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
    String ClassName() const override { return L"TComboBox"; }
};

// ---- scroll bars

enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = Method<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// A SCROLLBAR window; scrolling moves Position by SmallChange or
// LargeChange within Min..Max - PageSize + 1, then OnScroll and OnChange.
class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* AOwner);
    String ClassName() const override { return L"TScrollBar"; }

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind Value);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    int PageSize() const { return pageSize_; }
    void SetMin(int Value) { SetParams(position_, Value, max_); }
    void SetMax(int Value) { SetParams(position_, min_, Value); }
    void SetPosition(int Value) { SetParams(Value, min_, max_); }
    void SetPageSize(int Value);
    // Min and Max are swapped into order; Position is kept within them.
    void SetParams(int APosition, int AMin, int AMax);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int Value) { smallChange_ = Value; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int Value) { largeChange_ = Value; }

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    virtual void Change();
    virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);
    void CNScroll(TWMScroll& Message);

private:
    void UpdateInfo();
    TScrollBarKind kind_ = sbHorizontal;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int pageSize_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 1;
};

}  // namespace fw
