// Which wrapper a child window of a skinned system dialog gets, by its class
// and style: one table, read from the top, the first matching row deciding.
// Choosing is a pure function; making the wrapper needs the window.
#pragma once

#include <windows.h>

#include "framework/rtl/Strings.h"

namespace skin {

class TacMainWnd;
class TsSkinManager;

enum TacDialogCtrlKind {
    dckNone,
    dckIcon,        // TacIconWnd
    dckStatic,      // TacStaticWnd
    dckTransPanel,  // TacTransPanelWnd
    dckDlgPanel,    // TacDlgPanelWnd (kept in the list only)
    dckEdit,        // TacEditWnd
    dckButton,      // by the button's kind (CreateButtonWnd)
    dckComboBox,    // TacComboBoxWnd
    dckSizer,       // TacSizerWnd
    dckTabControl,  // TacTabControlWnd
    dckListView,    // TacListViewWnd
    dckSpin,        // TacSpinWnd
    dckLink,        // TacLinkWnd
    dckToolBar,     // TacToolBarWnd
    dckTreeView,    // TacTreeViewWnd
};

struct TacDialogCtrlChoice {
    TacDialogCtrlKind Kind = dckNone;
    const wchar_t* Section = L"";
    // The dialog holds an editable control: its own WM_PAINT must run.
    bool AllowsDialogPaint = false;
};

// LowerClass is the window's class name in lower case; Visible its WS_VISIBLE.
TacDialogCtrlChoice ChooseDialogWrapper(const fw::String& LowerClass, LONG Style, bool Visible);

// The wrapper of Choice made on Handle (nil for a kind this library does not
// build yet, or a button kind that stays unwrapped).
TacMainWnd* MakeDialogWrapper(const TacDialogCtrlChoice& Choice, HWND Handle, TsSkinManager* SkinManager);

}  // namespace skin
