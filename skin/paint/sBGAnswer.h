// A skinned control's side of the background query: what it shows behind a
// child that asks (smcGetBGInfo), the plain colour it shows, and its parent's
// background as cache information for painting.
//
// A transparency outside 0..100 counts as the nearer end. A cache bitmap of
// no pixels counts as no cache: a child is never pointed at it.
#pragma once

#include <windows.h>

#include "skin/engine/sConst.h"

namespace skin {

class TsCommonData;

// Answers BGInfo for SkinData's control in State (non-zero: the hot values):
// a fill colour, or its cache bitmap (Offset: where its client area lies in
// it; drawn into DrawDC instead when the asker set PleaseDraw). A fully
// transparent section without a wide border passes the question on to its
// parent. Handle serves owners without a control (window wrappers).
void InitBGInfo(TsCommonData* SkinData, PacBGInfo BGInfo, int State, HWND Handle);
// The plain colour the control shows; a partly transparent section mixes its
// colour with the parent's as its painting does (Transparency percent of the
// parent), the parent being the owner control's or Handle's parent window.
TColor GetBGColor(TsCommonData* SkinData, int State, HWND Handle);
// The background of SkinData's owner control in its parent, for painting.
TCacheInfo GetParentCache(TsCommonData* SkinData);
// The background of window Handle in its parent window; EmptyCI without one.
TCacheInfo GetParentCacheHwnd(HWND Handle);

}  // namespace skin
