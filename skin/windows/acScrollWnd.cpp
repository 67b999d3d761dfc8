#include "skin/windows/acScrollWnd.h"

#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Messages.h"
#include "skin/windows/acScrollPaint.h"
#include "skin/windows/acScrollTrack.h"

namespace skin {

namespace {

const LONG_PTR kBarStyles = WS_HSCROLL | WS_VSCROLL;

SCROLLINFO ReadScrollInfo(HWND Handle, int nBar) {
    SCROLLINFO si = {sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(Handle, nBar, &si)) si = {sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    return si;
}

bool SameScrollInfo(const SCROLLINFO& a, const SCROLLINFO& b) {
    return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

fw::TRect WindowRectOf(HWND Handle) {
    RECT r{};
    GetWindowRect(Handle, &r);
    return fw::TRect(r);
}

// The window's client origin in window coordinates.
POINT ClientOrigin(HWND Handle) {
    RECT wr{};
    GetWindowRect(Handle, &wr);
    POINT o{0, 0};
    ClientToScreen(Handle, &o);
    return {o.x - wr.left, o.y - wr.top};
}

fw::TRect Moved(fw::TRect R, int dx, int dy) {
    R.Left += dx, R.Right += dx, R.Top += dy, R.Bottom += dy;
    return R;
}

// Sets the style without the wrapper reacting to its own change.
void SetStyleQuietly(TacScrollWnd* sw, HWND Handle, LONG_PTR Style) {
    const bool prevented = sw->bPreventStyleChange;
    sw->bPreventStyleChange = true;
    SetWindowLongPtrW(Handle, GWL_STYLE, Style);
    sw->bPreventStyleChange = prevented;
}

// Bar bits on the style join the held ones and come off again: the system
// sets them when something shows a bar while they are held off.
void TakeBarsOff(TacScrollWnd* sw, HWND Handle) {
    const LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
    if (!(style & kBarStyles)) return;
    sw->HeldBars |= style & kBarStyles;
    SetStyleQuietly(sw, Handle, style & ~kBarStyles);
}

// Runs a default handling with the bar bits off the style, so the system
// neither reserves room for its bars nor draws them. Everything below the
// wrapper runs meanwhile and may recalculate the frame or show a bar: the
// frame is calculated from the held bits, and what changed in the style
// meanwhile is kept when the bits go back.
template <class F>
void WithoutBarStyles(TacScrollWnd* sw, HWND Handle, F&& Run) {
    if (sw->HoldingBars) {
        TakeBarsOff(sw, Handle);
        Run();
        return;
    }
    if (!(GetWindowLongPtrW(Handle, GWL_STYLE) & kBarStyles)) {
        Run();
        return;
    }
    sw->HoldingBars = true;
    sw->HeldBars = 0;
    TakeBarsOff(sw, Handle);
    Run();
    const LONG_PTR bars = sw->HeldBars;
    sw->HoldingBars = false;
    sw->HeldBars = 0;
    if (IsWindow(Handle)) SetStyleQuietly(sw, Handle, GetWindowLongPtrW(Handle, GWL_STYLE) | bars);
}

}  // namespace

TacScrollWnd::~TacScrollWnd() {
    sBarHorz.reset();
    sBarVert.reset();
}

LONG_PTR TacScrollWnd::RealStyle() const {
    const LONG_PTR style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
    return HoldingBars ? style | HeldBars : style;
}

void TacScrollWnd::AfterCreate(bool Repaint) {
    SaveStdParams();
    ParamsChanged = false;
    Caption = GetWndText(CtrlHandle);
    InitializeACScrolls(this, CtrlHandle, Repaint);
    if (fw::TControl* c = SkinData->FOwnerControl)
        c->SetControlStyle(c->ControlStyle() + fw::TControlStyle{fw::csOpaque});
}

void TacScrollWnd::RepaintIfScrolled(UINT Msg) {
    if (repainting_ || fThumbTracking || Destroyed || !sBarHorz || !sBarVert || !IsWindowVisible(CtrlHandle)) return;
    bool changed = Msg == WM_SIZE || Msg == WM_WINDOWPOSCHANGED;
    for (int bar : {SB_HORZ, SB_VERT})
        if (Bar(bar)->fScrollVisible && !SameScrollInfo(ReadScrollInfo(CtrlHandle, bar), Painted[bar])) changed = true;
    if (!changed) return;
    repainting_ = true;
    UpdateScrolls(this, true);
    repainting_ = false;
}

void TacScrollWnd::acWndProc(fw::TMessage& Message) {
    const UINT msg = Message.Msg;
    switch (msg) {
        case WM_DESTROY:
        case WM_NCDESTROY:
            if (OldProc || OldWndProc.Assigned()) {
                TacScrollWnd* self = this;
                UninitializeACScroll(CtrlHandle, false, false, self);
                PassOn(Message);
                if (msg == WM_NCDESTROY && !Destroyed) ReleaseDyingWindow(this);
            }
            return;
        case WM_UPDATEUISTATE:
        case fw::CM_RECREATEWND:
            return;
        default:
            break;
    }
    if (Destroyed) return;
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (!SkinData || !SkinData->Skinned()) {
        if (msg == SM_ALPHACMD && Message.WParamHi() == smcNewSkin && M && LPARAM(M) == Message.LParam)
            SkinData->UpdateIndexes();
        PassOn(Message);
        return;
    }
    const bool barHit = Message.WParam == HTHSCROLL || Message.WParam == HTVSCROLL;
    switch (msg) {
        case WM_NCCALCSIZE:
            Message.Result = Ac_NCCalcSize(this, CtrlHandle, Message.WParam, Message.LParam);
            return;
        case WM_NCHITTEST:
            Message.Result = Ac_NCHitTest(this, CtrlHandle, Message.WParam, Message.LParam);
            return;
        case WM_STYLECHANGING:
        case WM_STYLECHANGED:
            if (bPreventStyleChange) {
                Message.Result = 0;
                return;
            }
            Message.Result = msg == WM_STYLECHANGED ? Ac_StyleChange(this, CtrlHandle, Message.WParam, Message.LParam)
                                                    : CallPrevWndProc(CtrlHandle, msg, Message.WParam, Message.LParam);
            return;
        case WM_NCPAINT:
            // The default frame painting without the bar bits (it would draw
            // the standard bars into their room), then the skinned bars.
            WithoutBarStyles(this, CtrlHandle, [&] { PassOn(Message); });
            if (IsWindowVisible(CtrlHandle)) {
                SkinData->FUpdating = SkinData->GetUpdating();
                if (!SkinData->FUpdating && !DontRepaint)
                    Ac_NCPaint(this, CtrlHandle, Message.WParam, Message.LParam, -1, nullptr);
            }
            return;
        case WM_NCMOUSEMOVE:
            Message.Result = Ac_NCMouseMove(this, CtrlHandle, Message.WParam, Message.LParam);
            return;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            if (barHit) {
                Message.Result = Ac_NCLButtonDown(this, CtrlHandle, Message.WParam, Message.LParam);
                return;
            }
            break;
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONUP:
        case WM_NCMBUTTONDOWN:
        case WM_NCMBUTTONUP:
            if (barHit) {
                Message.Result = 0;
                return;
            }
            break;
        case WM_SYSCOMMAND:
            if (LOWORD(Message.WParam) == (SC_VSCROLL | HTVSCROLL)) return;
            break;
        case WM_TIMER:
            Message.Result = Ac_Timer(this, CtrlHandle, Message.WParam, Message.LParam);
            RepaintIfScrolled(msg);
            return;
        case WM_MOUSEMOVE:
            Message.Result = Ac_MouseMove(this, CtrlHandle, Message.WParam, Message.LParam);
            return;
        case WM_LBUTTONUP:
            Message.Result = Ac_LButtonUp(this, CtrlHandle, Message.WParam, Message.LParam);
            RepaintIfScrolled(msg);
            return;
        case WM_CAPTURECHANGED:
            Ac_CaptureChanged(this, CtrlHandle, HWND(Message.LParam));
            break;
        case fw::CM_UIACTIVATE:
            if (WndSize.cx != 0) {
                PassOn(Message);
                if (Message.Result == 0)
                    SetWindowPos(CtrlHandle, nullptr, 0, 0, WndSize.cx, WndSize.cy,
                                 SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOCOPYBITS | SWP_NOOWNERZORDER |
                                     SWP_NOSENDCHANGING);
                return;
            }
            break;
        default:
            break;
    }
    if (msg == SM_ALPHACMD) {
        switch (Message.WParamHi()) {
            case smcNewSkin:
                if (LPARAM(M) == Message.LParam) {
                    SkinData->UpdateIndexes();
                    AlphaBroadCastCheck(SkinData->FOwnerControl, CtrlHandle, Message);
                }
                break;
            case smcRemoveSkin:
                if (LPARAM(M) == Message.LParam) RestoreStdParams();
                break;
            case smcRefresh:
                if (LPARAM(M) == Message.LParam) {
                    SkinData->UpdateIndexes();
                    SkinData->BGChanged = true;
                }
                break;
            case smcEndParentUpdate:
                EndParentUpdate(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
                break;
            case smcIsHandled:
                Message.Result = 1;
                return;
            case smcSetUpdating:
                SkinData->SetUpdating(Message.WParamLo() == 1);
                break;
            case smcGetColor:
                PassOn(Message);
                if (Message.Result == 0) Message.Result = LRESULT(GetBGColor(SkinData, 0, nullptr));
                return;
            case smcGetBGInfo: {
                PassOn(Message);
                auto* bg = reinterpret_cast<PacBGInfo>(Message.LParam);
                if (bg && bg->BgType == btUnknown) InitBGInfo(SkinData, bg, 0, nullptr);
                return;
            }
            case smcGetApplication:
                Message.Result = LRESULT(static_cast<fw::TApplication*>(fw::Application));
                return;
            default:
                break;
        }
        PassOn(Message);
        return;
    }
    PassOn(Message);
    if ((msg == WM_MOUSEWHEEL || msg == fw::CM_MOUSEWHEEL) && !DontRepaint) UpdateScrolls(this, true);
    if (msg == fw::CM_FOCUSCHANGED) UpdateScrolls(this, true);
    RepaintIfScrolled(msg);
}

void InitializeACScrolls(TacScrollWnd* sw, HWND Handle, bool Repaint) {
    sw->DontRepaint = false;
    sw->CtrlHandle = Handle;
    sw->sBarHorz = std::make_unique<TacScrollBar>();
    sw->sBarVert = std::make_unique<TacScrollBar>();
    sw->sBarHorz->nBarType = SB_HORZ;
    sw->sBarVert->nBarType = SB_VERT;
    sw->sBarHorz->ScrollInfo = ReadScrollInfo(Handle, SB_HORZ);
    sw->sBarVert->ScrollInfo = ReadScrollInfo(Handle, SB_VERT);
    sw->Edges.fLeftScrollbar = GetWindowLongPtrW(Handle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
    const LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
    sw->sBarHorz->fScrollFlags = (style & WS_HSCROLL) ? sbfStyleShows : 0;
    sw->sBarVert->fScrollFlags = (style & WS_VSCROLL) ? sbfStyleShows : 0;
    sw->bPreventStyleChange = false;
    InitializeACWnd(sw, Handle);
    sw->sBarHorz->nMinThumbSize = sw->sBarVert->nMinThumbSize = Ac_GetDefaultMinThumbSize();
    if (Repaint) Ac_RedrawNonClient(Handle, true);
}

// Any live wrapper lets go, also one whose skin data has no owner control (a
// dialog's child, a provider's bars): else the window would go on running a
// wrapper its owner has given up.
void UninitializeACScroll(HWND Handle, bool Free, bool Repaint, TacScrollWnd*& sw) {
    if (!sw || sw->Destroyed) return;
    TacMainWnd* w = sw;
    UninitializeACWnd(Handle, false, Repaint, w);
    if (sw->Destroyed) {
        sw->sBarHorz.reset();
        sw->sBarVert.reset();
    }
    if (Free) {
        TacScrollWnd* s = sw;
        sw = nullptr;
        delete s;
    }
}

TacScrollWnd* HookScrollWnd(HWND Handle, TsSkinManager* SkinManager, TsCommonData* SkinData) {
    if (WrapperOf(Handle)) return nullptr;
    return CreateWnd<TacScrollWnd>(true, Handle, SkinData, SkinManager, fw::String());
}

void InitControl(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager) {
    if (SkinManager && SkinManager->Active()) HookScrollWnd(Handle, SkinManager, SkinData);
}

void RefreshScrolls(TsCommonData* SkinData, TacScrollWnd*& ListSW) {
    if (!SkinData) return;
    auto* owner = dynamic_cast<fw::TWinControl*>(SkinData->FOwnerControl);
    if (!owner) return;
    const auto state = owner->ComponentState();
    if (state.Contains(fw::csLoading) || state.Contains(fw::csDestroying) || state.Contains(fw::csDesigning)) return;
    RefreshScrolls(owner, SkinData, ListSW);
}

void RefreshScrolls(fw::TWinControl* Owner, TsCommonData* SkinData, TacScrollWnd*& ListSW) {
    if (!Owner || !SkinData) return;
    if (SkinData->Skinned()) {
        if (Ac_UninitializeFlatSB) Ac_UninitializeFlatSB(Owner->Handle());
        if (ListSW && ListSW->Destroyed) {
            delete ListSW;
            ListSW = nullptr;
        }
        if (!ListSW)
            ListSW = CreateWnd<TacScrollWnd>(true, Owner->Handle(), SkinData, SkinData->GetSkinManager(),
                                             SkinData->SkinSection());
    } else {
        delete ListSW;
        ListSW = nullptr;
        if (Ac_InitializeFlatSB) Ac_InitializeFlatSB(Owner->Handle());
    }
}

void UpdateScrolls(TacScrollWnd* sw, bool Repaint) {
    if (!sw || !sw->SkinData || sw->SkinData->FUpdating || !sw->sBarHorz || !sw->sBarVert) return;
    sw->sBarHorz->ScrollInfo = ReadScrollInfo(sw->CtrlHandle, SB_HORZ);
    sw->sBarVert->ScrollInfo = ReadScrollInfo(sw->CtrlHandle, SB_VERT);
    if (Repaint && !InAnimationProcess) Ac_NCPaint(sw, sw->CtrlHandle, 1, 0, -1, nullptr);
}

namespace {

template <class F>
bool ForBars(HWND Handle, int wBar, F&& Set) {
    auto* sw = dynamic_cast<TacScrollWnd*>(WrapperOf(Handle));
    if (!sw || !sw->sBarHorz || !sw->sBarVert) return false;
    if (wBar == SB_HORZ || wBar == SB_BOTH) Set(*sw->sBarHorz);
    if (wBar == SB_VERT || wBar == SB_BOTH) Set(*sw->sBarVert);
    if (IsWindowVisible(Handle)) Ac_RedrawNonClient(Handle, true);
    return true;
}

}  // namespace

bool Scrolls_SetStyle(HWND Handle, int wBar, int Style) {
    return ForBars(Handle, wBar, [&](TacScrollBar& b) { b.fFlatScrollbar = WORD(Style); });
}

bool Ac_SetMinThumbSize(HWND Handle, WORD wBar, WORD Size) {
    return ForBars(Handle, wBar, [&](TacScrollBar& b) { b.nMinThumbSize = Size; });
}

TacScrollWnd* Ac_GetScrollWndFromHwnd(HWND Handle) { return dynamic_cast<TacScrollWnd*>(WrapperOf(Handle)); }

TacScrollBar* Ac_GetScrollBarFromHwnd(HWND Handle, WORD nBar) {
    TacScrollWnd* sw = Ac_GetScrollWndFromHwnd(Handle);
    if (!sw || nBar > SB_VERT) return nullptr;
    return sw->Bar(nBar);
}

void Ac_RedrawNonClient(HWND Handle, bool FrameChanged) {
    if (FrameChanged)
        SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    else
        SendMessageW(Handle, WM_NCPAINT, 1, 0);
}

bool Ac_ShowScrollBar(HWND Handle, int wBar, bool Show) {
    TacScrollWnd* sw = Ac_GetScrollWndFromHwnd(Handle);
    if (!sw || !sw->sBarHorz) return ShowScrollBar(Handle, wBar, Show);
    LONG_PTR style = sw->RealStyle();
    auto set = [&](TacScrollBar& b, LONG_PTR bit) {
        b.fScrollFlags = Show ? (b.fScrollFlags | sbfStyleShows) : (b.fScrollFlags & ~sbfStyleShows);
        style = Show ? (style | bit) : (style & ~bit);
    };
    if (wBar == SB_HORZ || wBar == SB_BOTH) set(*sw->sBarHorz, WS_HSCROLL);
    if (wBar == SB_VERT || wBar == SB_BOTH) set(*sw->sBarVert, WS_VSCROLL);
    if (sw->HoldingBars) {
        // The bits come back when the default handling ends.
        sw->HeldBars = style & kBarStyles;
        style &= ~kBarStyles;
    }
    SetWindowLongPtrW(Handle, GWL_STYLE, style);
    Ac_RedrawNonClient(Handle, true);
    return true;
}

int Ac_SetScrollInfo(HWND Handle, int nBar, const SCROLLINFO& si, bool Redraw) {
    TacScrollBar* bar = (nBar == SB_HORZ || nBar == SB_VERT) ? Ac_GetScrollBarFromHwnd(Handle, WORD(nBar)) : nullptr;
    if (!bar) return SetScrollInfo(Handle, nBar, &si, Redraw);
    const bool wasShown = bar->fScrollFlags & sbfStyleShows;
    const bool show = ApplyScrollInfo(bar->ScrollInfo, si, bar->fScrollFlags & sbfKeepShown);
    const bool changed = show != wasShown;
    if (changed) Ac_ShowScrollBar(Handle, nBar, show);
    TacScrollWnd* sw = Ac_GetScrollWndFromHwnd(Handle);
    if (Redraw && sw && !sw->fThumbTracking && IsWindowVisible(Handle)) Ac_RedrawNonClient(Handle, changed);
    return bar->ScrollInfo.nPos;
}

int AC_GetHScrollRect(TacScrollWnd* sw, HWND Handle, fw::TRect& R) {
    return skin::AC_GetHScrollRect(WindowRectOf(Handle), sw->Edges, *sw->sBarHorz, *sw->sBarVert, R);
}

void AC_GetVScrollRect(TacScrollWnd* sw, HWND Handle, fw::TRect& R) {
    skin::AC_GetVScrollRect(WindowRectOf(Handle), sw->Edges, *sw->sBarHorz, *sw->sBarVert, R);
}

fw::TRect BarScreenRect(TacScrollWnd* sw, int nBar) {
    fw::TRect R;
    if (nBar == SB_HORZ)
        AC_GetHScrollRect(sw, sw->CtrlHandle, R);
    else
        AC_GetVScrollRect(sw, sw->CtrlHandle, R);
    return R;
}

bool IsInParentCorner(TacScrollWnd* sw, HWND Handle, const fw::TRect& R) {
    HWND parent = GetParent(Handle);
    fw::TRect client;
    if (parent) {
        RECT c{};
        GetClientRect(parent, &c);
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&c), 2);
        client = fw::TRect(c);
    }
    return skin::IsInParentCorner(sw->Edges, R, parent != nullptr, parent && !GetParent(parent), client);
}

bool Ac_IsScrollbarActive(TacScrollWnd* sw, const TacScrollBar& Bar) {
    if (!GetScrollBarInfoProc) {
        const LONG_PTR style = sw->RealStyle();
        return style & (Bar.Vertical() ? WS_VSCROLL : WS_HSCROLL);
    }
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    const LONG id = Bar.nBarType == SB_HORZ ? OBJID_HSCROLL : Bar.nBarType == SB_VERT ? OBJID_VSCROLL : OBJID_CLIENT;
    const bool reported = GetScrollBarInfoProc(sw->CtrlHandle, id, &info);
    return ScrollBarUsable(Bar, reported, info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
}

LRESULT Ac_NCCalcSize(TacScrollWnd* sw, HWND Handle, WPARAM WParam, LPARAM LParam) {
    RECT* rc = reinterpret_cast<RECT*>(LParam);
    const fw::TRect old(*rc);
    const LONG_PTR style = sw->RealStyle();
    LRESULT result = 0;
    WithoutBarStyles(sw, Handle, [&] { result = sw->CallPrevWndProc(Handle, WM_NCCALCSIZE, WParam, LParam); });
    const fw::TRect def(*rc);
    if (!sw->sBarHorz || !sw->sBarVert) {
        sw->Edges.cxLeftEdge = def.Left - old.Left;
        sw->Edges.cxRightEdge = old.Right - def.Right;
        sw->Edges.cyTopEdge = def.Top - old.Top;
        sw->Edges.cyBottomEdge = old.Bottom - def.Bottom;
        return result;
    }
    *rc = Ac_NCCalcRoom(old, def, style, sw->Edges, *sw->sBarHorz, *sw->sBarVert);
    return result;
}

LRESULT Ac_NCHitTest(TacScrollWnd* sw, HWND Handle, WPARAM WParam, LPARAM LParam) {
    if (!sw->sBarHorz || !sw->sBarVert) return sw->CallPrevWndProc(Handle, WM_NCHITTEST, WParam, LParam);
    const fw::TPoint P(short(LOWORD(LParam)), short(HIWORD(LParam)));
    fw::TRect H, V;
    AC_GetHScrollRect(sw, Handle, H);
    AC_GetVScrollRect(sw, Handle, V);
    const fw::TRect C = CornerRect(WindowRectOf(Handle), sw->Edges, *sw->sBarHorz, *sw->sBarVert);
    const bool corner = sw->sBarHorz->fScrollVisible && sw->sBarVert->fScrollVisible && IsInParentCorner(sw, Handle, C);
    const int hit = skin::Ac_NCHitTest(H, V, C, *sw->sBarHorz, *sw->sBarVert, Ac_IsScrollbarActive(sw, *sw->sBarHorz),
                                       Ac_IsScrollbarActive(sw, *sw->sBarVert), corner, P);
    return hit >= 0 ? hit : sw->CallPrevWndProc(Handle, WM_NCHITTEST, WParam, LParam);
}

LRESULT Ac_StyleChange(TacScrollWnd* sw, HWND Handle, WPARAM WParam, LPARAM LParam) {
    if (LONG(WParam) == GWL_EXSTYLE && LParam)
        sw->Edges.fLeftScrollbar = reinterpret_cast<const STYLESTRUCT*>(LParam)->styleNew & WS_EX_LEFTSCROLLBAR;
    return sw->CallPrevWndProc(Handle, WM_STYLECHANGED, WParam, LParam);
}

TCacheInfo WindowBackground(TacScrollWnd* sw, HWND Handle, const fw::TRect& R, TacBGInfo& Keep) {
    (void)sw;
    Keep = TacBGInfo();
    GetBGInfo(&Keep, Handle, false);
    TCacheInfo ci = BGInfoToCI(Keep);
    // The answer is about the client area; the bars lie around it.
    const POINT o = ClientOrigin(Handle);
    ci.X += R.Left - o.x;
    ci.Y += R.Top - o.y;
    return ci;
}

void Ac_NCPaint(TacScrollWnd* sw, HWND Handle, WPARAM WParam, LPARAM LParam, int ThumbPos, HDC DC) {
    (void)WParam;
    (void)LParam;
    if (!sw || !sw->sBarHorz || !sw->sBarVert) return;
    if (TsCommonData* sd = sw->SkinData) {
        sd->FUpdating = sd->GetUpdating();
        if (sd->FUpdating) return;
        if (fw::TControl* c = sd->FOwnerControl) {
            auto* wc = dynamic_cast<fw::TWinControl*>(c);
            if (c->ControlState().Contains(fw::csCreating) || !(wc ? wc->Showing() : c->Visible())) return;
        }
        if (sd->BGChanged) SendMessageW(sw->CtrlHandle, SM_ALPHACMD, WPARAM(smcPrepareCache) << 16, 0);
    }
    const fw::TRect WR = WindowRectOf(Handle);
    HDC dc = DC ? DC : GetWindowDC(Handle);
    if (!dc) return;
    const TacScrollTracking& t = acTracking;
    if (sw->sBarHorz->fScrollVisible)
        Ac_NCDrawScrollbar(sw, SB_HORZ, Handle, dc, Moved(BarScreenRect(sw, SB_HORZ), -WR.Left, -WR.Top),
                           t.PressedBar == SB_HORZ ? t.PressedPortion : -1, ThumbPos);
    if (sw->sBarVert->fScrollVisible)
        Ac_NCDrawScrollbar(sw, SB_VERT, Handle, dc, Moved(BarScreenRect(sw, SB_VERT), -WR.Left, -WR.Top),
                           t.PressedBar == SB_VERT ? t.PressedPortion : -1, ThumbPos);
    if (sw->sBarHorz->fScrollVisible && sw->sBarVert->fScrollVisible) {
        const fw::TRect C = CornerRect(WR, sw->Edges, *sw->sBarHorz, *sw->sBarVert);
        const fw::TRect local = Moved(C, -WR.Left, -WR.Top);
        if (local.Width() > 0 && local.Height() > 0) {
            TacBGInfo keep;
            const TCacheInfo bg = WindowBackground(sw, Handle, local, keep);
            fw::TBitmap square(local.Width(), local.Height(), fw::pf24bit);
            PaintScrollCorner(&square, sw->SkinData ? sw->SkinData->GetSkinManager() : nullptr, bg,
                              IsInParentCorner(sw, Handle, C));
            BitBlt(dc, local.Left, local.Top, local.Width(), local.Height(), square.Canvas()->Handle(), 0, 0, SRCCOPY);
        }
    }
    if (!DC) ReleaseDC(Handle, dc);
}

bool Ac_NCDrawScrollbar(TacScrollWnd* sw, int nBar, HWND Handle, HDC DC, const fw::TRect& R, int Pressed,
                        int ThumbPos) {
    TacScrollBar* bar = sw ? sw->Bar(nBar) : nullptr;
    TsSkinManager* M = sw && sw->SkinData ? sw->SkinData->GetSkinManager() : nullptr;
    if (!bar || sw->fThumbTracking || !bar->fScrollVisible || !M) return false;
    if (nBar == SB_VERT && sw->DontRepaint) return false;
    const int length = bar->Vertical() ? R.Height() : R.Width();
    const int thickness = bar->Vertical() ? R.Width() : R.Height();
    if (length <= 1) return false;
    bar->ScrollInfo = ReadScrollInfo(Handle, nBar);
    const TacScrollTracking& t = acTracking;
    bool active = Ac_IsScrollbarActive(sw, *bar);
    if (fw::TControl* c = sw->SkinData->FOwnerControl) active = active && c->Enabled();
    const bool hot = Handle == t.HotWnd;
    if (!hot) Pressed = -1;
    const int hover = hot && t.HoverBar == nBar ? t.HoverPortion : -1;
    return DrawBarLook(sw, nBar, Handle, DC, R,
                       BarLookOf(*bar, length, thickness, M, Pressed, hover, active, ThumbPos));
}

bool DrawBarLook(TacScrollWnd* sw, int nBar, HWND Handle, HDC DC, const fw::TRect& R, const TacBarLook& Look) {
    TsSkinManager* M = sw->SkinData ? sw->SkinData->GetSkinManager() : nullptr;
    TacBGInfo keep;
    const TCacheInfo bg = WindowBackground(sw, Handle, R, keep);
    fw::TBitmap bmp(R.Width(), R.Height(), fw::pf24bit);
    if (!PaintScrollBar(&bmp, Look, M, bg)) return false;
    BitBlt(DC, R.Left, R.Top, R.Width(), R.Height(), bmp.Canvas()->Handle(), 0, 0, SRCCOPY);
    sw->Painted[nBar] = sw->Bar(nBar)->ScrollInfo;
    return true;
}

}  // namespace skin
