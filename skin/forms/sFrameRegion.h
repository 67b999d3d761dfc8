// The window region of a skinned form: the window's rectangle less the
// see-through (fuchsia) pixels of the corners of the form's border image and
// of the title's border image. Everything is in window coordinates: a
// region given to SetWindowRgn is relative to the window's top-left.
#pragma once

#include <windows.h>

#include "skin/forms/sFrameGeometry.h"
#include "skin/paint/sRegions.h"

namespace skin {

// Whether the form's region is the skin's: a frame, a thick frame or iconic.
bool FrameNeedsRegion(const TFrameState& S);
// The corner runs cut out of the window (ArOR): the form border image's top
// corners at row 0 and bottom corners at the bottom, then the title border
// image's top corners.
TAOR FillArOR(const TFrameState& S, const TFrameSkin& K);
// (X, Y, X + CaptionWidth, Y + Height) less every run moved by (X, Y).
HRGN GetRgnFromArOR(const TFrameState& S, const TAOR& ArOR, int X, int Y);
// The region the window gets: a maximised form without maximum constraints
// (not an MDI child) its window rectangle less the frame, any other the
// corner-cut rectangle. The caller owns it.
HRGN FrameRegion(const TFrameState& S, const TFrameMetrics& M, const TAOR& ArOR);

}  // namespace skin
