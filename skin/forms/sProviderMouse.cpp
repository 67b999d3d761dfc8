// The title bar under the mouse: hit tests that light the title buttons, a
// press and its release running the button's command, the double click on
// the caption, the window menu, and the system commands that change the
// frame.
#include "framework/windows/Application.h"
#include "skin/engine/SystemUtils.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acSBAnimation.h"
#include "skin/forms/sFrameHitTest.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSysMenu.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/forms/sTitlePress.h"
#include "skin/paint/sCommonData.h"

namespace skin {

TsCaptionButton* TsSkinProvider::ButtonOf(int HitCode) {
    if (TsCaptionButton* mdi = MDIButtons.Of(HitCode)) return mdi;
    return Buttons.Of(HitCode);
}

int TsSkinProvider::HTProcess(fw::TMessage& Message) {
    const TFrameState s = State();
    const fw::TPoint p = CursorToPoint(s, short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam)));
    int code = FrameHitTest(s, FMetrics, FFrameSkin, Buttons, p);
    // A maximised MDI child's buttons lie in the menu line.
    if (code == HTMENU && MDIButtonsShown) code = MDIButtonHitTest(MDIButtons, p);
    if (code >= HTSIZEFIRST && code <= HTSIZELAST) {
        SetHotHT(-1, true);
        return code;
    }
    if (code == HTNOWHERE || code == HTCLIENT || code == HTCAPTION || code == HTMENU) {
        SetHotHT(0, true);
        PassOn(Message);
        // The platform knows no title buttons here (they are the skin's).
        const LRESULT platform = Message.Result;
        if (platform == HTMINBUTTON || platform == HTMAXBUTTON || platform == HTCLOSE || platform == HTHELP ||
            platform == HTSYSMENU)
            return code == HTCLIENT ? HTCLIENT : HTCAPTION;
        return int(platform);
    }
    SetHotHT(ButtonOf(code) ? code : 0, true);
    return code;
}

void TsSkinProvider::SetHotHT(int HitCode, bool Repaint) {
    if (!FDrawNonClientArea || TrackingLeave) return;
    if (HitCode == CurrentHT || (CurrentHT == -1 && HitCode == 0)) return;
    if (TsCaptionButton* old = CurrentHT > 0 ? ButtonOf(CurrentHT) : nullptr) {
        if (old->State > 0) old->State = 0;
        HideButtonGlow(*old);
        UserButtonHint(CurrentHT, false);
        if (Repaint) RepaintButton(CurrentHT);
    }
    CurrentHT = HitCode;
    ButtonPressed = false;
    if (TsCaptionButton* now = HitCode > 0 ? ButtonOf(HitCode) : nullptr) {
        if (now->State >= 0) now->State = 1;
        UserButtonHint(HitCode, true);
        if (Repaint) RepaintButton(HitCode);
        // The frame hears when the mouse leaves it, so no button stays lit
        // (with a border window, the frame is that window).
        const HWND frame = BorderForm && BorderForm->AForm ? BorderForm->AForm->WindowHandle() : Form->WindowHandle();
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE | TME_NONCLIENT, frame, 0};
        // Wine's tracking hit-tests the window at the real cursor meanwhile:
        // the point this hit test carried decides which button is hot.
        TrackingLeave = true;
        TrackMouseEvent(&tme);
        TrackingLeave = false;
    }
}

bool TsSkinProvider::SetPressedHT(int HitCode) {
    if (!PressTitleButton(*this, CurrentHT, HitCode)) return false;
    UserButtonHint(HitCode, false);
    ButtonPressed = true;
    return true;
}

