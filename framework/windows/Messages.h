// Messages as the control classes see them: one record per message, typed
// views of it, and the framework's own notification numbers.
//
// Numbering:
// - CM_BASE = 0xB000. The CM_* offsets are fixed because other code compares
//   the raw numbers (CM_ACTIVATE 0xB000, CM_MENUCHANGED 0xB015, CM_MOUSEENTER
//   0xB013, CM_RECREATEWND 0xB033, CM_MOUSEWHEEL 0xB043 ...). The last CM is
//   CM_BASE + 0x4F, far below 0xBC00.
// - CN_BASE = 0xBC00: a parent reflects a child's notification WM_xxx to the
//   child object as CN_BASE + WM_xxx. Only the codes below are reflected, so
//   0xBC4D, 0xBCB3 and 0xBCB4 (used by other code as private messages) are
//   never produced by reflection; the static_asserts at the end keep it so.
// - 0xA100 is left free; DefaultHandler answers 0 to any message in
//   0x8000..0xBFFF it does not know instead of passing it to the system.
#pragma once

#include <windows.h>

#include "framework/rtl/Method.h"

namespace fw {

// The message as it travels through WindowProc -> WndProc -> Dispatch ->
// DefaultHandler. Handlers write Result; the window procedure returns it.
struct __attribute__((may_alias)) TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;

    WORD WParamLo() const { return LOWORD(WParam); }
    WORD WParamHi() const { return HIWORD(WParam); }
    WORD LParamLo() const { return LOWORD(LParam); }
    WORD LParamHi() const { return HIWORD(LParam); }
};

using TWndMethod = Method<void(TMessage&)>;

// Typed views: the same 16 bytes read with the fields a message carries.
// Use them as reinterpret_cast<TWMKey&>(Message); may_alias makes that legal.
#define FW_MESSAGE_VIEW(Name) struct __attribute__((may_alias)) Name

FW_MESSAGE_VIEW(TWMNoParams) {
    UINT Msg;
    WPARAM Unused1;
    LPARAM Unused2;
    LRESULT Result;
};

FW_MESSAGE_VIEW(TWMKey) {
    UINT Msg;
    WORD CharCode;  // virtual key (WM_KEYDOWN) or character (WM_CHAR); 0 swallows it
    WORD Unused;
    LONG KeyData;
    LRESULT Result;
};
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMChar = TWMKey;
using TWMSysKeyDown = TWMKey;
using TWMSysChar = TWMKey;

FW_MESSAGE_VIEW(TWMMouse) {
    UINT Msg;
    WPARAM Keys;
    SHORT XPos;
    SHORT YPos;
    LRESULT Result;
};
using TWMLButtonDown = TWMMouse;
using TWMLButtonUp = TWMMouse;
using TWMMouseMove = TWMMouse;
using TWMRButtonDown = TWMMouse;
using TWMRButtonUp = TWMMouse;

FW_MESSAGE_VIEW(TWMNCHitTest) {
    UINT Msg;
    WPARAM Unused;
    SHORT XPos;  // screen coordinates
    SHORT YPos;
    LRESULT Result;
};

FW_MESSAGE_VIEW(TWMPaint) {
    UINT Msg;
    HDC DC;  // non-zero: paint into this DC instead of BeginPaint
    PAINTSTRUCT* Unused;
    LRESULT Result;
};

FW_MESSAGE_VIEW(TWMEraseBkgnd) {
    UINT Msg;
    HDC DC;
    LPARAM Unused;
    LRESULT Result;
};

FW_MESSAGE_VIEW(TWMGetMinMaxInfo) {
    UINT Msg;
    WPARAM Unused;
    MINMAXINFO* MinMaxInfo;
    LRESULT Result;
};

FW_MESSAGE_VIEW(TWMCommand) {
    UINT Msg;
    WORD ItemID;
    WORD NotifyCode;
    HWND Ctl;
    LRESULT Result;
};

FW_MESSAGE_VIEW(TWMDrawItem) {
    UINT Msg;
    UINT Ctl;
    DRAWITEMSTRUCT* DrawItemStruct;
    LRESULT Result;
};

