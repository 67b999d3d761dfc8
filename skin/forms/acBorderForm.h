// The extended-border and shadow window of a skinned form: a borderless
// layered window right behind the form that shows the form's frame image
// (the skin's wider frame and higher title, and the shadow, with per-pixel
// alpha). The form keeps only its client area; this window answers the
// frame's hit tests on its behalf, passes title and border clicks to it,
// and lets the mouse fall through its shadow to whatever lies below.
//
// Its owner (a form's provider or a system dialog's wrapper, both
// TacBorderOwner) makes it (InitExBorders) while the skin manager's
// ExtendedBorders holds, and moves it along (UpdateExBordersPos) on every
// move, size, activation, caption change and repaint.
#pragma once

#include <windows.h>

#include "framework/windows/Forms.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/forms/acBorderOwner.h"
#include "skin/forms/sExBorderGeometry.h"

namespace skin {

class TacBorderForm : public TacBorderFormBase {
public:
    // AOwner: the provider or dialog wrapper (a TacBorderOwner); its skin
    // data Data (whose cache is the frame image) is this window's.
    TacBorderForm(fw::TObject* AOwner, TsCommonData* Data);
    ~TacBorderForm() override;

    // Set while a mouse message over the shadow is being passed on.
    bool acInMouseMsg = false;
    fw::TWndMethod OldBorderProc;
    // Guards UpdateExBordersPos against the messages its own calls cause.
    bool ExBorderShowing = false;
    // The skin's shadow image in use (the manager's; set by the painting).
    fw::TBitmap* ShadowTemplate = nullptr;

    void BorderProc(fw::TMessage& Message);
    void UpdateExBordersPos(bool Redraw = true, BYTE Blend = 255) override;
    HRGN MakeRgn() override;
    // The frame's hit code at the message's screen point; the title button
    // found becomes the owner's hot one.
    int Ex_WMNCHitTest(fw::TMessage& Message);
    // The sizing and caption cursors; false where this window sets none.
    bool Ex_WMSetCursor(fw::TMessage& Message);
    // Whether the mouse message's point lies on the shadow; a point there
    // clears the owner's hot title button.
    bool MouseAboveTheShadow(const fw::TMessage& Message);
    // A screen point in the extended frame's coordinates (where the owner's
    // title buttons are laid out).
    fw::TPoint FramePoint(int X, int Y) const;
    // How far left of and above the owner's window this window stands.
    int OffsetX() const;
    int OffsetY() const;
    fw::TRect ShadowSize() const;

private:
    TacBorderOwner* Owner() const;
    // The owner's frame as the measurements see it; false without one.
    bool Frame(TFrameState& S, TExBorders& E) const;
    fw::TPoint WindowPos() const;
    void DoubleClick(fw::TMessage& Message);
    void PassShadowMessage(fw::TMessage& Message);
};

// Frees an owner's border window when it goes back to its own frame: the
// cache (Data's) returns to 24-bit, and the frame and the region are to be
// made again. False when there was none, or the owner has no skin data (then
// nothing more is to be done).
bool DropBorderForm(TacBorderFormBase*& BorderForm, TsCommonData* Data, bool& RgnChanged);

}  // namespace skin