void TsSkinProvider::RepaintButton(int HitCode) {
    if (MDIButtons.Of(HitCode)) {
        RepaintMDIButton(HitCode);
        if (TsCaptionButton* mdi = MDIButtons.Of(HitCode); MDIButtonsShown)
            UpdateButtonGlow(*mdi, ShownMDIImage(*mdi, MDIButtons, MDIStateOf(this), FFrameSkin));
        return;
    }
    TsCaptionButton* btn = ButtonOf(HitCode);
    fw::TBitmap* cache = FCommonData->FCacheBmp;
    if (btn && btn->State < 0) HideButtonGlow(*btn);
    if (!btn || btn->State < 0 || !Form || !Form->HandleAllocated() || !Showing()) return;
    if (BorderForm) {
        // The buttons are drawn in the border window's image.
        FCommonData->BGChanged = true;
        BorderForm->UpdateExBordersPos(true, 255);
        return;
    }
    if (!cache || FCommonData->BGChanged || FormChanged() || TempBmp->Empty()) {
        RepaintFrame();
        return;
    }
    if (AnimatedButtons(this, nullptr)) {
        // The button fades in its own overlay; the image keeps it normal.
        StartSBAnimation(btn, btn->State, btn->State == 2 ? 1 : 10, btn->State != 0, this, nullptr);
        return;
    }
    const fw::TRect r = btn->Rect;
    HDC cacheDC = cache->Canvas()->Handle();
    // The title as it lies under the button, then the button in its state.
    BitBlt(cacheDC, r.Left, r.Top, r.Width(), r.Height(), TempBmp->Canvas()->Handle(), r.Left, r.Top, SRCCOPY);
    if (const TUserTitleButton* u = Buttons.UserOf(HitCode))
        PaintUserButton(cache, *u, Buttons, State(), FFrameSkin);
    else
        PaintTitleButton(cache, *btn, Buttons, State(), FFrameSkin);
    const HWND h = Form->WindowHandle();
    HDC dc = GetWindowDC(h);
    BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), cacheDC, r.Left, r.Top, SRCCOPY);
    ReleaseDC(h, dc);
    if (!Buttons.UserOf(HitCode)) UpdateButtonGlow(*btn, ShownImage(*btn, Buttons, State(), FFrameSkin));
}

void TsSkinProvider::DropSysMenu(int X, int Y) {
    const HWND h = Form->WindowHandle();
    TsSkinManager* m = SkinManager();
    if (m && m->SkinnedPopups()) {
        if (!SystemMenu) {
            SystemMenu = new TsSystemMenu(this);
            SystemMenu->AfterConstruction();
        }
        // Copied afresh: the application may have changed its window menu.
        SystemMenu->UpdateItems(true);
        if (FMakeSkinMenu && SystemMenu->Items()->Count() > 0) {
            // The skin list is read again at every drop; an old list goes
            // with the line after it.
            fw::TMenuItem* root = SystemMenu->Items();
            if (root->Items(0)->Name() == L"SkinSelectItem") {
                fw::TMenuItem* old = root->Items(0);
                root->Delete(0);
                old->Free();
                if (root->Count() > 0 && root->Items(0)->IsLine()) {
                    fw::TMenuItem* line = root->Items(0);
                    root->Delete(0);
                    line->Free();
                }
            }
            SystemMenu->MakeSkinItems();
        }
        if (m->SkinableMenus()) m->SkinableMenus()->HookPopupMenu(SystemMenu, true);
        SystemMenu->SetWindowHandle(h);
        SystemMenu->Popup(X, Y);
        return;
    }
    // The system's window menu, its items enabled as the title buttons are.
    const TFrameState s = State();
    const LONG style = GetWindowLongW(h, GWL_STYLE);
    SetWindowLongW(h, GWL_STYLE, style & ~WS_VISIBLE);
    HMENU menu = GetSystemMenu(h, FALSE);
    SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) | (style & WS_VISIBLE));
    if (!menu) return;
    auto enable = [menu](UINT cmd, bool on) {
        EnableMenuItem(menu, cmd, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(SC_RESTORE, VisibleRestore(s) && EnabledRestore(s));
    enable(SC_MOVE, !s.Iconic && !s.Zoomed);
    enable(SC_SIZE, (s.Style & WS_THICKFRAME) && !s.Iconic && !s.Zoomed);
    enable(SC_MINIMIZE, VisibleMin(s) && EnabledMin(s));
    enable(SC_MAXIMIZE, VisibleMax(s) && EnabledMax(s));
    enable(SC_CLOSE, VisibleClose(s));
    const int cmd = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, X, Y, 0, h, nullptr);
    if (cmd) PostMessageW(h, WM_SYSCOMMAND, WPARAM(cmd), 0);
}

