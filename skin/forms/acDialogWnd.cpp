#include "skin/forms/acDialogWnd.h"

#include "framework/windows/Application.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/sDwm.h"
#include "skin/forms/sFrameHitTest.h"
#include "skin/forms/sFrameRegion.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSysMenu.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/forms/sTitlePress.h"
#include "skin/paint/sAnimHide.h"
#include "skin/paint/sAnimShow.h"
#include "skin/paint/sBGAnswer.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"

namespace skin {

namespace {

bool RgnUpdatingFlag = false;
// A title button was pressed and the hot button has not changed since.
bool BtnPressed = false;

fw::TFormBorderStyle FormBorderStyleOf(TacBorderStyle B) {
    switch (B) {
        case acbsNone:
            return fw::bsNone;
        case acbsDialog:
            return fw::bsDialog;
        case acbsSingle:
            return fw::bsSingle;
        case acbsToolWindow:
            return fw::bsToolWindow;
        case acbsSizeToolWin:
            return fw::bsSizeToolWin;
        default:
            return fw::bsSizeable;
    }
}

bool IsButtonCode(int Code) { return Code == HTMINBUTTON || Code == HTMAXBUTTON || Code == HTCLOSE || Code == HTHELP; }

}  // namespace

bool RgnUpdating() { return RgnUpdatingFlag; }

TacBorderStyle DialogBorderStyle(DWORD Style) {
    if ((Style & WS_POPUP) && (Style & WS_CAPTION) != WS_CAPTION) return acbsNone;
    if (Style & WS_THICKFRAME) return acbsSizeable;
    if (Style & DS_MODALFRAME) return acbsDialog;
    return acbsSizeable;
}

TFrameState DialogFrameState(HWND Wnd, DWORD Style, DWORD ExStyle, TacBorderStyle BorderStyle, bool Active) {
    TFrameState s;
    s.BorderStyle = FormBorderStyleOf(BorderStyle);
    s.BorderIcons = fw::TBorderIcons{};
    if (Style & WS_SYSMENU) s.BorderIcons = s.BorderIcons + fw::TBorderIcons{fw::biSystemMenu};
    if (Style & WS_MINIMIZEBOX) s.BorderIcons = s.BorderIcons + fw::TBorderIcons{fw::biMinimize};
    if (Style & WS_MAXIMIZEBOX) s.BorderIcons = s.BorderIcons + fw::TBorderIcons{fw::biMaximize};
    if (ExStyle & WS_EX_CONTEXTHELP) s.BorderIcons = s.BorderIcons + fw::TBorderIcons{fw::biHelp};
    s.HaveSysMenu = (Style & WS_SYSMENU) != 0;
    s.CaptionGap = 6;
    s.Style = Style;
    s.Active = Active;
    // A dialog draws its own size grip when it has one.
    s.GripMode = gmNone;
    if (!Wnd || !IsWindow(Wnd)) return s;
    s.Style = DWORD(GetWindowLongW(Wnd, GWL_STYLE));
    s.Child = (s.Style & WS_CHILD) != 0;
    s.Iconic = IsIconic(Wnd) != 0;
    s.Zoomed = IsZoomed(Wnd) != 0;
    RECT w{}, c{};
    GetWindowRect(Wnd, &w);
    GetClientRect(Wnd, &c);
    s.Left = w.left, s.Top = w.top;
    s.Width = w.right - w.left, s.Height = w.bottom - w.top;
    s.ClientWidth = c.right, s.ClientHeight = c.bottom;
    s.Enabled = IsWindowEnabled(Wnd) != 0;
    s.NoClose = (GetClassLongW(Wnd, GCL_STYLE) & CS_NOCLOSE) != 0;
    return s;
}

// ---- construction

TacDialogWnd::TacDialogWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                           const fw::String& SkinSection)
    : TacScrollWnd(AHandle, ASkinData, ASkinManager, SkinSection.empty() ? fw::String(L"DIALOG") : SkinSection) {
    TempBmp = new fw::TBitmap();
    FWMPaintForbidden = fw::Win32MajorVersion >= 6;
    FMetrics = TFrameMetrics::FromSystem();
    // Painting waits for the first real paint.
    SkinData->SetUpdating(true);
    InitDwm(AHandle, true, false);
    SystemMenu = new TacSystemMenu(nullptr);
    SystemMenu->AfterConstruction();
    SystemMenu->FOwner = this;
}