FW_MESSAGE_VIEW(TWMMeasureItem) {
    UINT Msg;
    UINT IDCtl;
    MEASUREITEMSTRUCT* MeasureItemStruct;
    LRESULT Result;
};

FW_MESSAGE_VIEW(TWMCtlColor) {
    UINT Msg;
    HDC ChildDC;
    HWND ChildWnd;
    LRESULT Result;
};

FW_MESSAGE_VIEW(TWMScroll) {
    UINT Msg;
    WORD ScrollCode;
    WORD Pos;
    HWND ScrollBar;
    LRESULT Result;
};

FW_MESSAGE_VIEW(TWMSize) {
    UINT Msg;
    WPARAM SizeType;
    WORD Width;
    WORD Height;
    LRESULT Result;
};

FW_MESSAGE_VIEW(TWMWindowPosMsg) {
    UINT Msg;
    WPARAM Unused;
    WINDOWPOS* WindowPos;
    LRESULT Result;
};

FW_MESSAGE_VIEW(TWMSetFocus) {
    UINT Msg;
    HWND FocusedWnd;  // the window losing (WM_SETFOCUS) or getting (WM_KILLFOCUS) focus
    LPARAM Unused;
    LRESULT Result;
};
using TWMKillFocus = TWMSetFocus;

FW_MESSAGE_VIEW(TWMNotify) {
    UINT Msg;
    WPARAM IDCtrl;
    NMHDR* NMHdr;
    LRESULT Result;
};

// CM_MOUSEWHEEL: the wheel turned over this control (sent to the focused control).
FW_MESSAGE_VIEW(TCMMouseWheel) {
    UINT Msg;
    WORD ShiftState;  // TShiftState bits as in Controls.h
    SHORT WheelDelta;
    SHORT XPos;  // screen coordinates
    SHORT YPos;
    LRESULT Result;
};

#undef FW_MESSAGE_VIEW

static_assert(sizeof(TMessage) == 16 && sizeof(TWMKey) == 16 && sizeof(TWMMouse) == 16 && sizeof(TWMPaint) == 16 &&
                  sizeof(TWMCommand) == 16 && sizeof(TCMMouseWheel) == 16,
              "message views must overlay TMessage");

