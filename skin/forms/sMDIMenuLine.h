// An MDI parent's menu line beyond its own items: the maximised child's icon
// at the line's start, and the "acMDIIcons" window laid over the MDI buttons
// while the platform tracks the bar's menus, so the platform's own pictures of
// those buttons never show. Geometry is pure; the window lives in
// sProviderMDIMenu.cpp.
#pragma once

#include "framework/rtl/Types.h"
#include "framework/windows/Forms.h"
#include "skin/forms/sFrameGeometry.h"

namespace skin {

// The MDI parent's provider has an MDI parent form whose active child is
// maximised and has biSystemMenu: its icon shows in the parent's menu line.
bool ChildIconPresent();

// The child's icon in the window image: a square a menu row high less two
// pixels, one pixel below the menu line's (Line) top; centred on the
// platform's window-menu item (WindowMenu, window coordinates) and never wider
// than it, else one pixel into the line.
fw::TRect ChildIconRect(const fw::TRect& Line, int MenuHeight, const fw::TRect& WindowMenu);

// Where the "acMDIIcons" window lies, in window coordinates: the 60 pixels
// before the right border (more when the MDI buttons, Buttons, start further
// left), from the top of the line's last row, SM_CYMENU + 3 high but never
// below the menu line. Empty without a menu line.
fw::TRect MDIIconsRect(const TFrameState& S, const TFrameMetrics& M, const fw::TRect& Buttons);

// The "acMDIIcons" window (Tag -98) while a menu loop of an MDI parent with a
// maximised child runs; nil otherwise.
fw::TCustomForm* MDIIconsForm();

class TsSkinProvider;
// Frees the "acMDIIcons" window when it paints from the provider (Owner),
// which is going: it must not outlive the image it copies.
void FreeMDIIconsOf(const TsSkinProvider* Owner);

}  // namespace skin
