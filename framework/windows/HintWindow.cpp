#include "framework/windows/HintWindow.h"

#include <algorithm>

#include "framework/windows/Application.h"

namespace fw {

TAnimateWindowProc AnimateWindowProc =
    reinterpret_cast<TAnimateWindowProc>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AnimateWindow"));

namespace {

bool SystemFlag(UINT Action) {
    BOOL on = FALSE;
    return SystemParametersInfoW(Action, 0, &on, 0) && on;
}

const UINT kDrawFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;
// The hint sits below the tip of the arrow cursor, which is about this tall.
const int kCursorHeight = 20;

}  // namespace

// ---- THintWindow

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    visible_ = false;
    parentColor_ = false;
    parentFont_ = false;
    SetColor(clInfoBk);
    font_.SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.WindowClass.style |= CS_SAVEBITS;
    // Owned by the application window: no taskbar button, gone with the application.
    Params.WndParent = Application->Handle();
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*) {
    RECT r{0, 0, std::max(MaxWidth, 1), 0};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_.Handle());
    DrawTextW(dc, AHint.c_str(), int(AHint.size()), &r, kDrawFlags | DT_CALCRECT);
    SelectObject(dc, old);
    DeleteDC(dc);
    r.right += 6;
    r.bottom += 2;
    return TRect(r);
}

void THintWindow::ActivateHint(const TRect& Rect, const String& AHint) {
    SetText(AHint);
    TRect r = Rect;
    r.Bottom += 4;  // CalcHintRect's height plus room under the text
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HMONITOR monitor = MonitorFromPoint(POINT{r.Left, r.Top}, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{sizeof mi, {}, {}, 0};
    if (monitor && GetMonitorInfoW(monitor, &mi)) work = mi.rcMonitor;
    int w = r.Width(), h = r.Height();
    r.Left = std::max<LONG>(std::min<LONG>(r.Left, work.right - w), work.left);
    r.Top = std::max<LONG>(std::min<LONG>(r.Top, work.bottom - h), work.top);
    SetBounds(r.Left, r.Top, w, h);
    SetWindowPos(Handle(), HWND_TOPMOST, r.Left, r.Top, w, h, SWP_NOACTIVATE);
    if (AHint.size() < 100 && AnimateWindowProc && !IsWindowVisible(WindowHandle()) &&
        SystemFlag(SPI_GETTOOLTIPANIMATION)) {
        if (SystemFlag(SPI_GETTOOLTIPFADE))
            AnimateWindowProc(WindowHandle(), 200, AW_BLEND);
        else
            AnimateWindowProc(WindowHandle(), 100, AW_SLIDE | AW_VER_POSITIVE);
    }
    SetWindowPos(WindowHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::ReleaseHandle() {
    if (HandleAllocated()) DestroyHandle();
}

void THintWindow::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    r.Left += 2;
    r.Top += 2;
    String text = Text();
    DrawTextW(canvas->Handle(), text.c_str(), int(text.size()), r.AsRECT(), kDrawFlags);
}

void THintWindow::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_NCHITTEST) {
        Message.Result = HTTRANSPARENT;
        return;
    }
    TCustomControl::Dispatch(Message);
}

String GetShortHint(const String& Hint) {
    size_t bar = Hint.find(L'|');
    return bar == String::npos ? Hint : Hint.substr(0, bar);
}