TacDialogWnd::~TacDialogWnd() {
    KillAnimations();
    InitExBorders(false);
    if (SystemMenu) SystemMenu->Free();
    if (FBrush) DeleteObject(FBrush);
    delete TempBmp;
    delete FGlow1;
    delete FGlow2;
}

void TacDialogWnd::UpdateIndexes() {
    SkinData->UpdateIndexes();
    TsSkinManager* m = SkinData->GetSkinManager();
    FFrameSkin = FrameSkinOf(m);
    // The dialog's own section in place of the form's, when the skin has it.
    if (m && m->IsValidSkinIndex(SkinData->SkinIndex)) {
        FFrameSkin.FormIndex = SkinData->SkinIndex;
        const int border = m->gd[size_t(SkinData->SkinIndex)].BorderIndex;
        FFrameSkin.BorderIndex = m->IsValidImgIndex(border) ? border : -1;
    }
    FCaptionSkinIndex = FFrameSkin.CaptionIndex;
    FMetrics = TFrameMetrics::FromSystem();
    UpdateIconsIndexes(Buttons, State(), FFrameSkin);
    SkinData->BGChanged = true;
}

void TacDialogWnd::InitParams() {
    dwStyle = DWORD(GetWindowLongW(CtrlHandle, GWL_STYLE));
    dwExStyle = DWORD(GetWindowLongW(CtrlHandle, GWL_EXSTYLE));
    BorderStyle = DialogBorderStyle(dwStyle);
    TitleIcon = HICON(SendMessageW(CtrlHandle, WM_GETICON, ICON_SMALL, 0));
    if (!TitleIcon) TitleIcon = HICON(SendMessageW(CtrlHandle, WM_GETICON, ICON_BIG, 0));
    UpdateIndexes();
    // The system no longer draws or handles its own system menu and close
    // button; dwStyle keeps the bit, so the skinned buttons still follow it.
    SetWindowLongW(CtrlHandle, GWL_STYLE, LONG(dwStyle & ~WS_SYSMENU));
}

void TacDialogWnd::StyleChanged() {
    // Dialogs change their styles after creation (a file dialog becomes
    // sizeable in its initialisation): the frame follows.
    const DWORD now = DWORD(GetWindowLongW(CtrlHandle, GWL_STYLE));
    const DWORD saved = (now & ~WS_SYSMENU) | ((dwStyle | now) & WS_SYSMENU);
    if (saved == dwStyle && !(now & WS_SYSMENU)) return;
    dwStyle = saved;
    BorderStyle = DialogBorderStyle(dwStyle);
    UpdateIconsIndexes(Buttons, State(), FFrameSkin);
    SkinData->BGChanged = true;
    RgnChanged = true;
    if (now & WS_SYSMENU) SetWindowLongW(CtrlHandle, GWL_STYLE, LONG(now & ~WS_SYSMENU));
}

TFrameState TacDialogWnd::State() const {
    TFrameState s = DialogFrameState(Destroyed ? nullptr : CtrlHandle, dwStyle, dwExStyle, BorderStyle, FFormActive);
    // Without an icon the title keeps no room for one (nor a strip that
    // would drop the window menu).
    s.ShowAppIcon = TitleIcon != nullptr;
    return s;
}

// ---- geometry

int TacDialogWnd::OffsetX() const {
    if (BorderForm) return ExClientOffset(State(), FMetrics, ExBorders()).X;
    return skin::OffsetX(State());
}

int TacDialogWnd::OffsetY() const {
    if (BorderForm) return ExClientOffset(State(), FMetrics, ExBorders()).Y;
    return skin::OffsetY(State(), FMetrics);
}

int TacDialogWnd::CaptionHeight(bool CheckSkin) const {
    if (CheckSkin && BorderForm) return ExCaptionHeight(State(), FMetrics, ExBorders());
    return skin::CaptionHeight(State(), FMetrics);
}

