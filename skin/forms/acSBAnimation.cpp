#include "skin/forms/acSBAnimation.h"

#include <algorithm>

#include "framework/windows/Application.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/paint/sAlphaGraph.h"
#include "skin/paint/sAnimCore.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sGlyphs.h"

namespace skin {

namespace {

constexpr unsigned kInterval = 12;

int Clamp255(int V) { return std::clamp(V, 0, 255); }

}  // namespace

bool TSBFade::Tick(const std::function<void(int)>& Update, const std::function<void()>& CheckMouse) {
    if (Up) {
        if (CurrentLevel < MaxIterations) {
            Update(Clamp255(Step() * CurrentLevel));
            ++CurrentLevel;
            return true;
        }
        CheckMouse();
        // Faded in: shown whole once, then only the mouse is watched. A
        // leave seen just now has turned the fade down already.
        if (Up && MaxIterations != -1) {
            MaxIterations = -1;
            Update(255);
        }
        return true;
    }
    if (CurrentLevel > 0) {
        Update(Clamp255(Step() * CurrentLevel));
        --CurrentLevel;
        return true;
    }
    CurrentState = -1;
    return false;
}

TacSBAnimation::TacSBAnimation(fw::TComponent* AOwner) : fw::TTimer(AOwner) {}

TacSBAnimation::~TacSBAnimation() {
    SetEnabled(false);
    FreeOverlay();
    if (PBtnData && PBtnData->Timer == this) PBtnData->Timer = nullptr;
}

void TacSBAnimation::FreeOverlay() {
    FreeTempForm(AForm);
    delete ABmp;
    ABmp = nullptr;
}

void TacSBAnimation::StartAnimation(int NewState, bool ToUp) {
    if (NewState == CurrentState) return;
    CurrentState = NewState;
    if (NewState != 0) {
        // A pressed look is never the hot image re-blended.
        if (NewState == 2) FreeOverlay();
        CurrentLevel = 1;
        Up = ToUp;
        UpdateForm(BYTE(std::min(Step(), 255)));
        CurrentLevel = 2;
    } else {
        Up = false;
        --CurrentLevel;
        UpdateForm(BYTE(std::min(Step(), 255)));
    }
    if (MaxIterations > 1) SetEnabled(true);
}

void TacSBAnimation::ChangeState(int NewState, bool ToUp) {
    (void)NewState;
    Up = ToUp;
    SetEnabled(true);
}

void TacSBAnimation::Timer() {
    const bool running = Tick([this](int Blend) { UpdateForm(BYTE(Blend)); }, [this] { CheckMouseLeave(); });
    if (!running) {
        SetEnabled(false);
        FreeOverlay();
    }
}

int TacSBAnimation::GlowIndex() const {
    const TFrameSkin& k = Provider ? Provider->FrameSkin() : Dialog->FrameSkin();
    const TsMaskData* image = PBtnData ? k.Image(PBtnData->ImageIndex) : nullptr;
    if (!image || !k.Manager) return -1;
    TsSkinManager* m = k.Manager;
    const int i = m->GetMaskIndex(m->ConstData.IndexGLobalInfo, L"GLOBALINFO", image->PropertyName + L"GLOW0");
    return m->IsValidImgIndex(i) ? i : -1;
}

bool TacSBAnimation::Glowing() const {
    const TFrameSkin& k = Provider ? Provider->FrameSkin() : Dialog->FrameSkin();
    if (!PBtnData || !k.Manager || !k.Manager->AllowGlowing() || CurrentState != 1) return false;
    const int code = PBtnData->HitCode;
    return code == HTMINBUTTON || code == HTMAXBUTTON || code == HTCLOSE;
}

int TacSBAnimation::Offset() const {
    if (!Glowing()) return 0;
    const TFrameSkin& k = Provider ? Provider->FrameSkin() : Dialog->FrameSkin();
    return ButtonGlowOf(PBtnData->HitCode, k.Manager->SkinData).Margin;
}

fw::TRect TacSBAnimation::GetFormBounds() const {
    RECT wr{};
    const HWND owner = BorderForm && BorderForm->AForm ? BorderForm->AForm->Handle() : FormHandle;
    GetWindowRect(owner, &wr);
    const fw::TRect& b = PBtnData->Rect;
    fw::TRect r(wr.left + b.Left, wr.top + b.Top, wr.left + b.Right, wr.top + b.Bottom);
    const int offset = Offset();
    const int glow = GlowIndex();
    if (offset != 0 && glow >= 0) {
        const TFrameSkin& k = Provider ? Provider->FrameSkin() : Dialog->FrameSkin();
        const TsMaskData& g = k.Manager->ma[size_t(glow)];
        const int w = g.Bmp ? g.Bmp->Width() : WidthOfImage(g), h = g.Bmp ? g.Bmp->Height() : HeightOfImage(g);
        r = fw::TRect(r.Left - offset, r.Top - offset, r.Left - offset + w, r.Top - offset + h);
    }
    return r;
}

void TacSBAnimation::MakeForm() {
    if (AForm) return;
    AForm = NewTempForm();
    AddExStyle(AForm->Handle(), WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT);
}

void TacSBAnimation::MakeImg() {
    if (CurrentState == 0 && ABmp) return;
    if (!PBtnData) return;
    const fw::TRect bounds = GetFormBounds();
    const TFrameSkin& k = Provider ? Provider->FrameSkin() : Dialog->FrameSkin();
    int image = PBtnData->ImageIndex;
    if (Provider && PBtnData->HitCode == HTMINBUTTON && Provider->State().Iconic && k.BigNorm >= 0) image = k.BigNorm;
    const int glow = Glowing() ? GlowIndex() : -1;
    if (!ABmp) ABmp = CreateBmp32(bounds.Width(), bounds.Height());
    if (glow >= 0 && k.Manager->ma[size_t(glow)].Bmp) {
        fw::TBitmap* g = k.Manager->ma[size_t(glow)].Bmp;
        ABmp->SetSize(g->Width(), g->Height());
        BitBlt(ABmp->Canvas()->Handle(), 0, 0, g->Width(), g->Height(), g->Canvas()->Handle(), 0, 0, SRCCOPY);
        return;
    }
    // The title under the button, the button in the target state over it.
    const fw::TRect& r = PBtnData->Rect;
    fw::TBitmap* source = nullptr;
    if (Provider)
        source = Provider->TempBmp && !Provider->TempBmp->Empty() ? Provider->TempBmp.get() : SkinData->FCacheBmp;
    else
        source = Dialog->TempBmp && !Dialog->TempBmp->Empty() ? Dialog->TempBmp : SkinData->FCacheBmp;
    fw::TBitmap work(r.Width(), r.Height(), fw::pf24bit);
    if (source)
        BitBlt(work.Canvas()->Handle(), 0, 0, r.Width(), r.Height(), source->Canvas()->Handle(), r.Left, r.Top,
               SRCCOPY);
    if (const TsMaskData* m = k.Image(image))
        DrawSkinGlyph(&work, fw::TPoint(0, 0), std::max(CurrentState, 0), 1, *m, MakeCacheInfo(&work));
    if (Provider) {
        if (TUserTitleButton* u = Provider->Buttons.UserOf(PBtnData->HitCode)) {
            TUserTitleButton at = *u;
            TsCaptionButton moved = *u->Data;
            moved.Rect = fw::TRect(0, 0, r.Width(), r.Height());
            at.Data = &moved;
            PaintUserGlyph(&work, at, k, Provider->Buttons, CurrentState == 2);
        }
    }
    ABmp->SetSize(r.Width(), r.Height());
    BitBlt(ABmp->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), work.Canvas()->Handle(), 0, 0, SRCCOPY);
    if (!BorderForm) FillAlphaRect(ABmp, fw::TRect(0, 0, ABmp->Width(), ABmp->Height()), 255);
}

