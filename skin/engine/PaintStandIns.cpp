#include "skin/engine/PaintStandIns.h"

#include "framework/windows/Controls.h"
#include "skin/engine/sMessages.h"

namespace skin {

bool InAnimationProcess = false;
bool RestrictDrawing = false;

LRESULT SendAMessage(HWND Handle, int Cmd, LPARAM LParam) {
    return SendMessageW(Handle, SM_ALPHACMD, WPARAM(Cmd) << 16, LParam);
}

LRESULT SendAMessage(fw::TControl* Control, int Cmd, LPARAM LParam) {
    if (!Control) return 0;
    auto* win = dynamic_cast<fw::TWinControl*>(Control);
    if (!win) return Control->Perform(SM_ALPHACMD, WPARAM(Cmd) << 16, LParam);
    if (win->ComponentState().Contains(fw::csDestroying) || !win->HandleAllocated()) return 0;
    return SendAMessage(win->WindowHandle(), Cmd, LParam);
}

bool GetBoolMsg(fw::TWinControl* Control, unsigned Cmd) {
    return (SendAMessage(Control, int(Cmd), 0) & 0xFF) != 0;
}

bool GetBoolMsg(HWND Handle, unsigned Cmd) {
    return SendAMessage(Handle, int(Cmd), 0) == 1;
}

void AlphaBroadCast(fw::TWinControl* Control, fw::TMessage& Message) {
    for (int i = 0; i < Control->ControlCount(); ++i) {
        fw::TControl* child = Control->Controls(i);
        if (child->ComponentState().Contains(fw::csDestroying)) return;
        auto* win = dynamic_cast<fw::TWinControl*>(child);
        if (!win || !win->HandleAllocated()) {
            child->Perform(Message.Msg, Message.WParam, Message.LParam);
        } else if (GetBoolMsg(win, smcIsHandled)) {
            SendMessageW(win->WindowHandle(), Message.Msg, Message.WParam, Message.LParam);
        } else {
            AlphaBroadCast(win, Message);
        }
    }
}

void ClearGlows() {}

void AnimShowControl(fw::TWinControl* Ctrl, unsigned wTime, BYTE MaxTransparency, int AnimType) {
    (void)wTime, (void)MaxTransparency, (void)AnimType;
    if (Ctrl && Ctrl->HandleAllocated())
        RedrawWindow(Ctrl->WindowHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace skin