void TsSkinProvider::WMNCLButtonDown(fw::TMessage& Message) {
    if (!FDrawNonClientArea) {
        PassOn(Message);
        return;
    }
    const HWND h = Form->WindowHandle();
    const int code = int(Message.WParam);
    const TFrameState s = State();
    switch (code) {
        case HTSYSMENU: {
            SetHotHT(0, true);
            // A double click on the icon closes the form meanwhile.
            FCommonData->FUpdating = false;
            Delay(200);
            if (!IsWindow(h) || Destroying() || FCommonData->FUpdating) return;
            if (MDISkinProvider && Form->FormStyle() == fw::fsMDIChild) {
                const fw::TPoint p = MDIChildMenuPoint();
                DropSysMenu(p.X, p.Y);
                return;
            }
            RECT wr{};
            GetWindowRect(h, &wr);
            const fw::TRect icon = IconRect(s, FMetrics, FFrameSkin);
            DropSysMenu(wr.left + SysBorderWidth(s, FMetrics),
                        wr.top + BorderHeight(s, FMetrics) + icon.Height() + SysBorderHeight(s, FMetrics));
            return;
        }
        case HTMENU:
            PassOn(Message);
            return;
        case HTMINBUTTON:
        case HTMAXBUTTON:
        case HTCLOSE:
        case HTHELP:
            SetPressedHT(code);
            Message.Result = 0;
            return;
        case HTMDICLOSE:
        case HTMDIMAX:
        case HTMDIMIN:
            MDIButtonDown(code);
            Message.Result = 0;
            return;
        default:
            if (TsTitleButton* user = UserButtonOf(code)) {
                // A disabled button does nothing.
                if (SetPressedHT(code))
                    user->MouseDown(fw::mbLeft, fw::TShiftState(), short(LOWORD(Message.LParam)),
                                    short(HIWORD(Message.LParam)));
                Message.Result = 0;
                return;
            }
            break;
    }
    if (s.Iconic) {
        Form->Perform(WM_SYSCOMMAND, SC_MOVE + HTCAPTION, 0);
        return;
    }
    SetHotHT(0, true);
    if (s.Zoomed) {
        // A maximised form is never dragged by its title.
        const fw::TPoint p = CursorToPoint(s, short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam)));
        if (p.Y <= SysBorderHeight(s, FMetrics) + CaptionHeight(true)) {
            if (GetActiveWindow() != h) SetFocus(h);
            return;
        }
    }
    if (OutlineNCButtonDown(Message)) return;
    PassOn(Message);
}

