#include "skin/windows/acStatusBarWnd.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "skin/windows/acToolBarGeometry.h"

namespace skin {

TacMainWnd* CreateStatusBarWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager) {
    return CreateWnd<TacStatusBarWnd>(false, Handle, SkinData, SkinManager, fw::String());
}

TacStatusBarWnd::TacStatusBarWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                                 const fw::String& SkinSection)
    : TacMainWnd(AHandle, ASkinData, ASkinManager, SkinSection.empty() ? fw::String(L"STATUSBAR") : SkinSection) {
    StatusBar = dynamic_cast<fw::TStatusBar*>(SkinData->FOwnerControl);
}

bool TacStatusBarWnd::SimplePanel() { return SendMessageW(CtrlHandle, SB_ISSIMPLE, 0, 0) == 1; }

int TacStatusBarWnd::PartsCount() { return int(SendMessageW(CtrlHandle, SB_GETPARTS, 0, 0)); }

fw::TRect TacStatusBarWnd::PartRect(int Index) {
    RECT r{};
    SendMessageW(CtrlHandle, SB_GETRECT, WPARAM(Index), LPARAM(&r));
    return fw::TRect(r.left, r.top, r.right, r.bottom);
}

fw::String TacStatusBarWnd::PartText(int Index) {
    if (PartsCount() <= 0) return fw::String();
    if (SimplePanel()) {
        // The window's text is the first part's, not the simple one's.
        if (StatusBar) return StatusBar->SimpleText();
        return GetWndText(CtrlHandle);
    }
    if (!StatusBar) return fw::String();
    if (StatusBar->Panels()->Count() == 0) return StatusBar->SimpleText();
    if (Index < 0 || Index >= StatusBar->Panels()->Count()) return fw::String();
    return StatusBar->Panels()->Items(Index)->Text();
}

void TacStatusBarWnd::DoDrawText(const fw::String& Text, fw::TRect& Rect, unsigned Flags) {
    fw::TCanvas* C = SkinData->FCacheBmp->Canvas();
    if (StatusBar) C->SetFont(StatusBar->Font());
    C->Brush()->SetStyle(fw::bsClear);
    acWriteTextEx(C, Text.c_str(), true, Rect, Flags | DT_SINGLELINE | DT_VCENTER, SkinData, false);
}

void TacStatusBarWnd::InternalDrawPanel(int Index, const fw::String& Text, fw::TRect& Rect) {
    TsSkinManager* M = SkinData->GetSkinManager();
    fw::TBitmap* cache = SkinData->FCacheBmp;
    const bool simple = Index < 0;
    if (M && M->IsValidSkinIndex(SkinData->SkinIndex)) {
        const int panel = M->GetMaskIndex(SkinData->SkinIndex, SkinData->SkinSection(), L"STATUSPANELMASK");
        if (panel >= 0 && M->IsValidImgIndex(panel)) {
            DrawSkinRect(cache, simple ? fw::TRect(0, 0, WndSize.cx, WndSize.cy) : Rect, true, EmptyCI,
                         M->ma[size_t(panel)], 0, true);
        } else if (!simple && Index < PartsCount() - 1) {
            // No panel frames: a divider closes every part but the last.
            const int divider = M->GetSkinIndex(L"DIVIDER");
            const int mask = divider >= 0 ? M->GetMaskIndex(divider, L"DIVIDER", L"BORDERSMASK") : -1;
            if (mask >= 0 && M->IsValidImgIndex(mask)) {
                const int w = WidthOfImage(M->ma[size_t(mask)]) - 1, h = WndSize.cy - 2;
                if (w > 0 && h > 0) {
                    fw::TBitmap b(w, h, fw::pf24bit);
                    const int x = Rect.Right - w;
                    BitBlt(b.Canvas()->Handle(), 0, 0, w, h, cache->Canvas()->Handle(), x, Rect.Top, SRCCOPY);
                    PaintItem(divider, L"DIVIDER", MakeCacheInfo(cache), true, 0, fw::TRect(0, 0, w, h),
                              fw::TPoint(x, 1), &b, M);
                    BitBlt(cache->Canvas()->Handle(), x, 1, w, h, b.Canvas()->Handle(), 0, 0, SRCCOPY);
                }
            }
        }
    }
    if (!StatusBar) return;
    fw::TRect R = StatusTextRect(Rect);
    fw::TCanvas* C = cache->Canvas();
    C->SetFont(StatusBar->Font());
    const fw::String shown = CutText(C, Text, R.Width());
    const bool real = !simple && Index < StatusBar->Panels()->Count();
    const unsigned flags =
        GetStringFlags(StatusBar, real ? StatusBar->Panels()->Items(Index)->Alignment() : fw::taLeftJustify);
    DoDrawText(shown, R, flags);
}

