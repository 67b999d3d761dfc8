#include "skin/windows/acEditWnd.h"

#include "framework/graphics/Color.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/Messages.h"
#include "framework/windows/StdCtrls.h"

namespace skin {

namespace {

bool Visible(HWND h) { return IsWindowVisible(h) != FALSE; }

// The client's place in the window (a bar on the left moves it).
POINT ClientOffset(HWND Handle) {
    RECT wr{};
    GetWindowRect(Handle, &wr);
    POINT o{0, 0};
    ClientToScreen(Handle, &o);
    return {o.x - wr.left, o.y - wr.top};
}

}  // namespace

fw::TControl* OwnerControlOf(TacMainWnd* W) { return W && W->SkinData ? W->SkinData->FOwnerControl : nullptr; }

bool NothingToPaint(HDC DC) {
    if (!DC || DC == acPrintDC) return false;
    RECT r;
    return GetClipBox(DC, &r) == NULLREGION;
}

// ---- TacBaseWnd

void TacBaseWnd::acWndProc(fw::TMessage& Message) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (Destroyed || !SkinData || !SkinData->Skinned()) {
        TacScrollWnd::acWndProc(Message);
        return;
    }
    const UINT msg = Message.Msg;
    if (msg == SM_ALPHACMD) {
        switch (Message.WParamHi()) {
            case smcRefresh:
                if (LPARAM(M) == Message.LParam) {
                    TacScrollWnd::acWndProc(Message);
                    if (Visible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
                    return;
                }
                break;
            case smcPrepareCache:
                skin::PrepareCache(SkinData, CtrlHandle, false);
                break;
            default:
                break;
        }
    } else if (msg == WM_SIZE) {
        SkinData->BGChanged = true;
    } else if (msg == 0x2100) {
        return;  // never sent by anyone here; kept away from the control
    }
    TacScrollWnd::acWndProc(Message);
    if (Destroyed) return;
    switch (msg) {
        case WM_SIZE:
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (!DontRepaint) UpdateScrolls(this, true);
            break;
        case WM_ENABLE:
        case fw::CM_ENABLEDCHANGED:
            if (Visible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
            break;
        default:
            break;
    }
}

// ---- TacEditWnd

TacEditWnd::TacEditWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                       const fw::String& SkinSection, bool ThemeOffAllowed)
    : TacBaseWnd(AHandle, ASkinData, ASkinManager, SkinSection.empty() ? fw::String(L"EDIT") : SkinSection,
                 ThemeOffAllowed && AHandle) {
    SkinData->SetSkinSection(SkinSection.empty() ? fw::String(L"EDIT") : SkinSection);
}

void TacEditWnd::AfterCreate(bool Repaint) {
    if (!CtrlHandle) return;  // no window: an empty wrapper, nothing hooked
    fw::TControl* c = OwnerControlOf(this);
    const bool opaque = c && c->ControlStyle().Contains(fw::csOpaque);
    TacBaseWnd::AfterCreate(Repaint);
    // A list view keeps the opacity it had: its own wrapper decides it.
    if (c && !opaque && dynamic_cast<fw::TCustomListView*>(c))
        c->SetControlStyle(c->ControlStyle() - fw::TControlStyle{fw::csOpaque});
}

void TacEditWnd::SaveStdParams() {
    fw::TControl* c = OwnerControlOf(this);
    if (!c) return;
    StdColor = c->Color();
    StdFontColor = c->Font()->Color();
    if (HasProperty(c, L"FocusColor")) FocusColor = fw::TColor(GetIntProp(c, L"FocusColor"));
}

void TacEditWnd::RestoreStdParams() {
    if (Visible(CtrlHandle))
        SetWindowPos(CtrlHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    fw::TControl* c = OwnerControlOf(this);
    if (!c || c->ComponentState().Contains(fw::csDestroying)) return;
    c->SetColor(StdColor);
    c->Font()->SetColor(StdFontColor);
    if (HasProperty(c, L"FocusColor")) SetIntProp(c, L"FocusColor", int(FocusColor));
}

void TacEditWnd::SetSkinParams() {
    if (bPreventStyleChange) return;
    SkinData->SetUpdating(true);
    bPreventStyleChange = true;
    ParamsChanged = true;
    const TsGeneralData* g = SkinData->Section();
    if (fw::TControl* c = OwnerControlOf(this)) {
        if (!SkinData->CustomColor()) {
            const fw::TColor v = GetBGColor(SkinData, ControlIsActive(SkinData) ? 1 : 0, nullptr);
            // The colour through the control itself: a class may publish
            // FocusColor without publishing Color.
            if (c->Color() != v) c->SetColor(v);
            if (HasProperty(c, L"FocusColor")) SetIntProp(c, L"FocusColor", int(v));
        }
        if (!SkinData->CustomFont() && g && g->HotFontColor[0] != c->Font()->Color()) {
            c->Font()->SetColor(g->HotFontColor[0]);
            if (Destroyed) return;
        }
    } else {
        Color = (!DlgMode && g) ? g->Color : fw::clWindow;
        FrameColor = 0;
    }
    SkinData->BGChanged = true;
    bPreventStyleChange = false;
    SkinData->SetUpdating(false);
}

void TacEditWnd::PaintFrame(HDC DC) {
    fw::TBitmap* cache = SkinData->FCacheBmp;
    if (!cache) return;
    const int w = cache->Width(), h = cache->Height();
    const int save = SaveDC(DC);
    BitBltBorder(DC, 0, 0, w, h, cache->Canvas()->Handle(), 0, 0, FrameWidth());
    Ac_NCPaint(this, CtrlHandle, 1, 0, -1, DC);
    RestoreDC(DC, save);
}

void TacEditWnd::PrintTo(HDC DC, LPARAM Flags) {
    InitCtrlData(this);
    SkinData->SetUpdating(false);
    SkinData->BGChanged = true;
    if (!ParamsChanged) SetSkinParams();
    skin::PrepareCache(SkinData, CtrlHandle, DlgMode);
    if (!DlgMode) UpdateWndCorners(SkinData, 0, this);
    PaintFrame(DC);
    // The client at its place: origin moved, clipped to the client's size.
    RECT cr{};
    GetClientRect(CtrlHandle, &cr);
    const POINT o = ClientOffset(CtrlHandle);
    const int save = SaveDC(DC);
    POINT old;
    OffsetViewportOrgEx(DC, o.x, o.y, &old);
    IntersectClipRect(DC, 0, 0, cr.right, cr.bottom);
    SendMessageW(CtrlHandle, WM_ERASEBKGND, WPARAM(DC), 0);
    SendMessageW(CtrlHandle, WM_PAINT, WPARAM(DC), 0);
    SendMessageW(CtrlHandle, WM_PRINTCLIENT, WPARAM(DC), PRF_CLIENT | PRF_OWNED);
    RestoreDC(DC, save);
    (void)Flags;
}

void TacEditWnd::acWndProc(fw::TMessage& Message) {
    if (!SkinData || !SkinData->Skinned() || Destroyed) {
        TacBaseWnd::acWndProc(Message);
        return;
    }
    TsSkinManager* M = SkinData->GetSkinManager();
    const UINT msg = Message.Msg;
    if (msg == SM_ALPHACMD) {
        switch (Message.WParamHi()) {
            case smcRefresh:
                if (LPARAM(M) == Message.LParam) {
                    TacBaseWnd::acWndProc(Message);
                    if (!Destroyed) SetSkinParams();
                    return;
                }
                break;
            case smcEndParentUpdate:
                EndParentUpdate(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
                break;
            case smcIsHandled:
                Message.Result = 1;
                return;
            case smcPrepareCache:
                InitCtrlData(this);
                skin::PrepareCache(SkinData, CtrlHandle, DlgMode);
                UpdateWndCorners(SkinData, 0, this);
                return;
            case smcGetSkinIndex:
                if (Message.LParam) *reinterpret_cast<int*>(Message.LParam) = SkinData->SkinIndex;
                return;
            case smcGetApplication:
                Message.Result = LRESULT(static_cast<fw::TApplication*>(fw::Application));
                return;
            default:
                break;
        }
        TacBaseWnd::acWndProc(Message);
        return;
    }
    const bool special = Visible(CtrlHandle) && !bPreventStyleChange;
    switch (msg) {
        case WM_PAINT: {
            if (!special) break;
            if (NothingToPaint(HDC(Message.WParam))) return;
            SkinData->FUpdating = SkinData->GetUpdating();
            if (SkinData->FUpdating || (InAnimationProcess && !acPrintDC)) {
                PAINTSTRUCT ps;
                BeginPaint(CtrlHandle, &ps);
                EndPaint(CtrlHandle, &ps);
                return;
            }
            // The bars into the window DC (a given DC may be a printed client).
            if (!Message.WParam) Ac_NCPaint(this, CtrlHandle, Message.WParam, Message.LParam, -1, nullptr);
            if (!ParamsChanged) SetSkinParams();
            break;
        }
        case WM_ERASEBKGND:
            if (!special) break;
            if (NothingToPaint(HDC(Message.WParam))) return;
            if (SkinData->FUpdating) return;
            if (!ParamsChanged) SetSkinParams();
            // An animation shows the window's image: an erase on the screen
            // would flash through it.
            if (fw::Win32MajorVersion > 5 && InAnimationProcess && HDC(Message.WParam) != acPrintDC) {
                Message.Result = 1;
                return;
            }
            break;
        case WM_NCPAINT: {
            if (!special) break;
            if (InAnimationProcess) return;
            HDC dc = GetWindowDC(CtrlHandle);
            if (!dc) return;
            if (!NothingToPaint(dc)) {
                InitCtrlData(this);
                SkinData->FUpdating = SkinData->GetUpdating();
                if (!SkinData->FUpdating) {
                    if (SkinData->BGChanged) {
                        if (!ParamsChanged) SetSkinParams();
                        skin::PrepareCache(SkinData, CtrlHandle, DlgMode);
                        if (!DlgMode) UpdateWndCorners(SkinData, 0, this);
                    }
                    PaintFrame(dc);
                }
            }
            ReleaseDC(CtrlHandle, dc);
            return;
        }
        case WM_PRINT:
            if (!special) break;
            PrintTo(HDC(Message.WParam), Message.LParam);
            // The frame and the client are composed: what is left of the
            // request goes on (Wine would paint the client again at 0, 0).
            Message.LParam &= ~LPARAM(PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
            TacBaseWnd::acWndProc(Message);
            return;
        case fw::CM_FONTCHANGED:
            if (!SkinData->FUpdating)
                RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
            break;
        default:
            break;
    }
    TacBaseWnd::acWndProc(Message);
    if (Destroyed) return;
    fw::TControl* owner = OwnerControlOf(this);
    switch (msg) {
        case WM_SIZE:
            if (Visible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (auto* wc = dynamic_cast<fw::TWinControl*>(owner);
                wc && MayBeHot(SkinData) && wc->CanFocus() && wc->TabStop()) {
                SkinData->BGChanged = true;
                SkinData->FFocused = msg == WM_SETFOCUS;
                SendMessageW(wc->Handle(), WM_NCPAINT, 0, 0);
            }
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_LBUTTONDOWN:
        case fw::CN_KEYDOWN:
        case fw::CN_KEYUP:
            if (!DontRepaint) UpdateScrolls(this, true);
            break;
        case EM_REPLACESEL:
        case LB_ADDSTRING:
        case LB_INSERTSTRING:
        case LB_SETCURSEL:
        case LB_SETTOPINDEX:
            UpdateScrolls(this, true);
            break;
        case LB_GETTOPINDEX:
            if (auto* lb = dynamic_cast<fw::TCustomListBox*>(owner);
                lb && lb->Items()->Count() == 0 && Message.Result == 0)
                Message.Result = -1;
            break;
        case WM_MOUSEMOVE:
            if (DefaultManager && IsWindowEnabled(CtrlHandle) && DefaultManager->ActiveControl() != CtrlHandle)
                DefaultManager->SetActiveControl(CtrlHandle);
            if (!SkinData->FUpdating && GetCapture()) UpdateScrolls(this, true);
            break;
        case fw::CM_MOUSEENTER:
        case fw::CM_MOUSELEAVE:
            if (MayBeHot(SkinData)) {
                SkinData->FMouseAbove = msg == fw::CM_MOUSEENTER;
                if (msg == fw::CM_MOUSEENTER && SkinData->COC == 227) ShowGlowingIfNeeded(SkinData, false, nullptr);
                if (auto* wc = dynamic_cast<fw::TWinControl*>(owner)) {
                    SkinData->BGChanged = true;
                    SendMessageW(wc->Handle(), WM_NCPAINT, 0, 0);
                }
                if (msg == fw::CM_MOUSELEAVE) ClearGlows();
            }
            break;
        default:
            break;
    }
}

void RefreshEditScrolls(TsCommonData* SkinData, TacScrollWnd*& ListSW) {
    RefreshScrollsAs<TacEditWnd>(SkinData, ListSW);
}

}  // namespace skin
