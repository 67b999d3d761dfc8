// The measurements of a skinned form's frame: border widths, caption and menu
// heights, the icon's place, title-button sizes and where the client area
// lies. The provider paints the whole window into one image of the window's
// size, so every rectangle here is in window coordinates.
//
// Everything is a pure function of three values: TFrameMetrics (the system's
// sizes), TFrameState (what the form and its provider are now) and
// TFrameSkin (what the skin offers). Tests build the three by hand; the
// provider fills them from its form (FrameStateOf) and its manager
// (FrameSkinOf).
//
// The frame here is the system's frame; a form with an extended-border window
// is measured by sExBorderGeometry through these same functions.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Types.h"
#include "framework/windows/Forms.h"

namespace skin {

class TsSkinManager;
struct TsMaskData;

// Title-button hit codes beyond the system's.
constexpr int HTMDICLOSE = 101, HTMDIMAX = 102, HTMDIMIN = 103, HTUDBTN = 1000;

enum TsGripMode { gmNone, gmRightBottom };

// The system's sizes a frame is measured with.
struct TFrameMetrics {
    int CxFrame = 0;      // SM_CXFRAME
    int CxDlgFrame = 0;   // SM_CXDLGFRAME
    int CyCaption = 0;    // SM_CYCAPTION
    int CySmCaption = 0;  // SM_CYSMCAPTION
    int CyMenu = 0;       // SM_CYMENU
    static TFrameMetrics FromSystem();
};

// What the measurements read of a form and its provider.
struct TFrameState {
    fw::TFormBorderStyle BorderStyle = fw::bsSizeable;
    fw::TBorderIcons BorderIcons{fw::biSystemMenu, fw::biMinimize, fw::biMaximize};
    DWORD Style = 0;        // the window's style as it is (the provider strips WS_SYSMENU)
    bool Child = false;     // WS_CHILD
    bool MDIChild = false;  // fsMDIChild
    bool Iconic = false;
    bool Zoomed = false;
    int Left = 0, Top = 0;  // the window's place: the origin of the form's textures
    int Width = 0, Height = 0;
    int ClientWidth = 0, ClientHeight = 0;
    int FormBorderWidth = 0;   // the form's BorderWidth
    bool HaveSysMenu = false;  // the form had WS_SYSMENU when the provider took it
    bool NoClose = false;      // the window's class forbids closing (CS_NOCLOSE)
    bool SystemMenu = true;    // GetSystemMenu(Handle, False) answers a menu
    bool ShowAppIcon = true;
    int CaptionGap = 12;     // between the caption text and the title buttons (a dialog's: 6)
    int TitleIconWidth = 0;  // TitleIcon sizes, 0: derived from the caption
    int TitleIconHeight = 0;
    TsGripMode GripMode = gmNone;
    bool MaxConstraints = false;  // Constraints.MaxWidth or MaxHeight set
    bool MenuLine = false;        // a main menu line is shown
    int MenuLines = 0;            // rows of the menu line
    bool Active = true;           // drawn active
    bool Enabled = true;
    // The form's own skinned scroll bars that show now (0: none), and the
    // square between them when both show (window coordinates, else empty).
    int VScrollWidth = 0;
    int HScrollHeight = 0;
    fw::TRect ScrollCorner;
    // An extended frame's title (set by ExFrame, zero for a plain frame):
    // how far its icon, caption text and centred buttons lie lower, and the
    // top of buttons the skin aligns (On: AlignedTop plus the skin's top
    // margin, or SysBorder for a zoomed form when that margin is set).
    struct TExTitle {
        bool On = false;
        int Icon = 0, Caption = 0, Buttons = 0, AlignedTop = 0, SysBorder = 0;
    } ExTitle;
};

// What the frame uses of a skin; indexes are -1 when the skin lacks the item.
struct TFrameSkin {
    TsSkinManager* Manager = nullptr;
    int FormIndex = -1;    // section "FORM"
    int BorderIndex = -1;  // its "BORDERSMASK"
    int TitleIndex = -1;   // the title section (TitleSkinSection)
    fw::String TitleSection;
    int TitleMask = -1;      // the title section's "BORDERSMASK"
    int CaptionIndex = -1;   // section "CAPTION"
    int TitleBarIndex = -1;  // the form section's "TITLEBAR"
    int GripIndex = -1;      // "GLOBALINFO"/"GRIPIMAGE"
    // Title-button images (GLOBALINFO): big and small sets, restore, user buttons.
    int BigClose = -1, BigCloseAlone = -1, BigMax = -1, BigMin = -1, BigHelp = -1, BigNorm = -1;
    int SmallClose = -1, SmallMax = -1, SmallMin = -1, SmallHelp = -1, SmallNorm = -1;
    int UserButton = -1;
    int FormTopRight = -1, FormBottomRight = -1;  // the form section's "IMGTOPRIGHT", "IMGBTMRIGHT"
    // Skin-wide title values (GLOBALINFO).
    int BILeftMargin = 0, BIRightMargin = 0, BISpacing = 0, BITopMargin = 0, BIVAlign = 0;

