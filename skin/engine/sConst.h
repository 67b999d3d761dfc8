// The shared vocabulary of the skinning library: background descriptions,
// pixel and colour types, enumerations and sets, the control class codes,
// the process-wide flags and the caption strings.
//
// Namespace: every declaration of the skinning library (skin/engine,
// skin/paint, skin/windows, skin/forms, skin/controls, skin/composites) lives
// in namespace `skin`; the framework stays in `fw` and is always named with
// its prefix in headers (fw::String, fw::TBitmap). Names inside are the
// library's own (TsGeneralData, SM_ALPHACMD, ...), so nothing clashes with
// the framework or with Win32.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/rtl/Method.h"
#include "framework/rtl/Object.h"
#include "framework/rtl/Strings.h"
#include "framework/rtl/Types.h"

namespace fw {
class TBitmap;
class TCanvas;
class TImageList;
}  // namespace fw

namespace skin {

using fw::TColor;

// ---- Backgrounds ------------------------------------------------------------

// Where a control's background comes from: a parent's cache bitmap (not
// owned) with the control at X, Y in it, or a plain colour (sFuchsia: none).
struct TCacheInfo {
    fw::TBitmap* Bmp = nullptr;
    int X = 0;
    int Y = 0;
    TColor FillColor = 0;
    bool Ready = false;
};

// No background at all: passed wherever no parent cache exists.
extern TCacheInfo EmptyCI;

enum TacBGType { btUnknown, btFill, btCache };

// The answer to smcGetBGInfo. In a cache answer Offset is where the answering
// window's client area lies in Bmp; the asker adds its own position.
struct TacBGInfo {
    fw::TBitmap* Bmp = nullptr;
    TColor Color = 0;
    fw::TPoint Offset;
    fw::TRect R;
    TacBGType BgType = btUnknown;
    bool PleaseDraw = false;  // paint into DrawDC instead of describing
    HDC DrawDC = nullptr;
};
using PacBGInfo = TacBGInfo*;

// ---- Pixels and colours -------------------------------------------------------

#pragma pack(push, 1)
struct TsRGB {
    uint8_t B, G, R;
};
struct TsRGBA {
    uint8_t B, G, R, A;
};
#pragma pack(pop)
static_assert(sizeof(TsRGB) == 3 && sizeof(TsRGBA) == 4, "pixels are packed");

// Scan lines of 24-bit and 32-bit pixels.
using PRGBArray = TsRGB*;
using PRGBAArray = TsRGBA*;

// One 32-bit colour seen as a TColor, an integer or its bytes R, G, B, A
// (byte 0 first): TColor is 0x00BBGGRR, so R is byte 0.
union TsColor {
    TColor C;
    int32_t I;
    struct {
        uint8_t R, G, B, A;
    };
    struct {
        uint8_t R_, G_, B_, T;  // T is byte 3's other name
    };
    TsRGB sBGR;
    TsRGBA sBGRA;
};
// The same value with the bytes named in pixel order (B is byte 0).
union TsColor_ {
    TColor C;
    int32_t I;
    struct {
        uint8_t B, G, R, A;
    };
    struct {
        uint8_t B_, G_, R_, T;  // T is byte 3's other name
    };
    TsRGB sBGR;
    TsRGBA sBGRA;
};
static_assert(sizeof(TsColor) == 4 && sizeof(TsColor_) == 4, "colour views are 4 bytes");

// Key of transparent pixels, and "no colour" in colour fields.
extern TColor sFuchsia;

// Parsed gradient stop; the parser and painter live with the painting code.
using TPercent = int;  // 0..100
struct TsGradPie {
    TColor Color1 = 0;
    TColor Color2 = 0;
    TPercent Percent = 0;
    int Mode1 = 0;
    int Mode2 = 0;
};
using TsGradArray = std::vector<TsGradPie>;

using TPoints = std::vector<fw::TPoint>;
using PPoints = TPoints*;
// One-pixel-high runs of transparent pixels, cut out of a window's region.
using TAOR = std::vector<fw::TRect>;
using PACString = wchar_t*;

// ---- Enumerations and sets ------------------------------------------------------

enum TacImgType { itisaBorder, itisaTexture, itisaGlyph, itisaGlow, itisaPngGlyph };
// Indexed by the number the skin gives for an image's kind.
constexpr std::array<TacImgType, 5> acImgTypes{itisaBorder, itisaTexture, itisaGlyph, itisaGlow, itisaPngGlyph};

enum TacFillMode {
    fmTiled,
    fmStretched,
    fmTiledHorz,
    fmTiledVert,
    fmStretchHorz,
    fmStretchVert,
    fmTileHorBtm,
    fmTileVertRight,
    fmStretchHorBtm,
    fmStretchVertRight,
    fmDisTiled,
    fmDiscHorTop,
    fmDiscVertLeft,
    fmDiscHorBottom,
    fmDiscVertRight
};
constexpr std::array<TacFillMode, 15> acFillModes{fmTiled,         fmStretched,        fmTiledHorz,    fmTiledVert,
                                                  fmStretchHorz,   fmStretchVert,      fmTileHorBtm,   fmTileVertRight,
                                                  fmStretchHorBtm, fmStretchVertRight, fmDisTiled,     fmDiscHorTop,
                                                  fmDiscVertLeft,  fmDiscHorBottom,    fmDiscVertRight};

enum TFadeDirection { fdNone, fdUp, fdDown };
enum TacAnimType { atFading, atAero };

enum TacBtnEvent { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };
using TacBtnEvents = fw::Set<TacBtnEvent>;
constexpr std::array<TacBtnEvent, 4> acBtnEvents{beMouseEnter, beMouseLeave, beMouseDown, beMouseUp};

enum TacAnimatEvent { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
using TacAnimatEvents = fw::Set<TacAnimatEvent>;

enum TacCtrlType { actGraphic };

enum TsDisabledKindItem { dkBlended, dkGrayed };
using TsDisabledKind = fw::Set<TsDisabledKindItem>;
enum TsDisabledGlyphKindItem { dgBlended, dgGrayed };
using TsDisabledGlyphKind = fw::Set<TsDisabledGlyphKindItem>;

enum TsCaptionLayout { sclLeft, sclTopLeft, sclTopCenter, sclTopRight };
enum TDateOrder { doMDY, doDMY, doYMD };
enum TPopupWindowAlign { pwaRight, pwaLeft };

enum TsWindowShowMode {
    soHide,
    soNormal,
    soShowMinimized,
    soMaximize,
    soShowNoActivate,
    soShow,
    soMinimize,
    soShowMinNoActive,
    soShowNA,
    soRestore,
    soDefault
};

enum TsHintStyle { hsSimply, hsComics, hsEllipse, hsBalloon, hsStandard, hsNone };
constexpr std::array<TsHintStyle, 6> aHintStyles{hsSimply, hsComics, hsEllipse, hsBalloon, hsStandard, hsNone};
enum TsHintsPredefinitions {
    shSimply,
    shGradient,
    shTransparent,
    shEllipse,
    shBalloon,
    shComicsGradient,
    shComicsTransparent,
    shStandard,
    shNone,
    shCustom
};
constexpr std::array<TsHintsPredefinitions, 9> asHintsPredefinitions{
    shSimply,         shGradient,          shTransparent, shEllipse, shBalloon,
    shComicsGradient, shComicsTransparent, shStandard,    shNone};
enum TGradientTypes { gtTopBottom, gtLeftRight, gtAsBorder };
enum TsShadowingShape { ssRectangle, ssEllipse };

// The nine scroll codes in order, line up .. end scroll (the SB_* values).
constexpr std::array<int, 9> aScrollCodes{SB_LINEUP,     SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBPOSITION,
                                          SB_THUMBTRACK, SB_TOP,      SB_BOTTOM, SB_ENDSCROLL};

// A shell root folder, by name.
using TacRoot = fw::String;
using TPaintEvent = fw::Method<void(fw::TObject*, fw::TCanvas*)>;
// The paint event of skinned controls that draw into their cache bitmap.
using TBmpPaintEvent = fw::Method<void(fw::TObject*, fw::TBitmap*)>;

// Indexed by a Boolean.
extern const std::array<const wchar_t*, 2> sBoolArray;  // "FALSE", "TRUE"

// ---- Control class codes ----------------------------------------------------------

// A set of control class codes 0..255 (bit n = code n).
class TacCodeSet {
public:
    struct Range {
        int First, Last;
        constexpr Range(int code) : First(code), Last(code) {}
        constexpr Range(int first, int last) : First(first), Last(last) {}
    };
    constexpr TacCodeSet(std::initializer_list<Range> ranges) {
        for (Range r : ranges)
            for (int c = r.First; c <= r.Last; ++c) words_[c >> 5] |= uint32_t(1) << (c & 31);
    }
    constexpr bool Contains(int code) const {
        return code >= 0 && code <= 255 && (words_[code >> 5] >> (code & 31)) & 1u;
    }

private:
    uint32_t words_[8] = {};
};

// Edit-like controls: the frame is repainted when the focus changes.
constexpr TacCodeSet sEditCtrls{{2, 18}, 41, {76, 84}, 96, 97, {131, 140}};
// Containers that get no hot state and no glow.
constexpr TacCodeSet sCanNotBeHot{51, 52, 54, {56, 60}, 68, 73, 74, 110, 141, 143, 151, 161, 226};
// Controls whose mouse-over does not make them the active control.
constexpr TacCodeSet sForbidMouse{19, {51, 74}, 110, {141, 161}};

// ---- Process-wide flags (GUI thread only) -----------------------------------------

extern bool FadingForbidden;        // no hot-state fading runs
extern int acAnimCount;             // running fade timers
extern bool x64woAero;              // 64-bit Windows without composition: glow and some layering off
extern bool StdTransparency;        // transparent controls paint the standard way
extern bool ac_KeepOwnFont;         // window wrappers keep the control's own font colour
extern bool MouseForbidden;         // buttons ignore mouse enter and leave
extern bool fGlobalFlag;            // shared by buttons and the skin provider
extern bool DrawSkinnedMDIWall;     // paint the MDI client area from the skin
extern bool DrawSkinnedMDIScrolls;  // and its scroll bars
extern bool ac_v5PaintMode;         // every control keeps a cache bitmap
extern bool acOldGlyphsOrder;       // older column order of multi-state glyphs
extern int acScrollBtnLength;       // length of a scroll-bar arrow button
extern bool AppShowHint;            // the application's ShowHint while hints are suppressed
extern bool ShowHintStored;         // and whether it is saved
extern void* TempControl;           // control handled across calls
extern fw::TObject* acMagnForm;     // a magnifier window told to refresh after repaints
extern TsDisabledKind acGlobalDisabledKind;
extern PAINTSTRUCT acGlobalPS;
extern HDC acGlobalDC;

// The shared system image lists (large and small shell icons) as image-list
// components "sShellLargeImages" and "sShellSmallImages" sharing the
// system's lists (ShareImages), which the system owns. Null until made.
extern fw::TImageList* LargeShellImages;
extern fw::TImageList* SmallShellImages;
// Makes sure both shared lists exist; the arguments do not restrict which.
void InitShellImageLists(bool Large, bool Small);

// ---- Caption strings ----------------------------------------------------------------

// Loaded at start-up from the library's string table (ids 58910..58992,
// skin/engine/resources), which every program linking the engine carries.
extern fw::String acs_MsgDlgOK, acs_MsgDlgCancel, acs_MsgDlgHelp;
extern fw::String acs_RestoreStr, acs_MoveStr, acs_SizeStr, acs_MinimizeStr, acs_MaximizeStr, acs_CloseStr;
extern fw::String acs_FileOpen, acs_AvailSkins, acs_InternalSkin;
extern fw::String acs_ErrorSettingCount, acs_ListBoxMustBeVirtual;
extern fw::String acs_ColorDlgAdd, acs_ColorDlgDefine, acs_ColorDlgMainPal, acs_ColorDlgAddPal, acs_ColorDlgTitle;
extern fw::String acs_ColorDlgRed, acs_ColorDlgGreen, acs_ColorDlgBlue, acs_ColorDlgDecimal, acs_ColorDlgHex;
extern fw::String acs_FrameAdapterError1;
extern fw::String acs_HintDsgnTitle, acs_HintDsgnPreserved, acs_HintDsgnStyle, acs_HintDsgnBevelWidth, acs_Blur;
extern fw::String acs_HintDsgnArrowLength, acs_HintDsgnHorizMargin, acs_HintDsgnVertMargin, acs_HintDsgnRadius;
extern fw::String acs_HintDsgnMaxWidth, acs_HintDsgnPauseHide, acs_Percent, acs_HintDsgnOffset;
extern fw::String acs_HintDsgnTransparency, acs_HintDsgnNoPicture, acs_Font, acs_Texture;
extern fw::String acs_HintDsgnLoad, acs_HintDsgnSave, acs_HintDsgnColor, acs_HintDsgnBorderTop,
    acs_HintDsgnBorderBottom;
extern fw::String acs_Shadow, acs_Background, acs_Gradient, acs_PreviewHint;
extern fw::String acs_Root, acs_SelectDir, acs_Create;

// The module holding the library's resources (its string table and the
// "acSHDA"/"acSHDI" shadow images): the one this code is linked into.
HINSTANCE acResourceInstance();

}  // namespace skin
