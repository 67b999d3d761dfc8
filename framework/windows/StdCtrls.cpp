// TButton on the system "Button" class; TCustomLabel painted on its parent.
#include "framework/windows/StdCtrls.h"

namespace fw {

bool IsAccel(wchar_t Char, const String& Caption) {
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != L'&') continue;
        if (Caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return CharUpperW(reinterpret_cast<LPWSTR>(uintptr_t(Caption[i + 1]))) ==
               CharUpperW(reinterpret_cast<LPWSTR>(uintptr_t(Char)));
    }
    return false;
}

// ---- TButtonControl

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TButtonControl::SetWordWrap(bool Value) {
    if (wordWrap_ == Value) return;
    wordWrap_ = Value;
    RecreateWnd();
}

void TButtonControl::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    if (wordWrap_) Params.Style |= BS_MULTILINE;
}

// ---- TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    controlStyle_ = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
    width_ = 121;
    height_ = 21;
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"EDIT");
    Params.Style |= ES_AUTOHSCROLL | ES_LEFT;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    SendMessageW(WindowHandle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
}

void TCustomEdit::SetMaxLength(int Value) {
    maxLength_ = Value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
}

void TCustomEdit::SelectAll() {
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_SETSEL, 0, -1);
}

int TCustomEdit::SelStart() {
    DWORD start = 0, end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return int(start);
}

void TCustomEdit::SetSelStart(int Value) { SendMessageW(Handle(), EM_SETSEL, WPARAM(Value), LPARAM(Value)); }

int TCustomEdit::SelLength() {
    DWORD start = 0, end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return int(end - start);
}

void TCustomEdit::SetSelLength(int Value) {
    const int start = SelStart();
    SendMessageW(Handle(), EM_SETSEL, WPARAM(start), LPARAM(start + Value));
}

// ---- TButton

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
    controlStyle_ = {csSetCaption, csDoubleClicks};
    width_ = 75;
    height_ = 25;
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& Params) {
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
    Params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TButton::CreateHandleDone() { active_ = default_; }

void TButton::SetDefault(bool Value) {
    if (default_ == Value) return;
    default_ = Value;
    active_ = Value;
    SetButtonStyle(active_);
}

void TButton::SetButtonStyle(bool ADefault) {
    if (!HandleAllocated()) return;
    LONG style = ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((GetWindowLongW(WindowHandle(), GWL_STYLE) & 0x0F) != style)
        SendMessageW(WindowHandle(), BM_SETSTYLE, WPARAM(style), TRUE);
}

void TButton::Click() {
    // The form learns the result first; its modal loop ends after the click.
    if (TWinControl* form = GetParentFormControl()) form->ChildModalResult(modalResult_);
    TButtonControl::Click();
}

void TButton::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& Message) {
    WORD key = WORD(Message.WParam);
    TShiftState shift = KeyDataToShiftState(LONG(Message.LParam));
    bool mine = (key == VK_RETURN && active_) || (key == VK_ESCAPE && cancel_);
    if (mine && (shift * TShiftState{ssAlt, ssCtrl}).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TButtonControl::Dispatch(Message);
}

void TButton::CMFocusChanged(TMessage& Message) {
    auto* focused = reinterpret_cast<TControl*>(Message.LParam);
    if (focused && focused->Is<TButton>())
        active_ = focused == this;
    else
        active_ = default_;
    SetButtonStyle(active_);
    TButtonControl::Dispatch(Message);
}

void TButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CN_COMMAND:
            CNCommand(reinterpret_cast<TWMCommand&>(Message));
            break;
        case CM_DIALOGKEY:
            CMDialogKey(Message);
            break;
        case CM_FOCUSCHANGED:
            CMFocusChanged(Message);
            break;
        default:
            TButtonControl::Dispatch(Message);
            break;
    }
}

// ---- TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    controlStyle_ += TControlStyle{csOpaque, csReplicatable};
    width_ = 65;
    height_ = 17;
    autoSize_ = true;
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    if (layout_ == Value) return;
    layout_ = Value;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
    if (Transparent() == Value) return;
    if (Value)
        controlStyle_.Exclude(csOpaque);
    else
        controlStyle_.Include(csOpaque);
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
    if (wordWrap_ == Value) return;
    wordWrap_ = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    if (showAccelChar_ == Value) return;
    showAccelChar_ = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
    if (autoSize_ == Value) return;
    autoSize_ = Value;
    AdjustBounds();
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && static_cast<TComponent*>(focusControl_) == AComponent) focusControl_ = nullptr;
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
    String text = Text();
    // Measuring an empty caption (or a lone accelerator mark) still gives a line's height.
    if ((Flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == L"&"))) text += L" ";
    if (!showAccelChar_) Flags |= DT_NOPREFIX;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    // Handle() selects the font as it is now.
    auto draw = [&] { DrawTextW(canvas->Handle(), text.c_str(), int(text.size()), Rect.AsRECT(), Flags); };
    if (!Enabled() && !(Flags & DT_CALCRECT)) {
        // Disabled: a highlight one pixel down and right, the shadow on top.
        OffsetRect(Rect, 1, 1);
        canvas->Font()->SetColor(clBtnHighlight);
        draw();
        OffsetRect(Rect, -1, -1);
        canvas->Font()->SetColor(clBtnShadow);
    }
    draw();
}

void TCustomLabel::Paint() {
    static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    if (!Transparent()) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(r);
    }
    canvas->Brush()->SetStyle(bsClear);
    UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | alignments[alignment_];
    if (layout_ != tlTop) {
        TRect calc = r;
        DoDrawText(calc, flags | DT_CALCRECT);
        int dy = layout_ == tlBottom ? Height() - calc.Bottom : (Height() - calc.Bottom) / 2;
        OffsetRect(r, 0, dy);
    }
    DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
    if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading) || !autoSize_) return;
    TRect r = ClientRect();
    {
        // Measured on a screen DC: the label may have no parent window yet.
        struct ScreenDC {
            HDC dc = GetDC(nullptr);
            ~ScreenDC() { ReleaseDC(nullptr, dc); }
        } screen;
        CanvasBinding binding(static_cast<TControlCanvas*>(Canvas()), screen.dc);
        DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
    }
    int x = Left();
    if (alignment_ == taRightJustify)
        x += Width() - r.Right;
    else if (alignment_ == taCenter)
        x += (Width() - r.Right) / 2;
    // Sizing itself, not through CanAutoSize: skip the AutoSize hook.
    bool saved = autoSize_;
    autoSize_ = false;
    SetBounds(x, Top(), r.Right, r.Bottom);
    autoSize_ = saved;
}

void TCustomLabel::CMTextChanged(TMessage&) {
    Invalidate();
    AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& Message) {
    if (!focusControl_ || !Enabled() || !showAccelChar_) return;
    if (IsAccel(wchar_t(Message.WParam), Text()) && focusControl_->CanFocus()) {
        focusControl_->SetFocus();
        Message.Result = 1;
    }
}

void TCustomLabel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_TEXTCHANGED:
            CMTextChanged(Message);
            break;
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        case CM_DIALOGCHAR:
            CMDialogChar(Message);
            break;
        default:
            TGraphicControl::Dispatch(Message);
            break;
    }
}

}  // namespace fw
