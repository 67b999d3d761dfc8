#include "skin/forms/sFrameRegion.h"

#include "skin/engine/sSkinManager.h"

namespace skin {

bool FrameNeedsRegion(const TFrameState& S) { return HaveBorder(S) || S.Iconic || (S.Style & WS_THICKFRAME); }

TAOR FillArOR(const TFrameState& S, const TFrameSkin& K) {
    TAOR aor;
    if (const TsMaskData* border = K.Image(K.BorderIndex)) {
        AddRgn(aor, CaptionWidth(S), *border, 0, false);
        AddRgn(aor, CaptionWidth(S), *border, S.Height - border->WB, true);
    }
    if (const TsMaskData* title = K.Image(K.TitleMask)) AddRgn(aor, CaptionWidth(S), *title, 0, false);
    return aor;
}

HRGN GetRgnFromArOR(const TFrameState& S, const TAOR& ArOR, int X, int Y) {
    return GetRgnFromRuns(ArOR, X, Y, CaptionWidth(S), S.Height);
}

HRGN FrameRegion(const TFrameState& S, const TFrameMetrics& M, const TAOR& ArOR) {
    if (S.Zoomed && !S.MaxConstraints && !S.MDIChild) {
        const int w = SysBorderWidth(S, M), h = SysBorderHeight(S, M);
        return CreateRectRgn(w, h, S.Width - w, S.Height - h);
    }
    return GetRgnFromArOR(S, ArOR, 0, 0);
}

}  // namespace skin