void TsSkinProvider::WMNCLButtonUp(fw::TMessage& Message) {
    if (!FDrawNonClientArea) {
        PassOn(Message);
        return;
    }
    const HWND h = Form->WindowHandle();
    const TFrameState s = State();
    fw::TPoint p = CursorToPoint(s, short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam)));
    // With a border window the buttons lie in its extended frame.
    if (auto* bf = dynamic_cast<TacBorderForm*>(BorderForm))
        p = bf->FramePoint(short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam)));
    const bool pressed = ButtonPressed;
    switch (int(Message.WParam)) {
        case HTMINBUTTON:
            if (!pressed || !Buttons.Min.Rect.Contains(p)) {
                SetHotHT(0, true);
                PassOn(Message);
                return;
            }
            SetHotHT(0, true);
            if (fw::Application && Form == fw::Application->MainForm()) {
                SkipAnimation = true;
                SendMessageW(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
                SkipAnimation = false;
            } else {
                SendMessageW(h, WM_SYSCOMMAND, s.Iconic ? SC_RESTORE : SC_MINIMIZE, 0);
            }
            FCommonData->BGChanged = true;
            RgnChanged = true;
            return;
        case HTMAXBUTTON: {
            if (!(EnabledMax(s) || (s.Zoomed && EnabledRestore(s)))) return;
            // An MDI child's parent waits for the child's new state.
            const bool mdiChild = pressed && Form->FormStyle() == fw::fsMDIChild;
            TParentUpdating updating(mdiChild ? MDIParentProvider(Form) : nullptr);
            updating.Begin();
            SetHotHT(0, true);
            if (!pressed) {
                PassOn(Message);
                return;
            }
            if (mdiChild) {
                if (MDILastChild == this) MDILastChild = nullptr;
                SendMessageW(h, WM_SYSCOMMAND, s.Zoomed ? SC_RESTORE : SC_MAXIMIZE, 0);
                if (s.Zoomed && IsWindow(h)) Form->Repaint();
                if (SystemMenu && IsWindow(h)) SystemMenu->UpdateItems(false);
                return;
            }
            if (s.Zoomed) {
                SendMessageW(h, WM_SYSCOMMAND, SC_RESTORE, 0);
                Form->Repaint();
            } else {
                SendMessageW(h, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            }
            return;
        }
        case HTCLOSE:
            if (pressed) {
                Buttons.Close.State = 0;
                ButtonPressed = false;
                SendMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return;
        case HTHELP:
            if (pressed) SendMessageW(h, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
            SetHotHT(0, true);
            return;
        case HTMDICLOSE:
        case HTMDIMAX:
        case HTMDIMIN:
            MDIButtonUp(int(Message.WParam), pressed);
            return;
        default:
            if (TsTitleButton* user = UserButtonOf(int(Message.WParam))) {
                if (pressed)
                    user->MouseUp(fw::mbLeft, fw::TShiftState(), short(LOWORD(Message.LParam)),
                                  short(HIWORD(Message.LParam)));
                SetHotHT(0, true);
                return;
            }
            if (IconicMDIChildMenu(Message)) return;
            if (!OutlineButtonUp(Message, false)) PassOn(Message);
            return;
    }
}

fw::TPoint TsSkinProvider::MDIChildMenuPoint() const {
    RECT wr{};
    GetWindowRect(Form->WindowHandle(), &wr);
    return fw::TPoint(wr.left, wr.top + skin::CaptionHeight(State(), FMetrics) + 4);
}

bool TsSkinProvider::IconicMDIChildMenu(fw::TMessage& Message) {
    const HWND h = Form->WindowHandle();
    if (!MDISkinProvider || !IsIconic(h) || Form->FormStyle() != fw::fsMDIChild) return false;
    // An icon's window menu opens under it, as the platform's does.
    RECT wr{};
    GetWindowRect(h, &wr);
    DropSysMenu(wr.left, wr.bottom);
    Message.Result = 0;
    return true;
}

void TsSkinProvider::WMNCLButtonDblClk(fw::TMessage& Message) {
    const HWND h = Form->WindowHandle();
    EndOutline(short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam)));
    const TFrameState s = State();
    switch (int(Message.WParam)) {
        case HTCAPTION:
            if ((VisibleClose(s) && (EnabledMax(s) || EnabledRestore(s))) || (!HaveBorder(s) && s.Iconic))
                SendMessageW(h, WM_SYSCOMMAND, s.Zoomed || s.Iconic ? SC_RESTORE : SC_MAXIMIZE, 0);
            else if (s.Iconic)
                SendMessageW(h, WM_SYSCOMMAND, SC_RESTORE, 0);
            Message.WParam = 0;
            return;
        case HTSYSMENU:
            FCommonData->FUpdating = true;
            Form->Close();
            return;
        default:
            return;
    }
}

void TsSkinProvider::WMSysCommand(fw::TMessage& Message) {
    const HWND h = Form->WindowHandle();
    if (Message.WParam == SC_MOVE + HTCAPTION) Form->Repaint();
    if (OutlineSysCommand(Message)) return;
    if (MDISysCommand(Message)) return;
    PassOn(Message);
    if (!IsWindow(h) || Destroying()) return;
    if (SystemMenu) SystemMenu->UpdateItems(false);
    switch (Message.WParam) {
        case SC_MINIMIZE:
            if (FCommonData->FCacheBmp) FCommonData->FCacheBmp->SetSize(0, 0);
            FCommonData->BGChanged = true;
            break;
        case SC_MAXIMIZE:
        case SC_RESTORE: {
            const TFrameState s = State();
            if (VisibleMax(s)) CurrentHT = HTMAXBUTTON;
            SetHotHT(0, true);
            FCommonData->BGChanged = true;
            RgnChanged = true;
            if (Message.WParam == SC_RESTORE) {
                if (HaveBorder(s))
                    RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
                else
                    SetWindowRgn(h, nullptr, TRUE);
            }
            break;
        }
        default:
            if ((Message.WParam & 0xFFF0) == SC_KEYMENU && LOWORD(Message.LParam) == ' ') {
                const TFrameState s = State();
                if (VisibleClose(s) && HaveBorder(s)) {
                    RECT wr{};
                    GetWindowRect(h, &wr);
                    DropSysMenu(wr.left + SysBorderWidth(s, FMetrics),
                                wr.top + BorderHeight(s, FMetrics) + IconRect(s, FMetrics, FFrameSkin).Height());
                }
            }
            break;
    }
}

}  // namespace skin
