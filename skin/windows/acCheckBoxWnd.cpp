#include "skin/windows/acCheckBoxWnd.h"

#include <algorithm>

#include "framework/graphics/Color.h"
#include "framework/windows/Controls.h"
#include "skin/engine/sBitmapBase.h"

namespace skin {

namespace {

void BorrowFont(TsCommonData* SkinData, HWND Handle) {
    fw::TCanvas* C = SkinData->FCacheBmp->Canvas();
    if (fw::TControl* c = SkinData->FOwnerControl)
        C->SetFont(c->Font());
    else if (HFONT f = HFONT(SendMessageW(Handle, WM_GETFONT, 0, 0)))
        C->Font()->SetHandle(f, fw::hoBorrowed);  // the window's font: never deleted here
}

}  // namespace

const wchar_t* CheckGlyphName(TacButtonKind Kind, int Check) {
    if (Check == 2) return L"BOXGRAYED";
    if (Kind == bkRadio) return Check == 1 ? L"RADIOCHECKED" : L"RADIOUNCHECKED";
    return Check == 1 ? L"BOXCHECKED" : L"BOXUNCHECKED";
}

fw::TRect CheckGlyphRect(SIZE Wnd, int GlyphWidth, int GlyphHeight, bool LeftText) {
    const int top = (Wnd.cy - GlyphHeight) / 2;
    const int left = LeftText ? Wnd.cx - GlyphWidth : 0;
    return fw::TRect(left, top, left + GlyphWidth, top + GlyphHeight);
}

fw::TRect GroupCaptionRect(int Width, SIZE Text, bool RightToLeft) {
    const int left = RightToLeft ? Width - Text.cx - 14 : 6;
    int right = left + Text.cx + 8;
    if (right > Width) right = Width - 1;
    return fw::TRect(left, 0, right, std::max(4, int(Text.cy)) + 2);
}

TacMainWnd* CreateButtonWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager) {
    switch (ButtonKindOf(GetWindowLongW(Handle, GWL_STYLE))) {
        case bkPush:
            return CreateWnd<TacBtnWnd>(false, Handle, SkinData, SkinManager, fw::String(L"BUTTON"));
        case bkCheck:
        case bkRadio:
            return CreateWnd<TacCheckBoxWnd>(false, Handle, SkinData, SkinManager, fw::String(L"CHECKBOX"));
        case bkGroup:
            return CreateWnd<TacGroupBoxWnd>(false, Handle, SkinData, SkinManager, fw::String(L"GROUPBOX"));
        default:
            return nullptr;
    }
}

// ---- TacCheckBoxWnd

TacCheckBoxWnd::TacCheckBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                               const fw::String& SkinSection)
    : TacMainWnd(AHandle, ASkinData, ASkinManager, SkinSection.empty() ? fw::String(L"CHECKBOX") : SkinSection) {
    if (SkinSection.empty()) SkinData->SetSkinSection(L"CHECKBOX");
}

int TacCheckBoxWnd::State() {
    const LRESULT s = SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0);
    return (s & BST_INDETERMINATE) ? 2 : (s & BST_CHECKED) ? 1 : 0;
}

int TacCheckBoxWnd::CtlState() {
    const LRESULT s = SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0);
    if (s & BST_PUSHED) return 2;
    if (s & BST_FOCUS) return 1;
    return DefaultManager && DefaultManager->ActiveControl() == CtrlHandle ? 1 : 0;
}

int TacCheckBoxWnd::GlyphMaskIndex(int Check) {
    TsSkinManager* M = SkinData->GetSkinManager();
    if (!M) return -1;
    TacButtonKind kind = ButtonKindOf(paintStyle_ & ~BS_PUSHLIKE);
    if (kind != bkRadio) kind = bkCheck;
    return M->GetMaskIndex(M->ConstData.IndexGLobalInfo, L"GLOBALINFO", CheckGlyphName(kind, Check));
}

fw::TRect TacCheckBoxWnd::SkinCheckRect(int i) {
    TsSkinManager* M = SkinData->GetSkinManager();
    if (i < 0 || !M || !M->IsValidImgIndex(i)) return fw::TRect();
    const TsMaskData& m = M->ma[size_t(i)];
    return CheckGlyphRect(WndSize, WidthOfImage(m), HeightOfImage(m), paintStyle_ & BS_LEFTTEXT);
}

