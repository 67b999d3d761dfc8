// Check boxes and radio buttons on the system "Button" class, and the group
// box, which paints its own frame.
#include "framework/windows/StdCtrls.h"

namespace fw {

namespace {

UINT CheckOf(TCheckBoxState State) {
    static const UINT checks[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
    return checks[State];
}

// Caption left of the box: BS_LEFTTEXT.
DWORD LeftTextStyle(TLeftRight Alignment) { return Alignment == taLeftJustify ? BS_LEFTTEXT : 0; }

}  // namespace

// ---- TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
    controlStyle_ = {csSetCaption, csDoubleClicks};
    width_ = 97;
    height_ = 17;
    SetTabStop(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
    // The control keeps the state: the window must not change it by itself.
    Params.Style |= BS_3STATE | LeftTextStyle(alignment_);
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomCheckBox::CreateHandleDone() {
    TButtonControl::CreateHandleDone();
    SendMessageW(WindowHandle(), BM_SETCHECK, CheckOf(state_), 0);
}

void TCustomCheckBox::SetAlignment(TLeftRight Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    RecreateWnd();
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
    if (state_ == Value) return;
    state_ = Value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), BM_SETCHECK, CheckOf(state_), 0);
    if (!clicksDisabled_) Click();
}

// Unchecked -> checked -> grayed (AllowGrayed only) -> unchecked.
void TCustomCheckBox::Toggle() {
    switch (state_) {
        case cbUnchecked:
            SetState(cbChecked);
            break;
        case cbChecked:
            SetState(allowGrayed_ ? cbGrayed : cbUnchecked);
            break;
        case cbGrayed:
            SetState(cbUnchecked);
            break;
    }
}

void TCustomCheckBox::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode == BN_CLICKED) Toggle();
}

void TCustomCheckBox::Dispatch(TMessage& Message) {
    if (Message.Msg == CN_COMMAND)
        CNCommand(reinterpret_cast<TWMCommand&>(Message));
    else
        TButtonControl::Dispatch(Message);
}

// ---- TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
    controlStyle_ = {csSetCaption, csDoubleClicks};
    width_ = 113;
    height_ = 17;
}

void TRadioButton::CreateParams(TCreateParams& Params) {
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
    Params.Style |= BS_RADIOBUTTON | LeftTextStyle(alignment_);
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TRadioButton::CreateHandleDone() {
    TButtonControl::CreateHandleDone();
    SendMessageW(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetAlignment(TLeftRight Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    RecreateWnd();
}

void TRadioButton::SetChecked(bool Value) {
    if (checked_ == Value) return;
    checked_ = Value;
    SetTabStop(Value);
    if (HandleAllocated()) SendMessageW(WindowHandle(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!Value) return;
    if (TWinControl* p = Parent())
        for (int i = 0; i < p->ControlCount(); ++i)
            if (auto* sibling = dynamic_cast<TRadioButton*>(p->Controls(i)); sibling && sibling != this)
                sibling->SetChecked(false);
    Changed();
    if (!clicksDisabled_) Click();
}

void TRadioButton::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode == BN_CLICKED)
        SetChecked(true);
    else if (Message.NotifyCode == BN_DOUBLECLICKED)
        DblClick();
}

void TRadioButton::Dispatch(TMessage& Message) {
    if (Message.Msg == CN_COMMAND)
        CNCommand(reinterpret_cast<TWMCommand&>(Message));
    else
        TButtonControl::Dispatch(Message);
}

// ---- TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents,     csSetCaption,
                     csDoubleClicks,    csReplicatable, csParentBackground};
    width_ = 185;
    height_ = 105;
    SetColor(clBtnFace);
}

namespace {

// The caption's line height in the control's font, on a screen DC when the
// box has no window yet.
int CaptionHeight(TCustomControl* Box) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Box->Font()->Handle());
    SIZE size = {};
    GetTextExtentPoint32W(dc, L"0", 1, &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cy;
}

}  // namespace

void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    Rect.Top += CaptionHeight(this);
    InflateRect(Rect, -2, -2);
}

void TCustomGroupBox::Paint() {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    int h = canvas->TextHeight(L"0");
    TRect r(0, h / 2 - 1, Width(), Height());
    // An etched frame: shadow outside, highlight one pixel in.
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetColor(clBtnHighlight);
    canvas->Rectangle(r.Left + 1, r.Top + 1, r.Right, r.Bottom);
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->Rectangle(r.Left, r.Top, r.Right - 1, r.Bottom - 1);
    String text = Text();
    if (text.empty()) return;
    TRect t(0, 0, 0, h);
    DrawTextW(canvas->Handle(), text.c_str(), int(text.size()), t.AsRECT(), DT_CALCRECT | DT_SINGLELINE);
    OffsetRect(t, 8, 0);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(t);
    canvas->Brush()->SetStyle(bsClear);
    UINT flags = DT_SINGLELINE | DT_LEFT;
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    HDC dc = canvas->Handle();
    DrawTextW(dc, text.c_str(), int(text.size()), t.AsRECT(), flags);
}

void TCustomGroupBox::CMTextChanged(TMessage&) {
    Invalidate();
    Realign();
}

// Alt+accelerator of the caption moves the focus into the box.
void TCustomGroupBox::CMDialogChar(TMessage& Message) {
    if (IsAccel(wchar_t(Message.WParam), Text()) && CanFocus()) {
        std::vector<TWinControl*> list;
        GetTabOrderList(list);
        for (TWinControl* c : list)
            if (c != this && c->CanFocus()) {
                c->SetFocus();
                Message.Result = 1;
                return;
            }
    }
    TCustomControl::Dispatch(Message);
}

void TCustomGroupBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_TEXTCHANGED:
            CMTextChanged(Message);
            break;
        case CM_DIALOGCHAR:
            CMDialogChar(Message);
            break;
        default:
            TCustomControl::Dispatch(Message);
            break;
    }
}

}  // namespace fw
