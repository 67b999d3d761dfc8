// TWinControl: the window behind a control, its class, its creation and
// destruction, and the class procedure that binds a window to its control.
#include "framework/rtl/SysUtils.h"
#include "framework/windows/Controls.h"
#include "framework/windows/StateFlag.h"

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

}  // namespace fw
