#include "skin/paint/sAnimHide.h"

#include <algorithm>

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/acGlow.h"
#include "skin/paint/sAlphaGraph.h"
#include "skin/paint/sAnimCore.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sVclUtils.h"
#include "skin/paint/sWindowImage.h"

namespace skin {

TacHideTimer* acHideTimer = nullptr;

namespace {

void ClearToTransparent(fw::TBitmap* Bmp) {
    TacFast32 f;
    if (f.Attach(Bmp)) f.FillBitmap(0);
}

bool ApplicationTerminating() { return fw::Application.Exists() && fw::Application->Terminated(); }

// Form shows Bmp, fading from StartBlend / 2 to nothing over Time.
void StartHideAnimation(fw::TForm* Form, fw::TBitmap* Bmp, WORD Time, TacAnimType AnimType, int StartBlend) {
    if (acHideTimer) {
        // A tick already handed to the GUI thread finds nothing to do.
        acHideTimer->SetOnTimer(fw::TNotifyEvent());
        acHideTimer->FreeImage();
    }
    if (Time / 10 == 0 || !Form || !Bmp) {
        FreeTempForm(Form);
        delete Bmp;
        return;
    }
    if (!acHideTimer) acHideTimer = fw::Create<TacHideTimer>(fw::Application.get());
    TacHideTimer* t = acHideTimer;
    t->i = 0;
    t->SrcBmp = Bmp;
    t->StartBlendValue = StartBlend;
    t->Form = Form;
    t->AnimType = AnimType;
    t->SetInterval(10);
    t->DelayValue = 10;
    t->StepCount = Time / 10;
    t->FBmpSize = SIZE{Bmp->Width(), Bmp->Height()};
    t->FBmpTopLeft = POINT{0, 0};
    t->FBlend = AnimBlend(BYTE(std::clamp(StartBlend / 2, 0, 255)));

    const HWND w = Form->Handle();
    AddExStyle(w, WS_EX_LAYERED | WS_EX_NOACTIVATE);
    SetLayeredImage(w, Bmp, t->FBlend);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    SetWindowPos(w, HWND_TOPMOST, Form->Left(), Form->Top(), Bmp->Width(), Bmp->Height(),
                 SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW);
    t->DstBmp = CreateBmp32(Bmp->Width(), Bmp->Height());
    t->Anim_Init();

    if (ApplicationTerminating()) {
        while (t->i <= t->StepCount) {
            t->OnTimerProc(t);
            AnimSleep(10);
        }
        // The closing tick: nothing of the animation outlives the program's end.
        t->OnTimerProc(t);
        return;
    }
    // A fresh worker, so the first tick comes one interval from now whatever
    // the timer waited for before.
    t->Reset();
    t->SetOnTimer(fw::TNotifyEvent(t, &TacHideTimer::OnTimerProc));
    t->i = 0;
    t->OnTimerProc(t);
    t->SetEnabled(true);
}

// A borderless tool window of Bmp's size at (Left, Top) to show the image on.
fw::TForm* HideWindow(int Left, int Top, fw::TBitmap* Bmp) {
    fw::TForm* f = NewTempForm();
    AddExStyle(f->WindowHandle(), WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    f->SetBounds(Left, Top, Bmp->Width(), Bmp->Height());
    return f;
}

}  // namespace

// ---- TacHideTimer

TacHideTimer::~TacHideTimer() {
    KillTimer();
    FreeImage();
    if (acHideTimer == this) acHideTimer = nullptr;
}

void TacHideTimer::FreeImage() {
    FreeTempForm(Form);
    delete SrcBmp;
    SrcBmp = nullptr;
    delete DstBmp;
    DstBmp = nullptr;
}

void TacHideTimer::Anim_Init() {
    Trans = StartBlendValue / 2;
    p = StepCount > 0 ? StartBlendValue / (StepCount * 2.0) : 0;
    if (AnimType == atAero && SrcBmp && StepCount > 0) {
        dx = -SrcBmp->Width() / (StepCount * 8.0);
        dy = -SrcBmp->Height() / (StepCount * 8.0);
        l = t = 0;
        r = SrcBmp->Width();
        b = SrcBmp->Height();
    } else {
        dx = dy = l = t = r = b = 0;
    }
}

void TacHideTimer::Anim_DoNext() {
    Trans = std::max(0.0, Trans - p);
    FBlend.SourceConstantAlpha = BYTE(fw::Round(Trans));
    const int w = SrcBmp->Width(), h = SrcBmp->Height();
    HDC dst = DstBmp->Canvas()->Handle(), src = SrcBmp->Canvas()->Handle();
    if (AnimType == atFading) {
        if (l == 0) {
            BitBlt(dst, 0, 0, w, h, src, 0, 0, SRCCOPY);
            l = 1;
        }
    } else if (l >= 0 && t >= 0) {
        ClearToTransparent(DstBmp);
        StretchBlt(dst, RoundInt(l), RoundInt(t), RoundInt(r - l), RoundInt(b - t), src, 0, 0, w, h, SRCCOPY);
    } else {
        BitBlt(dst, 0, 0, w, h, src, 0, 0, SRCCOPY);
    }
}

void TacHideTimer::Anim_GoToNext() {
    if (AnimType != atAero) return;
    l -= dx, t -= dy, r += dx, b += dy;
}

void TacHideTimer::OnTimerProc(fw::TObject*) {
    if (i > StepCount) {
        SetInterval(0xFFFF);
        SetOnTimer(fw::TNotifyEvent());
        FreeImage();
        return;
    }
    if (!Form || !SrcBmp || !DstBmp) return;
    Anim_DoNext();
    DC = GetDC(nullptr);
    if (UpdateLayeredWindow)
        UpdateLayeredWindow(Form->Handle(), DC, nullptr, &FBmpSize, DstBmp->Canvas()->Handle(), &FBmpTopLeft,
                            acNoColorKey, &FBlend, ULW_ALPHA);
    ReleaseDC(nullptr, DC);
    DC = nullptr;
    Anim_GoToNext();
    ++i;
}

// ---- the animations

void AnimHideForm(fw::TObject* SkinProvider) {
    ClearGlows();
    auto* sp = dynamic_cast<TsSkinProviderBase*>(SkinProvider);
    if (!sp || !sp->Form || sp->Form->FormStyle() == fw::fsMDIChild) return;
    fw::TCustomForm* form = sp->Form;
    TAnimationScope scope;
    sp->PaintAll();
    fw::TBitmap* cache = sp->SkinData()->FCacheBmp;
    fw::TBitmap* image = CreateBmp32(cache->Width(), cache->Height());
    acDstBmp = image;
    if (form->ComponentState().Contains(fw::csDestroying))
        BitBlt(image->Canvas()->Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0,
               SRCCOPY);
    else
        RenderWindowImage(image, form, sp);
    const fw::TRect bounds = form->BoundsRect();
    POINT d{0, 0};
    if (sp->BorderForm)
        d = FormFrameOffset(sp);
    else
        FillAlphaRect(image, fw::TRect(0, 0, image->Width(), image->Height()), 255);
    delete sp->BorderForm;
    sp->BorderForm = nullptr;
    fw::TForm* temp = HideWindow(bounds.Left - d.x, bounds.Top - d.y, image);
    // The image now belongs to the hide timer.
    acDstBmp = nullptr;
    TsSkinManager* m = sp->SkinManager();
    if (m)
        StartHideAnimation(temp, image, m->AnimEffects()->FormHide.Time, m->AnimEffects()->FormHide.Mode, 255);
    else
        StartHideAnimation(temp, image, 0, atFading, 255);
}

void AnimHideDlg(TacDialogWndBase* Wnd) {
    if (!Wnd || !Wnd->DialogHandle()) return;
    TAnimationScope scope;
    const HWND dlg = Wnd->DialogHandle();
    fw::TBitmap* image = DialogImage(Wnd);
    acDstBmp = image;
    RECT r{};
    GetWindowRect(dlg, &r);
    const POINT d = DialogFrameOffset(Wnd);
    fw::TForm* temp = HideWindow(r.left - d.x, r.top - d.y, image);
    DoLayered(dlg, true);
    acDstBmp = nullptr;
    TsSkinManager* m = DefaultManager;
    if (m)
        StartHideAnimation(temp, image, m->AnimEffects()->DialogHide.Time, m->AnimEffects()->DialogHide.Mode, 255);
    else
        StartHideAnimation(temp, image, 0, atFading, 255);
}

}  // namespace skin
