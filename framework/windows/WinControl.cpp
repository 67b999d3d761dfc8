// TWinControl: the window behind a control, its class, its procedure and
// the messages every windowed control handles the same way.
#include <algorithm>

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Controls.h"
#include "framework/windows/Menus.h"
#include "framework/windows/Screen.h"

namespace fw {

namespace {

// The control whose CreateWindowExW is running on this thread; the class
// procedure binds the first window that receives a message to it.
thread_local TWinControl* creationControl = nullptr;

ATOM ControlAtom() {
    static ATOM atom = [] {
        wchar_t name[48];
        wsprintfW(name, L"fw.Control.%08X", GetCurrentProcessId());
        return GlobalAddAtomW(name);
    }();
    return atom;
}

LPCWSTR ControlProp() { return MAKEINTATOM(ControlAtom()); }

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

// Child window identifiers, so WM_MEASUREITEM (which names only the ID)
// finds its control again with GetDlgItem.
UINT NextChildId() {
    static UINT next = 0x100;
    if (++next > 0xFFF0) next = 0x100;
    return next;
}

// Undoes an include of a ControlState flag however the scope is left.
struct StateFlag {
    TControlState& state;
    TControlStateItem item;
    StateFlag(TControlState& s, TControlStateItem i) : state(s), item(i) { state.Include(item); }
    ~StateFlag() { state.Exclude(item); }
};

// The nearest parent with KeyPreview on: it sees the control's keys first.
TWinControl* KeyPreviewParent(const TControl* Control) {
    for (TWinControl* p = Control->Parent(); p; p = p->Parent())
        if (p->KeyPreviewActive()) return p;
    return nullptr;
}

// A shortcut of a popup menu of the control or one of its parents, then of
// the form's menu, clicks its item and uses the key up.
bool IsMenuKey(TWinControl* Control, TWMKey& Message) {
    TShiftState shift = KeyDataToShiftState(Message.KeyData);
    for (TControl* c = Control; c; c = c->Parent())
        if (TPopupMenu* menu = c->PopupMenu(); menu && menu->IsShortCut(Message.CharCode, shift)) return true;
    TWinControl* form = Control->GetParentFormControl();
    return form && form->IsShortCut(Message);
}

// Dialog keys and characters go to the form, or to the topmost control
// when there is none.
TWinControl* DialogKeyTarget(TWinControl* Control) {
    if (TWinControl* form = Control->GetParentFormControl()) return form;
    while (Control->Parent()) Control = Control->Parent();
    return Control;
}

}  // namespace

TWinControl* FindControl(HWND Handle) {
    if (!Handle) return nullptr;
    DWORD pid = 0;
    GetWindowThreadProcessId(Handle, &pid);
    if (pid != GetCurrentProcessId()) return nullptr;
    return static_cast<TWinControl*>(GetPropW(Handle, ControlProp()));
}

LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* control = static_cast<TWinControl*>(GetPropW(hwnd, ControlProp()));
    if (!control) {
        control = creationControl;
        if (!control) return DefWindowProcW(hwnd, msg, wParam, lParam);
        creationControl = nullptr;
        control->handle_ = hwnd;
        SetPropW(hwnd, ControlProp(), control);
    }
    TMessage m;
    m.Msg = msg;
    m.WParam = wParam;
    m.LParam = lParam;
    ExceptionBarrier([&] {
        if (control->windowProc_)
            control->windowProc_(m);
        else
            control->WndProc(m);
    });
    if (msg == WM_NCDESTROY && GetPropW(hwnd, ControlProp()) == control) {
        RemovePropW(hwnd, ControlProp());
        if (control->handle_ == hwnd) {
            control->handle_ = nullptr;
            control->showing_ = false;
        }
    }
    return m.Result;
}

// ---------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
    defWndProc_ = DefWindowProcW;
    brush_.SetColor(color_);
}

void TWinControl::BeforeDestruction() {
    TControl::BeforeDestruction();
    if (handle_) DestroyHandle();
}

TWinControl::~TWinControl() {
    if (!ComponentState().Contains(csDestroying)) TComponent::BeforeDestruction();
    // The derived parts are gone: no subclass may see messages from here on.
    windowProc_ = TWndMethod(static_cast<TControl*>(this), &TControl::WndProc);
    while (!winControls_.empty() || !controls_.empty()) {
        TControl* child = !winControls_.empty() ? static_cast<TControl*>(winControls_.back()) : controls_.back();
        RemoveControl(child);
        child->Free();
    }
    if (handle_) {
        HWND h = handle_;
        RemovePropW(h, ControlProp());
        handle_ = nullptr;
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defWndProc_));
        DestroyWindow(h);
    }
    if (parent_) parent_->RemoveControl(this);
    if (creationControl == this) creationControl = nullptr;
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (controlState_.Contains(csAlignmentNeeded)) Realign();
}

// ---- window creation

