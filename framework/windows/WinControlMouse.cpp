// TWinControl: the cursor, mouse messages for graphic children, leaving
// and the wheel.
#include "framework/windows/Controls.h"
#include "framework/windows/Screen.h"

namespace fw {

void TWinControl::WMSetCursor(TMessage& Message) {
    if (LOWORD(Message.LParam) == HTCLIENT && reinterpret_cast<HWND>(Message.WParam) == handle_) {
        // The screen's cursor (an hourglass while busy) wins over the controls'.
        TCursor cursor = Screen->Cursor();
        if (cursor == crDefault) {
            cursor = cursor_;
            POINT p;
            GetCursorPos(&p);
            if (TControl* c = ControlAtPos(ScreenToClient(TPoint(p)), false)) cursor = c->Cursor();
        }
        if (cursor != crDefault) {
            ::SetCursor(Screen->Cursors(cursor));
            Message.Result = 1;
            return;
        }
    }
    DefaultHandler(Message);
}

void TWinControl::WMMouseLeave(TMessage& Message) {
    trackingLeave_ = false;
    DoMouseIdle();
    DefaultHandler(Message);
}

bool TWinControl::IsControlMouseMsg(TWMMouse& Message) {
    TControl* control = nullptr;
    TControl* capture = GetCaptureControl();
    if (capture && capture != this) {
        if (capture->parent_ == this) control = capture;
    } else if (!capture) {
        control = ControlAtPos(TPoint(Message.XPos, Message.YPos), false);
    }
    if (!control) return false;
    int x = Message.XPos - control->left_;
    int y = Message.YPos - control->top_;
    Message.Result = control->Perform(Message.Msg, Message.Keys, MAKELPARAM(x, y));
    return true;
}

void TWinControl::WMNCDestroy(TMessage& Message) { DefaultHandler(Message); }

// The wheel as CM_MOUSEWHEEL (shift state and delta in WParam, screen point
// in LParam); unused turns go to the native procedure.
void TWinControl::WMMouseWheel(TMessage& Message) {
    TMessage m;
    m.Msg = CM_MOUSEWHEEL;
    m.WParam = MAKEWPARAM(WORD(KeysToShiftState(LOWORD(Message.WParam)).Bits()), HIWORD(Message.WParam));
    m.LParam = Message.LParam;
    MouseWheelHandler(m);
    Message.Result = m.Result;
    if (m.Result == 0) DefaultHandler(Message);
}

}  // namespace fw