void TacDialogWnd::UpdateRgn(bool Repaint) {
    const TFrameState s = State();
    if (BorderStyle == acbsNone && !s.Iconic) return;
    if (SendMessageW(CtrlHandle, msgRegionQuery, WPARAM(msgKeepRegionValue), 0) == msgKeepRegionValue) return;
    // With a border window the dialog keeps only its client area.
    const fw::TRect own = ExOwnerRegionRect(s, FMetrics);
    HRGN rgn = BorderForm ? CreateRectRgn(own.Left, own.Top, own.Right, own.Bottom) : FrameRegion(s, FMetrics, ArOR);
    // The same region again is not set: setting one repaints the frame.
    HRGN current = CreateRectRgn(0, 0, 0, 0);
    const bool same = GetWindowRgn(CtrlHandle, current) != ERROR && EqualRgn(current, rgn);
    DeleteObject(current);
    if (same) {
        DeleteObject(rgn);
        return;
    }
    RgnUpdatingFlag = true;
    SetWindowRgn(CtrlHandle, rgn, Repaint);
    RgnUpdatingFlag = false;
}

HBRUSH TacDialogWnd::DialogBrush() {
    TsSkinManager* m = SkinData->GetSkinManager();
    const COLORREF color = fw::ColorToRGB(m ? m->GetGlobalColor() : fw::clBtnFace);
    if (!FBrush || color != FBrushColor) {
        if (FBrush) DeleteObject(FBrush);
        FBrush = CreateSolidBrush(color);
        FBrushColor = color;
    }
    return FBrush;
}

// ---- title buttons

TsCaptionButton* TacDialogWnd::ButtonOf(int HitCode) { return Buttons.Of(HitCode); }

int TacDialogWnd::HTProcess(fw::TMessage& Message) {
    const TFrameState s = State();
    const fw::TPoint p = CursorToPoint(s, short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam)));
    LayoutTitleButtons(Buttons, s, FMetrics, FFrameSkin);
    const int code = FrameHitTest(s, FMetrics, FFrameSkin, Buttons, p);
    if (IsButtonCode(code) || code == HTSYSMENU) {
        SetHotHT(IsButtonCode(code) ? code : 0);
        return code;
    }
    if (s.Zoomed && !fw::TRect(2, 2, s.Width - 4, s.Height - 4).Contains(p)) {
        // The edge of a zoomed dialog lies off its work area: clicks there
        // go to the window below.
        SetHotHT(0);
        return HTTRANSPARENT;
    }
    // Borders, caption and client stay the system's.
    SetHotHT(0);
    PassOn(Message);
    const LRESULT platform = Message.Result;
    if (IsButtonCode(int(platform)) || platform == HTSYSMENU) return HTCAPTION;
    return int(platform);
}

void TacDialogWnd::SetHotHT(int HitCode, bool Repaint) {
    if (HitCode == CurrentHT) return;
    if (TsCaptionButton* old = ButtonOf(CurrentHT)) {
        if (old->State > 0) old->State = 0;
        if (Repaint) RepaintButton(CurrentHT);
    }
    CurrentHT = HitCode;
    BtnPressed = false;
    if (TsCaptionButton* now = ButtonOf(HitCode)) {
        if (now->State >= 0) now->State = 1;
        if (Repaint) RepaintButton(HitCode);
        // The frame hears when the mouse leaves it, so no button stays lit
        // (with a border window, the frame is that window).
        const HWND frame = BorderForm && BorderForm->AForm ? BorderForm->AForm->WindowHandle() : CtrlHandle;
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE | TME_NONCLIENT, frame, 0};
        TrackMouseEvent(&tme);
    }
}

void TacDialogWnd::SetPressedHT(int HitCode) {
    if (PressTitleButton(*this, CurrentHT, HitCode)) BtnPressed = true;
}

void TacDialogWnd::DropSysMenu(int X, int Y) {
    if (!SystemMenu) return;
    SystemMenu->UpdateItems();
    if (TsSkinManager* m = SkinData->GetSkinManager(); m && m->SkinnedPopups() && m->SkinableMenus())
        m->SkinableMenus()->HookPopupMenu(SystemMenu, true);
    SystemMenu->SetWindowHandle(CtrlHandle);
    SystemMenu->Popup(X, Y);
}

bool TacDialogWnd::Ac_WMNCLButtonDown(fw::TMessage& Message) {
    const int code = int(Message.WParam);
    if (code == HTSYSMENU) {
        SetHotHT(0);
        RECT wr{};
        GetWindowRect(CtrlHandle, &wr);
        const TFrameState s = State();
        DropSysMenu(wr.left + SysBorderWidth(s, FMetrics),
                    wr.top + SysBorderHeight(s, FMetrics) + GetSystemMetrics(SM_CYSMICON));
        return true;
    }
    if (IsButtonCode(code) || (code >= HTMDICLOSE && code <= HTMDIMIN)) {
        SetPressedHT(code);
        return true;
    }
    if (IsIconic(CtrlHandle)) {
        SendMessageW(CtrlHandle, WM_SYSCOMMAND, 0xF012, 0);
        return true;
    }
    SetHotHT(0);
    return false;
}

