#include "skin/paint/acGlow.h"

#include "framework/windows/Forms.h"
#include "skin/engine/sSkinImages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sAnimCore.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sSkinRect.h"

namespace skin {

TacGlowEffects acgEffects;

namespace {

// Every glow window is drawn at full strength through its own alpha.
constexpr BLENDFUNCTION FBlend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

}  // namespace

TacGlowEffect::~TacGlowEffect() {
    delete AlphaBmp;
    AlphaBmp = nullptr;
    if (!Wnd) return;
    fw::TForm* w = Wnd;
    Wnd = nullptr;
    w->SetWindowProc(OldWndProc);
    if (SkinManager && SkinManager->ComponentState().Contains(fw::csDestroying)) {
        w->Free();
    } else {
        // Gone from the screen now, freed from the message loop.
        if (w->HandleAllocated()) ShowWindow(w->WindowHandle(), SW_HIDE);
        w->Release();
    }
}

void TacGlowEffect::CreateAlphaBmp(int Width, int Height) {
    delete AlphaBmp;
    AlphaBmp = CreateBmp32(Width, Height);
    if (MaskIndex >= 0 && SkinManager && SkinManager->IsValidImgIndex(MaskIndex))
        DrawSkinRect(AlphaBmp, fw::TRect(0, 0, Width, Height), false, EmptyCI, SkinManager->ma[size_t(MaskIndex)], 0,
                     false, SkinManager);
}

void TacGlowEffect::Show(fw::TRect& R, fw::TRect& RealRect, int, HWND WndHandle) {
    if (Wnd || !SkinManager || !SkinManager->IsValidImgIndex(MaskIndex)) return;
    Wnd = NewTempForm();
    OldWndProc = Wnd->WindowProc();
    Wnd->SetWindowProc(fw::TWndMethod(this, &TacGlowEffect::NewWndProc));
    Wnd->SetControlStyle(Wnd->ControlStyle() - fw::TControlStyle{fw::csCaptureMouse});

    TsMaskArray& ma = SkinManager->ma;
    const int L = MaskWidthLeft(ma, MaskIndex), T = MaskWidthTop(ma, MaskIndex);
    const int Rt = MaskWidthRight(ma, MaskIndex), B = MaskWidthBottom(ma, MaskIndex);
    const int M = Margin;
    int W = R.Width() + L + Rt - 2 * M, H = R.Height() + T + B - 2 * M;
    if (W <= 0 || H <= 0) return;
    CreateAlphaBmp(W, H);

    int cl = 0, ct = 0, cr = 0, cb = 0;
    if (RealRect.Width() != R.Width() || RealRect.Height() != R.Height()) {
        cl = RealRect.Left != 0 ? L + RealRect.Left - M : 0;
        ct = RealRect.Top != 0 ? T + RealRect.Top - M : 0;
        cr = RealRect.Right == R.Width() ? 0
             : cl != 0                   ? W - cl - RealRect.Width()
                                         : R.Width() + Rt - RealRect.Width() - M;
        cb = RealRect.Bottom == R.Height() ? 0
             : ct != 0                     ? H - ct - RealRect.Height()
                                           : R.Height() + B - RealRect.Height() - M;
        W -= cl + cr;
        H -= ct + cb;
        // Nothing of the control is visible: nothing to show.
        if (W <= 0 || H <= 0) {
            delete AlphaBmp;
            AlphaBmp = nullptr;
            return;
        }
        if (cl != 0 || ct != 0) {
            fw::TBitmap* part = CreateBmp32(W, H);
            BitBlt(part->Canvas()->Handle(), 0, 0, W, H, AlphaBmp->Canvas()->Handle(), cl, ct, SRCCOPY);
            delete AlphaBmp;
            AlphaBmp = part;
        }
    }
    const HWND h = Wnd->Handle();
    if (WndHandle && (GetWindowLongW(WndHandle, GWL_EXSTYLE) & WS_EX_TOPMOST)) Wnd->SetFormStyle(fw::fsStayOnTop);
    SetWindowPos(h, nullptr, R.Left + cl + M - L, R.Top + ct + M - T, W, H, SWP_NOACTIVATE | SWP_NOZORDER);
    // WS_EX_TRANSPARENT beside the hit-test answer: a click falls through to
    // the window below also where the system does not ask the glow.
    AddExStyle(h, WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT);
    if (UpdateLayeredWindow) {
        HDC screen = GetDC(nullptr);
        SIZE size{W, H};
        POINT src{0, 0};
        BLENDFUNCTION blend = FBlend;
        UpdateLayeredWindow(h, screen, nullptr, &size, AlphaBmp->Canvas()->Handle(), &src, 0, &blend, ULW_ALPHA);
        ReleaseDC(nullptr, screen);
    }
    ShowWindow(h, SW_SHOWNOACTIVATE);
    delete AlphaBmp;
    AlphaBmp = nullptr;
}

void TacGlowEffect::NewWndProc(fw::TMessage& Message) {
    if (Message.Msg == WM_NCHITTEST) {
        Message.Result = HTTRANSPARENT;
        return;
    }
    OldWndProc(Message);
}

int ShowGlow(const fw::TRect& R, const fw::TRect& RealRect, const fw::String& SkinSection, const fw::String& GlowName,
             int Margin, int Alpha, HWND WndHandle, TsSkinManager* SkinManager) {
    if (!acLayered) return -1;
    TsSkinManager* m = SkinManager ? SkinManager : DefaultManager;
    if (!m) return -1;
    const int mask = m->GetMaskIndex(SkinSection, GlowName + L"0");
    if (mask < 0) return -1;
    auto* g = new TacGlowEffect();
    g->SkinManager = m;
    g->MaskIndex = mask;
    acgEffects.push_back(g);
    const int id = int(acgEffects.size()) - 1;
    g->Margin = Margin;
    fw::TRect r = R, real = RealRect;
    g->Show(r, real, Alpha, WndHandle);
    return id;
}

void HideGlow(int ID) {
    if (ID < 0 || ID >= int(acgEffects.size())) return;
    TacGlowEffect* g = acgEffects[size_t(ID)];
    acgEffects[size_t(ID)] = nullptr;
    delete g;
}

void ClearGlows() {
    // A glow's destructor may reach the registry again: take the list first.
    TacGlowEffects glows;
    glows.swap(acgEffects);
    for (TacGlowEffect* g : glows) delete g;
}

}  // namespace skin
