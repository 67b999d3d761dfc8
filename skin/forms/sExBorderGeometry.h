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
    int SkinBorder = 0;   // SkinBorderWidth
    int SkinTitle = 0;    // SkinTitleHeight
    RECT Shadow{};        // ShadowSize: left, top, right and bottom widths
    int MaxTitle = 0;     // ExMaxHeight: the title a maximised form keeps in view (0: SkinTitle)
    int CenterOffs = 0;   // ExCenterOffs: how far the title's items lie below its centre
    int ContentOffs = 0;  // ExContentOffs
    // ExDrawMode 1: the skin's border image is the frame itself (painted over
    // the whole image, the title's items drawn on it); 0: it is the shadow.
    int DrawMode = 0;
    // FSysExHeight: a zoomed form whose skin title is lower than the
    // system's caption plus 4 takes that height.
    bool SysExHeight = false;
};

// Whether the extended draw mode is on (a border window and ExDrawMode 1).
inline bool ExDrawing(const TExBorders& E) { return E.On && E.DrawMode == 1; }

// The frame width with the skin's sizes (CheckSkin True): the skin's border
// when it is not 0, else the system's.
int ExFrameWidth(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E);
// The title height with the skin's sizes (CheckSkin True): 0 without a
// caption, else the skin's title, or the system's when that is 0.
int ExCaptionHeight(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E);
int DiffBorder(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E);
int DiffTitle(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E);

// What FSysExHeight is to be for the form now: zoomed, with a border window
// and a skin title (as the skin gives it) under the system's caption + 4.
bool SysExHeightFor(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E);

// The state and metrics the extended frame (without the shadow) is measured
// and painted with; its title's items (Sx.ExTitle) are moved by the skin's
// centre offset (in the extended draw mode) and, for a zoomed form whose
// skin keeps a lower title in view (ExMaxHeight), into that title.
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

// The maximised window's place and size on a work area (WM_GETMINMAXINFO)
// with a border window: the extended title, not the system's, fits the work
// area's top, less what the skin keeps out of view of a maximised title
// (ExMaxHeight, and a top margin of aligned buttons). Without one: MaxInfo.
bool ExMaxInfo(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E, const TFrameSkin& K,
               const fw::TRect& WorkArea, POINT& MaxPosition, POINT& MaxSize);

// The menu line's band in the border window's image (ClientTop: the
// client's top there less the form's BorderWidth); empty without a line.
fw::TRect ExMenuLineRect(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E, int ClientTop);
// A menu-line item's rectangle in that image as a place in the menu line's
// own image (ExMenuLineRect's top-left is its origin).
fw::TPoint ExMenuLineItemOrigin(const fw::TRect& ItemRect, const TFrameState& S, const TFrameMetrics& M,
                                const TExBorders& E);

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
