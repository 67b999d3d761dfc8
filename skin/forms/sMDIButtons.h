// The buttons of a maximised MDI child (minimise, restore, close) that an MDI
// parent shows at the right end of its last menu line: when they show, which
// images they use, where they lie, what the mouse hits and how they are drawn
// into the window image. Geometry needs no window; drawing needs only the
// image.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "skin/forms/sFrameGeometry.h"

namespace skin {

// What the MDI buttons read of the parent and its active child.
struct TMDIState {
    bool MDIForm = false;          // the form is an MDI parent
    bool HasMenu = false;          // with a main menu
    bool ChildProvider = false;    // its active child has a provider
    bool ChildMaximized = false;   // the active child is maximised
    bool ChildSystemMenu = false;  // the active child has biSystemMenu
    bool ChildEnabledMin = true;   // the active child's window-menu rules
    bool ChildEnabledRestore = true;
    bool Active = true;  // the parent is drawn active
};

// The buttons show only for a maximised active child with a provider and a
// window menu, in a parent with a menu.
bool MDIButtonsNeeded(const TMDIState& S);

// The three buttons. Max is the restore button.
struct TMDIButtons {
    TsCaptionButton Min, Max, Close;
    // The button of a hit code (101 close, 102 restore, 103 minimise), else nil.
    TsCaptionButton* Of(int HitCode);
    const TsCaptionButton* Of(int HitCode) const;
};

// The small set ("SICONMIN", "SICONMAX", "SICONCLOSE"); the big one when the
// skin has no small close image; the parent's own title-button images when
// the small minimise image is missing.
void UpdateMDIIconsIndexes(TMDIButtons& B, const TTitleButtons& Own, const TFrameSkin& K);

// The size of one state of the close image (16 x 16 without one).
int SmallButtonWidth(const TFrameSkin& K, const TMDIButtons& B);
int SmallButtonHeight(const TFrameSkin& K, const TMDIButtons& B);

// Places the buttons at the right end of the last menu line, close rightmost,
// one pixel apart. Minimise and close get a place only when their image
// exists (else they keep the one they had); restore always.
void LayoutMDIButtons(TMDIButtons& B, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K);

// The code at P in the menu line: 101, 102 or 103 on a button, else HTMENU.
int MDIButtonHitTest(const TMDIButtons& B, fw::TPoint P);

// The image a button shows: restore shows "SICONNORM" (else "BICONNORM")
// while the child is maximised.
int ShownMDIImage(const TsCaptionButton& Btn, const TMDIButtons& B, const TMDIState& S, const TFrameSkin& K);
// Whether the button answers clicks for the active child now.
bool MDIButtonEnabled(const TsCaptionButton& Btn, const TMDIButtons& B, const TMDIState& S);

// Draws one button, or all three, at their places into Cache (the window
// image): dimmed unless the parent is active and the child allows the
// command. The menu line's painting calls PaintMDIButtons after its items.
void PaintMDIButton(fw::TBitmap* Cache, const TsCaptionButton& Btn, const TMDIButtons& B, const TMDIState& S,
                    const TFrameSkin& K);
void PaintMDIButtons(fw::TBitmap* Cache, const TMDIButtons& B, const TMDIState& S, const TFrameSkin& K);
// The rectangle all three buttons cover (empty when none is placed).
fw::TRect MDIButtonsRect(const TMDIButtons& B);

}  // namespace skin
