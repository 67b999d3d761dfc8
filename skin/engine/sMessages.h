// The library's private window message. Skinned windows talk to each other
// with SM_ALPHACMD: the sub-command in the high word of WParam, a small
// argument in the low word, a pointer or value (often the skin manager) in
// LParam, the answer in the message result. A window that does not know a
// sub-command answers 0.
#pragma once

#include <windows.h>

namespace skin {

// Fixed message number 0xA100 (the framework leaves it free).
extern UINT SM_ALPHACMD;
constexpr UINT SM_ALPHACMD_VALUE = 0xA100;

// Sub-commands. Numbers not listed (15, 33, ...) are unused.
constexpr WORD smcNewSkin = 1;                     // LParam = manager: a skin was loaded
constexpr WORD smcRemoveSkin = 2;                  // LParam = manager: the skin is removed
constexpr WORD smcRefresh = 3;                     // LParam = manager: repaint after a skin change
constexpr WORD smcGetProvider = 4;                 // answer: the form's skin provider, 0 when none
constexpr WORD smcChildPaint = 5;                  // a child is about to paint
constexpr WORD smcEndParentUpdate = 6;             // the parent's update ended: redraw all at once
constexpr WORD smcIsHandled = 7;                   // answer 1: a library control or already wrapped
constexpr WORD smcSetUpdating = 8;                 // LoWord 1 = on, else off
constexpr WORD smcSetUrgentPainting = 9;           // LoWord 1 = set, else clear
constexpr WORD smcGetUpdating = 10;                // answer 1: background stale or updating
constexpr WORD smcGetHalfVisible = 11;             // answer 1: partly clipped by the parent
constexpr WORD smcSetBGChangedIfTransparent = 12;  // LoWord 1
constexpr WORD smcUpdateSection = 13;              // receivers of GlobalSectionName repaint
constexpr WORD smcGetDroppedDown = 14;             // answer 1 while a drop-down list is open
constexpr WORD smcStopFading = 16;
constexpr WORD smcSetBGChanged = 17;
constexpr WORD smcRepaint = 18;
constexpr WORD smcGetRepaintIfMoved = 19;      // answer 1: must repaint after moving
constexpr WORD smcSetChangedIfNecessary = 20;  // LoWord 1 = also invalidate
constexpr WORD smcGetColor = 21;               // answer: the background colour
constexpr WORD smcSetHalfVisible = 22;
constexpr WORD smcPrepareCache = 23;
constexpr WORD smcPaintFadeStep = 24;     // LParam = frame bitmap; answer non-zero = painted
constexpr WORD smcAddToAdapter = 25;      // LParam = inserted control, 0 = whole form
constexpr WORD smcGetSkinIndex = 26;      // LParam = int* receiving the SkinIndex (preset -1)
constexpr WORD smcGetCaptionHeight = 27;  // answer: a group box's caption strip height
constexpr WORD smcRescanChildren = 28;
constexpr WORD smcActiveControlEnter = 29;  // LParam = manager
constexpr WORD smcActiveControlLeave = 30;  // LParam = manager
constexpr WORD smcBeginUpdate = 31;
constexpr WORD smcEndUpdate = 32;
constexpr WORD smcGetBGInfo = 34;  // LParam = PacBGInfo to fill
constexpr WORD smcDisabledKind = 35;
constexpr WORD smcSkinState = 36;  // LParam 1 = recompute, else query (answer: state flags)
constexpr WORD smcUpdateExBorders = 37;
constexpr WORD smcBeforeScroll = 51;  // LParam = scroll code; answer 1 = raw thumb position
constexpr WORD smcAfterScroll = 52;
constexpr WORD smcGetApplication = 60;  // answer: the receiver module's Application
constexpr WORD smcGetOffset = 61;       // answer: OffsetX | (OffsetY << 16)
constexpr WORD smcGetSkinManager = 62;  // answer: the receiver's skin manager (a tab control's, for its pages)
constexpr WORD smcMenuRgnQuery = 63;    // a popup-menu window: answer 1 while its region is set
constexpr WORD smcMenuRgnSetting = 64;  // a popup-menu window: its region is being set

// Argument of section queries.
struct TacSectionInfo {
    int SkinIndex = -1;
};
using PacSectionInfo = TacSectionInfo*;

}  // namespace skin
