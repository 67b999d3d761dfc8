// The measurements of a form with the skin's extended border: a frame wider
// and a title higher than the system's, drawn with a shadow around it in a
// separate window behind the form. The frame image is the whole border
// window; the form's own window keeps only its client area.
//
// The extended frame is measured and painted as the frame of a window grown
// by DiffBorder on the left, right and bottom and by DiffTitle on top, with
// the skin's border width and title height as its metrics (ExFrame), so the
// ordinary measurements, layout and painting serve it unchanged; the shadow
// lies around that frame in the image.
#pragma once

#include <windows.h>

#include "skin/forms/sFrameGeometry.h"

namespace skin {

// The skin's extended sizes ("GLOBALINFO" BORDERWIDTH, TITLEHEIGHT) and the
// manager's form shadow; On only while the form has a border window.
struct TExBorders {
    bool On = false;
    int SkinBorder = 0;  // SkinBorderWidth
    int SkinTitle = 0;   // SkinTitleHeight
    RECT Shadow{};       // ShadowSize: left, top, right and bottom widths
};

// The frame width with the skin's sizes (CheckSkin True): the skin's border
// when it is not 0, else the system's.
int ExFrameWidth(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E);
// The title height with the skin's sizes (CheckSkin True): 0 without a
// caption, else the skin's title, or the system's when that is 0.
int ExCaptionHeight(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E);
int DiffBorder(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E);
int DiffTitle(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E);

// The state and metrics the extended frame (without the shadow) is measured
// and painted with.
void ExFrame(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E, TFrameState& Sx, TFrameMetrics& Mx);

// The border window's image: the extended frame and the shadow around it.
fw::TSize ExImageSize(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E);
// Where the client area's top-left lies in that image.
fw::TPoint ExClientOffset(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E);
// How far left of and above the form's window the border window stands.
fw::TPoint ExWindowOffset(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E);
// What is left of the form's own window, in window coordinates: its client
// area (the menu lines included); the border window shows the rest.
fw::TRect ExOwnerRegionRect(const TFrameState& S, const TFrameMetrics& M);

// Whether P (border window coordinates) lies on the shadow: outside the
// frame, both ends of the frame's span counting as inside. A zoomed form
// has no shadow to hit.
bool ExAboveTheShadow(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E, fw::TPoint P);

// The hit code at P (border window coordinates) of the extended frame: -1
// for a disabled form; the title buttons (laid out in the extended frame,
// HTCAPTION for one that does not work now); the sizing edges, as wide as
// the system frame along the frame's outer edge (not for a zoomed form);
// the title band from the image's top (HTSYSMENU on the icon); the menu
// lines (HTMENU); the size grip (HTBOTTOMRIGHT); else -1.
int ExFrameHitTest(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E, const TFrameSkin& K,
                   const TTitleButtons& B, fw::TPoint P);

// The border window's region: for a zoomed form the rectangle inside its
// frame, starting 4 pixels below the shadow's top; for other forms nil
// (the whole window). Zoomed forms keep no shadow on screen.
HRGN ExZoomedRegion(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E);

}  // namespace skin
