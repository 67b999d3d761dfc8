// What the wrappers of standard windows, forms, controls and dialogs call of
// the skin engine and the painting layer, in one include. Each service is the
// routine of the unit named beside it; where a caller's name or meaning is not
// the routine's own, the routine's meaning holds and the line says how to call
// it (README.md, "Services", says why).
#pragma once

// Engine: the manager and its tables (gd, ma, MasterBitmap, ConstData,
// SkinData), lookups (GetSkinIndex, GetMaskIndex, IsValidSkinIndex,
// IsValidImgIndex, MaskSize, MaskWidth*), colours (GetGlobalColor,
// GetGlobalFontColor, GetActiveEditColor, GetActiveEditFontColor,
// GetHighLightColor, GetHighLightFontColor), SetActiveControl, hooks,
// SkinningRules, ThirdLists, AnimEffects, DefaultManager.
// Accessors without "Get": AllowGlowing(), ExtendedBorders(), IsDefault().
#include "skin/engine/sSkinManager.h"
// SM_ALPHACMD and the smc* sub-commands.
#include "skin/engine/sMessages.h"
// Records and globals: TCacheInfo, EmptyCI, TacBGInfo, TConstantSkinData,
// acScrollBtnLength, acGlobalDisabledKind, ac_KeepOwnFont, aSkinChanging,
// aSkinRemoving, FadingForbidden, fGlobalFlag, MouseForbidden, sFuchsia, the
// acs_* captions.
#include "skin/engine/sConst.h"
// TsGeneralData, TsMaskData, WidthOfImage, HeightOfImage.
#include "skin/engine/sMaskData.h"
// TConstantSkinData.
#include "skin/engine/sStyleSimply.h"
// Text, rectangle and number helpers: MakeCacheInfo, WidthOf, HeightOf,
// RectInRect, RectIsVisible, RectsAnd, RotateRect, LimitIt, Maxi, IntToByte,
// iffi, Between, ExtractWord, WordCount, acWordCount, ...
#include "skin/engine/FileUtils.h"
#include "skin/engine/PropUtils.h"
#include "skin/engine/SystemUtils.h"
#include "skin/engine/TextUtils.h"
// DrawAlphaImgList, CopyToolBtnGlyph and the foreign-suite hooks.
#include "skin/paint/sBtnGlyphs.h"

// Painting: the skin data object (TsCommonData, InitCacheBmp, IsCached,
// IsCacheRequired, BgIsTransparent, SkinBorderMaxWidth, ControlIsActive,
// UpdateSkinState, GetFontIndex).
#include "skin/paint/sCommonData.h"
// SendAMessage, GetBoolMsg, AlphaBroadCast, SetParentUpdated, AddToAdapter,
// ControlIsReady, GetOwnerForm, GetOwnerFrame, GetAlignShift, acMousePos,
// ACClientRect, PaintControls, GetControlColor, InAnimationProcess,
// Ac_SetWindowTheme.
#include "skin/paint/sVclUtils.h"
// Backgrounds: GetBGInfo (both forms), BGInfoToCI; InitBGInfo, GetBGColor,
// GetParentCache, GetParentCacheHwnd.
#include "skin/paint/sBGAnswer.h"
#include "skin/paint/sBGQuery.h"
// CopyWinControlCache, CopyHwndCache.
#include "skin/paint/sCacheCopy.h"
// PaintItem (three forms), PaintItemFast, PaintSkinControl, PaintSection.
#include "skin/paint/sSectionPaint.h"
// PaintItemBG.
#include "skin/paint/sSectionBG.h"
// PaintBorderFast, PaintRgnBorder.
#include "skin/paint/sBorders.h"
// DrawSkinRect.
#include "skin/paint/sSkinRect.h"
// DrawSkinGlyph, BmpDisabledKind, UpdateCorners, FillTransPixels32.
#include "skin/paint/sGlyphs.h"
// ImageCountOf, MaskTypeOf: every division by an image count or a mask row
// count goes through them.
#include "skin/paint/sSkinImage.h"
// AddRgn.
#include "skin/paint/sRegions.h"
// FillDCBorder, BitBltBorder, PaintControlByTemplate, DrawGlyphEx, ExcludeControls.
#include "skin/paint/sChannels.h"
// DrawRectangleOnDC, FocusRect, CalcButtonLayout, GetStringSize, CreateBmpLike.
#include "skin/paint/sBitmaps.h"
// CopyByMask, CopyTransBitmaps, BlendTransRectangle, BlendTransBitmap.
#include "skin/paint/sCopies.h"
// FadeBmp, SumBmpRect, SumByMaskWith32.
#include "skin/paint/sFadeSum.h"
// MakeRotated90.
#include "skin/engine/sTransforms.h"
// MixColors, SwapInteger, Hsv2Rgb, Rgb2Hsv.
#include "skin/engine/sColorMath.h"
// acWriteTextEx, WriteTextEx, acDrawText, acTextWidth/Height/Extent,
// acTextRect, GetStringFlags, CutText, acDrawGlowForText.
#include "skin/paint/sTextOut.h"

// CommonWndProc, CommonMessage, ShowGlowingIfNeeded.
#include "skin/paint/sCommonMessage.h"
// Hot-state fades: DoChangePaint, StopFading, EventEnabled, TsFadeTimer,
// TsAnimTimer.
#include "skin/paint/sFade.h"
// Glows: ShowGlow, HideGlow, ClearGlows.
#include "skin/paint/acGlow.h"
// Animations: acPrintDC, ow, AnimShowForm/Dlg/Control, PrepareForAnimation,
// AnimHideForm/Dlg, acHideTimer, SkinPaintTo.
#include "skin/paint/sAnimCore.h"
#include "skin/paint/sAnimHide.h"
#include "skin/paint/sAnimShow.h"
#include "skin/paint/sWindowImage.h"
