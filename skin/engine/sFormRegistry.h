// The registry of forms that carry a skin provider, the broadcast of one
// SM_ALPHACMD message to every form, control tree and skinned dialog, and the
// locking of form drawing around a skin change.
//
// Receivers may create or destroy forms while a broadcast runs: the walks
// over the application's components and over HookedComponents re-read the
// length at every step.
#pragma once

#include <vector>

#include "framework/windows/Messages.h"

namespace fw {
class TComponent;
class TCustomForm;
}  // namespace fw

namespace skin {

// Registered forms, in registration order; not owned; an entry may be null.
extern std::vector<fw::TCustomForm*> HookedComponents;

// Appends Form; returns the registry's new length.
int IntSkinForm(fw::TCustomForm* Form);
// Every entry equal to Form receives the last entry, the last becomes null,
// and a trailing null is dropped.
void IntUnSkinForm(fw::TCustomForm* Form);

// The application's forms (last to first; MDI children, forms being loaded or
// destroyed and forms that answer smcIsHandled are left to SendToHooked),
// then SendToHooked. Creates the window of every form it visits.
void AppBroadCastS(fw::TMessage& Message);
// The registered forms, then the visible skinned dialogs of the hook's list.
void SendToHooked(fw::TMessage& Message);

// Stops drawing of the visible forms whose provider serves Manager. Nothing
// while the application is minimised.
void LockForms(fw::TComponent* Manager);
// Lets them draw again; with Repaint, through the skin-change animation.
void UnLockForms(fw::TComponent* Manager, bool Repaint = true);

}  // namespace skin