void TacStatusBarWnd::DrawPanel(int Index, fw::TRect& Rect) {
    fw::InflateRect(Rect, -1, -1);
    InternalDrawPanel(Index, PartText(Index), Rect);
}

void TacStatusBarWnd::PaintPanels() {
    if (SimplePanel()) {
        fw::TRect R(0, 1, WndSize.cx - 1, WndSize.cy - 1);
        InternalDrawPanel(-1, PartText(-1), R);
        return;
    }
    const int n = PartsCount();
    for (int i = 0; i < n; ++i) {
        fw::TRect R = PartRect(i);
        DrawPanel(i, R);
    }
}

void TacStatusBarWnd::PrepareCache() {
    SkinData->InitCacheBmp();
    SkinData->FCacheBmp->SetSize(WndSize.cx, WndSize.cy);
    const TCacheInfo CI = GetParentCacheHwnd(CtrlHandle);
    PaintItem(SkinData, CI, false, 0, fw::TRect(0, 0, WndSize.cx, WndSize.cy), WndPos, SkinData->FCacheBmp, false);
    PaintPanels();
    SkinData->BGChanged = false;
}

void TacStatusBarWnd::WMPaint(HDC aDC) {
    InitCtrlData(this);
    HDC dc = aDC ? aDC : GetWindowDC(CtrlHandle);
    if (!dc) return;
    PrepareCache();
    BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, SkinData->FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    if (!aDC) ReleaseDC(CtrlHandle, dc);
}

void TacStatusBarWnd::WMNCPaint(HDC aDC) {
    if (!StatusBar) return;
    InitCtrlData(this);
    HDC dc = aDC ? aDC : GetWindowDC(CtrlHandle);
    if (!dc) return;
    if (SkinData->BGChanged) PrepareCache();
    BitBltBorder(dc, 0, 0, WndSize.cx, WndSize.cy, SkinData->FCacheBmp->Canvas()->Handle(), 0, 0,
                 StatusBar->BorderWidth());
    if (!aDC) ReleaseDC(CtrlHandle, dc);
}

void TacStatusBarWnd::acWndProc(fw::TMessage& Message) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (Destroyed || !M || !M->Active() || !SkinData->Skinned()) {
        TacMainWnd::acWndProc(Message);
        return;
    }
    switch (Message.Msg) {
        case WM_PAINT: {
            InvalidateRect(CtrlHandle, nullptr, TRUE);
            BeginPaint(CtrlHandle, &acGlobalPS);
            EndPaint(CtrlHandle, &acGlobalPS);
            Message.Result = 0;
            return;
        }
        case WM_ERASEBKGND:
            WMPaint(HDC(Message.WParam));
            Message.Result = 1;
            return;
        case WM_NCPAINT:
            if (!InAnimationProcess) WMNCPaint(nullptr);
            return;
        case WM_PRINT:
            WMPaint(HDC(Message.WParam));
            return;
        default:
            break;
    }
    TacMainWnd::acWndProc(Message);
    if (!Destroyed && Message.Msg == WM_SIZE) RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

}  // namespace skin
