#include "skin/windows/acPanelWnd.h"

#include <algorithm>

#include "framework/graphics/Color.h"
#include "framework/windows/Application.h"
#include "skin/engine/sBitmapBase.h"

namespace skin {

namespace {

bool SkinActive(TsCommonData* SkinData) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    return M && M->Active() && SkinData->Skinned();
}

// Half the difference of the window's and the client's widths: the frame.
int FrameOf(HWND Handle) {
    RECT w{}, c{};
    GetWindowRect(Handle, &w);
    GetClientRect(Handle, &c);
    return std::max(0, int((w.right - w.left) - (c.right - c.left)) / 2);
}

void CopyCache(TsCommonData* SkinData, HDC DC, int X, int Y, int W, int H, int SrcX, int SrcY) {
    if (!SkinData->FCacheBmp || W <= 0 || H <= 0) return;
    BitBlt(DC, X, Y, W, H, SkinData->FCacheBmp->Canvas()->Handle(), SrcX, SrcY, SRCCOPY);
}

}  // namespace

const wchar_t* PanelSectionOf(fw::TBevelCut Outer, fw::TBevelCut Inner, fw::TBorderStyle Border) {
    switch (Outer) {
        case fw::bvLowered:
            return Inner == fw::bvRaised ? L"GROUPBOX" : L"PANEL_LOW";
        case fw::bvRaised:
            return Inner == fw::bvLowered ? L"GROUPBOX" : L"PANEL";
        default:
            return Border != fw::bsNone ? L"PANEL_LOW" : L"CHECKBOX";
    }
}

fw::TPoint GripPlace(SIZE Wnd, SIZE Image) {
    return fw::TPoint(std::max(0, int(Wnd.cx - Image.cx)), std::max(0, int(Wnd.cy - Image.cy)));
}

// ---- TacPanelWnd

TacPanelWnd::TacPanelWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                         const fw::String& SkinSection)
    : TacMainWnd(AHandle, ASkinData, ASkinManager, SkinSection) {
    if (!SkinSection.empty()) return;
    if (fw::TCustomPanel* p = Panel())
        SkinData->SetSkinSection(PanelSectionOf(p->BevelOuter(), p->BevelInner(), p->BorderStyle()));
}

fw::TCustomPanel* TacPanelWnd::Panel() const {
    return SkinData ? dynamic_cast<fw::TCustomPanel*>(SkinData->FOwnerControl) : nullptr;
}

int TacPanelWnd::FrameWidth() const { return FrameOf(CtrlHandle); }

void TacPanelWnd::WriteText(fw::TRect R, fw::TCanvas* aCanvas, HDC aDC) {
    (void)aDC;
    fw::TControl* owner = SkinData->FOwnerControl;
    if (owner) aCanvas->SetFont(owner->Font());
    aCanvas->Brush()->SetStyle(fw::bsClear);
    const int th = aCanvas->TextHeight(L"W");
    R.Top = (R.Top + R.Bottom - th) / 2;
    R.Bottom = R.Top + th;
    const fw::String text = owner ? owner->Caption() : Caption;
    acWriteTextEx(aCanvas, text.c_str(), owner ? owner->Enabled() : true, R, DT_CENTER | DT_VCENTER, SkinData, false);
}

void TacPanelWnd::PrepareCache() {
    InitCtrlData(this);
    SkinData->InitCacheBmp();
    fw::TBitmap* cache = SkinData->FCacheBmp;
    cache->SetSize(WndSize.cx, WndSize.cy);
    const TCacheInfo CI = GetParentCache(SkinData);
    fw::TCustomPanel* p = Panel();
    const fw::TPoint pos = p ? fw::TPoint(p->Left(), p->Top()) : WndPos;
    PaintItem(SkinData, CI, false, 0, fw::TRect(0, 0, WndSize.cx, WndSize.cy), pos, cache, false);
    // The caption is centred in what the bevels and the border leave of the
    // client area, placed in the cache where the client lies in the window.
    const int b = FrameWidth();
    RECT cr{};
    GetClientRect(CtrlHandle, &cr);
    fw::TRect R(cr.left + b, cr.top + b, cr.right + b, cr.bottom + b);
    if (p) {
        int inset = p->BorderWidth();
        if (p->BevelOuter() != fw::bvNone) inset += p->BevelWidth();
        if (p->BevelInner() != fw::bvNone) inset += p->BevelWidth();
        R = fw::TRect(R.Left + inset, R.Top + inset, R.Right - inset, R.Bottom - inset);
        if (p->ShowCaption()) WriteText(R, cache->Canvas(), nullptr);
    } else {
        WriteText(R, cache->Canvas(), nullptr);
    }
    SkinData->BGChanged = false;
}

