// Up-down, progress bar and track bar: comctl32 windows holding a position
// in a range. The window moves the position itself, so it is read from the
// window while one exists.
#include "framework/windows/ComCtrls.h"

namespace fw {

// ---- TCustomUpDown

TCustomUpDown::TCustomUpDown(TComponent* AOwner) : TWinControl(AOwner) {
    controlStyle_ = {csCaptureMouse, csDoubleClicks, csFixedWidth};
    width_ = GetSystemMetrics(SM_CXVSCROLL);
    height_ = GetSystemMetrics(SM_CYVSCROLL) * 2;
}

void TCustomUpDown::CreateParams(TCreateParams& Params) {
    InitCommonControl(ICC_UPDOWN_CLASS);
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, UPDOWN_CLASSW);
    Params.Style |= UDS_SETBUDDYINT | (alignButton_ == udRight ? UDS_ALIGNRIGHT : UDS_ALIGNLEFT);
    if (arrowKeys_) Params.Style |= UDS_ARROWKEYS;
    if (orientation_ == udHorizontal) Params.Style |= UDS_HORZ;
    if (!thousands_) Params.Style |= UDS_NOTHOUSANDS;
    if (wrap_) Params.Style |= UDS_WRAP;
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomUpDown::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    HWND h = WindowHandle();
    SendMessageW(h, UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    UDACCEL accel = {0, UINT(increment_)};
    SendMessageW(h, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    if (associate_) SendMessageW(h, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
    SendMessageW(h, UDM_SETPOS32, 0, LPARAM(position_));
    // Aligning to the buddy moved the window.
    UpdateBounds();
}

int TCustomUpDown::Position() const {
    if (HandleAllocated()) {
        BOOL error = FALSE;
        int pos = int(SendMessageW(WindowHandle(), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)));
        if (!error) position_ = pos;
    }
    return position_;
}

void TCustomUpDown::SetPosition(int Value) {
    position_ = Value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), UDM_SETPOS32, 0, LPARAM(Value));
}

void TCustomUpDown::SetMin(int Value) {
    min_ = Value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
}

void TCustomUpDown::SetMax(int Value) {
    max_ = Value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
}

void TCustomUpDown::SetIncrement(int Value) {
    increment_ = Value;
    if (!HandleAllocated()) return;
    UDACCEL accel = {0, UINT(Value)};
    SendMessageW(WindowHandle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

void TCustomUpDown::SetAssociate(TWinControl* Value) {
    if (associate_ == Value) return;
    if (associate_) RemoveFreeNotification(associate_);
    associate_ = Value;
    if (Value) FreeNotification(Value);
    if (!HandleAllocated()) return;
    SendMessageW(WindowHandle(), UDM_SETBUDDY, Value ? reinterpret_cast<WPARAM>(Value->Handle()) : 0, 0);
    SendMessageW(WindowHandle(), UDM_SETPOS32, 0, LPARAM(Position()));
    UpdateBounds();
}

void TCustomUpDown::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == associate_) {
        associate_ = nullptr;
        if (HandleAllocated()) SendMessageW(WindowHandle(), UDM_SETBUDDY, 0, 0);
    }
}

void TCustomUpDown::SetStyleFlag(bool& Field, bool Value) {
    if (Field == Value) return;
    Field = Value;
    Position();
    RecreateWnd();
}

void TCustomUpDown::SetAlignButton(TUDAlignButton Value) {
    if (alignButton_ == Value) return;
    alignButton_ = Value;
    Position();
    RecreateWnd();
}

void TCustomUpDown::SetOrientation(TUDOrientation Value) {
    if (orientation_ == Value) return;
    orientation_ = Value;
    Position();
    RecreateWnd();
}

void TCustomUpDown::SetArrowKeys(bool Value) { SetStyleFlag(arrowKeys_, Value); }
void TCustomUpDown::SetThousands(bool Value) { SetStyleFlag(thousands_, Value); }
void TCustomUpDown::SetWrap(bool Value) { SetStyleFlag(wrap_, Value); }

bool TCustomUpDown::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

bool TCustomUpDown::DoCanChange(int NewValue, int Delta) {
    if (!CanChange()) return false;
    bool allow = true;
    if (OnChangingEx) OnChangingEx(this, allow, NewValue, Delta > 0 ? updUp : (Delta < 0 ? updDown : updNone));
    return allow;
}

void TCustomUpDown::Click(TUDBtnType Button) {
    if (OnClick) OnClick(this, Button);
}

void TCustomUpDown::CNNotify(TWMNotify& Message) {
    if (Message.NMHdr->code == UDN_DELTAPOS) {
        auto* n = reinterpret_cast<NMUPDOWN*>(Message.NMHdr);
        Message.Result = DoCanChange(n->iPos + n->iDelta, n->iDelta) ? FALSE : TRUE;
    } else {
        DefaultHandler(reinterpret_cast<TMessage&>(Message));
    }
}

