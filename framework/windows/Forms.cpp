#include "framework/windows/Forms.h"

#include <algorithm>
#include <vector>

#include "framework/windows/Application.h"
#include "framework/windows/Menus.h"
#include "framework/windows/Screen.h"

namespace fw {

namespace {

struct DisabledWindows {
    HWND keep = nullptr;
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableTaskWindow(HWND wnd, LPARAM param) {
    auto* list = reinterpret_cast<DisabledWindows*>(param);
    if (wnd != list->keep && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
        list->windows.push_back(wnd);
        EnableWindow(wnd, FALSE);
    }
    return TRUE;
}

}  // namespace

TFormFrameStyle FormFrameStyle(TFormBorderStyle Border, TBorderIcons Icons) {
    TFormFrameStyle f;
    switch (Border) {
        case bsNone:
            f.Style = WS_POPUP;
            Icons = {};
            break;
        case bsSingle:
            f.Style = WS_CAPTION;
            break;
        case bsSizeable:
            f.Style = WS_CAPTION | WS_THICKFRAME;
            break;
        case bsDialog:
            f.Style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
            f.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
            Icons = Icons * TBorderIcons{biSystemMenu, biHelp};
            break;
        case bsToolWindow:
            f.Style = WS_CAPTION;
            f.ExStyle = WS_EX_TOOLWINDOW;
            Icons = Icons * TBorderIcons{biSystemMenu};
            break;
        case bsSizeToolWin:
            f.Style = WS_CAPTION | WS_THICKFRAME;
            f.ExStyle = WS_EX_TOOLWINDOW;
            Icons = Icons * TBorderIcons{biSystemMenu};
            break;
    }
    if (Icons.Contains(biSystemMenu)) f.Style |= WS_SYSMENU;
    if (Icons.Contains(biMinimize)) f.Style |= WS_MINIMIZEBOX;
    if (Icons.Contains(biMaximize)) f.Style |= WS_MAXIMIZEBOX;
    if (Icons.Contains(biHelp) && !Icons.Contains(biMinimize) && !Icons.Contains(biMaximize))
        f.ExStyle |= WS_EX_CONTEXTHELP;
    return f;
}

TCustomForm* GetParentForm(TControl* Control, bool TopForm) {
    if (!Control) return nullptr;
    return dynamic_cast<TCustomForm*>(Control->GetParentFormControl(TopForm));
}

// ---- life

TCustomForm::TCustomForm(TComponent* AOwner) : TScrollingWinControl(AOwner), canvas_(new TControlCanvas) {
    autoScroll_ = false;
    formState_.Include(fsCreating);
    visible_ = false;
    controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    // WM_PAINT always goes through PaintWindow, where OnPaint runs.
    controlState_.Include(csCustomPaint);
    left_ = 0;
    top_ = 0;
    width_ = 320;
    height_ = 240;
    parentColor_ = false;
    parentFont_ = false;
    SetColor(clBtnFace);
    canvas_->SetControl(this);
    icon_.OnChange = TNotifyEvent(this, &TCustomForm::IconChanged);
    Screen->AddForm(this);
}

// OnDestroy ran in BeforeDestruction (Free, the owner, Release); a plain
// delete skips it, as the handler may belong to the part already destroyed.
TCustomForm::~TCustomForm() {
    if (Application.Exists()) Application->FormDestroying(this);
    if (Screen.Exists()) Screen->RemoveForm(this);
    delete canvas_;
    canvas_ = nullptr;
}

void TCustomForm::AfterConstruction() {
    TScrollingWinControl::AfterConstruction();
    DoCreate();
    formState_.Exclude(fsCreating);
}

void TCustomForm::BeforeDestruction() {
    if (!destroyFired_) {
        destroyFired_ = true;
        DoDestroy();
    }
    if (Application.Exists()) Application->FormDestroying(this);
    TScrollingWinControl::BeforeDestruction();
}

void TCustomForm::DoCreate() {
    if (OnCreate) HandleEventExceptions(this, [&] { OnCreate(this); });
}

void TCustomForm::DoDestroy() {
    if (OnDestroy) HandleEventExceptions(this, [&] { OnDestroy(this); });
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TScrollingWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == activeControl_) activeControl_ = nullptr;
    if (AComponent == focusedControl_) focusedControl_ = nullptr;
    if (AComponent == menu_) menu_ = nullptr;
}

// ---- the window

void TCustomForm::CreateParams(TCreateParams& Params) {
    TScrollingWinControl::CreateParams(Params);
    Params.WindowClass.style |= CS_DBLCLKS;
    if (parent_ || ParentWindow()) return;
    Params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP | WS_VISIBLE | kFormFrameStyleMask);
    Params.ExStyle &= ~kFormFrameExStyleMask;
    TFormFrameStyle frame = FormFrameStyle(borderStyle_, borderIcons_);
    Params.Style |= frame.Style | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    Params.ExStyle |= frame.ExStyle;
    if (formStyle_ == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
    if (formStyle_ == fsMDIChild) {
        Params.Style = (Params.Style & ~WS_POPUP) | WS_CHILD;
        Params.ExStyle |= WS_EX_MDICHILD;
        TCustomForm* mdiParent = MDIParentForm();
        if (mdiParent) mdiParent->HandleNeeded();
        Params.WndParent = mdiParent ? mdiParent->ClientHandle() : nullptr;
        if (position_ == poDefault || position_ == poDefaultPosOnly) Params.X = Params.Y = CW_USEDEFAULT;
        if (position_ == poDefault || position_ == poDefaultSizeOnly) Params.Width = Params.Height = CW_USEDEFAULT;
        return;
    }

    // Owner: the main form on the task bar is unowned; the others belong to
    // it (or to the application window when it is not on the task bar).
    TApplication* app = Application;
    TCustomForm* mainForm = app->MainForm();
    if (app->MainFormOnTaskBar()) {
        if (!mainForm || mainForm == this) {
            Params.WndParent = nullptr;
            Params.ExStyle |= WS_EX_APPWINDOW;
        } else {
            Params.WndParent = mainForm->Handle();
        }
    } else {
        Params.WndParent = app->Handle();
    }

    if (position_ == poDefault || position_ == poDefaultPosOnly) {
        Params.X = CW_USEDEFAULT;
        Params.Y = CW_USEDEFAULT;
    }
    if (position_ == poDefault || position_ == poDefaultSizeOnly) {
        Params.Width = CW_USEDEFAULT;
        Params.Height = CW_USEDEFAULT;
    }
}

void TCustomForm::CreateHandleDone() {
    TScrollingWinControl::CreateHandleDone();
    if (formStyle_ == fsMDIForm && !parent_ && !ParentWindow()) CreateMDIClient();
    ApplyMenu();
    if (position_ == poDefault || position_ == poDefaultPosOnly || position_ == poDefaultSizeOnly) UpdateBounds();
    ApplyAlphaBlend();
    if (!icon_.Empty()) IconChanged(this);
}

void TCustomForm::IconChanged(TObject*) {
    if (!HandleAllocated()) return;
    SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Handle()));
    SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Handle()));
}

