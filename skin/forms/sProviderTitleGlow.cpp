// The glow windows of title buttons repainted directly: a maximised MDI
// child's buttons in the parent's menu line are never faded, so while
// glowing is allowed their hot look gets the skin's glow around them.
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/sMDIButtons.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/paint/acGlow.h"

namespace skin {

void TsSkinProvider::HideButtonGlow(TsCaptionButton& Btn) {
    if (Btn.GlowID < 0) return;
    HideGlow(Btn.GlowID);
    Btn.GlowID = -1;
}

void TsSkinProvider::HideTitleGlows() {
    for (TsCaptionButton* b : {&Buttons.Min, &Buttons.Max, &Buttons.Close, &Buttons.Help, &MDIButtons.Min,
                               &MDIButtons.Max, &MDIButtons.Close})
        HideButtonGlow(*b);
}

void TsSkinProvider::UpdateButtonGlow(TsCaptionButton& Btn, int ImageIndex) {
    HideButtonGlow(Btn);
    TsSkinManager* m = FFrameSkin.Manager;
    const TsMaskData* image = FFrameSkin.Image(ImageIndex);
    if (Btn.State != 1 || !m || !m->AllowGlowing() || !image || !Form || !Form->HandleAllocated()) return;
    // Glows stand over top-level windows only.
    if (Form->Parent() || Form->FormStyle() == fw::fsMDIChild) return;
    const TButtonGlow g = ButtonGlowOf(Btn.HitCode, m->SkinData);
    if (g.Size <= 0) return;
    const HWND host = BorderForm && BorderForm->AForm ? BorderForm->AForm->Handle() : Form->WindowHandle();
    RECT wr{};
    GetWindowRect(host, &wr);
    fw::TRect r = Btn.Rect;
    fw::OffsetRect(r, wr.left, wr.top);
    Btn.GlowID = ShowGlow(r, r, L"GLOBALINFO", image->PropertyName + L"GLOW", g.Margin, 255, host, m);
}

}  // namespace skin