    const TsMaskData* Image(int Index) const;  // nil for an index the manager lacks
};

// One title button. Rect is in window coordinates.
struct TsCaptionButton {
    int State = 0;  // 0 normal, 1 hot, 2 pressed, -1 not shown
    int ImageIndex = -1;
    fw::TRect Rect;
    bool HaveAlignment = false;  // follows the skin's vertical alignment values
    int GlowID = -1;
    fw::TObject* Timer = nullptr;  // its state-change animation, when one runs
    int HitCode = 0;
};

// A user title button as the layout sees it: the owner fills one per item
// of its collection, in collection order, before each layout.
struct TUserTitleButton {
    TsCaptionButton* Data = nullptr;  // the item's own record
    bool Visible = true;
    bool Enabled = true;
    bool UseSkinData = true;
    fw::TBitmap* Glyph = nullptr;  // nil or empty: none
};

// The provider's system title buttons and its user buttons.
struct TTitleButtons {
    TsCaptionButton Min, Max, Close, Help;
    std::vector<TUserTitleButton> User;
    // The button a title-button hit code names (HTUDBTN + index for a user
    // button); nil for any other code.
    TsCaptionButton* Of(int HitCode);
    // The user button of a hit code; nil for any other code.
    TUserTitleButton* UserOf(int HitCode);
};

// The title section's name: TitleSkin, or "FORMTITLE" when empty.
fw::String TitleSkinSection(const fw::String& TitleSkin);
// Looks every item up in Manager's skin (nil or no skin: all absent).
TFrameSkin FrameSkinOf(TsSkinManager* Manager, const fw::String& TitleSkin = fw::String());
// The state of Form's window as it is now.
TFrameState FrameStateOf(fw::TCustomForm* Form, bool HaveSysMenu);

// ---- the system-menu rules that decide which title buttons show and work
bool VisibleClose(const TFrameState& S);
bool VisibleMax(const TFrameState& S);
bool VisibleMin(const TFrameState& S);
bool VisibleRestore(const TFrameState& S);
bool EnabledMax(const TFrameState& S);
bool EnabledMin(const TFrameState& S);
bool EnabledRestore(const TFrameState& S);
bool EnabledClose(const TFrameState& S);

// ---- frame measurements
bool HaveBorder(const TFrameState& S);
// SM_CXFRAME with WS_THICKFRAME, SM_CXDLGFRAME with WS_BORDER, else 0.
int SysBorderWidth(const TFrameState& S, const TFrameMetrics& M);
int SysBorderHeight(const TFrameState& S, const TFrameMetrics& M);
// The frame plus the form's BorderWidth.
int BorderWidth(const TFrameState& S, const TFrameMetrics& M);
int BorderHeight(const TFrameState& S, const TFrameMetrics& M);
int CaptionHeight(const TFrameState& S, const TFrameMetrics& M);
int HeaderHeight(const TFrameState& S, const TFrameMetrics& M);
int CaptionWidth(const TFrameState& S);
int MenuHeight(const TFrameState& S, const TFrameMetrics& M);
// Where the client area's top-left lies in the window image.
int OffsetX(const TFrameState& S);
int OffsetY(const TFrameState& S, const TFrameMetrics& M);
// The bottom of the title in the window image.
int TitleBottom(const TFrameState& S, const TFrameMetrics& M);
bool IsGripVisible(const TFrameState& S);
bool BigButtons(const TFrameState& S);
bool IconVisible(const TFrameState& S);
// Icon side for a caption T high: 1 up to 8, 8 up to 16, 16 above (and below -100).
int IconSizeFor(int T);
fw::TSize IconSize(const TFrameState& S, const TFrameMetrics& M);
fw::TRect IconRect(const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K);
// Top-left of the size grip image in the window image.
fw::TPoint RBGripPoint(const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K);
// The close button image's height (21 without one).
int ButtonHeight(const TFrameSkin& K, const TTitleButtons& B);
int SysButtonWidth(const TFrameSkin& K, const TsCaptionButton& Btn);
int SysButtonsCount(const TFrameState& S);
// A user button's width: the "TITLEBUTTON" image's (21 without one), or its
// glyph's plus 2 when that is wider.
int UserButtonWidth(const TFrameSkin& K, const TUserTitleButton& U);
// The system buttons, then, with visible user buttons, 8 and each of them.
int TitleBtnsWidth(const TFrameState& S, const TFrameSkin& K, const TTitleButtons& B);
// The title buttons and the "TITLEBAR" image's edges.
int BarWidth(const TFrameState& S, const TFrameSkin& K, const TTitleButtons& B);
// A client rectangle to paint again when the client size changes, erased or not.
struct TSizeRepaint {
    fw::TRect R;
    bool Erase = false;
};
// What a size change from Last to Now (client rectangles at (0, 0)) leaves
// wrong: the size grip (Grip: its size, 0 x 0 when none shows) at the old
// corner of a grown client that is not cached and at the new corner of a
// shrunk one; and, when the client shrank or there was none, the form's
// right corner images (TopRight, BottomRight; 0 x 0 when missing) at the
// old right edge. Erased where the client is not cached.
std::vector<TSizeRepaint> SizeRepaints(const fw::TRect& Last, const fw::TRect& Now, bool Cached, fw::TSize Grip,
                                       fw::TSize TopRight, fw::TSize BottomRight);
// The maximised window's place and size on a work area (WM_GETMINMAXINFO).
// False when the form keeps the system's answer (bsNone, MDI child, parented).
bool MaxInfo(const TFrameState& S, const TFrameMetrics& M, const fw::TRect& WorkArea, POINT& MaxPosition,
             POINT& MaxSize);

}  // namespace skin
