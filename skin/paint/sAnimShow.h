// Show animations: a window's image fades in (atAero: and grows from a 1/8
// inset) on a temporary layered window before the real window takes its
// place, one frame per 10 ms, synchronously; and the cross-fade of a control
// whose content changes, over a frozen picture of what it showed before.
//
// Every animation frees what it made before it returns: its temporary
// window, its image and work bitmaps, and (cross-fade) the snapshot and the
// output window. InAnimationProcess is set while it renders and runs.
#pragma once

#include <windows.h>

#include "framework/windows/Controls.h"
#include "skin/engine/sConst.h"

namespace skin {

class TacBorderFormBase;
class TacDialogWndBase;

// A window that paints nothing, so what the screen showed under it stays
// visible. Without a parent it is a popup owned by the application window
// (topmost when its owner control's window is).
class TOutputWindow : public fw::TCustomControl {
public:
    explicit TOutputWindow(fw::TComponent* AOwner);
    fw::String ClassName() const override { return L"TOutputWindow"; }
    void Dispatch(fw::TMessage& Message) override;

protected:
    void CreateParams(fw::TCreateParams& Params) override;
};

// The form owning the extended-border window BorderForm (required).
void AnimShowForm(TacBorderFormBase* BorderForm, WORD Time, int Alpha, TacAnimType AnimType);
// A skinned system dialog: its frame image with its child windows printed in.
void AnimShowDlg(TacDialogWndBase* Wnd, WORD Time, int Alpha, TacAnimType AnimType);
// A form (on a layered window when the system has them), or a control whose
// content changed (a cross-fade from the picture PrepareForAnimation froze).
void AnimShowControl(fw::TWinControl* Ctrl, WORD Time, int Alpha, TacAnimType AnimType);
// Freezes what the screen shows of Ctrl under an output window (ow) before
// Ctrl changes; AnimShowControl then fades to the new content.
void PrepareForAnimation(fw::TWinControl* Ctrl);

}  // namespace skin
