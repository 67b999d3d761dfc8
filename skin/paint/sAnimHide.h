// Hide animations: when a skinned form or system dialog goes, its image is
// rendered once more onto a temporary layered tool window at its place and
// fades out (atAero: shrinks towards a 1/8 inset) there on the process-wide
// hide timer, while the real window is already gone. While the application
// is terminating the frames run at once, before the call returns.
//
// Nothing outlives an animation: its last tick (or, while terminating, the
// call itself) frees the temporary window and both images; a new hide while
// one runs frees the running one's window and images at once and restarts
// the same timer; a time below 10 ms shows nothing and frees what was made.
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "skin/engine/acThreadedTimer.h"
#include "skin/engine/sConst.h"

namespace fw {
class TForm;
}

namespace skin {

class TacDialogWndBase;
class TsSkinProviderBase;

// The one hide timer: its ticks (one frame each, every 10 ms) come from the
// worker of the threaded timer and run on the GUI thread.
class TacHideTimer : public TacThreadedTimer {
public:
    using TacThreadedTimer::TacThreadedTimer;
    // Ends the worker, then frees the window and images it still holds.
    ~TacHideTimer() override;
    fw::String ClassName() const override { return L"TacHideTimer"; }

    TacDialogWndBase* Dlg = nullptr;   // not used here
    TsSkinProviderBase* sp = nullptr;  // not used here
    HDC DC = nullptr;                  // the screen DC during one frame
    fw::TForm* Form = nullptr;         // the layered window showing the image (owned)
    SIZE FBmpSize{};
    POINT FBmpTopLeft{};
    BLENDFUNCTION FBlend{};
    double dx = 0, dy = 0;
    double l = 0, t = 0, r = 0, b = 0;
    int StartBlendValue = 0;
    int i = 0;  // the next frame
    int StepCount = 0;
    TacAnimType AnimType = atFading;
    int DelayValue = 0;
    double Trans = 0;               // the current alpha
    double p = 0;                   // its fall per frame
    fw::TBitmap* SrcBmp = nullptr;  // the window's image (owned)
    fw::TBitmap* DstBmp = nullptr;  // the frame (owned)

    void Anim_Init();
    // The next frame's image and alpha.
    void Anim_DoNext();
    void Anim_GoToNext();
    // One frame; past the last, the timer stops and drops the window and images.
    void OnTimerProc(fw::TObject* Sender);
    // Form, SrcBmp and DstBmp freed and cleared.
    void FreeImage();
};

// Nil until the first hide animation; then owned by the application object.
extern TacHideTimer* acHideTimer;

// The provider's form (not an MDI child), with FormHide of its manager.
void AnimHideForm(fw::TObject* SkinProvider);
// A skinned system dialog, with DialogHide of the default manager.
void AnimHideDlg(TacDialogWndBase* Wnd);

}  // namespace skin
