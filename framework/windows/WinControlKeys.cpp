// TWinControl: the key pipeline, from the loop's CN_* offer through
// KeyPreview to KeyDown, KeyPress and KeyUp.
#include "framework/windows/Controls.h"
#include "framework/windows/Menus.h"

namespace fw {

namespace {

// The nearest parent with KeyPreview on: it sees the control's keys first.
TWinControl* KeyPreviewParent(const TControl* Control) {
    for (TWinControl* p = Control->Parent(); p; p = p->Parent())
        if (p->KeyPreviewActive()) return p;
    return nullptr;
}

// A shortcut of a popup menu of the control or one of its parents, then of
// the form's menu, clicks its item and uses the key up.
bool IsMenuKey(TWinControl* Control, TWMKey& Message) {
    TShiftState shift = KeyDataToShiftState(Message.KeyData);
    for (TControl* c = Control; c; c = c->Parent())
        if (TPopupMenu* menu = c->PopupMenu(); menu && menu->IsShortCut(Message.CharCode, shift)) return true;
    TWinControl* form = Control->GetParentFormControl();
    return form && form->IsShortCut(Message);
}

// Dialog keys and characters go to the form, or to the topmost control
// when there is none.
TWinControl* DialogKeyTarget(TWinControl* Control) {
    if (TWinControl* form = Control->GetParentFormControl()) return form;
    while (Control->Parent()) Control = Control->Parent();
    return Control;
}

}  // namespace

bool TWinControl::DoKeyDown(TWMKey& Message) {
    if (TWinControl* p = KeyPreviewParent(this); p && p->DoKeyDown(Message)) return true;
    if (!controlStyle_.Contains(csNoStdEvents)) {
        WORD key = Message.CharCode;
        KeyDown(key, KeyDataToShiftState(Message.KeyData));
        Message.CharCode = key;
        if (key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TWMKey& Message) {
    if (TWinControl* p = KeyPreviewParent(this); p && p->DoKeyPress(Message)) return true;
    if (!controlStyle_.Contains(csNoStdEvents)) {
        wchar_t ch = wchar_t(Message.CharCode);
        KeyPress(ch);
        Message.CharCode = WORD(ch);
        if (ch == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TWMKey& Message) {
    if (TWinControl* p = KeyPreviewParent(this); p && p->DoKeyUp(Message)) return true;
    if (!controlStyle_.Contains(csNoStdEvents)) {
        WORD key = Message.CharCode;
        KeyUp(key, KeyDataToShiftState(Message.KeyData));
        Message.CharCode = key;
        if (key == 0) return true;
    }
    return false;
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(wchar_t& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::WMKeyDown(TWMKey& Message) {
    if (!DoKeyDown(Message)) DefaultHandler(reinterpret_cast<TMessage&>(Message));
}

void TWinControl::WMSysKeyDown(TWMKey& Message) {
    if (!DoKeyDown(Message)) DefaultHandler(reinterpret_cast<TMessage&>(Message));
}

void TWinControl::WMKeyUp(TWMKey& Message) {
    if (!DoKeyUp(Message)) DefaultHandler(reinterpret_cast<TMessage&>(Message));
}

void TWinControl::WMSysKeyUp(TWMKey& Message) {
    if (!DoKeyUp(Message)) DefaultHandler(reinterpret_cast<TMessage&>(Message));
}

void TWinControl::WMChar(TWMKey& Message) {
    if (!DoKeyPress(Message)) DefaultHandler(reinterpret_cast<TMessage&>(Message));
}

void TWinControl::WMSysChar(TWMKey& Message) { DefaultHandler(reinterpret_cast<TMessage&>(Message)); }

// The message loop offers a key to the focused control first. Keys the
// control does not ask for (WM_GETDLGCODE) go to the form as CM_DIALOGKEY.
void TWinControl::CNKeyDown(TWMKey& Message) {
    Message.Result = 1;
    if (IsMenuKey(this, Message)) return;
    LRESULT mask = 0;
    switch (Message.CharCode) {
        case VK_TAB:
            mask = DLGC_WANTTAB;
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            mask = DLGC_WANTARROWS;
            break;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL:
            mask = DLGC_WANTALLKEYS;
            break;
        default:
            break;
    }
    if (mask && Perform(CM_WANTSPECIALKEY, Message.CharCode, Message.KeyData) == 0 &&
        (Perform(WM_GETDLGCODE) & mask) == 0) {
        if (DialogKeyTarget(this)->Perform(CM_DIALOGKEY, Message.CharCode, Message.KeyData) != 0) return;
    }
    Message.Result = 0;
}

void TWinControl::CNChar(TWMKey& Message) {
    Message.Result = 1;
    if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0) {
        if (DialogKeyTarget(this)->Perform(CM_DIALOGCHAR, Message.CharCode, Message.KeyData) != 0) return;
    }
    Message.Result = 0;
}

}  // namespace fw
