#include "skin/paint/sAnimCore.h"

#include <algorithm>

#include "framework/rtl/SysUtils.h"

#include "framework/windows/Forms.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sVclUtils.h"

namespace skin {

HDC acPrintDC = nullptr;
fw::TBitmap* acSrcBmp = nullptr;
fw::TBitmap* acDstBmp = nullptr;
fw::TWinControl* ow = nullptr;

namespace {
void SystemSleep(DWORD Milliseconds) { ::Sleep(Milliseconds); }
}  // namespace

TAnimSleep AnimSleep = &SystemSleep;

TAnimationScope::TAnimationScope() { InAnimationProcess = true; }
TAnimationScope::~TAnimationScope() { InAnimationProcess = false; }

BYTE ClampAlpha(int Alpha) { return BYTE(std::clamp(Alpha, 0, 255)); }

int RoundInt(double Value) { return int(fw::Round(Value)); }

void RefreshMagnifier() {
    if (auto* c = dynamic_cast<fw::TControl*>(acMagnForm)) SendAMessage(c, smcRefresh, 0);
}

BLENDFUNCTION AnimBlend(BYTE Alpha) { return BLENDFUNCTION{AC_SRC_OVER, 0, Alpha, AC_SRC_ALPHA}; }

bool SetLayeredImage(HWND W, fw::TBitmap* Bmp, const BLENDFUNCTION& Blend, COLORREF Key) {
    if (!UpdateLayeredWindow || !W || !Bmp) return false;
    HDC screen = GetDC(nullptr);
    SIZE size{Bmp->Width(), Bmp->Height()};
    POINT src{0, 0};
    BLENDFUNCTION blend = Blend;
    const BOOL ok =
        UpdateLayeredWindow(W, screen, nullptr, &size, Bmp->Canvas()->Handle(), &src, Key, &blend, ULW_ALPHA);
    ReleaseDC(nullptr, screen);
    return ok != FALSE;
}

void AddExStyle(HWND W, LONG Flags) { SetWindowLongW(W, GWL_EXSTYLE, GetWindowLongW(W, GWL_EXSTYLE) | Flags); }

fw::TForm* NewTempForm() {
    auto* f = new fw::TForm(nullptr);
    f->AfterConstruction();
    f->SetTag(acTempFormTag);
    f->SetBorderStyle(fw::bsNone);
    f->SetVisible(false);
    f->HandleNeeded();
    return f;
}

void FreeTempForm(fw::TForm*& Form) {
    if (!Form) return;
    fw::TForm* f = Form;
    Form = nullptr;
    f->Free();
}

namespace {

HWND OwnerWindow(TsSkinProviderBase* sp) {
    return sp && sp->Form && sp->Form->HandleAllocated() ? sp->Form->WindowHandle() : nullptr;
}

// x for every variant, y for a form that is not zoomed.
POINT PlainOffset(HWND Wnd, TacBorderFormBase* bf, const fw::TRect& shadow, int captionHeight) {
    const int sys = SysBorderWidth(Wnd, bf, false);
    return POINT{SkinBorderWidth(bf) + int(shadow.Left) - sys,
                 int(shadow.Top) + SkinTitleHeight(bf) - captionHeight - sys};
}

}  // namespace

POINT FormFrameOffset(TsSkinProviderBase* sp) {
    if (!sp || !sp->BorderForm) return POINT{0, 0};
    HWND wnd = OwnerWindow(sp);
    sp->FSysExHeight = wnd && IsZoomed(wnd);
    const fw::TRect shadow = sp->ShadowSize();
    POINT d = PlainOffset(wnd, sp->BorderForm, shadow, sp->CaptionHeight(false));
    if (sp->FSysExHeight)
        d.y = SysBorderWidth(wnd, sp->BorderForm, false) + int(shadow.Top) + DiffTitle(sp->BorderForm);
    return d;
}

POINT ControlFrameOffset(TsSkinProviderBase* sp) {
    if (!sp || !sp->BorderForm) return POINT{0, 0};
    HWND wnd = OwnerWindow(sp);
    const fw::TRect shadow = sp->ShadowSize();
    POINT d = PlainOffset(wnd, sp->BorderForm, shadow, sp->CaptionHeight(false));
    const TsSkinManager* m = sp->SkinManager();
    const int exTitle = m && m->SkinData ? m->SkinData->ExTitleHeight : 0;
    const int exMax = m && m->SkinData ? m->SkinData->ExMaxHeight : 0;
    if (sp->FSysExHeight)
        d.y = shadow.Top;
    else if (wnd && IsZoomed(wnd) && exMax != exTitle)
        d.y = int(shadow.Top) + SkinTitleHeight(sp->BorderForm) + exTitle - sp->CaptionHeight(false) -
              SysBorderWidth(wnd, sp->BorderForm, false) - exMax;
    return d;
}

POINT DialogFrameOffset(TacDialogWndBase* Wnd) {
    if (!Wnd || !Wnd->BorderForm) return POINT{0, 0};
    return PlainOffset(Wnd->DialogHandle(), Wnd->BorderForm, Wnd->ShadowSize(), Wnd->CaptionHeight(false));
}

}  // namespace skin