void TacDialogWnd::Ac_WMNCLButtonUp(fw::TMessage& Message) {
    const int code = int(Message.WParam);
    const bool pressed = BtnPressed;
    const TFrameState s = State();
    switch (code) {
        case HTMINBUTTON: {
            fw::TPoint p = CursorToPoint(s, short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam)));
            // With a border window the buttons lie in its extended frame.
            if (auto* bf = dynamic_cast<TacBorderForm*>(BorderForm))
                p = bf->FramePoint(short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam)));
            if (pressed && Buttons.Min.Rect.Contains(p)) {
                SetHotHT(0);
                SendMessageW(CtrlHandle, WM_SYSCOMMAND, s.Iconic ? SC_RESTORE : SC_MINIMIZE, 0);
            } else if (pressed) {
                PassOn(Message);
            } else {
                SetHotHT(0);
            }
            break;
        }
        case HTMAXBUTTON:
            if (s.Iconic && !EnabledMax(s)) break;
            SetHotHT(0);
            if (pressed) SendMessageW(CtrlHandle, WM_SYSCOMMAND, s.Zoomed ? SC_RESTORE : SC_MAXIMIZE, 0);
            break;
        case HTCLOSE:
            if (pressed) {
                Buttons.Close.State = 0;
                SetHotHT(0);
                SendMessageW(CtrlHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
            } else {
                SetHotHT(0);
            }
            break;
        case HTHELP:
            if (pressed) {
                SendMessageW(CtrlHandle, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
                SetHotHT(0);
                SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
            } else {
                SetHotHT(0);
            }
            break;
        default:
            PassOn(Message);
            return;
    }
    BtnPressed = false;
}