void TacPanelWnd::AC_WMPaint(HDC aDC, bool ClientDC) {
    fw::TCustomPanel* p = Panel();
    if (p && p->ComponentState().Contains(fw::csDestroying)) return;
    if (p && p->Parent() && p->Parent()->ControlState().Contains(fw::csCreating)) return;
    HDC DC = aDC ? aDC : GetWindowDC(CtrlHandle);
    if (!aDC) ClientDC = false;
    const int save = SaveDC(DC);
    SkinData->FUpdating = SkinData->GetUpdating();
    if (!SkinData->FUpdating) {
        InitCtrlData(this);
        const bool moved = SkinData->RepaintIfMoved();
        const bool repaint = SkinData->HalfVisible || SkinData->BGChanged || !SkinData->FCacheBmp ||
                             SkinData->FCacheBmp->Width() != WndSize.cx || SkinData->FCacheBmp->Height() != WndSize.cy;
        if (moved) {
            RECT clip{};
            GetClipBox(DC, &clip);
            SkinData->HalfVisible = (clip.right - clip.left) != WndSize.cx || (clip.bottom - clip.top) != WndSize.cy;
        } else {
            SkinData->HalfVisible = false;
        }
        if (repaint) PrepareCache();
        // The client part only: the frame comes with WM_NCPAINT. An erase's
        // DC starts at the client's corner, a window DC at the frame's.
        const int b = FrameWidth();
        const int at = ClientDC ? 0 : b;
        const fw::TRect R2(at, at, at + WndSize.cx - 2 * b, at + WndSize.cy - 2 * b);
        if (auto* wc = dynamic_cast<fw::TWinControl*>(SkinData->FOwnerControl)) {
            CopyWinControlCache(wc, SkinData, fw::TRect(b, b, 0, 0), R2, DC, true, at, at);
            PaintControls(DC, wc, repaint && moved, fw::TPoint(at, at));
            SetParentUpdated(wc);
        } else {
            CopyHwndCache(CtrlHandle, SkinData, fw::TRect(b, b, 0, 0), R2, DC, true, at, at);
            SetParentUpdated(CtrlHandle);
        }
    }
    RestoreDC(DC, save);
    if (!aDC) ReleaseDC(CtrlHandle, DC);
}

void TacPanelWnd::AC_WMNCPaint(HDC aDC) {
    InitCtrlData(this);
    const int b = FrameWidth();
    if (b <= 0) return;
    // The frame shares the client's cache; one made for another size (or
    // before the first erase) is made again first.
    if (SkinData->BGChanged || !SkinData->FCacheBmp || SkinData->FCacheBmp->Width() != WndSize.cx ||
        SkinData->FCacheBmp->Height() != WndSize.cy)
        PrepareCache();
    HDC DC = aDC ? aDC : GetWindowDC(CtrlHandle);
    BitBltBorder(DC, 0, 0, WndSize.cx, WndSize.cy, SkinData->FCacheBmp->Canvas()->Handle(), 0, 0, b);
    if (!aDC) ReleaseDC(CtrlHandle, DC);
}

