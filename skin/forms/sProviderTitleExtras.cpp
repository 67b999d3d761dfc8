// The provider's user title buttons and the fades of its title buttons.
#include "skin/forms/acSBAnimation.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"

namespace skin {

void TsSkinProvider::KillAnimations() {
    HideTitleGlows();
    for (TsCaptionButton* b : {&Buttons.Min, &Buttons.Max, &Buttons.Close, &Buttons.Help}) FreeSBAnimation(*b);
    for (int i = 0; i < FTitleButtons.Count(); ++i) FreeSBAnimation(FTitleButtons.Items(i)->BtnData);
}

void TsSkinProvider::UserButtonsChanged(fw::TCollectionItem* Gone) {
    Buttons.User = FTitleButtons.Views(Gone);
    // A hot or pressed user button may have gone or moved.
    if (CurrentHT >= HTUDBTN) CurrentHT = 0;
    if (FCommonData) FCommonData->BGChanged = true;
}

TsTitleButton* TsSkinProvider::UserButtonOf(int HitCode) {
    const int i = HitCode - HTUDBTN;
    if (i < 0 || i >= FTitleButtons.Count() || i >= int(Buttons.User.size())) return nullptr;
    return FTitleButtons.Items(i);
}

void TsSkinProvider::UserButtonHint(int HitCode, bool Show) {
    TsTitleButton* b = UserButtonOf(HitCode);
    if (!b) return;
    if (!Show || !Form || !Form->HandleAllocated()) {
        b->HideHint();
        return;
    }
    POINT p{};
    GetCursorPos(&p);
    b->ShowHint(fw::TPoint(p.x, p.y), Form->WindowHandle());
}

}  // namespace skin