void TWinControl::CreateParams(TCreateParams& Params) {
    Params = TCreateParams();
    Params.Caption = text_;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (controlStyle_.Contains(csAcceptsControls)) {
        Params.Style |= WS_CLIPCHILDREN;
        Params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!enabled_) Params.Style |= WS_DISABLED;
    if (tabStop_) Params.Style |= WS_TABSTOP;
    Params.X = left_;
    Params.Y = top_;
    Params.Width = width_;
    Params.Height = height_;
    if (parent_)
        Params.WndParent = parent_->Handle();
    else
        Params.WndParent = parentWindow_;
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WindowClass.lpfnWndProc = DefWindowProcW;
    Params.WindowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    Params.WindowClass.hbrBackground = nullptr;
    Params.WindowClass.hInstance = ModuleInstance();
    Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName) {
    WNDCLASSW wc;
    if (!GetClassInfoW(nullptr, ControlClassName, &wc) && !GetClassInfoW(ModuleInstance(), ControlClassName, &wc))
        RaiseLastOSError();
    // The system procedure and its per-window data; our class name and procedure.
    Params.WindowClass.lpfnWndProc = wc.lpfnWndProc;
    Params.WindowClass.style = wc.style & ~CS_GLOBALCLASS;
    Params.WindowClass.cbClsExtra = wc.cbClsExtra;
    Params.WindowClass.cbWndExtra = wc.cbWndExtra;
    Params.WindowClass.hCursor = wc.hCursor;
    Params.WindowClass.hbrBackground = wc.hbrBackground;
    Params.WindowClass.hIcon = wc.hIcon;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
    defWndProc_ = params.WindowClass.lpfnWndProc ? params.WindowClass.lpfnWndProc : DefWindowProcW;

    WNDCLASSW existing;
    bool registered = GetClassInfoW(ModuleInstance(), params.WinClassName.c_str(), &existing);
    if (!registered || existing.lpfnWndProc != ControlWindowProc) {
        if (registered) UnregisterClassW(params.WinClassName.c_str(), ModuleInstance());
        WNDCLASSW wc = params.WindowClass;
        wc.lpfnWndProc = ControlWindowProc;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = params.WinClassName.c_str();
        if (!RegisterClassW(&wc)) RaiseLastOSError();
    }
    CreateWindowHandle(params);
    if (!handle_) RaiseLastOSError();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
    HMENU id = (Params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(UINT_PTR(NextChildId())) : nullptr;
    CreateBoundWindow([&] {
        return CreateWindowExW(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                               Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, id, ModuleInstance(),
                               Params.Param);
    });
}

HWND TWinControl::CreateBoundWindow(const std::function<HWND()>& Create) {
    TWinControl* saved = creationControl;
    creationControl = this;
    HWND h = nullptr;
    try {
        h = Create();
    } catch (...) {
        if (creationControl == this) creationControl = saved;
        throw;
    }
    DWORD error = GetLastError();
    if (creationControl == this) creationControl = saved;
    if (h && !handle_) {
        // No message reached the window during creation (cannot happen with
        // WM_NCCREATE, but keep the binding exact).
        handle_ = h;
        SetPropW(h, ControlProp(), this);
    }
    SetLastError(error);
    return h;
}

void TWinControl::CreateHandle() {
    if (handle_) return;
    {
        StateFlag creating(controlState_, csCreating);
        CreateWnd();
    }
    trackingLeave_ = false;
    // Child order is z-order (a recreated window goes back to its place).
    PlaceWindowInChildOrder();
    UpdateBounds();
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), 0);
    CreateHandleDone();
    if (controlState_.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::PlaceWindowInChildOrder() {
    if (!parent_ || !handle_) return;
    auto& sib = parent_->winControls_;
    auto it = std::find(sib.begin(), sib.end(), this);
    HWND after = HWND_TOP;
    if (it != sib.end())
        for (auto later = it + 1; later != sib.end(); ++later)
            if ((*later)->handle_) {
                after = (*later)->handle_;
                break;
            }
    SetWindowPos(handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TWinControl::HandleNeeded() {
    if (handle_) return;
    if (parent_) parent_->HandleNeeded();
    CreateHandle();
}

HWND TWinControl::Handle() {
    HandleNeeded();
    return handle_;
}

void TWinControl::DestroyWnd() {
    // Keep the live text (an edit's) for the next window.
    if (handle_) {
        int len = GetWindowTextLengthW(handle_);
        String s(size_t(std::max(len, 0)) + 1, L'\0');
        int got = GetWindowTextW(handle_, s.data(), len + 1);
        s.resize(size_t(std::max(got, 0)));
        text_ = s;
    }
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    StateFlag destroying(controlState_, csDestroyingHandle);
    HWND h = handle_;
    if (h && !DestroyWindow(h)) RaiseLastOSError();
    if (h && handle_ == h) {
        // The window went without WM_NCDESTROY reaching us (another thread).
        RemovePropW(h, ControlProp());
        handle_ = nullptr;
    }
    showing_ = false;
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    for (TWinControl* child : winControls_) child->DestroyHandle();
    DestroyWnd();
}

void TWinControl::RecreateWnd() {
    if (handle_) Perform(CM_RECREATEWND);
}

void TWinControl::CMRecreateWnd(TMessage&) {
    bool wasFocused = Focused();
    StateFlag recreating(controlState_, csRecreating);
    DestroyHandle();
    UpdateControlState();
    if (wasFocused && handle_) ::SetFocus(handle_);
}

void TWinControl::SetParentWindow(HWND Value) {
    if (parent_ || parentWindow_ == Value) return;
    if (handle_ && parentWindow_ && Value) {
        parentWindow_ = Value;
        ::SetParent(handle_, Value);
    } else {
        DestroyHandle();
        parentWindow_ = Value;
    }
    UpdateControlState();
}

void TWinControl::SetParent(TWinControl* AParent) {
    if (parent_ == AParent) return;
    if (handle_) DestroyHandle();
    TControl::SetParent(AParent);
}

// ---- showing

void TWinControl::UpdateShowing() {
    bool show = visible_ && !controlState_.Contains(csReadingState);
    if (show) {
        if (!handle_) CreateHandle();
        for (size_t i = 0; i < winControls_.size(); ++i) winControls_[i]->UpdateShowing();
    }
    if (handle_ && showing_ != show) {
        showing_ = show;
        try {
            Perform(CM_SHOWINGCHANGED);
        } catch (...) {
            showing_ = !show;
            throw;
        }
    }
    if (!show)
        for (size_t i = 0; i < winControls_.size(); ++i) winControls_[i]->UpdateShowing();
}

void TWinControl::UpdateControlState() {
    TWinControl* c = this;
    while (c->parent_) {
        c = c->parent_;
        if (!c->showing_) return;
    }
    if (c->parentWindow_ || c->ShowsWithoutParent()) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
    SetWindowPos(
        handle_, nullptr, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (showing_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage& Message) {
    TControl::CMVisibleChanged(Message);
    UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
    if (handle_) EnableWindow(handle_, enabled_);
    TControl::CMEnabledChanged(Message);
}

void TWinControl::CMFontChanged(TMessage& Message) {
    if (handle_) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), 0);
    TMessage m;
    m.Msg = CM_PARENTFONTCHANGED;
    Broadcast(m);
    TControl::CMFontChanged(Message);
}

void TWinControl::CMColorChanged(TMessage& Message) {
    brush_.SetColor(color_);
    TMessage m;
    m.Msg = CM_PARENTCOLORCHANGED;
    Broadcast(m);
    TControl::CMColorChanged(Message);
}

// ---- geometry

TRect TWinControl::ClientRect() {
    if (handle_) {
        TRect r;
        GetClientRect(handle_, r.AsRECT());
        return r;
    }
    TRect r = TControl::ClientRect();
    r.Right = std::max<LONG>(0, r.Right - 2 * borderWidth_);
    r.Bottom = std::max<LONG>(0, r.Bottom - 2 * borderWidth_);
    return r;
}

// ---- the inner border

void InsetClientArea(TMessage& Message, const TRect& Insets) {
    RECT* r = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                             : reinterpret_cast<RECT*>(Message.LParam);
    r->left += Insets.Left;
    r->top += Insets.Top;
    r->right -= Insets.Right;
    r->bottom -= Insets.Bottom;
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
}

void TWinControl::SetBorderWidth(int Value) {
    if (Value < 0 || borderWidth_ == Value) return;
    borderWidth_ = Value;
    Perform(CM_BORDERCHANGED);
}

void TWinControl::CMBorderChanged(TMessage&) {
    if (!handle_) {
        Realign();
        return;
    }
    // WM_NCCALCSIZE, then WM_SIZE when the client area changed (realigning).
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (visible_) RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void TWinControl::WMNCCalcSize(TMessage& Message) {
    DefaultHandler(Message);
    if (borderWidth_) InsetClientArea(Message, TRect(borderWidth_, borderWidth_, borderWidth_, borderWidth_));
}

void TWinControl::WMNCPaint(TMessage& Message) {
    DefaultHandler(Message);
    if (!borderWidth_ || !handle_) return;
    HDC dc = GetWindowDC(handle_);
    PaintBorderBand(dc);
    ReleaseDC(handle_, dc);
}

void TWinControl::PaintBorderBand(HDC DC) {
    RECT window, client;
    GetWindowRect(handle_, &window);
    GetClientRect(handle_, &client);
    MapWindowPoints(handle_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    // Inside the scroll bars and the system's frame, which the native
    // answer to WM_NCCALCSIZE took off before the border.
    RECT band = client;
    InflateRect(&band, borderWidth_, borderWidth_);
    int saved = SaveDC(DC);
    ExcludeClipRect(DC, client.left, client.top, client.right, client.bottom);
    FillRect(DC, &band, brush_.Handle());
    RestoreDC(DC, saved);
}

TPoint TWinControl::ClientOrigin() {
    if (handle_) {
        POINT p = {0, 0};
        ::ClientToScreen(handle_, &p);
        return TPoint(p);
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    CheckNewSize(AWidth, AHeight);
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
    if (handle_ && !IsIconic(handle_)) {
        // WM_WINDOWPOSCHANGED reads the bounds back, realigns and resizes.
        SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        bool resized = AWidth != width_ || AHeight != height_;
        left_ = ALeft;
        top_ = ATop;
        width_ = AWidth;
        height_ = AHeight;
        if (handle_) {
            WINDOWPLACEMENT wp = {};
            wp.length = sizeof wp;
            GetWindowPlacement(handle_, &wp);
            wp.rcNormalPosition = BoundsRect();
            SetWindowPlacement(handle_, &wp);
        }
        if (resized) {
            Realign();
            if (!ComponentState().Contains(csLoading)) Resize();
        }
    }
    if (!parent_ || !parent_->controlState_.Contains(csAligning)) UpdateAnchorRules();
    RequestAlign();
}

void TWinControl::UpdateBounds() {
    if (!handle_ || IsIconic(handle_)) return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD) {
        HWND p = GetParent(handle_);
        if (p) MapWindowPoints(HWND_DESKTOP, p, reinterpret_cast<POINT*>(&r), 2);
    }
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
}

void TWinControl::WMWindowPosChanged(TWMWindowPosMsg& Message) {
    // DefWindowProc sends WM_SIZE and WM_MOVE, whose handlers read the bounds.
    DefaultHandler(reinterpret_cast<TMessage&>(Message));
}

void TWinControl::WMSize(TWMSize& Message) {
    int oldW = width_, oldH = height_;
    UpdateBounds();
    DefaultHandler(reinterpret_cast<TMessage&>(Message));
    Realign();
    if ((oldW != width_ || oldH != height_) && !ComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& Message) {
    UpdateBounds();
    DefaultHandler(Message);
}

// ---- children

TControl* TWinControl::Controls(int Index) const {
    if (Index < 0 || Index >= ControlCount())
        throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    if (size_t(Index) < controls_.size()) return controls_[size_t(Index)];
    return winControls_[size_t(Index) - controls_.size()];
}

bool TWinControl::ContainsControl(TControl* Control) const {
    for (TControl* c = Control; c; c = c->parent_)
        if (c == static_cast<const TControl*>(this)) return true;
    return false;
}

void TWinControl::InsertControl(TControl* AControl) {
    Perform(CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(AControl), 1);
    auto* w = dynamic_cast<TWinControl*>(AControl);
    if (w) {
        winControls_.push_back(w);
        InsertTab(w);
    } else {
        controls_.push_back(AControl);
    }
    AControl->parent_ = this;
    AControl->UpdateAnchorRules();
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
    AControl->Perform(CM_PARENTCOLORCHANGED);
    AControl->Perform(CM_PARENTFONTCHANGED);
    if (w) {
        w->UpdateControlState();
    } else {
        AControl->Invalidate();
    }
    AlignControl(AControl);
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
    bool quiet = ComponentState().Contains(csDestroying);
    if (!quiet) Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
    if (!quiet) Perform(CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(AControl), 0);
    auto wi = std::find_if(winControls_.begin(), winControls_.end(),
                           [&](TWinControl* w) { return static_cast<TControl*>(w) == AControl; });
    if (wi != winControls_.end()) {
        TWinControl* w = *wi;
        if (w->handle_ && !w->ComponentState().Contains(csDestroying)) w->DestroyHandle();
        winControls_.erase(std::find(winControls_.begin(), winControls_.end(), w));
        RemoveTab(w);
    } else {
        auto ci = std::find(controls_.begin(), controls_.end(), AControl);
        if (ci == controls_.end()) return;
        if (!quiet && handle_ && AControl->visible_) AControl->InvalidateControl(true, false);
        controls_.erase(ci);
    }
    if (GetCaptureControl() == AControl) SetCaptureControl(nullptr);
    AControl->parent_ = nullptr;
    if (!quiet) {
        Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
        Realign();
    }
}

void TWinControl::SetChildOrder(TComponent* Child, int Order) {
    auto* control = dynamic_cast<TControl*>(Child);
    if (!control || control->parent_ != this) return;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        auto it = std::find(winControls_.begin(), winControls_.end(), w);
        if (it == winControls_.end()) return;
        winControls_.erase(it);
        int at = std::clamp(Order - int(controls_.size()), 0, int(winControls_.size()));
        winControls_.insert(winControls_.begin() + at, w);
        w->PlaceWindowInChildOrder();
    } else {
        auto it = std::find(controls_.begin(), controls_.end(), control);
        if (it == controls_.end()) return;
        controls_.erase(it);
        int at = std::clamp(Order, 0, int(controls_.size()));
        controls_.insert(controls_.begin() + at, control);
        control->Invalidate();
    }
}

void TWinControl::MoveChild(TControl* Control, bool Top) {
    auto* w = dynamic_cast<TWinControl*>(Control);
    if (w) {
        auto it = std::find(winControls_.begin(), winControls_.end(), w);
        if (it == winControls_.end()) return;
        winControls_.erase(it);
        if (Top)
            winControls_.push_back(w);
        else
            winControls_.insert(winControls_.begin(), w);
        if (w->handle_)
            SetWindowPos(w->handle_, Top ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    } else {
        auto it = std::find(controls_.begin(), controls_.end(), Control);
        if (it == controls_.end()) return;
        controls_.erase(it);
        if (Top)
            controls_.push_back(Control);
        else
            controls_.insert(controls_.begin(), Control);
        Control->Invalidate();
    }
}

void TWinControl::Broadcast(TMessage& Message) {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->windowProc_)
            c->windowProc_(Message);
        else
            c->WndProc(Message);
        if (Message.Result != 0) return;
    }
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) {
    auto hit = [&](TControl* c) {
        if (!c->visible_ || !(c->Enabled() || AllowDisabled)) return false;
        if (!c->BoundsRect().Contains(Pos)) return false;
        return c->Perform(CM_HITTEST, 0, MAKELPARAM(Pos.X - c->left_, Pos.Y - c->top_)) != 0;
    };
    if (AllowWinControls)
        for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it)
            if (hit(*it)) return *it;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if (hit(*it)) return *it;
    return nullptr;
}

// ---- alignment

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
    if (--alignLevel_ == 0 && controlState_.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
    if (controlState_.Contains(csAligning)) return;
    if (alignLevel_ > 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) {
        controlState_.Include(csAlignmentNeeded);
        return;
    }
    controlState_.Exclude(csAlignmentNeeded);
    DisableAlign();
    try {
        StateFlag aligning(controlState_, csAligning);
        TRect r = ClientRect();
        AlignControls(AControl, r);
    } catch (...) {
        --alignLevel_;
        throw;
    }
    --alignLevel_;
}

void TWinControl::AdjustClientRect(TRect& Rect) { (void)Rect; }

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    (void)AControl;
    // Anchored controls first, against the whole client area.
    const TSize clientSize(Rect.Right, Rect.Bottom);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->align_ == alNone && c->visible_ && c->originalParentSize_ != TSize())
            c->SetBoundsRect(c->AnchoredBounds(clientSize));
    }
    AdjustClientRect(Rect);
    const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign a : order) {
        std::vector<TControl*> list;
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c->align_ == a && c->visible_) list.push_back(c);
        }
        // Within one side, the control nearest that side comes first.
        std::stable_sort(list.begin(), list.end(), [a](TControl* x, TControl* y) {
            switch (a) {
                case alTop:
                    return x->top_ < y->top_;
                case alBottom:
                    return x->top_ + x->height_ > y->top_ + y->height_;
                case alLeft:
                    return x->left_ < y->left_;
                case alRight:
                    return x->left_ + x->width_ > y->left_ + y->width_;
                default:
                    return false;
            }
        });
        for (TControl* c : list) {
            int w = std::max<LONG>(Rect.Width(), 0), h = std::max<LONG>(Rect.Height(), 0);
            switch (a) {
                case alTop:
                    c->SetBounds(Rect.Left, Rect.Top, w, c->height_);
                    Rect.Top += c->height_;
                    break;
                case alBottom:
                    c->SetBounds(Rect.Left, Rect.Bottom - c->height_, w, c->height_);
                    Rect.Bottom -= c->height_;
                    break;
                case alLeft:
                    c->SetBounds(Rect.Left, Rect.Top, c->width_, h);
                    Rect.Left += c->width_;
                    break;
                case alRight:
                    c->SetBounds(Rect.Right - c->width_, Rect.Top, c->width_, h);
                    Rect.Right -= c->width_;
                    break;
                case alClient:
                    c->SetBounds(Rect.Left, Rect.Top, w, h);
                    break;
                default:
                    break;
            }
        }
    }
}

