#include "framework/windows/ScrollingControls.h"

#include <algorithm>

namespace fw {

// ---- TControlScrollBar

void TControlScrollBar::Assign(const TPersistent* Source) {
    auto* from = dynamic_cast<const TControlScrollBar*>(Source);
    if (!from) return TPersistent::Assign(Source);
    increment_ = from->increment_;
    tracking_ = from->tracking_;
    visible_ = from->visible_;
    SetRange(from->range_);
    SetPosition(from->position_);
}

int TControlScrollBar::ClientExtent() const {
    TRect r = control_->ClientRect();
    return kind_ == sbHorizontal ? r.Width() : r.Height();
}

int TControlScrollBar::ScrollRange() const { return std::max(range_ - ClientExtent(), 0); }

void TControlScrollBar::SetPosition(int Value) {
    Value = std::clamp(Value, 0, ScrollRange());
    if (Value != position_) {
        int delta = position_ - Value;
        position_ = Value;
        if (kind_ == sbHorizontal)
            control_->ScrollBy(delta, 0);
        else
            control_->ScrollBy(0, delta);
    }
    if (shown_ && control_->HandleAllocated() && GetScrollPos(control_->WindowHandle(), Bar()) != position_)
        SetScrollPos(control_->WindowHandle(), Bar(), position_, TRUE);
}

void TControlScrollBar::SetRange(int Value) {
    control_->autoScroll_ = false;
    range_ = std::max(Value, 0);
    control_->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool Value) {
    if (Value == visible_) return;
    visible_ = Value;
    control_->UpdateScrollBars();
}

void TControlScrollBar::Apply() {
    SetPosition(position_);  // clamped to the range the client size leaves
    if (!shown_) return;
    SCROLLINFO si{sizeof si, SIF_ALL, 0, range_ - 1, UINT(ClientExtent()), position_, 0};
    SetScrollInfo(control_->WindowHandle(), Bar(), &si, TRUE);
}

void TControlScrollBar::ScrollMessage(const TWMScroll& Message) {
    // The message carries 16 bits of position; the bar itself knows more.
    auto thumb = [&] {
        if (ScrollRange() <= 32767) return int(Message.Pos);
        SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(control_->WindowHandle(), Bar(), &si);
        return si.nTrackPos;
    };
    switch (Message.ScrollCode) {
        case SB_LINEUP:
            SetPosition(position_ - increment_);
            break;
        case SB_LINEDOWN:
            SetPosition(position_ + increment_);
            break;
        case SB_PAGEUP:
            SetPosition(position_ - ClientExtent());
            break;
        case SB_PAGEDOWN:
            SetPosition(position_ + ClientExtent());
            break;
        case SB_THUMBPOSITION:
            SetPosition(thumb());
            break;
        case SB_THUMBTRACK:
            if (tracking_) SetPosition(thumb());
            break;
        case SB_TOP:
            SetPosition(0);
            break;
        case SB_BOTTOM:
            SetPosition(ScrollRange());
            break;
        default:
            break;
    }
}

// ---- TScrollingWinControl

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TScrollingWinControl::SetAutoScroll(bool Value) {
    if (Value == autoScroll_) return;
    autoScroll_ = Value;
    if (!Value) horz_.range_ = vert_.range_ = 0;
    UpdateScrollBars();
}

// A child counts along an axis when it keeps its distance from the near
// edge; those aligned to the far edge add their extent.
void TScrollingWinControl::CalcAutoRange() {
    int right = 0, bottom = 0, alignedRight = 0, alignedBottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        TAnchors h = c->Anchors() * TAnchors{akLeft, akRight};
        TAnchors v = c->Anchors() * TAnchors{akTop, akBottom};
        TAlign a = c->Align();
        if (a == alLeft || ((a == alNone || a == alCustom) && h == TAnchors{akLeft}))
            right = std::max(right, horz_.position_ + c->Left() + c->Width());
        else if (a == alRight)
            alignedRight += c->Width();
        if (a == alTop || ((a == alNone || a == alCustom) && v == TAnchors{akTop}))
            bottom = std::max(bottom, vert_.position_ + c->Top() + c->Height());
        else if (a == alBottom)
            alignedBottom += c->Height();
    }
    horz_.range_ = right + alignedRight;
    vert_.range_ = bottom + alignedBottom;
}

