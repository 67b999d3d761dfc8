#include "skin/windows/acSpinWnd.h"

#include <commctrl.h>

namespace skin {

void SpinHalves(SIZE W, int LeftOffset, bool Vertical, fw::TRect& R1, fw::TRect& R2) {
    if (Vertical) {
        R1 = fw::TRect(LeftOffset, 0, W.cx, W.cy / 2 + W.cy % 2);
        R2 = fw::TRect(LeftOffset, W.cy / 2, W.cx, W.cy);
    } else {
        R1 = fw::TRect(0, 0, W.cx / 2 + W.cx % 2, W.cy);
        R2 = fw::TRect(W.cx / 2, 0, W.cx, W.cy);
    }
}

int SpinHalfAt(const fw::TRect& WndRect, fw::TPoint Cursor, bool Vertical) {
    if (!WndRect.Contains(Cursor)) return 0;
    fw::TRect first = WndRect;
    if (Vertical)
        first.Bottom -= WndRect.Height() / 2;
    else
        first.Right -= WndRect.Width() / 2;
    return first.Contains(Cursor) ? 1 : 2;
}

void SpinStates(int Half, bool Pressed, int& Btn1State, int& Btn2State) {
    const int active = 1 + (Pressed ? 1 : 0);
    Btn1State = Half == 1 ? active : 0;
    Btn2State = Half == 2 ? active : 0;
}

TacSpinWnd::TacSpinWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                       const fw::String& SkinSection)
    : TacMainWnd(AHandle, ASkinData, ASkinManager, SkinSection) {}

bool TacSpinWnd::IsVertical() { return !(GetWindowLongW(CtrlHandle, GWL_STYLE) & UDS_HORZ); }

void TacSpinWnd::PrepareCache() {
    TsSkinManager* M = SkinData->GetSkinManager();
    if (M && M->GetSkinIndex(SkinData->SkinSection()) < 0) SkinData->SetSkinSection(L"BUTTON");
    const SIZE W = WndSize;
    const bool vertical = IsVertical();
    fw::TRect R[2];
    SpinHalves(W, lOffset, vertical, R[0], R[1]);
    TacBGInfo bg;
    GetBGInfo(&bg, ParentWnd, false);
    const TCacheInfo CI = BGInfoToCI(bg);
    SkinData->InitCacheBmp();
    fw::TBitmap* cache = SkinData->FCacheBmp;
    cache->SetSize(W.cx, W.cy);
    const int state[2] = {Btn1State, Btn2State};
    TsSkinManager* D = DefaultManager;
    const int arrows[2] = {D ? (vertical ? D->ConstData.MaskArrowTop : D->ConstData.MaskArrowLeft) : -1,
                           D ? (vertical ? D->ConstData.MaskArrowBottom : D->ConstData.MaskArrowRight) : -1};
    for (int i = 0; i < 2; ++i) {
        const fw::TRect& Ri = R[i];
        PaintItem(SkinData, CI, true, state[i], Ri, fw::TPoint(WndPos.X + Ri.Left, WndPos.Y + Ri.Top), cache, false);
        if (!D || !D->IsValidImgIndex(arrows[i])) continue;
        const TsMaskData& m = D->ma[size_t(arrows[i])];
        const int w = WidthOfImage(m), h = HeightOfImage(m);
        if (w <= 0 || h <= 0) continue;
        const fw::TPoint at(Ri.Left + (Ri.Width() - w) / 2, Ri.Top + (Ri.Height() - h) / 2);
        DrawSkinGlyph(cache, at, state[i], 1, m, MakeCacheInfo(cache));
    }
}

void TacSpinWnd::AC_WMPaint(HDC MsgDC) {
    InitCtrlData(this);
    SpinStates(SpinHalfAt(WndRect, acMousePos(), IsVertical()), bMousePressed, Btn1State, Btn2State);
    PAINTSTRUCT ps;
    BeginPaint(CtrlHandle, &ps);
    SkinData->FUpdating = SkinData->GetUpdating();
    if (!SkinData->FUpdating) {
        HDC DC = MsgDC ? MsgDC : GetDC(CtrlHandle);
        SkinData->BGChanged = true;
        PrepareCache();
        HDC src = SkinData->FCacheBmp->Canvas()->Handle();
        if (IsVertical())
            BitBlt(DC, lOffset, 0, WndSize.cx - lOffset, WndSize.cy, src, lOffset, 0, SRCCOPY);
        else
            BitBlt(DC, 0, 0, WndSize.cx, WndSize.cy, src, 0, 0, SRCCOPY);
        if (!MsgDC) ReleaseDC(CtrlHandle, DC);
    }
    EndPaint(CtrlHandle, &ps);
}

void TacSpinWnd::acWndProc(fw::TMessage& Message) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (Destroyed || !M || !M->Active() || !SkinData->Skinned()) {
        TacMainWnd::acWndProc(Message);
        return;
    }
    switch (Message.Msg) {
        case WM_PAINT:
            AC_WMPaint(HDC(Message.WParam));
            return;
        case WM_ERASEBKGND:
        case WM_NCPAINT:
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            bMousePressed = Message.Msg == WM_LBUTTONDOWN;
            TacMainWnd::acWndProc(Message);
            if (!Destroyed) SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
            return;
        case WM_MOUSELEAVE:
            InvalidateRect(CtrlHandle, nullptr, FALSE);
            break;
        case WM_MOUSEMOVE: {
            TacMainWnd::acWndProc(Message);
            TsSkinManager* D = DefaultManager;
            if (Destroyed || !D || !IsWindowEnabled(CtrlHandle)) return;
            InitCtrlData(this);
            if (WndRect.Contains(acMousePos())) {
                // The hot half follows the cursor.
                if (D->ActiveControl() == CtrlHandle)
                    SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
                else
                    D->SetActiveControl(CtrlHandle);
            } else if (D->ActiveControl() == CtrlHandle) {
                D->SetActiveControl(nullptr);
            }
            return;
        }
        default:
            break;
    }
    TacMainWnd::acWndProc(Message);
}

TacMainWnd* CreateSpinWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager, const fw::String& Section,
                          int LeftOffset) {
    if (!IsWindow(Handle)) return nullptr;
    auto* w = CreateWnd<TacSpinWnd>(false, Handle, SkinData, SkinManager, Section);
    w->lOffset = LeftOffset;
    return w;
}

TacSpinWnd* KeepSpinWnd(TacSpinWnd*& Held, HWND UpDown, TsSkinManager* SkinManager, const fw::String& Section,
                        int LeftOffset) {
    const bool live = UpDown && IsWindow(UpDown);
    if (Held && live && !Held->Destroyed && Held->CtrlHandle == UpDown && WrapperOf(UpDown) == Held) return Held;
    // Detached and freed before anything new is attached: a new wrapper
    // must never sit on top of a link that is about to go.
    if (Held) {
        TacSpinWnd* old = Held;
        Held = nullptr;
        delete old;
    }
    if (live) Held = static_cast<TacSpinWnd*>(CreateSpinWnd(UpDown, nullptr, SkinManager, Section, LeftOffset));
    return Held;
}

}  // namespace skin