String GetLongHint(const String& Hint) {
    size_t bar = Hint.find(L'|');
    return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

bool IsHintMsg(const MSG& Msg) {
    UINT m = Msg.message;
    return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN ||
           m == WM_NCLBUTTONDOWN || m == WM_NCRBUTTONDOWN || m == WM_NCMBUTTONDOWN || m == WM_ACTIVATEAPP ||
           m == WM_MOUSEWHEEL;
}

// ---- the application's hint

// Lives as a component of the application: the timers' window and the hint
// window go with it.
class THintTracker : public TComponent {
public:
    explicit THintTracker(TComponent* AOwner) : TComponent(AOwner) {
        timerWnd_ = AllocateHWnd(TWndMethod(this, &THintTracker::TimerProc));
    }
    ~THintTracker() override {
        DeallocateHWnd(timerWnd_);
        delete window_;
    }
    String ClassName() const override { return L"THintTracker"; }

    THintWindow* Window() {
        if (!window_) window_ = new THintWindow(nullptr);
        return window_;
    }
    bool Showing() const { return window_ && window_->HandleAllocated() && IsWindowVisible(window_->WindowHandle()); }

    // The control under the mouse, as the idle step sees it.
    void MouseIdle(TApplication* App) {
        POINT p;
        Track(App, GetCursorPos(&p) ? FindDragTarget(TPoint(p), true) : nullptr);
    }
    // A new control under the mouse: the old hint goes, a new one is timed.
    void Track(TApplication* App, TControl* control) {
        if (control == control_) return;
        bool wasShowing = Showing();
        Hide();
        if (control_) control_->RemoveFreeNotification(this);
        control_ = control;
        if (control_) control_->FreeNotification(this);
        if (Wanted(App) && !GetCaptureControl())
            SetTimer(timerWnd_, kShowTimer, UINT(wasShowing ? App->HintShortPause() : App->HintPause()), nullptr);
    }
    // Hides the window; the same control shows no hint until the mouse leaves it.
    void Hide() {
        KillTimer(timerWnd_, kShowTimer);
        KillTimer(timerWnd_, kHideTimer);
        if (window_) window_->ReleaseHandle();
    }
    void Cancel() {
        Hide();
        if (control_) control_->RemoveFreeNotification(this);
        control_ = nullptr;
    }
    void Activate(TApplication* App, const TPoint& CursorPos) {
        KillTimer(timerWnd_, kShowTimer);
        if (!Wanted(App)) return;
        THintWindow* w = Window();
        String text = GetShortHint(control_->Hint());
        TRect r = w->CalcHintRect(GetSystemMetrics(SM_CXSCREEN), text);
        r = TRect(CursorPos.X, CursorPos.Y + kCursorHeight, CursorPos.X + r.Width(),
                  CursorPos.Y + kCursorHeight + r.Height());
        w->ActivateHint(r, text);
        SetTimer(timerWnd_, kHideTimer, UINT(std::max(App->HintHidePause(), 1)), nullptr);
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == control_) Cancel();
    }

private:
    enum : UINT_PTR { kShowTimer = 1, kHideTimer = 2 };

    bool Wanted(TApplication* App) const {
        return App->ShowHint() && control_ && control_->ShowHint() && !GetShortHint(control_->Hint()).empty();
    }

    void TimerProc(TMessage& Message) {
        if (Message.Msg != WM_TIMER) {
            Message.Result = DefWindowProcW(timerWnd_, Message.Msg, Message.WParam, Message.LParam);
            return;
        }
        KillTimer(timerWnd_, Message.WParam);
        if (Message.WParam == kHideTimer) {
            Hide();
            return;
        }
        // Still over the control it was meant for.
        POINT p;
        if (!control_ || !GetCursorPos(&p) || FindDragTarget(TPoint(p), true) != control_) return;
        Activate(Application, TPoint(p));
    }

    HWND timerWnd_ = nullptr;
    THintWindow* window_ = nullptr;
    TControl* control_ = nullptr;
};

THintTracker* TApplication::HintTracker() {
    if (!hintTracker_) hintTracker_ = new THintTracker(this);
    return hintTracker_;
}

THintWindow* TApplication::HintWindow() { return HintTracker()->Window(); }

void TApplication::HintMouseIdle() {
    if (hintTracker_ || showHint_) HintTracker()->MouseIdle(this);
}

void TApplication::HintMessage(const MSG& Msg) {
    if (hintTracker_ && hintTracker_->Showing() && IsHintMsg(Msg)) hintTracker_->Hide();
}

void TApplication::CancelHint() {
    if (hintTracker_) hintTracker_->Cancel();
}

void TApplication::ActivateHint(const TPoint& CursorPos) {
    THintTracker* tracker = HintTracker();
    tracker->Cancel();
    tracker->Track(this, FindDragTarget(CursorPos, true));
    tracker->Activate(this, CursorPos);
}

}  // namespace fw
