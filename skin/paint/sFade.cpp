#include "skin/paint/sFade.h"

#include <algorithm>

#include "framework/windows/Application.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/paint/sAnimCore.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sCommonMessage.h"
#include "skin/paint/sFadeSum.h"
#include "skin/paint/sVclUtils.h"

namespace skin {

namespace {

bool BeingDestroyed(const fw::TComponent* c) { return c && c->ComponentState().Contains(fw::csDestroying); }

bool ApplicationTerminating() { return fw::Application.Exists() && fw::Application->Terminated(); }

LRESULT Tell(fw::TControl* c, WORD Cmd, WORD Arg = 0, LPARAM LParam = 0) {
    return c->Perform(SM_ALPHACMD, (WPARAM(Cmd) << 16) | Arg, LParam);
}

// A copy of From summed with the cache of S at the frame's weight.
fw::TBitmap* MakeFrame(fw::TBitmap* From, TsCommonData* S, int FadeLevel, int Iterations) {
    auto* frame = new fw::TBitmap();
    frame->Assign(From);
    if (frame->PixelFormat() != fw::pf24bit) frame->SetPixelFormat(fw::pf24bit);
    if (S->FCacheBmp) SumBitmaps(frame, S->FCacheBmp, TsColor{FadeFrameAlpha(FadeLevel, Iterations)});
    return frame;
}

fw::TBitmap* CopyOf(fw::TBitmap* Bmp) {
    auto* copy = new fw::TBitmap();
    if (Bmp) copy->Assign(Bmp);
    return copy;
}

}  // namespace

uint8_t FadeFrameAlpha(int FadeLevel, int Iterations) {
    return uint8_t(std::clamp(255 - (FadeLevel * 256) / Iterations, 0, 255));
}

// ---- TsFadeTimer

TsFadeTimer::TsFadeTimer(fw::TComponent* AOwner) : fw::TTimer(AOwner), BmpFrom(new fw::TBitmap()) {
    ++acAnimCount;
    SetDirection(fdNone);
}

TsFadeTimer::~TsFadeTimer() {
    delete BmpFrom;
    --acAnimCount;
}

void TsFadeTimer::SetDirection(TFadeDirection Value) {
    FDirection = Value;
    if (FadeLevel < 0) FadeLevel = 1;
    SetEnabled(Value != fdNone);
}

void TsFadeTimer::SetOwnerData(TsCommonData* Value) {
    FOwnerData = Value;
    if (!Value) return;
    fw::TBitmap* cache = Value->FCacheBmp;
    if (Value->BGChanged && (!cache || cache->Empty()) && Value->FOwnerControl)
        SendAMessage(Value->FOwnerControl, smcPrepareCache, 0);
    delete BmpFrom;
    BmpFrom = CopyOf(Value->FCacheBmp);
    SetInterval(10);
    const TsGeneralData* g = Value->Section();
    Iterations = g ? g->FadingIterations : 0;
    // A restarted fade keeps the full count after a fade up, none after a fade down.
    if (FDirection == fdUp)
        Iterations = FadeLevel;
    else if (FDirection == fdDown)
        Iterations -= FadeLevel;
}

void TsFadeTimer::Timer() {
    if (!FOwnerData || BeingDestroyed(this)) return;
    if (ToEnd()) return;  // the timer may be gone now
    if (FadingForbidden) return;
    if (FDirection == fdUp || FDirection == fdDown) Change();
}

bool TsFadeTimer::ToEnd() {
    fw::TControl* c = FOwnerData ? FOwnerData->FOwnerControl : nullptr;
    if (c && !BeingDestroyed(c) && !ApplicationTerminating()) {
        if (FadeLevel >= 0 && FadeLevel <= Iterations) return false;
        Tell(c, smcStopFading);
        return true;
    }
    FDirection = fdNone;
    return false;
}

void TsFadeTimer::Change() {
    fw::TControl* c = FOwnerData ? FOwnerData->FOwnerControl : nullptr;
    if (!c || BeingDestroyed(c) || Iterations == 0 || FadingForbidden) return;
    if (!c->Enabled()) {
        SetEnabled(false);
        Iterations = 0;
        FOwnerData->Invalidate();
        return;
    }
    struct Next {
        int& level;
        fw::TBitmap* frame = nullptr;
        ~Next() {
            delete frame;
            ++level;
        }
    } next{FadeLevel};
    next.frame = MakeFrame(BmpFrom, FOwnerData, FadeLevel, Iterations);
    if (Tell(c, smcPaintFadeStep, 0, LPARAM(next.frame)) == 0) {
        auto* win = dynamic_cast<fw::TWinControl*>(c);
        if (win && win->HandleAllocated()) {
            HDC dc = GetWindowDC(win->WindowHandle());
            const int saved = SaveDC(dc);
            BitBlt(dc, 0, 0, next.frame->Width(), next.frame->Height(), next.frame->Canvas()->Handle(), 0, 0, SRCCOPY);
            RestoreDC(dc, saved);
            ReleaseDC(win->WindowHandle(), dc);
        }
    }
    RefreshMagnifier();
}

// ---- TsAnimTimer

TsAnimTimer::TsAnimTimer(fw::TComponent* AOwner)
    : fw::TTimer(AOwner), BmpFrom(new fw::TBitmap()), TmpBmp(new fw::TBitmap()) {
    ++acAnimCount;
    SetEnabled(false);
}

TsAnimTimer::~TsAnimTimer() {
    delete BmpFrom;
    delete TmpBmp;
    --acAnimCount;
}

void TsAnimTimer::SetOwnerData(TsCommonData* Value) {
    FOwnerData = Value;
    SetInterval(10);
    const TsGeneralData* g = Value ? Value->Section() : nullptr;
    Iterations = g ? g->FadingIterations : 0;
}

void TsAnimTimer::Timer() {
    if (BeingDestroyed(this) || ToEnd()) return;
    DoFade();
}

bool TsAnimTimer::ToEnd() {
    fw::TControl* c = FOwnerData ? FOwnerData->FOwnerControl : nullptr;
    if (BeingDestroyed(this) || !c || BeingDestroyed(c) || ApplicationTerminating()) return true;
    if (FadeLevel >= 0 && FadeLevel <= Iterations) return false;
    Tell(c, smcStopFading);
    return true;
}

void TsAnimTimer::DoFade() {
    fw::TControl* c = FOwnerData ? FOwnerData->FOwnerControl : nullptr;
    if (!FadeInProcess && c && !BeingDestroyed(c) && Iterations != 0 && FadeLevel >= 0) {
        FadeInProcess = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{FadeInProcess};
        fw::TBitmap* frame = MakeFrame(BmpFrom, FOwnerData, FadeLevel, Iterations);
        delete TmpBmp;
        TmpBmp = frame;
        Repaint();
        RefreshMagnifier();
    }
    ++FadeLevel;
}

void TsAnimTimer::Repaint() {
    fw::TControl* c = FOwnerData ? FOwnerData->FOwnerControl : nullptr;
    if (!c) return;
    Tell(c, smcSetUpdating, 0);
    Tell(c, smcRepaint);
}

// ---- the routines

bool EventEnabled(TacAnimatEvent Event, TacAnimatEvents CtrlEvents, TsSkinManager* SkinManager) {
    if (CtrlEvents.Contains(Event)) return true;
    if (!CtrlEvents.Contains(aeGlobalDef)) return false;
    TsSkinManager* m = SkinManager ? SkinManager : DefaultManager;
    if (!m) return false;
    TacBtnEvent button = beMouseUp;
    if (Event == aeMouseEnter) button = beMouseEnter;
    if (Event == aeMouseLeave) button = beMouseLeave;
    if (Event == aeMouseDown) button = beMouseDown;
    return m->AnimEffects()->Buttons.Events.Contains(button);
}

void DoChangePaint(TsFadeTimer*& Timer, TsCommonData* SkinData, bool Clicked, bool AllowAnimation,
                   TFadeDirection Direction) {
    if (!SkinData || !SkinData->Skinned()) return;
    const TsGeneralData* g = SkinData->Section();
    if (AllowAnimation && !aSkinChanging && g && g->FadingEnabled && !FadingForbidden && SkinData->FCacheBmp &&
        !SkinData->BGChanged) {
        SkinData->BGChanged = true;
        AnimChange(Timer, SkinData, Clicked, Direction);
        ShowGlowingIfNeeded(SkinData, Clicked, nullptr);
        return;
    }
    SkinData->BGChanged = true;
    StopFading(Timer, SkinData);
    if (SkinData->FOwnerControl) SkinData->FOwnerControl->Repaint();
    ShowGlowingIfNeeded(SkinData, Clicked, nullptr);
}

void AnimChange(TsFadeTimer*& Timer, TsCommonData* SkinData, bool Clicked, TFadeDirection Direction) {
    const TsGeneralData* g = SkinData ? SkinData->Section() : nullptr;
    if (!g || !g->FadingEnabled) return;
    if (!Timer) {
        Timer = fw::Create<TsFadeTimer>(SkinData->FOwnerControl);
        Timer->SetEnabled(false);
        Timer->FadeLevel = 1;
    } else {
        Timer->FadeLevel = g->FadingIterations;
    }
    Timer->SetOwnerData(SkinData);
    if (Clicked) Timer->Iterations /= 2;
    if (Timer->FadeLevel >= Timer->Iterations || Timer->FadeLevel <= 0) Timer->FadeLevel = 1;
    // The control paints its cache in the new state; BmpFrom keeps the old one.
    if (SkinData->FOwnerControl) Tell(SkinData->FOwnerControl, smcPrepareCache);
    Timer->SetDirection(Direction);
}

void StopFading(TsFadeTimer*& Timer, TsCommonData*) {
    if (!Timer || BeingDestroyed(Timer)) return;
    TsFadeTimer* t = Timer;
    Timer = nullptr;
    t->SetEnabled(false);
    t->SetDirection(fdNone);
    t->Free();
}

}  // namespace skin
