// Talking to controls and windows with SM_ALPHACMD, walking control trees,
// small control queries, and painting a windowed control's graphic children
// onto one DC. No state but the re-entry flag of PaintControls.
#pragma once

#include <windows.h>

#include "framework/rtl/Types.h"
#include "framework/windows/Controls.h"
#include "framework/windows/Messages.h"
#include "skin/engine/sConst.h"
#include "skin/engine/sMessageSend.h"  // SendAMessage, AlphaBroadCast and the rest live there

namespace fw {
class TBitmap;
class TCustomForm;
class TCustomFrame;
class TCustomEdit;
class TCustomPanel;
}  // namespace fw

namespace skin {

// Set while PaintControls runs; a nested call returns at once.
extern bool acGraphPainting;
// DrawText alignment flags by TAlignment (left, right, centre).
extern const unsigned AlignToInt[3];
// "SetWindowTheme" of uxtheme, nil when missing (looked up on first use).
using TSetWindowTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
TSetWindowTheme Ac_SetWindowTheme();
// Visual styles are in use: uxtheme answers that the application is themed
// and a theme is active (false without uxtheme).
bool UseThemes();

// Children are told smcEndParentUpdate (not during an animation).
void SetParentUpdated(fw::TWinControl* Control);
void SetParentUpdated(HWND Handle);
// Asks Control's form to let its provider's adapter skin Control.
void AddToAdapter(fw::TWinControl* Control);

// 0xFF00FF for nil; a skinned control's smcGetColor answer, else its Color.
fw::TColor GetControlColor(fw::TControl* Control);
fw::TColor GetControlColor(HWND Handle);
// A control with a parent (and a window if windowed), not being created,
// read, loaded or destroyed.
bool ControlIsReady(fw::TControl* Control);

fw::TCustomForm* GetOwnerForm(fw::TComponent* Component);
fw::TCustomFrame* GetOwnerFrame(fw::TComponent* Component);
// "Name" among Parent's components, or "Frame.Name" inside an owned frame.
fw::TComponent* GetControlByName(fw::TWinControl* Parent, const fw::String& Name);
int GetAlignShift(fw::TWinControl* Control, fw::TAlign Align, bool IncludeGraphic = false);
int GetCtrlRange(fw::TWinControl* Control, int Axis);
HWND GetParentFormHandle(HWND Handle);
fw::TRect ACClientRect(HWND Handle);
void RepaintsControls(fw::TWinControl* Control, bool AllChildren = false);
void RepaintsGraphicControls(fw::TWinControl* Control);
void SetControlsEnabled(fw::TWinControl* Control, bool Value);
unsigned GetStringFlags(fw::TControl* Control, fw::TAlignment Alignment);
// The whole text of Edit is selected.
bool AllEditSelected(fw::TCustomEdit* Edit);
// The first enabled tab stop in Panel's tab order gets the focus.
void SetPanelFocus(fw::TWinControl* Panel);
// False when a child TEdit or TComboBox is empty.
bool CheckPanelFilled(fw::TCustomPanel* Panel);
// Value True: left-to-right reading (or no Middle-East system); False: the opposite.
bool LeftToRight(fw::TControl* Control, bool Value = true);
// Hands Message to Form's skin provider, whose handler does nothing in this build.
void SendToProvider(fw::TCustomForm* Form, fw::TMessage& Message);
void RepaintShadows(fw::TWinControl* Control, fw::TBitmap* Bmp);
fw::TPoint acMousePos();
fw::TRect WorkRect();

// Owner's graphic children painted onto DC at their bounds + Offset, over
// the owner's background; a child that leaves its fuchsia fill untouched is
// not copied.
void PaintControls(HDC DC, fw::TWinControl* OwnerControl, bool ChangeCache, fw::TPoint Offset, unsigned AHandle = 0);

}  // namespace skin