fw::TRect TacCheckBoxWnd::CheckRect() {
    const int i = GlyphMaskIndex(1);
    return i >= 0 ? SkinCheckRect(i) : fw::TRect(0, 0, 16, 16);
}

void TacCheckBoxWnd::DrawSkinGlyph(int i) {
    TsSkinManager* M = SkinData->GetSkinManager();
    fw::TBitmap* cache = SkinData->FCacheBmp;
    if (!cache || cache->Width() < 1 || i < 0 || !M || !M->IsValidImgIndex(i)) return;
    skin::DrawSkinGlyph(cache, SkinCheckRect(i).TopLeft(), CtlState(), 1, M->ma[size_t(i)], MakeCacheInfo(cache));
}

void TacCheckBoxWnd::DrawCheckText() {
    if (Caption.empty()) return;
    const SIZE W = WndSize;
    const int maxW = W.cx - (CheckRect().Width() + 2);
    const bool multi = paintStyle_ & BS_MULTILINE;
    const bool focused = SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0) & BST_FOCUS;
    fw::TCanvas* C = SkinData->FCacheBmp->Canvas();
    if (fw::TControl* c = SkinData->FOwnerControl) C->SetFont(c->Font());
    fw::TRect R(0, 0, maxW, 0);
    acDrawText(C->Handle(), Caption, R, DT_CALCRECT | (multi ? DT_WORDBREAK : DT_SINGLELINE));
    const int th = R.Height(), tw = R.Width();
    const int top = std::max(0, int(W.cy - th) / 2), bottom = int(W.cy) - top;
    if (paintStyle_ & BS_LEFTTEXT) {
        R = fw::TRect(2, top, tw + 2, bottom);
    } else {
        const int left = W.cx - maxW + 2 + (multi ? -1 : 0);
        R = fw::TRect(left, top - 1, left + tw, bottom - 1);
    }
    C->Brush()->SetStyle(fw::bsClear);
    acWriteTextEx(C, Caption.c_str(), true, R, multi ? DT_WORDBREAK | DT_CENTER : DT_SINGLELINE, SkinData,
                  ControlIsActive(SkinData), SkinData->GetSkinManager());
    C->Pen()->SetStyle(fw::psClear);
    C->Brush()->SetStyle(fw::bsSolid);
    if (focused) FocusRect(C, fw::TRect(R.Left - 1, R.Top, R.Right + 1, R.Bottom));
}

void TacCheckBoxWnd::PrepareCache() {
    SkinData->InitCacheBmp();
    SkinData->FCacheBmp->SetSize(WndSize.cx, WndSize.cy);
    BorrowFont(SkinData, CtrlHandle);
    const TCacheInfo CI = GetParentCacheHwnd(CtrlHandle);
    PaintItem(SkinData, CI, true, ControlIsActive(SkinData) ? 1 : 0, fw::TRect(0, 0, WndSize.cx, WndSize.cy), WndPos,
              SkinData->FCacheBmp, false);
    DrawCheckText();
    DrawSkinGlyph(GlyphMaskIndex(State()));
    if (!IsWindowEnabled(CtrlHandle)) BlendDisabled(SkinData->FCacheBmp, CI, WndPos);
    SkinData->BGChanged = false;
}

void TacCheckBoxWnd::AC_WMPaint(HDC GivenDC) {
    InitCtrlData(this);
    PAINTSTRUCT ps;
    BeginPaint(CtrlHandle, &ps);
    SkinData->FUpdating = SkinData->GetUpdating();
    if (!SkinData->FUpdating) {
        paintStyle_ = GetWindowLongW(CtrlHandle, GWL_STYLE);
        InitCtrlData(this);
        if (ParentWnd) SendMessageW(ParentWnd, SM_ALPHACMD, WPARAM(smcChildPaint) << 16, 0);
        if (IsWindowVisible(CtrlHandle) || GivenDC) {
            HDC dc = GivenDC ? GivenDC : GetDC(CtrlHandle);
            PrepareCache();
            BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, SkinData->FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
            if (!GivenDC) ReleaseDC(CtrlHandle, dc);
        }
    }
    EndPaint(CtrlHandle, &ps);
}

