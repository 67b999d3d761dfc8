// The border window's image: the extended frame, opaque, over the skin's
// shadow template, in a 32-bit bitmap whose alpha the layered window shows.
// Serves forms and system dialogs alike.
#pragma once

#include "skin/forms/sExBorderGeometry.h"
#include "skin/forms/sFramePaint.h"

namespace skin {

class TsSkinManager;

// Renders into Cache (made 32-bit, sized ExImageSize) the extended frame of
// S and the shadow of E around it; the returned template is the manager's
// active or inactive shadow image used (nil for none).
fw::TBitmap* PaintExFrameImage(fw::TBitmap* Cache, const TFrameState& S, const TFrameMetrics& M, const TExBorders& E,
                               const TFrameSkin& K, TTitleButtons& B, const TFrameContent& Content,
                               fw::TBitmap*& GlowMask, TsSkinManager* Manager, bool Active);

}  // namespace skin
