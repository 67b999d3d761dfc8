// What the extended-border window asks of the window it stands behind: a
// skinned form's provider or a skinned system dialog's frame wrapper. Each
// answer is the owner's own operation of the same name, so the border
// window works the same for both.
#pragma once

#include <windows.h>

#include "framework/rtl/Types.h"
#include "framework/windows/Messages.h"
#include "skin/forms/sExBorderGeometry.h"
#include "skin/forms/sFrameGeometry.h"

namespace skin {

class TsSkinManager;

class TacBorderOwner {
public:
    virtual ~TacBorderOwner() = default;

    // ---- the frame as the measurements see it
    virtual TFrameState State() const = 0;
    virtual const TFrameMetrics& Metrics() const = 0;
    virtual const TFrameSkin& FrameSkin() const = 0;
    virtual TExBorders ExBorders() const = 0;
    virtual fw::TRect ShadowSize() const = 0;
    virtual TTitleButtons& CaptionButtons() = 0;
    // The title button of a hit code (system, user or MDI), nil for none.
    virtual TsCaptionButton* ButtonOf(int HitCode) = 0;

    // ---- what the border window has the owner do
    virtual void SetHotHT(int HitCode, bool Repaint) = 0;
    virtual void RepaintButton(int HitCode) = 0;
    virtual void PaintAll() = 0;
    virtual void KillAnimations() = 0;
    // The window menu's items after a maximise or restore.
    virtual void UpdateSysMenu() = 0;
    // Whether the border window follows the owner now; the owner may free it
    // here (then false, and the border window is gone).
    virtual bool ExBordersFollow() = 0;
    // The opacity the border window is shown with.
    virtual BYTE ExBordersAlpha(BYTE Blend) const { return Blend; }
    // The owner's own answer to a hit test on its frame, 0 for none.
    virtual int ExtHitTest(const fw::TMessage& Message) {
        (void)Message;
        return 0;
    }
    // Modal owners keep the border window's region while the mouse falls
    // through the shadow.
    virtual bool OwnerModal() const { return false; }
};

// The skin's extended sizes and the manager's form shadow (On) while a
// border window exists (HaveBorderForm).
TExBorders ExBordersOf(const TsSkinManager* Manager, bool HaveBorderForm);

}  // namespace skin