void TacPanelWnd::acWndProc(fw::TMessage& Message) {
    fw::TControl* owner = SkinData ? SkinData->FOwnerControl : nullptr;
    if (Destroyed || !owner || !owner->ControlStyle().Contains(fw::csAcceptsControls)) {
        TacMainWnd::acWndProc(Message);
        return;
    }
    const bool skinned = SkinActive(SkinData);
    if (Message.Msg == SM_ALPHACMD) {
        switch (Message.WParamHi()) {
            case smcRefresh:
                TacMainWnd::acWndProc(Message);
                AlphaBroadCastCheck(owner, CtrlHandle, Message);
                return;
            case smcRemoveSkin:
                SkinData->SkinIndex = -1;
                owner->SetControlStyle(owner->ControlStyle() - fw::TControlStyle{fw::csOpaque});
                break;
            case smcEndParentUpdate:
                SkinData->FUpdating = false;
                RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
                return;
            case smcIsHandled:
                Message.Result = 1;
                return;
            case smcPrepareCache:
                return;
            case smcGetApplication:
                Message.Result = LRESULT(static_cast<fw::TApplication*>(fw::Application));
                return;
            default:
                break;
        }
        TacMainWnd::acWndProc(Message);
        return;
    }
    if (skinned) switch (Message.Msg) {
            case WM_SETTEXT:
                if (!IsWindowVisible(CtrlHandle)) break;
                SendMessageW(CtrlHandle, WM_SETREDRAW, 0, 0);
                TacMainWnd::acWndProc(Message);
                SendMessageW(CtrlHandle, WM_SETREDRAW, 1, 0);
                SkinData->BGChanged = true;
                SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
                return;
            case WM_PAINT: {
                // The erase the paint brings does the painting.
                InvalidateRect(CtrlHandle, nullptr, TRUE);
                PAINTSTRUCT ps;
                BeginPaint(CtrlHandle, &ps);
                EndPaint(CtrlHandle, &ps);
                return;
            }
            case WM_ERASEBKGND:
                AC_WMPaint(HDC(Message.WParam), true);
                Message.Result = 1;
                return;
            case WM_UPDATEUISTATE:
                Message.Result = 1;
                return;
            case WM_NCPAINT:
                AC_WMNCPaint(nullptr);
                Message.Result = 0;
                return;
            case WM_PARENTNOTIFY:
                if (LOWORD(Message.WParam) == WM_CREATE || LOWORD(Message.WParam) == WM_DESTROY) {
                    TacMainWnd::acWndProc(Message);
                    if (LOWORD(Message.WParam) == WM_CREATE)
                        if (auto* wc = dynamic_cast<fw::TWinControl*>(owner)) AddToAdapter(wc);
                    return;
                }
                break;
            case WM_PRINT:
                AC_WMPaint(HDC(Message.WParam));
                AC_WMNCPaint(HDC(Message.WParam));
                return;
            default:
                break;
        }
    const UINT msg = Message.Msg;
    TacMainWnd::acWndProc(Message);
    if (msg == WM_WINDOWPOSCHANGING && !Destroyed && skinned) SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
}

// ---- TacDlgPanelWnd

TacDlgPanelWnd::TacDlgPanelWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                               const fw::String& SkinSection)
    : TacMainWnd(AHandle, ASkinData, ASkinManager, SkinSection) {
    fw::TComponent* c = fw::Application.Exists() ? FindComponentByHandle(AHandle, fw::Application) : nullptr;
    Panel = dynamic_cast<fw::TPanel*>(c);
    if (Panel && Panel->ClassName() == L"TPanel") {
        SkinData->SetSkinSection(L"CHECKBOX");
        TakeGlobalColor();
    } else {
        SkinData->SetSkinSection(L"GROUPBOX");
    }
}

void TacDlgPanelWnd::TakeGlobalColor() {
    TsSkinManager* M = SkinData->GetSkinManager();
    if (Panel && M && Panel->Color() != M->GetGlobalColor()) Panel->SetColor(M->GetGlobalColor());
}

void TacDlgPanelWnd::SetSkinParams() {
    TacMainWnd::SetSkinParams();
    TakeGlobalColor();
}

void TacDlgPanelWnd::PrepareCache() {
    InitCtrlData(this);
    SkinData->InitCacheBmp();
    fw::TBitmap* cache = SkinData->FCacheBmp;
    if (cache->Width() != WndSize.cx || cache->Height() != WndSize.cy) cache->SetSize(WndSize.cx, WndSize.cy);
    const TCacheInfo CI = GetParentCacheHwnd(CtrlHandle);
    PaintItem(SkinData, CI, false, 0, fw::TRect(0, 0, WndSize.cx, WndSize.cy), WndPos, cache, false);
    SkinData->BGChanged = false;
}

