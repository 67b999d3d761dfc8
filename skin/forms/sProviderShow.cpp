// A skinned form appearing and going: the show animation around the
// framework's own showing (the window is shown layered and all but
// invisible, then its image fades in on a temporary window before the real
// window takes its place) and the hide animation after the window went.
#include <vector>

#include "framework/windows/Application.h"
#include "framework/windows/ComCtrls.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/sDwm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sAnimHide.h"
#include "skin/paint/sAnimShow.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sVclUtils.h"

namespace skin {

namespace {

// The visible windowed children whose drawing is held while the form shows
// (a cool bar keeps drawing: it lays its bands out while it paints).
std::vector<HWND> HeldChildren(fw::TCustomForm* Form) {
    std::vector<HWND> held;
    for (int i = 0; i < Form->ControlCount(); ++i) {
        auto* c = dynamic_cast<fw::TWinControl*>(Form->Controls(i));
        if (!c || !c->Visible() || !c->HandleAllocated() || dynamic_cast<fw::TCoolBar*>(c)) continue;
        held.push_back(c->WindowHandle());
    }
    return held;
}

bool HideWanted(const WINDOWPOS* Pos, HWND Wnd, TsSkinManager* M, bool DrawNonClientArea) {
    const TacFormAnimation& hide = M->AnimEffects()->FormHide;
    return Pos && (Pos->flags & SWP_HIDEWINDOW) && acLayered && !IsIconic(Wnd) && hide.Active && hide.Time > 0 &&
           DrawNonClientArea;
}

}  // namespace

void TsSkinProvider::WMShowingChanged(fw::TMessage& Message) {
    TsSkinManager* m = SkinManager();
    if (!FDrawNonClientArea || !Form->Showing() || !m) {
        PassOn(Message);
        return;
    }
    const HWND h = Form->WindowHandle();
    const TacFormAnimation& show = m->AnimEffects()->FormShow;
    fAnimating = Form->FormStyle() != fw::fsMDIChild && !Form->Parent() && show.Active;
    int alpha = 255;
    bool layered = false;
    std::vector<HWND> held;
    if (fAnimating) {
        FCommonData->FUpdating = true;
        FInAnimation = true;
        layered = DoLayered(h, true);
        if (layered) {
            UpdateRgn(false);
            RgnChanging = false;
        } else {
            alpha = Form->AlphaBlendValue();
            Form->SetAlphaBlendValue(0);
        }
        held = HeldChildren(Form);
        for (HWND c : held) SendMessageW(c, WM_SETREDRAW, FALSE, 0);
    } else {
        FCommonData->FUpdating = false;
    }
    InitExBorders(m->ExtendedBorders());
    PassOn(Message);
    RefreshFormScrollWrapper();
    if (!fAnimating) return;
    for (HWND c : held)
        if (IsWindow(c)) SendMessageW(c, WM_SETREDRAW, TRUE, 0);
    // Made normal again, and hidden by style until the animation's end gives
    // the window back its drawing (WM_SETREDRAW) and redraws it.
    if (layered) DoLayered(h, false);
    fAnimating = false;
    AnimShowControl(Form, show.Time, alpha, show.Mode);
    FInAnimation = false;
    if (IsWindow(h)) {
        // Nothing may stay hidden by style should the animation have ended early.
        if (!(GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE)) SendMessageW(h, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(h, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME |
                         (IsCached(FCommonData) ? RDW_NOERASE : RDW_ERASE));
    }
    RgnChanging = false;
}

void TsSkinProvider::WMWindowPosChanged(fw::TMessage& Message) {
    PassOn(Message);
    TsSkinManager* m = SkinManager();
    if (!m || !Form->HandleAllocated()) return;
    const HWND h = Form->WindowHandle();
    FSysExHeight = SysExHeightFor(State(), FMetrics, ExBorders());
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
    if (HideWanted(pos, h, m, FDrawNonClientArea) && !SkipAnimation) {
        const bool terminating = fw::Application.Exists() && fw::Application->Terminated();
        if (terminating || m->ShowState == saMinimize) return;
        const bool composition = AeroIsEnabled();
        if (composition) DoLayered(h, true);
        AnimHideForm(this);
        if (composition) DoLayered(h, false);
    } else if (BorderForm && pos && !(pos->flags & (SWP_NOREDRAW | SWP_FRAMECHANGED))) {
        BorderForm->UpdateExBordersPos(false, 255);
    }
}

void TsSkinProvider::UnskinnedWindowPosChanged(fw::TMessage& Message) {
    TsSkinManager* m = SkinManager();
    // A provider that never started has no image of the form to fade.
    if (RTInit || !m || !m->Active() || !Form || !Form->HandleAllocated() ||
        Form->ControlState().Contains(fw::csCreating))
        return;
    const HWND h = Form->WindowHandle();
    if (!HideWanted(reinterpret_cast<const WINDOWPOS*>(Message.LParam), h, m, FDrawNonClientArea)) return;
    // The one hide timer is kept: a new animation takes it over, and what the
    // running one showed goes at once.
    AnimHideForm(this);
    DoLayered(h, false);
}

}  // namespace skin