void TacDialogWnd::Ac_WMNCLButtonDblClk(fw::TMessage& Message) {
    const TFrameState s = State();
    if (Message.WParam == HTCAPTION) {
        if (VisibleMax(s) && (EnabledMax(s) || EnabledRestore(s)))
            SendMessageW(CtrlHandle, WM_SYSCOMMAND, (s.Zoomed || s.Iconic) ? SC_RESTORE : SC_MAXIMIZE, 0);
    } else if (Message.WParam == HTSYSMENU) {
        SendMessageW(CtrlHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
}

// ---- the window procedure

void TacDialogWnd::PassOnHidden(fw::TMessage& Message) {
    // The default handling draws the caption directly: it runs unseen.
    const LONG style = GetWindowLongW(CtrlHandle, GWL_STYLE);
    if (style & WS_VISIBLE) SetWindowLongW(CtrlHandle, GWL_STYLE, style & ~WS_VISIBLE);
    PassOn(Message);
    if (style & WS_VISIBLE) SetWindowLongW(CtrlHandle, GWL_STYLE, GetWindowLongW(CtrlHandle, GWL_STYLE) | WS_VISIBLE);
}

void TacDialogWnd::Redraw() {
    RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

void TacDialogWnd::AlphaMessage(fw::TMessage& Message) {
    TsSkinManager* m = SkinData->GetSkinManager();
    switch (Message.WParamHi()) {
        case smcNewSkin:
            if (LPARAM(m) == Message.LParam) {
                UpdateIndexes();
                for (HWND c = GetTopWindow(CtrlHandle); c; c = GetWindow(c, GW_HWNDNEXT))
                    SendMessageW(c, Message.Msg, Message.WParam, Message.LParam);
            }
            return;
        case smcRefresh:
            UpdateIndexes();
            SkinData->Invalidate();
            return;
        case smcSetUpdating:
            SkinData->SetUpdating(LOWORD(Message.WParam) == 1);
            if (SkinData->FUpdating) SkinData->BGChanged = true;
            break;
        case smcGetUpdating:
            Message.Result = SkinData->FUpdating ? 1 : 0;
            return;
        case smcGetRepaintIfMoved: {
            Message.Result = 0;
            if (m && m->IsValidSkinIndex(SkinData->SkinIndex)) {
                const auto& g = m->gd[size_t(SkinData->SkinIndex)];
                Message.Result = g.Textured() ? 1 : 0;
            }
            return;
        }
        case smcGetColor:
            Message.Result = LRESULT(GetBGColor(SkinData, 0, nullptr));
            return;
        case smcRescanChildren:
            if (Provider) Provider->InitHwndControls(CtrlHandle);
            break;
        case smcGetBGInfo: {
            auto* info = reinterpret_cast<PacBGInfo>(Message.LParam);
            if (!info) return;
            // The answer is about the client area: the frame image is offset.
            if (info->PleaseDraw) info->Offset = fw::TPoint(info->Offset.X + OffsetX(), info->Offset.Y + OffsetY());
            InitBGInfo(SkinData, info, 0, nullptr);
            if (info->BgType == btCache && !info->PleaseDraw) {
                if (!info->Bmp) {
                    PaintAll();
                    info->Bmp = SkinData->FCacheBmp;
                }
                info->Offset = fw::TPoint(OffsetX(), OffsetY());
            }
            return;
        }
        case smcGetOffset:
            Message.Result = LRESULT(MAKELONG(OffsetX(), OffsetY()));
            return;
        default:
            break;
    }
    TacScrollWnd::acWndProc(Message);
}

void TacDialogWnd::acWndProc(fw::TMessage& Message) {
    if (ExBordersBefore(Message)) return;
    DialogWndProc(Message);
    ExBordersAfter(Message);
}

// Size, place, focus, enabling, text, icon, style and showing.
bool TacDialogWnd::WindowStateMessage(fw::TMessage& Message, TsSkinManager* m, bool visible) {
    switch (Message.Msg) {
        case WM_SIZE:
            SkinData->BGChanged = true;
            RgnChanged = true;
            PassOn(Message);
            Redraw();
            return true;
        case WM_WINDOWPOSCHANGED: {
            const auto* wp = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
            if (!wp || !(wp->flags & SWP_NOSIZE)) {
                SkinData->BGChanged = true;
                RgnChanged = true;
            }
            PassOn(Message);
            if (wp && (wp->flags & SWP_HIDEWINDOW) && acLayered && m->AnimEffects()->DialogHide.Active &&
                m->AnimEffects()->DialogHide.Time > 0) {
                AnimHideDlg(this);
                // The fade runs on a copy: the dialog itself is no longer
                // layered, or it would come back all but invisible.
                DoLayered(CtrlHandle, false);
            }
            return true;
        }
        case WM_SETFOCUS:
            PassOn(Message);
            if (HWND active = GetActiveWindow())
                RedrawWindow(active, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
            return true;
        case WM_ENABLE:
            if (!visible) return false;
            PassOn(Message);
            SkinData->BGChanged = true;
            SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
            return true;
        case WM_SETTEXT:
            if (!visible) return false;
            PassOnHidden(Message);
            Caption = GetWndText(CtrlHandle);
            SkinData->BGChanged = true;
            SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
            return true;
        case WM_SETICON:
            if (!visible) return false;
            PassOnHidden(Message);
            TitleIcon = HICON(SendMessageW(CtrlHandle, WM_GETICON, ICON_SMALL, 0));
            if (!TitleIcon) TitleIcon = HICON(SendMessageW(CtrlHandle, WM_GETICON, ICON_BIG, 0));
            SkinData->BGChanged = true;
            SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
            return true;
        case WM_SHOWWINDOW: {
            InitDwm(CtrlHandle, true, false);
            const bool animate = LOWORD(Message.WParam) == 1 && acLayered && m->AnimEffects()->DialogShow.Active &&
                                 m->AnimEffects()->DialogShow.Time > 0;
            PassOn(Message);
            if (animate) {
                Caption = GetWndText(CtrlHandle);
                if (Provider) Provider->InitHwndControls(CtrlHandle);
                AnimShowDlg(this, m->AnimEffects()->DialogShow.Time, 255, m->AnimEffects()->DialogShow.Mode);
            }
            return true;
        }
        case WM_STYLECHANGED:
            PassOn(Message);
            if (Message.WParam == WPARAM(GWL_STYLE)) StyleChanged();
            return true;
        case DM_SETDEFID:
            TacScrollWnd::acWndProc(Message);
            if (Provider) Provider->InitHwndControls(CtrlHandle);
            return true;
        case 0x52E:
            PassOn(Message);
            if (Provider) Provider->InitHwndControls(CtrlHandle);
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
            return true;
        default:
            return false;
    }
}

// The client area's and the frame's painting, activation's look included.
bool TacDialogWnd::PaintMessage(fw::TMessage& Message, bool visible) {
    switch (Message.Msg) {
        case WM_PAINT:
            if (FWMPaintForbidden) {
                PAINTSTRUCT ps{};
                BeginPaint(CtrlHandle, &ps);
                EndPaint(CtrlHandle, &ps);
                Message.Result = 0;
                return true;
            }
            PassOn(Message);
            return true;
        case WM_ERASEBKGND:
            InitCtrlData(this);
            if (!Initialized) {
                Initialized = true;
                if (Provider) Provider->InitHwndControls(CtrlHandle);
            }
            Ac_WMPaint(HDC(Message.WParam));
            Message.Result = 1;
            return true;
        case WM_DRAWITEM: {
            const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
            if (di && di->CtlType == ODT_STATIC) SetBkMode(di->hDC, TRANSPARENT);
            return false;
        }
        case WM_NCPAINT:
            if (!visible) return false;
            InitCtrlData(this);
            Caption = GetWndText(CtrlHandle);
            Ac_WMNCPaint();
            Message.Result = 0;
            return true;
        case WM_NCACTIVATE:
            if (!visible) return false;
            PassOnHidden(Message);
            FFormActive = Message.WParam != 0;
            SkinData->BGChanged = true;
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
            return true;
        case WM_CTLCOLORDLG:
            Message.Result = LRESULT(DialogBrush());
            return true;
        default:
            return false;
    }
}

// The frame's hit test and mouse: title buttons, the window menu, hot state.
bool TacDialogWnd::FrameMouseMessage(fw::TMessage& Message) {
    switch (Message.Msg) {
        case WM_NCHITTEST:
            Message.Result = HTProcess(Message);
            return true;
        case WM_GETDLGCODE:
            Message.Result = 0;
            return true;
        case WM_NCLBUTTONDOWN:
            if (Message.WParam != HTBOTTOMRIGHT) {
                fw::TMessage hit;
                hit.Msg = WM_NCHITTEST;
                hit.LParam = Message.LParam;
                Message.WParam = WPARAM(HTProcess(hit));
            }
            if (!Ac_WMNCLButtonDown(Message)) PassOn(Message);
            return true;
        case WM_NCLBUTTONUP:
            Ac_WMNCLButtonUp(Message);
            Message.WParam = 0;
            return true;
        case WM_NCLBUTTONDBLCLK:
            Ac_WMNCLButtonDblClk(Message);
            return true;
        case WM_NCRBUTTONDOWN:
            if (Message.WParam == HTCAPTION || Message.WParam == HTSYSMENU) return true;
            return false;
        case WM_NCRBUTTONUP:
            if (Message.WParam == HTCAPTION || Message.WParam == HTSYSMENU) {
                SetHotHT(0);
                DropSysMenu(short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam)));
                return true;
            }
            return false;
        case WM_MOUSELEAVE:
        case WM_NCMOUSELEAVE:
            SetHotHT(0);
            return false;
        case WM_MOUSEMOVE:
            // Over the dialog itself no control is under the mouse.
            if (IsWindowEnabled(CtrlHandle) && DefaultManager && DefaultManager->ActiveControl())
                DefaultManager->SetActiveControl(nullptr);
            return false;
        default:
            return false;
    }
}

void TacDialogWnd::DialogWndProc(fw::TMessage& Message) {
    TsSkinManager* m = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (Destroyed || !m || !m->Active() || Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY) {
        if (Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY) {
            SetHotHT(0, false);
            KillAnimations();
        }
        TacScrollWnd::acWndProc(Message);
        return;
    }
    if (Message.Msg == SM_ALPHACMD) {
        AlphaMessage(Message);
        return;
    }
    const bool visible = IsWindowVisible(CtrlHandle) != 0;
    if (WindowStateMessage(Message, m, visible) || PaintMessage(Message, visible) || FrameMouseMessage(Message)) return;
    TacScrollWnd::acWndProc(Message);
    if (Message.Msg == WM_SYSCOMMAND) {
        const WPARAM cmd = Message.WParam & 0xFFF0;
        if (cmd == 0xF010) UpdateWindow(CtrlHandle);
        if (cmd == SC_MAXIMIZE || cmd == SC_RESTORE) SetHotHT(0);
    }
}

}  // namespace skin