void TacDlgPanelWnd::AC_WMPaint(HDC aDC, bool ClientDC) {
    if (!SkinData->Skinned()) return;
    HDC DC = aDC ? aDC : GetWindowDC(CtrlHandle);
    if (!aDC) ClientDC = false;
    const int save = SaveDC(DC);
    SkinData->FUpdating = SkinData->GetUpdating();
    if (!SkinData->FUpdating) {
        PrepareCache();
        const int b = FrameOf(CtrlHandle);
        const int at = ClientDC ? 0 : b;
        CopyCache(SkinData, DC, at, at, WndSize.cx - 2 * b, WndSize.cy - 2 * b, b, b);
    }
    RestoreDC(DC, save);
    if (!aDC) ReleaseDC(CtrlHandle, DC);
}

void TacDlgPanelWnd::AC_WMNCPaint(HDC aDC) {
    InitCtrlData(this);
    const int b = FrameOf(CtrlHandle);
    SkinData->BGChanged = true;
    PrepareCache();
    HDC DC = aDC ? aDC : GetWindowDC(CtrlHandle);
    // Six pixels more than the window's own border: the panel's bevels.
    BitBltBorder(DC, 0, 0, WndSize.cx, WndSize.cy, SkinData->FCacheBmp->Canvas()->Handle(), 0, 0, b + 6);
    if (!aDC) ReleaseDC(CtrlHandle, DC);
}

void TacDlgPanelWnd::acWndProc(fw::TMessage& Message) {
    if (Destroyed || !SkinActive(SkinData)) {
        TacMainWnd::acWndProc(Message);
        return;
    }
    if (Message.Msg == SM_ALPHACMD) {
        if (Message.WParamHi() == smcNewSkin) AlphaBroadCastCheck(nullptr, CtrlHandle, Message);
        TacMainWnd::acWndProc(Message);
        return;
    }
    switch (Message.Msg) {
        case WM_SETTEXT:
            if (IsWindowVisible(CtrlHandle)) SkinData->BGChanged = true;
            break;
        case WM_PAINT: {
            TakeGlobalColor();
            PAINTSTRUCT ps;
            BeginPaint(CtrlHandle, &ps);
            EndPaint(CtrlHandle, &ps);
            return;
        }
        case WM_ERASEBKGND: {
            HDC DC = HDC(Message.WParam);
            const int save = SaveDC(DC);
            AC_WMPaint(DC, true);
            // The panel paints its own content inside its bevels.
            const int b = FrameOf(CtrlHandle);
            IntersectClipRect(DC, 6, 6, WndSize.cx - 2 * b - 6, WndSize.cy - 2 * b - 6);
            LPARAM lp = 0;
            CallPrevWndProc(CtrlHandle, WM_PAINT, WPARAM(DC), lp);
            RestoreDC(DC, save);
            Message.Result = 1;
            return;
        }
        case WM_NCPAINT:
            AC_WMNCPaint(nullptr);
            Message.Result = 1;
            return;
        case WM_UPDATEUISTATE:
            Message.Result = 1;
            return;
        case WM_PARENTNOTIFY:
            if (LOWORD(Message.WParam) == WM_CREATE || LOWORD(Message.WParam) == WM_DESTROY) {
                TacMainWnd::acWndProc(Message);
                TakeGlobalColor();
                if (LOWORD(Message.WParam) == WM_CREATE)
                    if (auto* wc = dynamic_cast<fw::TWinControl*>(SkinData->FOwnerControl)) AddToAdapter(wc);
                return;
            }
            break;
        case WM_PRINT:
            AC_WMPaint(HDC(Message.WParam));
            AC_WMNCPaint(HDC(Message.WParam));
            return;
        case WM_THEMECHANGED:
            if (Panel && Panel->Color() != fw::clBtnFace) Panel->SetColor(fw::clBtnFace);
            break;
        default:
            break;
    }
    TacMainWnd::acWndProc(Message);
}

// ---- TacTransPanelWnd

void TacTransPanelWnd::AC_WMPaint(fw::TMessage& Message) {
    (void)Message;
    // The erase may come from the window's own BeginPaint: painting once is enough.
    if (painting_) return;
    painting_ = true;
    InitCtrlData(this);
    PAINTSTRUCT ps;
    BeginPaint(CtrlHandle, &ps);
    HDC DC = GetWindowDC(CtrlHandle);
    SkinData->BGChanged = true;
    SendAMessage(CtrlHandle, smcPrepareCache);
    CopyHwndCache(CtrlHandle, SkinData, fw::TRect(0, 0, 0, 0), fw::TRect(0, 0, WndSize.cx, WndSize.cy), DC, false, 0,
                  0);
    ReleaseDC(CtrlHandle, DC);
    EndPaint(CtrlHandle, &ps);
    painting_ = false;
}