void TacSBAnimation::UpdateForm(BYTE Blend) {
    if (!PBtnData) return;
    if (!ABmp) MakeImg();
    if (!AForm) MakeForm();
    if (!ABmp || !AForm) return;
    fw::TRect b = GetFormBounds();
    if (b.Width() != ABmp->Width()) {
        // The image is centred on the button.
        const int dx = (ABmp->Width() - b.Width()) / 2, dy = (ABmp->Height() - b.Height()) / 2;
        b = fw::TRect(b.Left - dx, b.Top - dy, b.Right + dx, b.Bottom + dy);
    }
    const HWND h = AForm->Handle();
    const HWND owner = BorderForm && BorderForm->AForm ? BorderForm->AForm->Handle() : FormHandle;
    // Just above the owner window in the Z order.
    HWND after = GetWindow(owner, GW_HWNDPREV);
    UINT flags = SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
    if (after == h) flags |= SWP_NOZORDER;
    if (!after) after = HWND_TOP;
    SetWindowPos(h, after, b.Left, b.Top, ABmp->Width(), ABmp->Height(), flags);
    AddExStyle(h, WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT);
    SetLayeredImage(h, ABmp, AnimBlend(Blend));
    ShowWindow(h, SW_SHOWNOACTIVATE);
}

void TacSBAnimation::CheckMouseLeave() {
    if (!PBtnData) return;
    POINT p{};
    GetCursorPos(&p);
    RECT wr{};
    const HWND owner = BorderForm && BorderForm->AForm ? BorderForm->AForm->Handle() : FormHandle;
    GetWindowRect(owner, &wr);
    if (PBtnData->Rect.Contains(fw::TPoint(p.x - wr.left, p.y - wr.top))) return;
    SetEnabled(false);
    SendMessageW(FormHandle, WM_MOUSELEAVE, 0, 0);
}