// The window reports a moved position to its parent as a scroll message.
void TCustomUpDown::CNScroll(TWMScroll& Message) {
    if (Message.ScrollCode != SB_THUMBPOSITION) return;
    int old = position_;
    int now = Position();
    if (now > old)
        Click(btNext);
    else if (now < old)
        Click(btPrev);
}

void TCustomUpDown::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CN_NOTIFY:
            CNNotify(reinterpret_cast<TWMNotify&>(Message));
            break;
        case CN_HSCROLL:
        case CN_VSCROLL:
            CNScroll(reinterpret_cast<TWMScroll&>(Message));
            break;
        default:
            TWinControl::Dispatch(Message);
            break;
    }
}

// ---- TProgressBar

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 150;
    height_ = GetSystemMetrics(SM_CYVSCROLL);
}

void TProgressBar::CreateParams(TCreateParams& Params) {
    InitCommonControl(ICC_PROGRESS_CLASS);
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, PROGRESS_CLASSW);
    if (orientation_ == pbVertical) Params.Style |= PBS_VERTICAL;
    if (smooth_) Params.Style |= PBS_SMOOTH;
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TProgressBar::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    HWND h = WindowHandle();
    SendMessageW(h, PBM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    SendMessageW(h, PBM_SETSTEP, WPARAM(step_), 0);
    SendMessageW(h, PBM_SETPOS, WPARAM(position_), 0);
}

int TProgressBar::Position() const {
    if (HandleAllocated()) position_ = int(SendMessageW(WindowHandle(), PBM_GETPOS, 0, 0));
    return position_;
}

void TProgressBar::SetPosition(int Value) {
    position_ = Value < min_ ? min_ : (Value > max_ ? max_ : Value);
    if (HandleAllocated()) SendMessageW(WindowHandle(), PBM_SETPOS, WPARAM(position_), 0);
}

void TProgressBar::SetMin(int Value) {
    min_ = Value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), PBM_SETRANGE32, WPARAM(min_), LPARAM(max_));
}

void TProgressBar::SetMax(int Value) {
    max_ = Value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), PBM_SETRANGE32, WPARAM(min_), LPARAM(max_));
}

void TProgressBar::SetStep(int Value) {
    step_ = Value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), PBM_SETSTEP, WPARAM(Value), 0);
}

void TProgressBar::StepIt() {
    if (HandleAllocated()) {
        SendMessageW(WindowHandle(), PBM_STEPIT, 0, 0);
        return;
    }
    position_ += step_;
    if (position_ > max_) position_ = min_ + (position_ - max_);
}

void TProgressBar::SetOrientation(TProgressBarOrientation Value) {
    if (orientation_ == Value) return;
    orientation_ = Value;
    Position();
    RecreateWnd();
}

void TProgressBar::SetSmooth(bool Value) {
    if (smooth_ == Value) return;
    smooth_ = Value;
    Position();
    RecreateWnd();
}

// ---- TTrackBar

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 150;
    height_ = 45;
    SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& Params) {
    InitCommonControl(ICC_BAR_CLASSES);
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, TRACKBAR_CLASSW);
    Params.Style |= TBS_AUTOTICKS | (orientation_ == trVertical ? TBS_VERT | TBS_RIGHT : TBS_HORZ | TBS_BOTTOM);
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TTrackBar::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    SendRange();
    SendMessageW(WindowHandle(), TBM_SETTICFREQ, WPARAM(frequency_), 0);
    SendMessageW(WindowHandle(), TBM_SETPOS, TRUE, LPARAM(position_));
}

void TTrackBar::SendRange() {
    if (!HandleAllocated()) return;
    SendMessageW(WindowHandle(), TBM_SETRANGEMIN, FALSE, LPARAM(min_));
    SendMessageW(WindowHandle(), TBM_SETRANGEMAX, TRUE, LPARAM(max_));
}

int TTrackBar::Position() const {
    if (HandleAllocated()) position_ = int(SendMessageW(WindowHandle(), TBM_GETPOS, 0, 0));
    return position_;
}

void TTrackBar::SetPosition(int Value) {
    int now = Value < min_ ? min_ : (Value > max_ ? max_ : Value);
    if (now == Position()) return;
    position_ = now;
    if (HandleAllocated()) SendMessageW(WindowHandle(), TBM_SETPOS, TRUE, LPARAM(now));
    Changed();
}

void TTrackBar::SetMin(int Value) {
    min_ = Value;
    SendRange();
}

void TTrackBar::SetMax(int Value) {
    max_ = Value;
    SendRange();
}

void TTrackBar::SetFrequency(int Value) {
    frequency_ = Value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), TBM_SETTICFREQ, WPARAM(Value), 0);
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
    if (orientation_ == Value) return;
    orientation_ = Value;
    Position();
    if (!ComponentState().Contains(csLoading)) SetBounds(left_, top_, height_, width_);
    RecreateWnd();
}

void TTrackBar::Changed() {
    if (OnChange) OnChange(this);
}

void TTrackBar::Dispatch(TMessage& Message) {
    if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
        int old = position_;
        if (Position() != old) Changed();
        return;
    }
    TWinControl::Dispatch(Message);
}

}  // namespace fw