void TacTransPanelWnd::acWndProc(fw::TMessage& Message) {
    if (!Destroyed && SkinActive(SkinData)) {
        if (Message.Msg == WM_ERASEBKGND) {
            AC_WMPaint(Message);
            Message.Result = 1;
            return;
        }
        if (Message.Msg == WM_NCPAINT) return;
    }
    TacMainWnd::acWndProc(Message);
}

// ---- TacSizerWnd

void TacSizerWnd::AC_WMPaint() {
    InitCtrlData(this);
    PAINTSTRUCT ps;
    BeginPaint(CtrlHandle, &ps);
    HDC DC = GetDC(CtrlHandle);
    fw::TBitmap B(std::max(1, int(WndSize.cx)), std::max(1, int(WndSize.cy)), fw::pf24bit);
    TsSkinManager* M = SkinData->GetSkinManager();
    const int i = M ? M->GetMaskIndex(M->ConstData.IndexGLobalInfo, L"GLOBALINFO", L"GRIPIMAGE") : -1;
    // Without the image the window keeps what is on screen.
    if (i >= 0 && M->IsValidImgIndex(i)) {
        TacBGInfo bg;
        bg.DrawDC = B.Canvas()->Handle();
        bg.R = fw::TRect(0, 0, WndSize.cx, WndSize.cy);
        bg.Offset = WndPos;
        bg.PleaseDraw = true;
        GetBGInfo(&bg, ParentWnd, true);
        if (bg.BgType == btFill) {
            FillDC(bg.DrawDC, fw::TRect(0, 0, WndSize.cx, WndSize.cy), bg.Color);
        }
        const TsMaskData& m = M->ma[size_t(i)];
        const fw::TPoint at = GripPlace(WndSize, {WidthOfImage(m), HeightOfImage(m)});
        if (WidthOfImage(m) > 0 && HeightOfImage(m) > 0) DrawSkinGlyph(&B, at, 0, 1, m, MakeCacheInfo(&B));
        BitBlt(DC, 0, 0, WndSize.cx, WndSize.cy, B.Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    ReleaseDC(CtrlHandle, DC);
    EndPaint(CtrlHandle, &ps);
}

void TacSizerWnd::acWndProc(fw::TMessage& Message) {
    if (!Destroyed && SkinActive(SkinData)) {
        switch (Message.Msg) {
            case WM_PAINT:
                AC_WMPaint();
                return;
            case WM_ERASEBKGND:
            case WM_NCPAINT:
                return;
            default:
                break;
        }
    }
    const UINT msg = Message.Msg;
    TacMainWnd::acWndProc(Message);
    if (msg == WM_NCHITTEST && !Destroyed) {
        Message.Result = HTBOTTOMRIGHT;
        if (IsWindowEnabled(CtrlHandle))
            if (TsSkinManager* M = SkinData->GetSkinManager()) M->SetActiveControl(nullptr);
    }
}

// ---- factories

TacMainWnd* CreatePanelWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager, const fw::String& Section) {
    if (!IsWindow(Handle)) return nullptr;
    return CreateWnd<TacPanelWnd>(false, Handle, SkinData, SkinManager, Section);
}

TacMainWnd* CreateDlgPanelWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager) {
    if (!IsWindow(Handle)) return nullptr;
    return CreateWnd<TacDlgPanelWnd>(false, Handle, SkinData, SkinManager, fw::String(L"GROUPBOX"));
}

TacMainWnd* CreateTransPanelWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager,
                                const fw::String& Section) {
    if (!IsWindow(Handle)) return nullptr;
    return CreateWnd<TacTransPanelWnd>(false, Handle, SkinData, SkinManager, Section);
}

TacMainWnd* CreateSizerWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager, const fw::String& Section) {
    if (!IsWindow(Handle)) return nullptr;
    return CreateWnd<TacSizerWnd>(false, Handle, SkinData, SkinManager, Section);
}

}  // namespace skin
