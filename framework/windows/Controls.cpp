// TControl, and the process-wide mouse state: capture and hover tracking.
#include "framework/windows/Controls.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Menus.h"

namespace fw {

namespace {

// Capture held for a graphic control goes to its parent's window; this says
// which child it is for. Hover: the control the mouse was last over.
TControl* captureControl = nullptr;
TControl* mouseControl = nullptr;

// Sends Msg with LParam = Control to the control; its handler passes it on
// up the parent chain.
void SendHoverMessage(TControl* Control, UINT Msg) { Control->Perform(Msg, 0, reinterpret_cast<LPARAM>(Control)); }

void SetMouseControl(TControl* Control) {
    if (Control == mouseControl) return;
    TControl* old = mouseControl;
    mouseControl = Control;
    if (old) SendHoverMessage(old, CM_MOUSELEAVE);
    // A leave handler may have moved the mouse control on already.
    if (Control && mouseControl == Control) SendHoverMessage(Control, CM_MOUSEENTER);
}

bool IsMouseMessage(UINT msg) {
    return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && msg != WM_MOUSEWHEEL && msg != WM_MOUSEHWHEEL;
}

}  // namespace

TShiftState KeyDataToShiftState(LONG KeyData) {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (KeyData & 0x20000000) s.Include(ssAlt);
    return s;
}

TShiftState KeysToShiftState(WORD Keys) {
    TShiftState s;
    if (Keys & MK_SHIFT) s.Include(ssShift);
    if (Keys & MK_CONTROL) s.Include(ssCtrl);
    if (Keys & MK_LBUTTON) s.Include(ssLeft);
    if (Keys & MK_RBUTTON) s.Include(ssRight);
    if (Keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TControl* MouseControl() { return mouseControl; }

void DoMouseIdle() {
    POINT p;
    if (!GetCursorPos(&p)) return;
    SetMouseControl(FindDragTarget(TPoint(p), false));
}

TControl* GetCaptureControl() {
    TControl* result = FindControl(GetCapture());
    if (result && captureControl && captureControl->Parent() == result) result = captureControl;
    return result;
}

void SetCaptureControl(TControl* Control) {
    ReleaseCapture();
    captureControl = nullptr;
    if (!Control) return;
    if (auto* w = dynamic_cast<TWinControl*>(Control)) {
        SetCapture(w->Handle());
        return;
    }
    if (Control->Parent()) {
        captureControl = Control;
        SetCapture(Control->Parent()->Handle());
    }
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
    HWND wnd = WindowFromPoint(POINT(Pos));
    TWinControl* window = nullptr;
    while (wnd && !(window = FindControl(wnd))) wnd = GetParent(wnd);
    if (!window) return nullptr;
    TControl* child = window->ControlAtPos(window->ScreenToClient(Pos), AllowDisabled);
    return child ? child : window;
}

// ---- TSizeConstraints

void TSizeConstraints::Assign(const TPersistent* Source) {
    auto* src = dynamic_cast<const TSizeConstraints*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    minWidth_ = src->minWidth_;
    minHeight_ = src->minHeight_;
    maxWidth_ = src->maxWidth_;
    maxHeight_ = src->maxHeight_;
    Change();
}

// A maximum below the minimum is raised to it, and the other way round.
void TSizeConstraints::SetMinWidth(int Value) {
    if (Value < 0 || Value == minWidth_) return;
    minWidth_ = Value;
    if (maxWidth_ > 0 && maxWidth_ < minWidth_) maxWidth_ = minWidth_;
    Change();
}

void TSizeConstraints::SetMinHeight(int Value) {
    if (Value < 0 || Value == minHeight_) return;
    minHeight_ = Value;
    if (maxHeight_ > 0 && maxHeight_ < minHeight_) maxHeight_ = minHeight_;
    Change();
}

void TSizeConstraints::SetMaxWidth(int Value) {
    if (Value < 0 || Value == maxWidth_) return;
    maxWidth_ = Value;
    if (maxWidth_ > 0 && maxWidth_ < minWidth_) minWidth_ = maxWidth_;
    Change();
}

void TSizeConstraints::SetMaxHeight(int Value) {
    if (Value < 0 || Value == maxHeight_) return;
    maxHeight_ = Value;
    if (maxHeight_ > 0 && maxHeight_ < minHeight_) minHeight_ = maxHeight_;
    Change();
}

void TSizeConstraints::Apply(int& Width, int& Height) const {
    if (maxWidth_ > 0 && Width > maxWidth_) Width = maxWidth_;
    if (minWidth_ > 0 && Width < minWidth_) Width = minWidth_;
    if (maxHeight_ > 0 && Height > maxHeight_) Height = maxHeight_;
    if (minHeight_ > 0 && Height < minHeight_) Height = minHeight_;
}

void TSizeConstraints::Change() {
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    windowProc_ = TWndMethod(this, &TControl::WndProc);
    controlStyle_ = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    font_.OnChange = TNotifyEvent(this, &TControl::FontChanged);
    constraints_.OnChange = TNotifyEvent(this, &TControl::ConstraintsChanged);
}

void TControl::ConstraintsChanged(TObject*) {
    // Bring the current size within the new limits.
    SetBounds(left_, top_, width_, height_);
}

void TControl::CheckNewSize(int& NewWidth, int& NewHeight) {
    if (autoSize_) {
        int w = NewWidth, h = NewHeight;
        if (CanAutoSize(w, h)) {
            NewWidth = w;
            NewHeight = h;
        }
    }
    constraints_.Apply(NewWidth, NewHeight);
}

TControl::~TControl() {
    if (mouseControl == this) mouseControl = nullptr;
    if (captureControl == this) {
        captureControl = nullptr;
        ReleaseCapture();
    }
    if (parent_) parent_->RemoveControl(this);
    font_.OnChange.Clear();
}

void TControl::SetParent(TWinControl* AParent) {
    if (parent_ == AParent) return;
    if (static_cast<TControl*>(AParent) == this) throw EInvalidOperation(L"A control cannot have itself as its parent");
    if (parent_) parent_->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

TWinControl* TControl::GetParentFormControl(bool TopForm) {
    TControl* c = this;
    for (;;) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (!TopForm && w && w->IsForm()) return w;
        if (!c->parent_) return (w && w->IsForm()) ? w : nullptr;
        c = c->parent_;
    }
}

// ---- geometry

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    CheckNewSize(AWidth, AHeight);
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
    bool resized = AWidth != width_ || AHeight != height_;
    InvalidateControl(visible_, false);
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
    if (!parent_ || !parent_->controlState_.Contains(csAligning)) UpdateAnchorRules();
    Invalidate();
    RequestAlign();
    if (resized && !ComponentState().Contains(csLoading)) Resize();
}

TRect TControl::ClientRect() { return TRect(0, 0, width_, height_); }

void TControl::SetClientSize(int AWidth, int AHeight) {
    TRect r = ClientRect();
    SetBounds(left_, top_, width_ - r.Width() + AWidth, height_ - r.Height() + AHeight);
}

TPoint TControl::ClientOrigin() {
    if (!parent_) return TPoint(left_, top_);
    TPoint p = parent_->ClientOrigin();
    return TPoint(p.X + left_, p.Y + top_);
}

TPoint TControl::ClientToScreen(const TPoint& Point) {
    TPoint o = ClientOrigin();
    return TPoint(Point.X + o.X, Point.Y + o.Y);
}

TPoint TControl::ScreenToClient(const TPoint& Point) {
    TPoint o = ClientOrigin();
    return TPoint(Point.X - o.X, Point.Y - o.Y);
}

void TControl::SetAlign(TAlign Value) {
    if (align_ == Value) return;
    // Leaving an alignment keeps the bounds it gave.
    align_ = Value;
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
    if (anchors_ == Value) return;
    anchors_ = Value;
    UpdateAnchorRules();
}

TSize TControl::ParentClientSize(TWinControl* Parent) {
    TRect r = Parent->ClientRect();
    return TSize(r.Right, r.Bottom);
}

void TControl::UpdateAnchorRules() {
    if (anchors_ == TAnchors{akLeft, akTop} || !parent_) {
        originalParentSize_ = TSize();
        return;
    }
    if (anchors_.Contains(akRight))
        anchorRules_.X = anchors_.Contains(akLeft) ? width_ : left_;
    else
        anchorRules_.X = left_ + width_ / 2;
    if (anchors_.Contains(akBottom))
        anchorRules_.Y = anchors_.Contains(akTop) ? height_ : top_;
    else
        anchorRules_.Y = top_ + height_ / 2;
    originalParentSize_ = ParentClientSize(parent_);
}

TRect TControl::AnchoredBounds(TSize ParentSize) const {
    int l = left_, t = top_, w = width_, h = height_;
    if (originalParentSize_.cx > 0) {
        if (anchors_.Contains(akRight)) {
            if (anchors_.Contains(akLeft))
                w = ParentSize.cx - (originalParentSize_.cx - anchorRules_.X);
            else
                l = ParentSize.cx - (originalParentSize_.cx - anchorRules_.X);
        } else if (!anchors_.Contains(akLeft)) {
            l = MulDiv(anchorRules_.X, ParentSize.cx, originalParentSize_.cx) - w / 2;
        }
    }
    if (originalParentSize_.cy > 0) {
        if (anchors_.Contains(akBottom)) {
            if (anchors_.Contains(akTop))
                h = ParentSize.cy - (originalParentSize_.cy - anchorRules_.Y);
            else
                t = ParentSize.cy - (originalParentSize_.cy - anchorRules_.Y);
        } else if (!anchors_.Contains(akTop)) {
            t = MulDiv(anchorRules_.Y, ParentSize.cy, originalParentSize_.cy) - h / 2;
        }
    }
    return TRect(l, t, l + std::max(w, 0), t + std::max(h, 0));
}

void TControl::SetBiDiMode(TBiDiMode Value) {
    if (biDiMode_ == Value) return;
    biDiMode_ = Value;
    Perform(CM_BIDIMODECHANGED);
}

bool TControl::UseRightToLeftAlignment() const { return SysLocale.MiddleEast && biDiMode_ == bdRightToLeft; }

bool TControl::UseRightToLeftReading() const { return SysLocale.MiddleEast && biDiMode_ != bdLeftToRight; }

UINT TControl::DrawTextBiDiModeFlags(UINT Flags) const {
    if (UseRightToLeftAlignment()) {
        if ((Flags & (DT_CENTER | DT_RIGHT)) == DT_LEFT)
            Flags |= DT_RIGHT;
        else if (Flags & DT_RIGHT)
            Flags &= ~UINT(DT_RIGHT);
    }
    return Flags | DrawTextBiDiModeFlagsReadingOnly();
}

UINT TControl::DrawTextBiDiModeFlagsReadingOnly() const { return UseRightToLeftReading() ? DT_RTLREADING : 0; }

void TControl::SetAutoSize(bool Value) {
    if (autoSize_ == Value) return;
    autoSize_ = Value;
    if (Value) AdjustSize();
}

bool TControl::CanAutoSize(int& NewWidth, int& NewHeight) {
    (void)NewWidth;
    (void)NewHeight;
    return false;
}

void TControl::AdjustSize() {
    if (!ComponentState().Contains(csLoading)) SetBounds(left_, top_, width_, height_);
}

void TControl::RequestAlign() {
    if (parent_) parent_->AlignControl(this);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (parent_ && parentColor_) Perform(CM_PARENTCOLORCHANGED);
    if (parent_ && parentFont_) Perform(CM_PARENTFONTCHANGED);
}

// ---- state

void TControl::SetVisible(bool Value) {
    if (visible_ == Value) return;
    visible_ = Value;
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
    RequestAlign();
}

void TControl::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetCursor(TCursor Value) {
    if (cursor_ == Value) return;
    cursor_ = Value;
    Perform(CM_CURSORCHANGED);
}

// ---- text

String TControl::Text() {
    LRESULT len = Perform(WM_GETTEXTLENGTH);
    if (len <= 0) return String();
    String s(size_t(len) + 1, L'\0');
    LRESULT got = Perform(WM_GETTEXT, WPARAM(len + 1), reinterpret_cast<LPARAM>(s.data()));
    s.resize(size_t(std::clamp<LRESULT>(got, 0, len)));
    return s;
}

void TControl::SetText(const String& Value) {
    if (Text() == Value) return;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
    Perform(CM_TEXTCHANGED);
}

void TControl::WMSetText(TMessage& Message) {
    auto* s = reinterpret_cast<const wchar_t*>(Message.LParam);
    text_ = s ? s : L"";
    Message.Result = TRUE;
}

void TControl::WMGetText(TMessage& Message) {
    auto* buf = reinterpret_cast<wchar_t*>(Message.LParam);
    size_t cap = Message.WParam;
    if (!buf || cap == 0) {
        Message.Result = 0;
        return;
    }
    size_t n = std::min(cap - 1, text_.size());
    std::copy_n(text_.data(), n, buf);
    buf[n] = L'\0';
    Message.Result = LRESULT(n);
}

void TControl::WMGetTextLength(TMessage& Message) { Message.Result = LRESULT(text_.size()); }

// ---- appearance

void TControl::SetColor(TColor Value) {
    parentColor_ = false;
    if (color_ == Value) return;
    color_ = Value;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value) {
    if (parentColor_ == Value) return;
    parentColor_ = Value;
    if (parent_ && Value) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool Value) {
    if (parentFont_ == Value) return;
    parentFont_ = Value;
    if (parent_ && Value) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged(TObject*) {
    if (!inFontChange_) parentFont_ = false;
    Perform(CM_FONTCHANGED);
}

void TControl::CMParentColorChanged(TMessage& Message) {
    (void)Message;
    if (!parentColor_ || !parent_) return;
    SetColor(parent_->Color());
    parentColor_ = true;
}

void TControl::CMParentFontChanged(TMessage& Message) {
    (void)Message;
    if (!parentFont_ || !parent_) return;
    inFontChange_ = true;
    try {
        font_.Assign(parent_->Font());
    } catch (...) {
        inFontChange_ = false;
        throw;
    }
    inFontChange_ = false;
}

void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMTextChanged(TMessage&) { Invalidate(); }
void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage& Message) {
    InvalidateControl(Message.WParam != 0, controlStyle_.Contains(csOpaque) && Message.WParam != 0);
}

void TControl::CMMouseEnter(TMessage& Message) {
    if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) MouseEnter();
    if (parent_) parent_->Perform(CM_MOUSEENTER, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
}

void TControl::CMMouseLeave(TMessage& Message) {
    if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) MouseLeave();
    if (parent_) parent_->Perform(CM_MOUSELEAVE, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
}

void TControl::CMHitTest(TMessage& Message) { Message.Result = HTCLIENT; }

void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::SetName(const String& NewName) {
    bool follow = controlStyle_.Contains(csSetCaption) && !ComponentState().Contains(csLoading) && Name() == Text();
    TComponent::SetName(NewName);
    if (follow) SetText(NewName);
}

void TControl::MouseWheelHandler(TMessage& Message) {
    TWinControl* form = GetParentFormControl();
    if (form && static_cast<TControl*>(form) != this)
        form->MouseWheelHandler(Message);
    else
        Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

void TControl::CMMouseWheel(TCMMouseWheel& Message) {
    Message.Result = 0;
    TShiftState shift = TShiftState::FromBits(Message.ShiftState);
    if (DoMouseWheel(shift, Message.WheelDelta, TPoint(Message.XPos, Message.YPos)))
        Message.Result = 1;
    else if (parent_)
        Message.Result = parent_->Perform(CM_MOUSEWHEEL, reinterpret_cast<TMessage&>(Message).WParam,
                                          reinterpret_cast<TMessage&>(Message).LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (!handled && WheelDelta < 0) handled = DoMouseWheelDown(Shift, MousePos);
    if (!handled && WheelDelta > 0) handled = DoMouseWheelUp(Shift, MousePos);
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

// ---- messaging

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage m;
    m.Msg = Msg;
    m.WParam = WParam;
    m.LParam = LParam;
    if (windowProc_)
        windowProc_(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message) {
    if (IsMouseMessage(Message.Msg)) {
        switch (Message.Msg) {
            case WM_LBUTTONDBLCLK:
                if (!controlStyle_.Contains(csDoubleClicks)) Message.Msg = WM_LBUTTONDOWN;
                controlState_.Include(csLButtonDown);
                break;
            case WM_LBUTTONDOWN:
                controlState_.Include(csLButtonDown);
                break;
            case WM_LBUTTONUP:
                controlState_.Exclude(csLButtonDown);
                break;
            case WM_MOUSEMOVE:
                // Over this control, unless some window holds the mouse:
                // then the position decides.
                if (!GetCapture())
                    SetMouseControl(this);
                else
                    DoMouseIdle();
                break;
            default:
                break;
        }
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
    auto& mouse = reinterpret_cast<TWMMouse&>(Message);
    switch (Message.Msg) {
        case WM_LBUTTONDOWN:
            WMLButtonDown(mouse);
            break;
        case WM_LBUTTONDBLCLK:
            WMLButtonDblClk(mouse);
            break;
        case WM_LBUTTONUP:
            WMLButtonUp(mouse);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            WMRButtonDown(mouse);
            break;
        case WM_RBUTTONUP:
            WMRButtonUp(mouse);
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            WMMButtonDown(mouse);
            break;
        case WM_MBUTTONUP:
            WMMButtonUp(mouse);
            break;
        case WM_MOUSEMOVE:
            WMMouseMove(mouse);
            break;
        case WM_SETTEXT:
            WMSetText(Message);
            break;
        case WM_GETTEXT:
            WMGetText(Message);
            break;
        case WM_GETTEXTLENGTH:
            WMGetTextLength(Message);
            break;
        case CM_VISIBLECHANGED:
            CMVisibleChanged(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        case CM_COLORCHANGED:
            CMColorChanged(Message);
            break;
        case CM_PARENTFONTCHANGED:
            CMParentFontChanged(Message);
            break;
        case CM_PARENTCOLORCHANGED:
            CMParentColorChanged(Message);
            break;
        case CM_TEXTCHANGED:
            CMTextChanged(Message);
            break;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        case CM_HITTEST:
            CMHitTest(Message);
            break;
        case CM_MOUSEWHEEL:
            CMMouseWheel(reinterpret_cast<TCMMouseWheel&>(Message));
            break;
        case WM_CONTEXTMENU:
            WMContextMenu(Message);
            break;
        default:
            DefaultHandler(Message);
            break;
    }
}

void TControl::DefaultHandler(TMessage& Message) { Message.Result = 0; }

// ---- mouse

void TControl::DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift) {
    if (controlStyle_.Contains(csNoStdEvents)) return;
    MouseDown(Button, KeysToShiftState(WORD(Message.Keys)) + Shift, Message.XPos, Message.YPos);
}

void TControl::DoMouseUp(TWMMouse& Message, TMouseButton Button) {
    if (controlStyle_.Contains(csNoStdEvents)) return;
    MouseUp(Button, KeysToShiftState(WORD(Message.Keys)), Message.XPos, Message.YPos);
}

void TControl::WMLButtonDown(TWMMouse& Message) {
    DefaultHandler(reinterpret_cast<TMessage&>(Message));
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (controlStyle_.Contains(csClickEvents)) controlState_.Include(csClicked);
    DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TWMMouse& Message) {
    DefaultHandler(reinterpret_cast<TMessage&>(Message));
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (controlStyle_.Contains(csClickEvents)) DblClick();
    DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TWMMouse& Message) {
    DefaultHandler(reinterpret_cast<TMessage&>(Message));
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
    if (controlState_.Contains(csClicked)) {
        controlState_.Exclude(csClicked);
        if (ClientRect().Contains(TPoint(Message.XPos, Message.YPos))) Click();
    }
    DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonDown(TWMMouse& Message) {
    DefaultHandler(reinterpret_cast<TMessage&>(Message));
    DoMouseDown(Message, mbRight, {});
}

void TControl::WMRButtonUp(TWMMouse& Message) {
    DefaultHandler(reinterpret_cast<TMessage&>(Message));
    DoMouseUp(Message, mbRight);
}

void TControl::WMMButtonDown(TWMMouse& Message) {
    DefaultHandler(reinterpret_cast<TMessage&>(Message));
    DoMouseDown(Message, mbMiddle, {});
}

void TControl::WMMButtonUp(TWMMouse& Message) {
    DefaultHandler(reinterpret_cast<TMessage&>(Message));
    DoMouseUp(Message, mbMiddle);
}

void TControl::WMMouseMove(TWMMouse& Message) {
    DefaultHandler(reinterpret_cast<TMessage&>(Message));
    if (!controlStyle_.Contains(csNoStdEvents))
        MouseMove(KeysToShiftState(WORD(Message.Keys)), Message.XPos, Message.YPos);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

bool TControl::MouseCapture() { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
    if (MouseCapture() == Value) return;
    SetCaptureControl(Value ? this : nullptr);
}

// ---- painting

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
    if (!IsVisible || !parent_ || !parent_->HandleAllocated()) return;
    RECT r = BoundsRect();
    bool noErase = IsOpaque || parent_->controlStyle_.Contains(csOpaque);
    InvalidateRect(parent_->WindowHandle(), &r, !noErase);
}

void TControl::Invalidate() { InvalidateControl(visible_, controlStyle_.Contains(csOpaque)); }

void TControl::Repaint() {
    if (!visible_ || !parent_ || !parent_->HandleAllocated()) return;
    if (controlStyle_.Contains(csOpaque)) {
        HWND w = parent_->WindowHandle();
        HDC dc = GetDC(w);
        int saved = SaveDC(dc);
        IntersectClipRect(dc, left_, top_, left_ + width_, top_ + height_);
        parent_->PaintControls(dc, this);
        RestoreDC(dc, saved);
        ReleaseDC(w, dc);
    } else {
        Invalidate();
        Update();
    }
}

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::SetZOrder(bool TopMost) {
    if (!parent_) return;
    parent_->MoveChild(this, TopMost);
}

void TControl::BringToFront() { SetZOrder(true); }
void TControl::SendToBack() { SetZOrder(false); }

// ---- context menu

void TControl::SetPopupMenu(TPopupMenu* Value) {
    if (popupMenu_ == Value) return;
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = Value;
    if (popupMenu_) popupMenu_->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popupMenu_) popupMenu_ = nullptr;
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

// LParam: the screen point, or (-1, -1) from the keyboard. A graphic child
// under the point is asked first; a message nobody takes goes to the native
// procedure, which hands it on to the parent window.
void TControl::WMContextMenu(TMessage& Message) {
    TPoint screen(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    bool keyboard = screen.X == -1 && screen.Y == -1;
    TPoint client = keyboard ? TPoint(-1, -1) : ScreenToClient(screen);
    if (auto* w = dynamic_cast<TWinControl*>(this); w && !keyboard) {
        if (TControl* child = w->ControlAtPos(client, false)) {
            Message.Result = child->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
            if (Message.Result != 0) return;
        }
    }
    bool handled = false;
    DoContextPopup(client, handled);
    if (handled) {
        Message.Result = 1;
        return;
    }
    if (popupMenu_ && popupMenu_->AutoPopup()) {
        if (keyboard) screen = ClientToScreen(TPoint(0, 0));
        popupMenu_->SetPopupComponent(this);
        popupMenu_->Popup(screen.X, screen.Y);
        Message.Result = 1;
        return;
    }
    DefaultHandler(Message);
}

}  // namespace fw
