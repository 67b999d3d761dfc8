#include "skin/engine/sMessageSend.h"

#include "skin/engine/sMessages.h"
#include "skin/engine/sThirdParty.h"

namespace skin {

bool InAnimationProcess = false;

namespace {

bool Destroying(const fw::TComponent* c) { return c->ComponentState().Contains(fw::csDestroying); }

}  // namespace

LRESULT SendAMessage(HWND Handle, int Cmd, LPARAM LParam) {
    return SendMessageW(Handle, SM_ALPHACMD, WPARAM(Cmd) << 16, LParam);
}

LRESULT SendAMessage(fw::TControl* Control, int Cmd, LPARAM LParam) {
    if (!Control) return 0;
    auto* win = dynamic_cast<fw::TWinControl*>(Control);
    if (!win) return Control->Perform(SM_ALPHACMD, WPARAM(Cmd) << 16, LParam);
    if (Destroying(win) || !win->HandleAllocated()) return 0;
    return SendAMessage(win->WindowHandle(), Cmd, LParam);
}

void SetBoolMsg(HWND Handle, unsigned Cmd, bool Value) {
    SendMessageW(Handle, SM_ALPHACMD, (WPARAM(Cmd) << 16) | WPARAM(Value ? 1 : 0), 0);
}

bool GetBoolMsg(fw::TWinControl* Control, unsigned Cmd) { return (SendAMessage(Control, int(Cmd), 0) & 0xFF) != 0; }

bool GetBoolMsg(HWND Handle, unsigned Cmd) { return SendAMessage(Handle, int(Cmd), 0) == 1; }

void BroadCastMsg(HWND Handle, const fw::TMessage& Message) {
    for (HWND w = GetTopWindow(Handle); w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetWindowLongW(w, GWL_STYLE) & WS_CHILD) SendMessageW(w, Message.Msg, Message.WParam, Message.LParam);
}

void AlphaBroadCast(fw::TWinControl* Control, fw::TMessage& Message) {
    // The count is read again each time: receivers may remove children.
    for (int i = 0; i < Control->ControlCount(); ++i) {
        fw::TControl* child = Control->Controls(i);
        if (Destroying(child)) return;
        auto* win = dynamic_cast<fw::TWinControl*>(child);
        if (!win || !win->HandleAllocated()) {
            child->Perform(Message.Msg, Message.WParam, Message.LParam);
        } else if (GetBoolMsg(win, smcIsHandled)) {
            SendMessageW(win->WindowHandle(), Message.Msg, Message.WParam, Message.LParam);
        } else if (!(CheckDevEx && CheckDevEx(win))) {
            AlphaBroadCast(win, Message);
        }
    }
}

void AlphaBroadCast(HWND Handle, fw::TMessage& Message) {
    struct Ctx {
        HWND parent;
        fw::TMessage* m;
    } ctx{Handle, &Message};
    struct Enum {
        static BOOL CALLBACK Proc(HWND w, LPARAM lp) {
            auto* c = reinterpret_cast<Ctx*>(lp);
            if (GetParent(w) == c->parent) SendMessageW(w, c->m->Msg, c->m->WParam, c->m->LParam);
            return TRUE;
        }
    };
    EnumChildWindows(Handle, &Enum::Proc, LPARAM(&ctx));
}

}  // namespace skin
