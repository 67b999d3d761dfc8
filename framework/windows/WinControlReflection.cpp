// TWinControl: a child's notifications handed back to the child as CN_*.
#include "framework/windows/Controls.h"

namespace fw {

void TWinControl::ReflectToChild(TMessage& Message, HWND Child) {
    TWinControl* control = Child ? FindControl(Child) : nullptr;
    if (control && control != this) {
        Message.Result = control->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    DefaultHandler(Message);
}

void TWinControl::WMCommand(TWMCommand& Message) { ReflectToChild(reinterpret_cast<TMessage&>(Message), Message.Ctl); }

void TWinControl::WMNotify(TWMNotify& Message) {
    ReflectToChild(reinterpret_cast<TMessage&>(Message), Message.NMHdr ? Message.NMHdr->hwndFrom : nullptr);
}

void TWinControl::WMCtlColor(TWMCtlColor& Message) {
    ReflectToChild(reinterpret_cast<TMessage&>(Message), Message.ChildWnd);
}

void TWinControl::WMDrawItem(TWMDrawItem& Message) {
    auto* dis = Message.DrawItemStruct;
    HWND child = (dis && dis->CtlType != ODT_MENU) ? dis->hwndItem : nullptr;
    ReflectToChild(reinterpret_cast<TMessage&>(Message), child);
}

void TWinControl::WMMeasureItem(TWMMeasureItem& Message) {
    auto* mis = Message.MeasureItemStruct;
    HWND child = (mis && mis->CtlType != ODT_MENU && handle_) ? GetDlgItem(handle_, int(mis->CtlID)) : nullptr;
    ReflectToChild(reinterpret_cast<TMessage&>(Message), child);
}

void TWinControl::WMHScroll(TWMScroll& Message) {
    ReflectToChild(reinterpret_cast<TMessage&>(Message), Message.ScrollBar);
}

void TWinControl::WMVScroll(TWMScroll& Message) {
    ReflectToChild(reinterpret_cast<TMessage&>(Message), Message.ScrollBar);
}

void TWinControl::CNCtlColor(TWMCtlColor& Message) {
    SetTextColor(Message.ChildDC, COLORREF(ColorToRGB(font_.Color())));
    SetBkColor(Message.ChildDC, COLORREF(ColorToRGB(brush_.Color())));
    Message.Result = reinterpret_cast<LRESULT>(brush_.Handle());
}

}  // namespace fw
