// Pressing a title button, the same for a skinned form's provider and a
// skinned dialog's frame wrapper.
#pragma once

#include "skin/forms/acBorderOwner.h"

namespace skin {

// The press of HitCode's button. The button current before (CurrentHT)
// loses its hot or pressed look and is repainted; HitCode becomes current,
// its button goes pressed and is repainted. A button that does not work now
// (a maximise button that can neither maximise nor restore, a disabled user
// button) is not pressed and leaves no button current. Answers whether a
// button went pressed.
bool PressTitleButton(TacBorderOwner& Owner, int& CurrentHT, int HitCode);

}  // namespace skin