// The framework's notifications between controls. WParam/LParam as noted.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;  // application activated
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
constexpr UINT CM_CANCELMODE = CM_BASE + 4;    // LParam = the control that sent it
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;     // WParam = virtual key (Enter, Esc, Tab...)
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;    // WParam = character (accelerators)
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;  // LParam = the control getting focus
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_HITTEST = CM_BASE + 10;         // LParam = client point; Result non-zero = hit
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;  // WParam = new Visible (1/0)
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;
constexpr UINT CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;  // LParam = the control entered
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;  // LParam = the control left
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
constexpr UINT CM_APPKEYDOWN = CM_BASE + 22;
constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 23;
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;   // WParam = group index, LParam = the button
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;  // the handler does the actual show or hide
constexpr UINT CM_ENTER = CM_BASE + 26;
constexpr UINT CM_EXIT = CM_BASE + 27;
constexpr UINT CM_DESIGNHITTEST = CM_BASE + 28;
constexpr UINT CM_ICONCHANGED = CM_BASE + 29;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr UINT CM_INVOKEHELP = CM_BASE + 31;
constexpr UINT CM_WINDOWHOOK = CM_BASE + 32;
constexpr UINT CM_RELEASE = CM_BASE + 33;  // posted: free the form now
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr UINT CM_WININICHANGE = CM_BASE + 37;
constexpr UINT CM_FONTCHANGE = CM_BASE + 38;
constexpr UINT CM_TIMECHANGE = CM_BASE + 39;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr UINT CM_UIACTIVATE = CM_BASE + 41;
constexpr UINT CM_UIDEACTIVATE = CM_BASE + 42;
constexpr UINT CM_DOCWINDOWACTIVATE = CM_BASE + 43;
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;  // WParam = the control, LParam = 1 inserting / 0 removing
constexpr UINT CM_GETDATALINK = CM_BASE + 45;
constexpr UINT CM_CHILDKEY = CM_BASE + 46;
constexpr UINT CM_DRAG = CM_BASE + 47;
constexpr UINT CM_HINTSHOW = CM_BASE + 48;
constexpr UINT CM_DIALOGHANDLE = CM_BASE + 49;
constexpr UINT CM_ISTOOLCONTROL = CM_BASE + 50;
constexpr UINT CM_RECREATEWND = CM_BASE + 51;  // the handler destroys and recreates the window
constexpr UINT CM_INVALIDATE = CM_BASE + 52;   // WParam = 1 when the parent must be invalidated too
constexpr UINT CM_SYSFONTCHANGED = CM_BASE + 53;
constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;  // WParam = the control, LParam = 1 inserting / 0 removing
constexpr UINT CM_CHANGED = CM_BASE + 55;        // LParam = the control that changed
constexpr UINT CM_DOCKCLIENT = CM_BASE + 56;
constexpr UINT CM_UNDOCKCLIENT = CM_BASE + 57;
constexpr UINT CM_FLOAT = CM_BASE + 58;
constexpr UINT CM_BORDERCHANGED = CM_BASE + 59;
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
constexpr UINT CM_ALLCHILDRENFLIPPED = CM_BASE + 62;
constexpr UINT CM_ACTIONUPDATE = CM_BASE + 63;
constexpr UINT CM_ACTIONEXECUTE = CM_BASE + 64;
constexpr UINT CM_HINTSHOWPAUSE = CM_BASE + 65;
constexpr UINT CM_DOCKNOTIFICATION = CM_BASE + 66;
constexpr UINT CM_MOUSEWHEEL = CM_BASE + 67;  // TCMMouseWheel
constexpr UINT CM_ISSHORTCUT = CM_BASE + 68;
constexpr UINT CM_INVALIDATEDOCKHOST = CM_BASE + 70;
constexpr UINT CM_SETACTIVECONTROL = CM_BASE + 71;
constexpr UINT CM_POPUPHWNDDESTROY = CM_BASE + 72;
constexpr UINT CM_CREATEPOPUP = CM_BASE + 73;
constexpr UINT CM_DESTROYHANDLE = CM_BASE + 74;
constexpr UINT CM_MOUSEACTIVATE = CM_BASE + 75;
constexpr UINT CM_CONTROLLISTCHANGING = CM_BASE + 76;  // WParam = the control, LParam = 1 inserting / 0 removing
constexpr UINT CM_LAST = CM_BASE + 0x4F;

// Reflected notifications: CN_BASE + the WM code the parent received.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
// Not a reflection: a toolbar tells itself that a button's drop-down menu closed.
constexpr UINT CN_DROPDOWNCLOSED = CN_BASE + 0x3FF;

// True for the WM codes a parent hands back to the child that sent them.
constexpr bool IsReflectedMessage(UINT msg) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
        case WM_COMPAREITEM:
        case WM_CHARTOITEM:
        case WM_VKEYTOITEM:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return true;
        default:
            return false;
    }
}

namespace detail {
constexpr bool ReflectionAvoids(UINT number) {
    for (UINT wm = 0; wm < 0x400; ++wm)
        if ((IsReflectedMessage(wm) || wm == WM_KEYDOWN || wm == WM_KEYUP || wm == WM_CHAR || wm == WM_SYSKEYDOWN ||
             wm == WM_SYSCHAR || wm == WM_PARENTNOTIFY) &&
            CN_BASE + wm == number)
            return false;
    return true;
}
}  // namespace detail
static_assert(detail::ReflectionAvoids(0xBC4D) && detail::ReflectionAvoids(0xBCB3) && detail::ReflectionAvoids(0xBCB4),
              "reflection must not produce the numbers other code uses as private messages");
static_assert(CM_BASE > 0xA100 && CM_LAST < CN_BASE, "the CM range must stay clear of 0xA100 and the CN range");

}  // namespace fw