void TacCheckBoxWnd::acWndProc(fw::TMessage& Message) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (Destroyed || !M || !M->Active() || !SkinData->Skinned()) {
        TacMainWnd::acWndProc(Message);
        return;
    }
    const UINT msg = Message.Msg;
    if (msg == SM_ALPHACMD) {
        if (Message.WParamHi() == smcActiveControlEnter || Message.WParamHi() == smcActiveControlLeave) {
            SkinData->SetUpdating(false);
            SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
        }
        TacMainWnd::acWndProc(Message);
        return;
    }
    switch (msg) {
        case WM_ENABLE:
        case BM_SETCHECK:
        case BM_SETSTATE:
        case WM_SETTEXT:  // a foreign window's text: the control would draw it at once
        case fw::CM_TEXTCHANGED:
            if (!IsWindowVisible(CtrlHandle)) break;
            SendMessageW(CtrlHandle, WM_SETREDRAW, 0, 0);
            TacMainWnd::acWndProc(Message);
            SendMessageW(CtrlHandle, WM_SETREDRAW, 1, 0);
            SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
            return;
        case WM_PAINT:
            AC_WMPaint(HDC(Message.WParam));
            return;
        case WM_PRINT:
            AC_WMPaint(HDC(Message.WParam));
            return;
        case WM_ERASEBKGND:
        case WM_NCPAINT:
            return;
        default:
            break;
    }
    TacMainWnd::acWndProc(Message);
    if (Destroyed) return;
    switch (msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
            break;
        case WM_KEYDOWN:
            if (Message.WParam == VK_SPACE) SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
            break;
        case WM_NCHITTEST:
            if (DefaultManager && IsWindowEnabled(CtrlHandle) && DefaultManager->ActiveControl() != CtrlHandle)
                DefaultManager->SetActiveControl(CtrlHandle);
            break;
        default:
            break;
    }
}

// ---- TacGroupBoxWnd

TacGroupBoxWnd::TacGroupBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                               const fw::String& SkinSection)
    : TacMainWnd(AHandle, ASkinData, ASkinManager, SkinSection.empty() ? fw::String(L"GROUPBOX") : SkinSection) {
    if (SkinSection.empty()) SkinData->SetSkinSection(L"GROUPBOX");
}

void TacGroupBoxWnd::SelectFont() { BorrowFont(SkinData, CtrlHandle); }

fw::TRect TacGroupBoxWnd::CaptionRect() {
    SkinData->InitCacheBmp();
    SelectFont();
    RECT r{0, 0, 0, 0};
    DrawTextW(SkinData->FCacheBmp->Canvas()->Handle(), Caption.c_str(), int(Caption.size()), &r,
              DT_CALCRECT | DT_CENTER);
    InitCtrlData(this);
    return GroupCaptionRect(WndSize.cx, {r.right - r.left, r.bottom - r.top},
                            GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING);
}

void TacGroupBoxWnd::ParentUnder(const fw::TRect& R, const TacBGInfo& BG, fw::TPoint Pos) {
    fw::TBitmap* cache = SkinData->FCacheBmp;
    if (BG.BgType == btCache && BG.Bmp)
        BitBlt(cache->Canvas()->Handle(), R.Left, R.Top, R.Width(), R.Height(), BG.Bmp->Canvas()->Handle(),
               Pos.X + R.Left + BG.Offset.X, Pos.Y + R.Top + BG.Offset.Y, SRCCOPY);
    else {
        FillDC(cache->Canvas()->Handle(), R, BG.Color);
    }
}

void TacGroupBoxWnd::WriteText(const fw::TRect& R) {
    TacBGInfo bg;
    GetBGInfo(&bg, ParentWnd, false);
    ParentUnder(R, bg, WndPos);
    fw::TCanvas* C = SkinData->FCacheBmp->Canvas();
    C->Brush()->SetStyle(fw::bsClear);
    SelectFont();
    fw::TRect r = R;
    acWriteTextEx(C, Caption.c_str(), true, r, DT_SINGLELINE | DT_VCENTER | DT_CENTER, SkinData, false,
                  SkinData->GetSkinManager());
}

void TacGroupBoxWnd::PrepareCache() {
    InitCtrlData(this);
    SkinData->InitCacheBmp();
    SkinData->FCacheBmp->SetSize(WndSize.cx, WndSize.cy);
    SelectFont();
    const fw::TRect C = CaptionRect();
    TacBGInfo bg;
    GetBGInfo(&bg, ParentWnd, false);
    if (!ParentWnd) return;  // no place in a parent: the cache keeps what it has
    ParentUnder(fw::TRect(0, 0, WndSize.cx, C.Bottom), bg, WndPos);
    const TCacheInfo CI = BGInfoToCI(bg);
    const int half = C.Height() / 2;
    PaintItem(SkinData, CI, false, 0, fw::TRect(0, half, WndSize.cx, WndSize.cy), fw::TPoint(WndPos.X, WndPos.Y + half),
              SkinData->FCacheBmp, false);
    if (!Caption.empty()) WriteText(C);
    SkinData->BGChanged = false;
}