bool AnimatedButtons(TsSkinProvider* SkinProvider, TacDialogWnd* Dlg) {
    if (SkinProvider) {
        TsSkinManager* m = SkinProvider->FrameSkin().Manager;
        return SkinProvider->BorderForm || (m && m->AllowGlowing());
    }
    if (Dlg) {
        TsSkinManager* m = Dlg->FrameSkin().Manager;
        return Dlg->BorderForm || (m && m->AllowGlowing());
    }
    return false;
}

void StartSBAnimation(TsCaptionButton* Btn, int State, int Iterations, bool Up, TsSkinProvider* SkinProvider,
                      TacDialogWnd* Dlg) {
    if (!Btn) return;
    if (auto* t = static_cast<TacSBAnimation*>(Btn->Timer)) {
        if (Up) t->CurrentState = State;
        t->MaxIterations = Iterations;
        t->Up = Up;
        t->SetEnabled(true);
        if (State == 2) {
            t->CurrentLevel = Iterations;
            t->FreeOverlay();
            t->MakeForm();
            t->MakeImg();
        }
        return;
    }
    TacSBAnimation* t = nullptr;
    if (SkinProvider) {
        if (!SkinProvider->Form || !SkinProvider->Form->HandleAllocated()) return;
        t = new TacSBAnimation(SkinProvider);
        t->Provider = SkinProvider;
        t->BorderForm = SkinProvider->BorderForm;
        t->FormHandle = SkinProvider->Form->Handle();
        t->SkinData = SkinProvider->SkinData();
    } else if (Dlg) {
        t = new TacSBAnimation(fw::Application.get());
        t->Dialog = Dlg;
        t->BorderForm = Dlg->BorderForm;
        t->FormHandle = Dlg->DialogHandle();
        t->SkinData = Dlg->DialogSkinData();
    } else {
        return;
    }
    Btn->Timer = t;
    t->SetEnabled(false);
    t->PBtnData = Btn;
    t->MaxIterations = Iterations;
    t->SetInterval(kInterval);
    t->StartAnimation(State, true);
}

void FreeSBAnimation(TsCaptionButton& Btn) {
    // The timer's destructor clears the record's pointer.
    delete static_cast<TacSBAnimation*>(Btn.Timer);
    Btn.Timer = nullptr;
}

}  // namespace skin
