#include "skin/forms/sTitlePress.h"

namespace skin {

namespace {

bool ButtonWorks(TacBorderOwner& Owner, int HitCode) {
    if (HitCode == HTMAXBUTTON) {
        const TFrameState s = Owner.State();
        return EnabledMax(s) || (s.Zoomed && EnabledRestore(s));
    }
    // A greyed close button takes no press, so its release closes nothing.
    if (HitCode == HTCLOSE) return EnabledClose(Owner.State());
    const TUserTitleButton* user = Owner.CaptionButtons().UserOf(HitCode);
    return !user || user->Enabled;
}

}  // namespace

bool PressTitleButton(TacBorderOwner& Owner, int& CurrentHT, int HitCode) {
    if (HitCode != CurrentHT && CurrentHT > 0) {
        if (TsCaptionButton* old = Owner.ButtonOf(CurrentHT)) {
            if (old->State > 0) old->State = 0;
            Owner.RepaintButton(CurrentHT);
        }
    }
    CurrentHT = HitCode;
    TsCaptionButton* btn = Owner.ButtonOf(HitCode);
    if (!btn) return false;
    if (!ButtonWorks(Owner, HitCode)) {
        CurrentHT = 0;
        return false;
    }
    if (btn->State >= 0) btn->State = 2;
    Owner.RepaintButton(HitCode);
    return true;
}

}  // namespace skin