// ---- focus and tabbing

bool TWinControl::CanFocus() {
    TWinControl* form = GetParentFormControl();
    TControl* c = this;
    while (c) {
        if (!c->visible_ || !c->Enabled()) return false;
        if (c == form) return true;
        c = c->parent_;
    }
    return form == nullptr;
}

void TWinControl::SetFocus() {
    TWinControl* form = GetParentFormControl();
    if (form)
        form->FocusControl(this);
    else
        ::SetFocus(Handle());
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

bool TWinControl::SetFocusedControl(TWinControl* Control) {
    (void)Control;
    return true;
}

void TWinControl::FocusControl(TWinControl* Control) {
    if (Control && Control->CanFocus()) ::SetFocus(Control->Handle());
}

void TWinControl::InsertTab(TWinControl* Control) { tabList_.push_back(Control); }

void TWinControl::RemoveTab(TWinControl* Control) {
    auto it = std::find(tabList_.begin(), tabList_.end(), Control);
    if (it != tabList_.end()) tabList_.erase(it);
}

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
    if (!parent_) return;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    Value = std::clamp(Value, 0, int(list.size()));
    list.insert(list.begin() + Value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
    for (TWinControl* c : tabList_) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

void TWinControl::SetTabStop(bool Value) {
    if (tabStop_ == Value) return;
    tabStop_ = Value;
    UpdateTabStopStyle();
    Perform(CM_TABSTOPCHANGED);
}

void TWinControl::UpdateTabStopStyle() {
    if (!handle_) return;
    LONG style = GetWindowLongW(handle_, GWL_STYLE);
    style = tabStop_ ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
    SetWindowLongW(handle_, GWL_STYLE, style);
}

void TWinControl::CMTabStopChanged(TMessage&) {}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::WMSetFocus(TWMSetFocus& Message) { DefaultHandler(reinterpret_cast<TMessage&>(Message)); }
void TWinControl::WMKillFocus(TWMKillFocus& Message) { DefaultHandler(reinterpret_cast<TMessage&>(Message)); }

void TWinControl::SetParentBackground(bool Value) {
    if (ParentBackground() == Value) return;
    if (Value)
        controlStyle_.Include(csParentBackground);
    else
        controlStyle_.Exclude(csParentBackground);
    Invalidate();
}

// ---- painting

void TWinControl::Invalidate() { Perform(CM_INVALIDATE); }

void TWinControl::CMInvalidate(TMessage& Message) {
    if (!handle_) return;
    if (parent_) parent_->Perform(CM_INVALIDATE, 1);
    if (Message.WParam == 0) InvalidateRect(handle_, nullptr, !controlStyle_.Contains(csOpaque));
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

void TWinControl::WMPaint(TWMPaint& Message) {
    if (!doubleBuffered_ || Message.DC) {
        if (!controlState_.Contains(csCustomPaint) && ControlCount() == 0)
            DefaultHandler(reinterpret_cast<TMessage&>(Message));
        else
            PaintHandler(Message);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    RECT cr;
    GetClientRect(handle_, &cr);
    HDC mem = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    auto release = [&] {
        if (mem) {
            SelectObject(mem, old);
            DeleteDC(mem);
        }
        if (bmp) DeleteObject(bmp);
        EndPaint(handle_, &ps);
    };
    if (cr.right <= 0 || cr.bottom <= 0) {
        release();
        return;
    }
    mem = CreateCompatibleDC(dc);
    bmp = CreateCompatibleBitmap(dc, cr.right, cr.bottom);
    old = SelectObject(mem, bmp);
    try {
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(mem));
        Message.DC = mem;
        WMPaint(Message);
        Message.DC = nullptr;
        BitBlt(dc, 0, 0, cr.right, cr.bottom, mem, 0, 0, SRCCOPY);
    } catch (...) {
        Message.DC = nullptr;
        release();
        throw;
    }
    release();
}

void TWinControl::PaintHandler(TWMPaint& Message) {
    HDC dc = Message.DC;
    PAINTSTRUCT ps;
    if (!dc) dc = BeginPaint(handle_, &ps);
    try {
        int clip = SIMPLEREGION;
        int saved = 0;
        if (!controls_.empty()) {
            saved = SaveDC(dc);
            for (TControl* c : controls_)
                if (c->visible_ && c->controlStyle_.Contains(csOpaque)) {
                    clip = ExcludeClipRect(dc, c->left_, c->top_, c->left_ + c->width_, c->top_ + c->height_);
                    if (clip == NULLREGION) break;
                }
        }
        if (clip != NULLREGION) PaintWindow(dc);
        if (saved) RestoreDC(dc, saved);
        PaintControls(dc, nullptr);
    } catch (...) {
        if (!Message.DC) EndPaint(handle_, &ps);
        throw;
    }
    if (!Message.DC) EndPaint(handle_, &ps);
}

void TWinControl::PaintWindow(HDC DC) {
    TMessage m;
    m.Msg = WM_PAINT;
    m.WParam = reinterpret_cast<WPARAM>(DC);
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
    size_t start = 0;
    if (First) {
        auto it = std::find(controls_.begin(), controls_.end(), First);
        if (it != controls_.end()) start = size_t(it - controls_.begin());
    }
    for (size_t i = start; i < controls_.size(); ++i) {
        TControl* c = controls_[i];
        if (!c->visible_) continue;
        RECT r = c->BoundsRect();
        if (!RectVisible(DC, &r)) continue;
        bool copy = controlState_.Contains(csPaintCopy);
        if (copy) c->controlState_.Include(csPaintCopy);
        int saved = SaveDC(DC);
        POINT org;
        GetWindowOrgEx(DC, &org);
        SetWindowOrgEx(DC, org.x - c->left_, org.y - c->top_, nullptr);
        IntersectClipRect(DC, 0, 0, c->width_, c->height_);
        try {
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
        } catch (...) {
            RestoreDC(DC, saved);
            if (copy) c->controlState_.Exclude(csPaintCopy);
            throw;
        }
        RestoreDC(DC, saved);
        if (copy) c->controlState_.Exclude(csPaintCopy);
    }
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
    HWND h = Handle();
    StateFlag copy(controlState_, csPaintCopy);
    RECT wr, cr;
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    POINT co = {0, 0};
    ::ClientToScreen(h, &co);
    const int dx = co.x - wr.left, dy = co.y - wr.top;

    // The frame the system draws for these styles.
    RECT frame = {X, Y, X + (wr.right - wr.left), Y + (wr.bottom - wr.top)};
    if (GetWindowLongW(h, GWL_STYLE) & WS_BORDER) {
        FrameRect(DC, &frame, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&frame, -1, -1);
    }
    if (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) DrawEdge(DC, &frame, EDGE_SUNKEN, BF_RECT);
    if (borderWidth_) {
        POINT org;
        OffsetViewportOrgEx(DC, X, Y, &org);
        PaintBorderBand(DC);
        SetViewportOrgEx(DC, org.x, org.y, nullptr);
    }

    // The client area is painted on a surface of its own with the origin at
    // its corner: system classes clip their painting to their client
    // rectangle taken as device coordinates of the DC they are given.
    if (cr.right > 0 && cr.bottom > 0) {
        struct Surface {
            HDC dc;
            HBITMAP bmp;
            HGDIOBJ old;
            Surface(HDC like, int w, int h)
                : dc(CreateCompatibleDC(like)), bmp(CreateCompatibleBitmap(like, w, h)), old(SelectObject(dc, bmp)) {}
            ~Surface() {
                SelectObject(dc, old);
                DeleteObject(bmp);
                DeleteDC(dc);
            }
        } client(DC, cr.right, cr.bottom);
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(client.dc), 0);
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(client.dc), 0);
        BitBlt(DC, X + dx, Y + dy, cr.right, cr.bottom, client.dc, 0, 0, SRCCOPY);
    }

    for (TWinControl* c : winControls_) {
        if (!c->visible_) continue;
        int saved = SaveDC(DC);
        IntersectClipRect(DC, X + dx, Y + dy, X + dx + cr.right, Y + dy + cr.bottom);
        c->PaintTo(DC, X + dx + c->left_, Y + dy + c->top_);
        RestoreDC(DC, saved);
    }
}

void TWinControl::WMEraseBkgnd(TWMEraseBkgnd& Message) {
    // Double buffered: only the memory bitmap of WMPaint is erased.
    if (doubleBuffered_ && Message.Unused != reinterpret_cast<LPARAM>(Message.DC)) {
        Message.Result = 1;
        return;
    }
    TRect r = ClientRect();
    TBrush* brush = &brush_;
    if (ParentBackground() && parent_) brush = parent_->Brush();
    FillRect(Message.DC, r.AsRECT(), brush->Handle());
    Message.Result = 1;
}

// ---- reflection

void TWinControl::ReflectToChild(TMessage& Message, HWND Child) {
    TWinControl* control = Child ? FindControl(Child) : nullptr;
    if (control && control != this) {
        Message.Result = control->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    DefaultHandler(Message);
}

void TWinControl::WMCommand(TWMCommand& Message) { ReflectToChild(reinterpret_cast<TMessage&>(Message), Message.Ctl); }

void TWinControl::WMNotify(TWMNotify& Message) {
    ReflectToChild(reinterpret_cast<TMessage&>(Message), Message.NMHdr ? Message.NMHdr->hwndFrom : nullptr);
}

void TWinControl::WMCtlColor(TWMCtlColor& Message) {
    ReflectToChild(reinterpret_cast<TMessage&>(Message), Message.ChildWnd);
}

void TWinControl::WMDrawItem(TWMDrawItem& Message) {
    auto* dis = Message.DrawItemStruct;
    HWND child = (dis && dis->CtlType != ODT_MENU) ? dis->hwndItem : nullptr;
    ReflectToChild(reinterpret_cast<TMessage&>(Message), child);
}

void TWinControl::WMMeasureItem(TWMMeasureItem& Message) {
    auto* mis = Message.MeasureItemStruct;
    HWND child = (mis && mis->CtlType != ODT_MENU && handle_) ? GetDlgItem(handle_, int(mis->CtlID)) : nullptr;
    ReflectToChild(reinterpret_cast<TMessage&>(Message), child);
}

void TWinControl::WMHScroll(TWMScroll& Message) {
    ReflectToChild(reinterpret_cast<TMessage&>(Message), Message.ScrollBar);
}

void TWinControl::WMVScroll(TWMScroll& Message) {
    ReflectToChild(reinterpret_cast<TMessage&>(Message), Message.ScrollBar);
}

void TWinControl::CNCtlColor(TWMCtlColor& Message) {
    SetTextColor(Message.ChildDC, COLORREF(ColorToRGB(font_.Color())));
    SetBkColor(Message.ChildDC, COLORREF(ColorToRGB(brush_.Color())));
    Message.Result = reinterpret_cast<LRESULT>(brush_.Handle());
}

// ---- keys

bool TWinControl::DoKeyDown(TWMKey& Message) {
    if (TWinControl* p = KeyPreviewParent(this); p && p->DoKeyDown(Message)) return true;
    if (!controlStyle_.Contains(csNoStdEvents)) {
        WORD key = Message.CharCode;
        KeyDown(key, KeyDataToShiftState(Message.KeyData));
        Message.CharCode = key;
        if (key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TWMKey& Message) {
    if (TWinControl* p = KeyPreviewParent(this); p && p->DoKeyPress(Message)) return true;
    if (!controlStyle_.Contains(csNoStdEvents)) {
        wchar_t ch = wchar_t(Message.CharCode);
        KeyPress(ch);
        Message.CharCode = WORD(ch);
        if (ch == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TWMKey& Message) {
    if (TWinControl* p = KeyPreviewParent(this); p && p->DoKeyUp(Message)) return true;
    if (!controlStyle_.Contains(csNoStdEvents)) {
        WORD key = Message.CharCode;
        KeyUp(key, KeyDataToShiftState(Message.KeyData));
        Message.CharCode = key;
        if (key == 0) return true;
    }
    return false;
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(wchar_t& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::WMKeyDown(TWMKey& Message) {
    if (!DoKeyDown(Message)) DefaultHandler(reinterpret_cast<TMessage&>(Message));
}

void TWinControl::WMSysKeyDown(TWMKey& Message) {
    if (!DoKeyDown(Message)) DefaultHandler(reinterpret_cast<TMessage&>(Message));
}

void TWinControl::WMKeyUp(TWMKey& Message) {
    if (!DoKeyUp(Message)) DefaultHandler(reinterpret_cast<TMessage&>(Message));
}

void TWinControl::WMSysKeyUp(TWMKey& Message) {
    if (!DoKeyUp(Message)) DefaultHandler(reinterpret_cast<TMessage&>(Message));
}

void TWinControl::WMChar(TWMKey& Message) {
    if (!DoKeyPress(Message)) DefaultHandler(reinterpret_cast<TMessage&>(Message));
}

void TWinControl::WMSysChar(TWMKey& Message) { DefaultHandler(reinterpret_cast<TMessage&>(Message)); }

// The message loop offers a key to the focused control first. Keys the
// control does not ask for (WM_GETDLGCODE) go to the form as CM_DIALOGKEY.
void TWinControl::CNKeyDown(TWMKey& Message) {
    Message.Result = 1;
    if (IsMenuKey(this, Message)) return;
    LRESULT mask = 0;
    switch (Message.CharCode) {
        case VK_TAB:
            mask = DLGC_WANTTAB;
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            mask = DLGC_WANTARROWS;
            break;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL:
            mask = DLGC_WANTALLKEYS;
            break;
        default:
            break;
    }
    if (mask && Perform(CM_WANTSPECIALKEY, Message.CharCode, Message.KeyData) == 0 &&
        (Perform(WM_GETDLGCODE) & mask) == 0) {
        if (DialogKeyTarget(this)->Perform(CM_DIALOGKEY, Message.CharCode, Message.KeyData) != 0) return;
    }
    Message.Result = 0;
}

void TWinControl::CNChar(TWMKey& Message) {
    Message.Result = 1;
    if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0) {
        if (DialogKeyTarget(this)->Perform(CM_DIALOGCHAR, Message.CharCode, Message.KeyData) != 0) return;
    }
    Message.Result = 0;
}

// ---- mouse

void TWinControl::WMSetCursor(TMessage& Message) {
    if (LOWORD(Message.LParam) == HTCLIENT && reinterpret_cast<HWND>(Message.WParam) == handle_) {
        // The screen's cursor (an hourglass while busy) wins over the controls'.
        TCursor cursor = Screen->Cursor();
        if (cursor == crDefault) {
            cursor = cursor_;
            POINT p;
            GetCursorPos(&p);
            if (TControl* c = ControlAtPos(ScreenToClient(TPoint(p)), false)) cursor = c->Cursor();
        }
        if (cursor != crDefault) {
            ::SetCursor(Screen->Cursors(cursor));
            Message.Result = 1;
            return;
        }
    }
    DefaultHandler(Message);
}

void TWinControl::WMMouseLeave(TMessage& Message) {
    trackingLeave_ = false;
    DoMouseIdle();
    DefaultHandler(Message);
}

bool TWinControl::IsControlMouseMsg(TWMMouse& Message) {
    TControl* control = nullptr;
    TControl* capture = GetCaptureControl();
    if (capture && capture != this) {
        if (capture->parent_ == this) control = capture;
    } else if (!capture) {
        control = ControlAtPos(TPoint(Message.XPos, Message.YPos), false);
    }
    if (!control) return false;
    int x = Message.XPos - control->left_;
    int y = Message.YPos - control->top_;
    Message.Result = control->Perform(Message.Msg, Message.Keys, MAKELPARAM(x, y));
    return true;
}

void TWinControl::WMNCDestroy(TMessage& Message) { DefaultHandler(Message); }

// The wheel as CM_MOUSEWHEEL (shift state and delta in WParam, screen point
// in LParam); unused turns go to the native procedure.
void TWinControl::WMMouseWheel(TMessage& Message) {
    TMessage m;
    m.Msg = CM_MOUSEWHEEL;
    m.WParam = MAKEWPARAM(WORD(KeysToShiftState(LOWORD(Message.WParam)).Bits()), HIWORD(Message.WParam));
    m.LParam = Message.LParam;
    MouseWheelHandler(m);
    Message.Result = m.Result;
    if (m.Result == 0) DefaultHandler(Message);
}

// ---- the message path

void TWinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SETFOCUS: {
            TWinControl* form = GetParentFormControl();
            if (form && !form->SetFocusedControl(this)) return;
            break;
        }
        case WM_KILLFOCUS:
            if (controlState_.Contains(csFocusing)) return;
            break;
        case WM_MOUSEMOVE:
            if (!trackingLeave_ && handle_) {
                TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, handle_, 0};
                trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
            }
            [[fallthrough]];
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK: {
            auto& mouse = reinterpret_cast<TWMMouse&>(Message);
            if (IsControlMouseMsg(mouse)) {
                if (Message.Result == 0 && handle_)
                    DefWindowProcW(handle_, Message.Msg, Message.WParam, Message.LParam);
                return;
            }
            break;
        }
        default:
            break;
    }
    TControl::WndProc(Message);
}

void TWinControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_PAINT:
            WMPaint(reinterpret_cast<TWMPaint&>(Message));
            break;
        case WM_ERASEBKGND:
            WMEraseBkgnd(reinterpret_cast<TWMEraseBkgnd&>(Message));
            break;
        case WM_NCCALCSIZE:
            WMNCCalcSize(Message);
            break;
        case WM_NCPAINT:
            WMNCPaint(Message);
            break;
        case CM_BORDERCHANGED:
            CMBorderChanged(Message);
            break;
        case WM_WINDOWPOSCHANGED:
            WMWindowPosChanged(reinterpret_cast<TWMWindowPosMsg&>(Message));
            break;
        case WM_SIZE:
            WMSize(reinterpret_cast<TWMSize&>(Message));
            break;
        case WM_MOVE:
            WMMove(Message);
            break;
        case WM_COMMAND:
            WMCommand(reinterpret_cast<TWMCommand&>(Message));
            break;
        case WM_NOTIFY:
            WMNotify(reinterpret_cast<TWMNotify&>(Message));
            break;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            WMCtlColor(reinterpret_cast<TWMCtlColor&>(Message));
            break;
        case WM_DRAWITEM:
            WMDrawItem(reinterpret_cast<TWMDrawItem&>(Message));
            break;
        case WM_MEASUREITEM:
            WMMeasureItem(reinterpret_cast<TWMMeasureItem&>(Message));
            break;
        case WM_DELETEITEM:
            ReflectToChild(Message, reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam)->hwndItem);
            break;
        case WM_COMPAREITEM:
            ReflectToChild(Message, reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam)->hwndItem);
            break;
        case WM_CHARTOITEM:
        case WM_VKEYTOITEM:
            ReflectToChild(Message, reinterpret_cast<HWND>(Message.LParam));
            break;
        case WM_HSCROLL:
            WMHScroll(reinterpret_cast<TWMScroll&>(Message));
            break;
        case WM_VSCROLL:
            WMVScroll(reinterpret_cast<TWMScroll&>(Message));
            break;
        case WM_SETFOCUS:
            WMSetFocus(reinterpret_cast<TWMSetFocus&>(Message));
            break;
        case WM_KILLFOCUS:
            WMKillFocus(reinterpret_cast<TWMKillFocus&>(Message));
            break;
        case WM_KEYDOWN:
            WMKeyDown(reinterpret_cast<TWMKey&>(Message));
            break;
        case WM_KEYUP:
            WMKeyUp(reinterpret_cast<TWMKey&>(Message));
            break;
        case WM_CHAR:
            WMChar(reinterpret_cast<TWMKey&>(Message));
            break;
        case WM_SYSKEYDOWN:
            WMSysKeyDown(reinterpret_cast<TWMKey&>(Message));
            break;
        case WM_SYSKEYUP:
            WMSysKeyUp(reinterpret_cast<TWMKey&>(Message));
            break;
        case WM_SYSCHAR:
            WMSysChar(reinterpret_cast<TWMKey&>(Message));
            break;
        case WM_SETCURSOR:
            WMSetCursor(Message);
            break;
        case WM_MOUSELEAVE:
            WMMouseLeave(Message);
            break;
        case WM_MOUSEWHEEL:
            WMMouseWheel(Message);
            break;
        case WM_NCDESTROY:
            WMNCDestroy(Message);
            break;
        case WM_SETTEXT:
            TControl::WMSetText(Message);
            if (handle_) DefaultHandler(Message);
            break;
        case WM_GETTEXT:
            if (handle_)
                DefaultHandler(Message);
            else
                TControl::WMGetText(Message);
            break;
        case WM_GETTEXTLENGTH:
            if (handle_)
                DefaultHandler(Message);
            else
                TControl::WMGetTextLength(Message);
            break;
        case CN_CTLCOLORBTN:
        case CN_CTLCOLORDLG:
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORLISTBOX:
        case CN_CTLCOLORMSGBOX:
        case CN_CTLCOLORSCROLLBAR:
        case CN_CTLCOLORSTATIC:
            CNCtlColor(reinterpret_cast<TWMCtlColor&>(Message));
            break;
        case CN_KEYDOWN:
        case CN_SYSKEYDOWN:
            CNKeyDown(reinterpret_cast<TWMKey&>(Message));
            break;
        case CN_CHAR:
        case CN_SYSCHAR:
            CNChar(reinterpret_cast<TWMKey&>(Message));
            break;
        case CM_SHOWINGCHANGED:
            CMShowingChanged(Message);
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
        case CM_RECREATEWND:
            CMRecreateWnd(Message);
            break;
        case CM_ENTER:
            CMEnter(Message);
            break;
        case CM_EXIT:
            CMExit(Message);
            break;
        case CM_INVALIDATE:
            CMInvalidate(Message);
            break;
        case CM_TABSTOPCHANGED:
            CMTabStopChanged(Message);
            break;
        case CM_DIALOGKEY:
        case CM_DIALOGCHAR:
        case CM_FOCUSCHANGED:
            Broadcast(Message);
            break;
        default:
            TControl::Dispatch(Message);
            break;
    }
}

void TWinControl::DefaultHandler(TMessage& Message) {
    // The framework's own ranges (and other private messages such as 0xA100)
    // mean nothing to a system procedure: unknown ones are answered 0.
    if (!handle_ || (Message.Msg >= WM_APP && Message.Msg < 0xC000)) {
        Message.Result = 0;
        return;
    }
    if (defWndProc_ == DefWindowProcW)
        Message.Result = DefWindowProcW(handle_, Message.Msg, Message.WParam, Message.LParam);
    else
        Message.Result = CallWindowProcW(defWndProc_, handle_, Message.Msg, Message.WParam, Message.LParam);
}

}  // namespace fw