void TScrollingWinControl::UpdateScrollBars() {
    if (updatingBars_ || !HandleAllocated() || ComponentState().Contains(csLoading) ||
        ComponentState().Contains(csDestroying))
        return;
    updatingBars_ = true;
    try {
        if (autoScroll_) CalcAutoRange();
        // Showing one bar narrows the client along the other: settle in a few rounds.
        for (int round = 0; round < 3; ++round) {
            bool changed = false;
            for (TControlScrollBar* bar : {&horz_, &vert_}) {
                bool want = bar->visible_ && bar->range_ > bar->ClientExtent();
                if (want == bar->shown_) continue;
                bar->shown_ = want;
                ShowScrollBar(handle_, bar->Bar(), want);
                changed = true;
            }
            if (!changed) break;
        }
        horz_.Apply();
        vert_.Apply();
    } catch (...) {
        updatingBars_ = false;
        throw;
    }
    updatingBars_ = false;
}

void TScrollingWinControl::ScrollBy(int DeltaX, int DeltaY) {
    if (!DeltaX && !DeltaY) return;
    DisableAlign();
    try {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
        }
    } catch (...) {
        EnableAlign();
        throw;
    }
    EnableAlign();
    Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
    if (!AControl || AControl == this || !ContainsControl(AControl)) return;
    TRect r = AControl->BoundsRect();
    for (TWinControl* p = AControl->Parent(); p && p != this; p = p->Parent()) {
        r.Left += p->Left();
        r.Right += p->Left();
        r.Top += p->Top();
        r.Bottom += p->Top();
    }
    auto bring = [](TControlScrollBar& bar, int lo, int hi) {
        int extent = bar.ClientExtent();
        if (lo < 0)
            bar.SetPosition(bar.Position() + lo);
        else if (hi > extent)
            bar.SetPosition(bar.Position() + std::min(hi, lo + extent) - extent);
    };
    bring(horz_, r.Left, r.Right);
    bring(vert_, r.Top, r.Bottom);
}

void TScrollingWinControl::WndProc(TMessage& Message) {
    // The window's own bars (LParam 0); a scroll-bar control's messages go on to it.
    if ((Message.Msg == WM_HSCROLL || Message.Msg == WM_VSCROLL) && Message.LParam == 0) {
        TControlScrollBar& bar = Message.Msg == WM_HSCROLL ? horz_ : vert_;
        bar.ScrollMessage(reinterpret_cast<TWMScroll&>(Message));
        Message.Result = 0;
        return;
    }
    TWinControl::WndProc(Message);
}

void TScrollingWinControl::CreateWnd() {
    TWinControl::CreateWnd();
    horz_.shown_ = vert_.shown_ = false;  // a new window starts without bars
    UpdateScrollBars();
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    if (autoScroll_) CalcAutoRange();
    TWinControl::AlignControls(AControl, Rect);
    UpdateScrollBars();
}

void TScrollingWinControl::AdjustClientRect(TRect& Rect) {
    TWinControl::AdjustClientRect(Rect);
    Rect = TRect(-horz_.position_, -vert_.position_, -horz_.position_ + std::max<int>(horz_.range_, Rect.Width()),
                 -vert_.position_ + std::max<int>(vert_.range_, Rect.Height()));
}

// ---- TScrollBox

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
    controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    width_ = 185;
    height_ = 41;
}

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
    if (Value == borderStyle_) return;
    borderStyle_ = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& Params) {
    TScrollingWinControl::CreateParams(Params);
    if (borderStyle_ != bsNone) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

}  // namespace fw