void TacGroupBoxWnd::AC_WMPaint(HDC GivenDC) {
    InitCtrlData(this);
    PAINTSTRUCT ps;
    BeginPaint(CtrlHandle, &ps);
    SkinData->FUpdating = SkinData->GetUpdating();
    if (!SkinData->FUpdating) {
        HDC dc = GivenDC ? GivenDC : GetWindowDC(CtrlHandle);
        PrepareCache();
        const int save = SaveDC(dc);
        TsSkinManager* M = SkinData->GetSkinManager();
        if (DlgMode && M && M->IsValidImgIndex(SkinData->BorderIndex)) {
            // In a dialog only the frame and the caption are painted.
            const TsMaskData& m = M->ma[size_t(SkinData->BorderIndex)];
            ExcludeClipRect(dc, m.WL, CaptionRect().Height(), WndSize.cx - m.WR, WndSize.cy - m.WB);
        }
        CopyHwndCache(CtrlHandle, SkinData, fw::TRect(0, 0, 0, 0), fw::TRect(0, 0, WndSize.cx, WndSize.cy), dc, false,
                      0, 0);
        if (auto* wc = dynamic_cast<fw::TWinControl*>(SkinData->FOwnerControl))
            PaintControls(dc, wc, false, fw::TPoint(0, 0));
        RestoreDC(dc, save);
        if (!GivenDC) ReleaseDC(CtrlHandle, dc);
        SetParentUpdated(CtrlHandle);
    }
    EndPaint(CtrlHandle, &ps);
}

void TacGroupBoxWnd::acWndProc(fw::TMessage& Message) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (Destroyed || !M || !M->Active() || !SkinData->Skinned()) {
        TacMainWnd::acWndProc(Message);
        return;
    }
    const UINT msg = Message.Msg;
    if (msg == SM_ALPHACMD) {
        if (Message.WParamHi() == smcRemoveSkin) {
            if (fw::TControl* c = SkinData->FOwnerControl)
                c->SetControlStyle(c->ControlStyle() - fw::TControlStyle{fw::csOpaque});
        } else if (Message.WParamHi() == smcGetCaptionHeight) {
            Message.Result = CaptionRect().Height();
            return;
        }
        TacMainWnd::acWndProc(Message);
        return;
    }
    switch (msg) {
        case WM_SETTEXT:
            TacMainWnd::acWndProc(Message);
            SkinData->BGChanged = true;
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
            return;
        case WM_PAINT:
            if (DlgMode) break;
            AC_WMPaint(nullptr);
            Message.Result = 0;
            return;
        case WM_ERASEBKGND:
            if (DlgMode) break;
            if (Message.WParam == WPARAM(Message.LParam)) {
                if (SkinData->BGChanged) PrepareCache();
                if (!SkinData->BGChanged) {
                    if (IsCached(SkinData) && SkinData->FCacheBmp)
                        BitBlt(HDC(Message.WParam), 0, 0, WndSize.cx, WndSize.cy,
                               SkinData->FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
                    else {
                        FillDC(HDC(Message.WParam), fw::TRect(0, 0, WndSize.cx, WndSize.cy),
                               GetControlColor(CtrlHandle));
                    }
                }
            }
            Message.Result = 1;
            return;
        case WM_NCPAINT:
            if (!DlgMode) break;
            AC_WMPaint(nullptr);
            Message.Result = 1;
            return;
        case WM_PARENTNOTIFY:
            TacMainWnd::acWndProc(Message);
            if (LOWORD(Message.WParam) == WM_CREATE)
                if (auto* wc = dynamic_cast<fw::TWinControl*>(SkinData->FOwnerControl)) AddToAdapter(wc);
            return;
        case WM_PRINT:
            SkinData->BGChanged = true;
            AC_WMPaint(HDC(Message.WParam));
            return;
        default:
            break;
    }
    TacMainWnd::acWndProc(Message);
}

}  // namespace skin