void TCustomForm::ApplyFrameStyle() {
    if (!HandleAllocated() || parent_ || ParentWindow()) return;
    // In place: the window and everything hosted in it stay as they are.
    TFormFrameStyle frame = FormFrameStyle(borderStyle_, borderIcons_);
    DWORD style = GetWindowLongW(handle_, GWL_STYLE);
    DWORD exStyle = GetWindowLongW(handle_, GWL_EXSTYLE);
    style = (style & ~kFormFrameStyleMask) | frame.Style;
    exStyle = (exStyle & ~kFormFrameExStyleMask) | frame.ExStyle;
    SetWindowLongW(handle_, GWL_STYLE, static_cast<LONG>(style));
    SetWindowLongW(handle_, GWL_EXSTYLE, static_cast<LONG>(exStyle));
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    UpdateBounds();
    Realign();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    ApplyFrameStyle();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
    if (borderIcons_ == Value) return;
    borderIcons_ = Value;
    ApplyFrameStyle();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
    if (formStyle_ == Value) return;
    bool mdi = Value == fsMDIChild || Value == fsMDIForm || formStyle_ == fsMDIChild || formStyle_ == fsMDIForm;
    formStyle_ = Value;
    if (mdi) {
        RecreateForStyle();
        return;
    }
    if (!HandleAllocated() || parent_) return;
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(handle_, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    if (Value != fsStayOnTop && (GetWindowLongW(handle_, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
        // Wine keeps an owned window topmost; it lets go of it while unowned.
        HWND owner = GetWindow(handle_, GW_OWNER);
        SetWindowLongPtrW(handle_, GWLP_HWNDPARENT, 0);
        SetWindowPos(handle_, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
        SetWindowLongPtrW(handle_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    }
}

void TCustomForm::ApplyAlphaBlend() {
    if (!HandleAllocated() || parent_) return;
    LONG exStyle = GetWindowLongW(handle_, GWL_EXSTYLE);
    if (alphaBlend_) {
        if (!(exStyle & WS_EX_LAYERED)) SetWindowLongW(handle_, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        SetLayeredWindowAttributes(handle_, 0, alphaBlendValue_, LWA_ALPHA);
    } else if (exStyle & WS_EX_LAYERED) {
        SetWindowLongW(handle_, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
        RedrawWindow(handle_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void TCustomForm::SetAlphaBlend(bool Value) {
    if (alphaBlend_ == Value) return;
    alphaBlend_ = Value;
    ApplyAlphaBlend();
}

void TCustomForm::SetAlphaBlendValue(BYTE Value) {
    if (alphaBlendValue_ == Value) return;
    alphaBlendValue_ = Value;
    if (alphaBlend_) ApplyAlphaBlend();
}

// ---- geometry

TMonitor* TCustomForm::Monitor() {
    if (HandleAllocated()) return Screen->MonitorFromWindow(WindowHandle());
    return Screen->MonitorFromRect(BoundsRect());
}

TRect TCustomForm::FrameRect() const {
    RECT r{0, 0, 0, 0};
    TFormFrameStyle frame = FormFrameStyle(borderStyle_, borderIcons_);
    AdjustWindowRectEx(&r, frame.Style, FALSE, frame.ExStyle);
    const int b = BorderWidth();
    return TRect(b - r.left, b - r.top, b + r.right, b + r.bottom);
}

TRect TCustomForm::ClientRect() {
    if (HandleAllocated() || parent_ || ParentWindow()) return TScrollingWinControl::ClientRect();
    TRect f = FrameRect();
    return TRect(0, 0, std::max<LONG>(0, width_ - f.Left - f.Right), std::max<LONG>(0, height_ - f.Top - f.Bottom));
}

void TCustomForm::SetClientSize(int AWidth, int AHeight) {
    if (parent_ || ParentWindow()) {
        TScrollingWinControl::SetClientSize(AWidth, AHeight);
        return;
    }
    int frameWidth, frameHeight;
    if (HandleAllocated()) {
        RECT window, client;
        GetWindowRect(handle_, &window);
        GetClientRect(handle_, &client);
        frameWidth = (window.right - window.left) - client.right;
        frameHeight = (window.bottom - window.top) - client.bottom;
    } else {
        TRect f = FrameRect();
        frameWidth = f.Left + f.Right;
        frameHeight = f.Top + f.Bottom;
    }
    SetBounds(left_, top_, AWidth + frameWidth, AHeight + frameHeight);
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (HandleAllocated() && !parent_ && (IsZoomed(handle_) || IsIconic(handle_))) {
        // Maximised or minimised: the new bounds are the ones it restores to.
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(handle_, &wp);
        LONG dx = 0, dy = 0;
        if (!(GetWindowLongW(handle_, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_MDICHILD))) {
            // Placement rectangles are in work-area coordinates.
            TRect work = Screen->WorkAreaRect();
            dx = work.Left;
            dy = work.Top;
        }
        wp.rcNormalPosition = RECT{ALeft - dx, ATop - dy, ALeft - dx + AWidth, ATop - dy + AHeight};
        wp.showCmd = IsWindowVisible(handle_) ? (IsZoomed(handle_) ? SW_SHOWMAXIMIZED : SW_SHOWMINIMIZED) : SW_HIDE;
        wp.flags = 0;
        SetWindowPlacement(handle_, &wp);
        return;
    }
    TScrollingWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

TWindowState TCustomForm::WindowState() {
    if (HandleAllocated() && IsWindowVisible(handle_)) {
        if (IsZoomed(handle_)) return wsMaximized;
        if (IsIconic(handle_)) return wsMinimized;
        return wsNormal;
    }
    return windowState_;
}

void TCustomForm::SetWindowState(TWindowState Value) {
    windowState_ = Value;
    if (!HandleAllocated() || !IsWindowVisible(handle_)) return;  // applied when shown
    if (Value == wsNormal) {
        // Normal means normal: a minimised window that was maximised restores
        // to maximised first (the placement flag that says so is not honoured
        // everywhere), so restore until neither.
        for (int i = 0; i < 2 && (IsIconic(handle_) || IsZoomed(handle_)); ++i) ShowWindow(handle_, SW_RESTORE);
        return;
    }
    HWND client = formStyle_ == fsMDIChild ? GetParent(handle_) : nullptr;
    if (client && Value == wsMaximized) {
        SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(handle_), 0);
        return;
    }
    static const int commands[] = {SW_RESTORE, SW_MINIMIZE, SW_SHOWMAXIMIZED};
    ShowWindow(handle_, commands[Value]);
}

void TCustomForm::ApplyPosition() {
    if (formStyle_ == fsMDIChild) return;  // placed by its MDI client
    int x = left_, y = top_;
    TRect around;
    bool centre = true;
    auto screenRect = [] { return Rect(0, 0, Screen->Width(), Screen->Height()); };
    switch (position_) {
        case poScreenCenter:
            around = screenRect();
            break;
        case poDesktopCenter:
            around =
                Bounds(Screen->DesktopLeft(), Screen->DesktopTop(), Screen->DesktopWidth(), Screen->DesktopHeight());
            break;
        case poMainFormCenter: {
            TCustomForm* main = Application->MainForm();
            around = main && main != this && main->HandleAllocated() ? main->BoundsRect() : screenRect();
            break;
        }
        case poOwnerFormCenter: {
            TCustomForm* owner = nullptr;
            if (auto* c = dynamic_cast<TControl*>(Owner())) owner = GetParentForm(c);
            around = owner && owner != this && owner->HandleAllocated() ? owner->BoundsRect() : screenRect();
            break;
        }
        default:
            centre = false;
            break;
    }
    if (!centre) return;
    x = around.Left + (around.Width() - width_) / 2;
    y = around.Top + (around.Height() - height_) / 2;
    // Keep the caption reachable on the desktop.
    int right = Screen->DesktopLeft() + Screen->DesktopWidth();
    int bottom = Screen->DesktopTop() + Screen->DesktopHeight();
    if (x + width_ > right) x = right - width_;
    if (y + height_ > bottom) y = bottom - height_;
    x = std::max(x, Screen->DesktopLeft());
    y = std::max(y, Screen->DesktopTop());
    SetBounds(x, y, width_, height_);
}

// ---- showing

void TCustomForm::Show() {
    SetVisible(true);
    if (HandleAllocated() && formStyle_ == fsMDIChild) {
        SendMessageW(GetParent(handle_), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(handle_), 0);
    } else if (HandleAllocated()) {
        SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(handle_);
    }
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::DoShow() {
    if (OnShow) HandleEventExceptions(this, [&] { OnShow(this); });
}

void TCustomForm::DoHide() {
    if (OnHide) HandleEventExceptions(this, [&] { OnHide(this); });
}

void TCustomForm::ShowingChanged() {
    if (!HandleAllocated()) return;
    formState_.Include(fsShowing);
    struct Done {
        TFormState& state;
        ~Done() { state.Exclude(fsShowing); }
    } done{formState_};
    if (Showing()) {
        DoShow();
        if (!positioned_) {
            positioned_ = true;
            ApplyPosition();
        }
        int command = SW_SHOWNORMAL;
        if (windowState_ == wsMaximized) command = SW_SHOWMAXIMIZED;
        if (windowState_ == wsMinimized) command = SW_SHOWMINIMIZED;
        if (formStyle_ == fsStayOnTop)
            SetWindowPos(handle_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (formStyle_ == fsMDIChild) {
            // Shown, then activated and maximised by its client.
            HWND client = GetParent(handle_);
            ShowWindow(handle_, command == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : command);
            SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(handle_), 0);
            if (command == SW_SHOWMAXIMIZED) SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(handle_), 0);
        } else {
            ShowWindow(handle_, command);
        }
        UpdateBounds();
        if (activeControl_ && activeControl_->CanFocus()) activeControl_->SetFocus();
    } else {
        // Remembered for the next show.
        windowState_ = WindowState();
        DoHide();
        ShowWindow(handle_, SW_HIDE);
        if (Screen->ActiveCustomForm() == this) Screen->SetActiveForm(nullptr);
    }
}

int TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || formState_.Contains(fsModal))
        throw EInvalidOperation(L"Cannot make a visible window modal");
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();

    TApplication* app = Application;
    app->ModalStarted();
    formState_.Include(fsModal);
    HWND activeWindow = GetActiveWindow();
    DisabledWindows disabled;
    disabled.keep = Handle();
    EnumThreadWindows(GetCurrentThreadId(), DisableTaskWindow, reinterpret_cast<LPARAM>(&disabled));

    // Undone however the loop ends (an exception from OnShow, the loop...).
    struct Restore {
        TCustomForm* form;
        TApplication* app;
        DisabledWindows& disabled;
        HWND activeWindow;
        ~Restore() {
            for (HWND w : disabled.windows)
                if (IsWindow(w)) EnableWindow(w, TRUE);
            if (activeWindow && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
            ExceptionBarrier([this] { form->Hide(); });
            form->formState_.Exclude(fsModal);
            app->ModalFinished();
        }
    } restore{this, app, disabled, activeWindow};

    Show();
    SendMessageW(handle_, CM_ACTIVATE, 0, 0);
    modalResult_ = mrNone;
    do {
        app->HandleMessage();
        if (app->Terminated()) {
            modalResult_ = mrCancel;
        } else if (modalResult_ != mrNone) {
            CloseModal();
        }
    } while (modalResult_ == mrNone);
    SendMessageW(handle_, CM_DEACTIVATE, 0, 0);
    return modalResult_;
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    switch (action) {
        case caNone:
            modalResult_ = mrNone;
            break;
        case caFree:
            Release();
            break;
        default:
            break;
    }
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close() {
    if (formState_.Contains(fsModal)) {
        // The modal loop closes the form once it sees the result.
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    if (formStyle_ == fsMDIChild) action = borderIcons_.Contains(biMinimize) ? caMinimize : caNone;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
        case caHide:
            Hide();
            break;
        case caMinimize:
            SetWindowState(wsMinimized);
            break;
        case caFree:
            Release();
            break;
        default:
            break;
    }
}

void TCustomForm::Release() { Application->ReleaseForm(this); }

// ---- activation and focus

void TCustomForm::SetActive(bool Value) {
    active_ = Value;
    if (Value) {
        Screen->SetActiveForm(this);
        Perform(CM_ACTIVATE);
        // Focus comes back to the control that had it.
        if (activeControl_ && activeControl_ != this && activeControl_->CanFocus() &&
            GetFocus() != activeControl_->WindowHandle())
            activeControl_->SetFocus();
    } else {
        Perform(CM_DEACTIVATE);
    }
}

void TCustomForm::Activate() {
    if (OnActivate) HandleEventExceptions(this, [&] { OnActivate(this); });
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) HandleEventExceptions(this, [&] { OnDeactivate(this); });
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (activeControl_ == Control) return;
    activeControl_ = Control;
    if (Control) Control->FreeNotification(this);
    if (Control && active_ && Showing() && Control->CanFocus()) Control->SetFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
    if (Control && Control != this) {
        if (activeControl_ != Control) {
            activeControl_ = Control;
            Control->FreeNotification(this);
        }
    }
    if (!Control || Control->ControlState().Contains(csFocusing)) return true;
    Control->SetControlState(Control->ControlState() + TControlState{csFocusing});
    struct Done {
        TWinControl* control;
        ~Done() { control->SetControlState(control->ControlState() - TControlState{csFocusing}); }
    } done{Control};
    if (!focusedControl_) focusedControl_ = this;
    if (focusedControl_ == Control) return true;
    auto follow = [this](TWinControl* c) {
        focusedControl_ = c;
        if (c && c != this) c->FreeNotification(this);
    };
    // Up from the old control to the common ancestor, then down to the new one.
    while (focusedControl_ && !focusedControl_->ContainsControl(Control)) {
        TWinControl* leaving = focusedControl_;
        follow(leaving->Parent());
        leaving->Perform(CM_EXIT);
    }
    while (focusedControl_ && focusedControl_ != Control) {
        TWinControl* next = Control;
        while (next->Parent() && next->Parent() != focusedControl_) next = next->Parent();
        if (next->Parent() != focusedControl_) break;
        follow(next);
        next->Perform(CM_ENTER);
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    return true;
}

// ---- painting

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::PaintWindow(HDC DC) {
    if (!OnPaint) return;
    canvas_->Lock();
    canvas_->SetHandle(DC);
    struct Unbind {
        TControlCanvas* canvas;
        ~Unbind() {
            canvas->SetHandle(nullptr);
            canvas->Unlock();
        }
    } unbind{canvas_};
    Paint();
}

// ---- messages

void TCustomForm::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_COMMAND:
            // A menu command: no control window, notification code 0.
            if (Message.LParam == 0 && HIWORD(Message.WParam) == 0 && menu_ &&
                menu_->DispatchCommand(LOWORD(Message.WParam)))
                return;
            break;
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
            if (mis && mis->CtlType == ODT_MENU && menu_ && menu_->DispatchMeasureItem(*mis)) {
                Message.Result = TRUE;
                return;
            }
            break;
        }
        case WM_DRAWITEM: {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
            if (dis && dis->CtlType == ODT_MENU && menu_ && menu_->DispatchDrawItem(*dis)) {
                Message.Result = TRUE;
                return;
            }
            break;
        }
        case WM_MDIACTIVATE:
            MDIActivate(Message);
            return;
        case CM_SHOWINGCHANGED:
            ShowingChanged();
            return;
        case WM_CLOSE:
            Close();
            return;
        case WM_ACTIVATE:
            TScrollingWinControl::Dispatch(Message);
            SetActive(LOWORD(Message.WParam) != WA_INACTIVE);
            return;
        case WM_ACTIVATEAPP:
            TScrollingWinControl::Dispatch(Message);
            Application->SetActive(Message.WParam != 0);
            return;
        case CM_ACTIVATE:
            Activate();
            return;
        case CM_DEACTIVATE:
            Deactivate();
            return;
        case WM_SIZE:
            if (IsWindowVisible(handle_)) {
                if (Message.WParam == SIZE_MAXIMIZED)
                    windowState_ = wsMaximized;
                else if (Message.WParam == SIZE_MINIMIZED)
                    windowState_ = wsMinimized;
                else if (Message.WParam == SIZE_RESTORED)
                    windowState_ = wsNormal;
            }
            break;
        default:
            break;
    }
    TScrollingWinControl::Dispatch(Message);
}

// ---- the menu bar

void TCustomForm::SetMenu(TMainMenu* Value) {
    if (menu_ == Value) return;
    if (menu_) {
        MergeMenu(false);
        if (HandleAllocated() && GetMenu(handle_) && GetMenu(handle_) == menu_->Items()->HandleIfMade())
            ::SetMenu(handle_, nullptr);
        if (menu_->WindowHandle() == handle_) menu_->SetWindowHandle(nullptr);
        menu_->RemoveFreeNotification(this);
    }
    menu_ = Value;
    if (menu_) menu_->FreeNotification(this);
    ApplyMenu();
    if (active_) MergeMenu(true);
}

bool TCustomForm::IsShortCut(TWMKey& Message) {
    return menu_ && menu_->IsShortCut(Message.CharCode, KeyDataToShiftState(Message.KeyData));
}

void TCustomForm::ApplyMenu() {
    if (!HandleAllocated() || parent_ || ParentWindow()) return;
    if (menu_) menu_->SetWindowHandle(handle_);
    // Child windows have no menu bar.
    if (formStyle_ == fsMDIChild) return;
    HMENU bar = menu_ ? menu_->Handle() : nullptr;
    if (GetMenu(handle_) != bar) {
        ::SetMenu(handle_, bar);
        UpdateBounds();
        Realign();
    }
}

}  // namespace fw
