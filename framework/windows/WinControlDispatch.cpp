// TWinControl: the message path, from WndProc through the per-message
// handlers to the native procedure.
#include "framework/windows/Controls.h"

namespace fw {

void TWinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SETFOCUS: {
            TWinControl* form = GetParentFormControl();
            if (form && !form->SetFocusedControl(this)) return;
            break;
        }
        case WM_KILLFOCUS:
            if (controlState_.Contains(csFocusing)) return;
            break;
        case WM_MOUSEMOVE:
            if (!trackingLeave_ && handle_) {
                TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, handle_, 0};
                trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
            }
            [[fallthrough]];
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK: {
            auto& mouse = reinterpret_cast<TWMMouse&>(Message);
            if (IsControlMouseMsg(mouse)) {
                if (Message.Result == 0 && handle_)
                    DefWindowProcW(handle_, Message.Msg, Message.WParam, Message.LParam);
                return;
            }
            break;
        }
        default:
            break;
    }
    TControl::WndProc(Message);
}

void TWinControl::Dispatch(TMessage& Message) {
    if (DispatchWindowMessage(Message) || DispatchParentNotification(Message) || DispatchInput(Message) ||
        DispatchText(Message) || DispatchControlMessage(Message))
        return;
    TControl::Dispatch(Message);
}

// Painting, the frame and the bounds; the window going away.
bool TWinControl::DispatchWindowMessage(TMessage& Message) {
    switch (Message.Msg) {
        case WM_PAINT:
            WMPaint(reinterpret_cast<TWMPaint&>(Message));
            return true;
        case WM_ERASEBKGND:
            WMEraseBkgnd(reinterpret_cast<TWMEraseBkgnd&>(Message));
            return true;
        case WM_NCCALCSIZE:
            WMNCCalcSize(Message);
            return true;
        case WM_NCPAINT:
            WMNCPaint(Message);
            return true;
        case CM_BORDERCHANGED:
            CMBorderChanged(Message);
            return true;
        case WM_WINDOWPOSCHANGED:
            WMWindowPosChanged(reinterpret_cast<TWMWindowPosMsg&>(Message));
            return true;
        case WM_SIZE:
            WMSize(reinterpret_cast<TWMSize&>(Message));
            return true;
        case WM_MOVE:
            WMMove(Message);
            return true;
        case WM_NCDESTROY:
            WMNCDestroy(Message);
            return true;
        default:
            return false;
    }
}

// What a child tells its parent, handed back to the child.
bool TWinControl::DispatchParentNotification(TMessage& Message) {
    switch (Message.Msg) {
        case WM_COMMAND:
            WMCommand(reinterpret_cast<TWMCommand&>(Message));
            return true;
        case WM_NOTIFY:
            WMNotify(reinterpret_cast<TWMNotify&>(Message));
            return true;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            WMCtlColor(reinterpret_cast<TWMCtlColor&>(Message));
            return true;
        case WM_DRAWITEM:
            WMDrawItem(reinterpret_cast<TWMDrawItem&>(Message));
            return true;
        case WM_MEASUREITEM:
            WMMeasureItem(reinterpret_cast<TWMMeasureItem&>(Message));
            return true;
        case WM_DELETEITEM:
            ReflectToChild(Message, reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam)->hwndItem);
            return true;
        case WM_COMPAREITEM:
            ReflectToChild(Message, reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam)->hwndItem);
            return true;
        case WM_CHARTOITEM:
        case WM_VKEYTOITEM:
            ReflectToChild(Message, reinterpret_cast<HWND>(Message.LParam));
            return true;
        case WM_HSCROLL:
            WMHScroll(reinterpret_cast<TWMScroll&>(Message));
            return true;
        case WM_VSCROLL:
            WMVScroll(reinterpret_cast<TWMScroll&>(Message));
            return true;
        default:
            return false;
    }
}

// Focus, keys (also as offered by the loop) and the mouse.
bool TWinControl::DispatchInput(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SETFOCUS:
            WMSetFocus(reinterpret_cast<TWMSetFocus&>(Message));
            return true;
        case WM_KILLFOCUS:
            WMKillFocus(reinterpret_cast<TWMKillFocus&>(Message));
            return true;
        case WM_KEYDOWN:
            WMKeyDown(reinterpret_cast<TWMKey&>(Message));
            return true;
        case WM_KEYUP:
            WMKeyUp(reinterpret_cast<TWMKey&>(Message));
            return true;
        case WM_CHAR:
            WMChar(reinterpret_cast<TWMKey&>(Message));
            return true;
        case WM_SYSKEYDOWN:
            WMSysKeyDown(reinterpret_cast<TWMKey&>(Message));
            return true;
        case WM_SYSKEYUP:
            WMSysKeyUp(reinterpret_cast<TWMKey&>(Message));
            return true;
        case WM_SYSCHAR:
            WMSysChar(reinterpret_cast<TWMKey&>(Message));
            return true;
        case WM_SETCURSOR:
            WMSetCursor(Message);
            return true;
        case WM_MOUSELEAVE:
            WMMouseLeave(Message);
            return true;
        case WM_MOUSEWHEEL:
            WMMouseWheel(Message);
            return true;
        case CN_KEYDOWN:
        case CN_SYSKEYDOWN:
            CNKeyDown(reinterpret_cast<TWMKey&>(Message));
            return true;
        case CN_CHAR:
        case CN_SYSCHAR:
            CNChar(reinterpret_cast<TWMKey&>(Message));
            return true;
        default:
            return false;
    }
}

// The caption, kept by the object while there is no window.
bool TWinControl::DispatchText(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SETTEXT:
            TControl::WMSetText(Message);
            if (handle_) DefaultHandler(Message);
            return true;
        case WM_GETTEXT:
            if (handle_)
                DefaultHandler(Message);
            else
                TControl::WMGetText(Message);
            return true;
        case WM_GETTEXTLENGTH:
            if (handle_)
                DefaultHandler(Message);
            else
                TControl::WMGetTextLength(Message);
            return true;
        default:
            return false;
    }
}

// The framework's own notifications, and the colours the control answers
// for its window.
bool TWinControl::DispatchControlMessage(TMessage& Message) {
    switch (Message.Msg) {
        case CN_CTLCOLORBTN:
        case CN_CTLCOLORDLG:
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORLISTBOX:
        case CN_CTLCOLORMSGBOX:
        case CN_CTLCOLORSCROLLBAR:
        case CN_CTLCOLORSTATIC:
            CNCtlColor(reinterpret_cast<TWMCtlColor&>(Message));
            return true;
        case CM_SHOWINGCHANGED:
            CMShowingChanged(Message);
            return true;
        case CM_VISIBLECHANGED:
            CMVisibleChanged(Message);
            return true;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            return true;
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            return true;
        case CM_COLORCHANGED:
            CMColorChanged(Message);
            return true;
        case CM_RECREATEWND:
            CMRecreateWnd(Message);
            return true;
        case CM_ENTER:
            CMEnter(Message);
            return true;
        case CM_EXIT:
            CMExit(Message);
            return true;
        case CM_INVALIDATE:
            CMInvalidate(Message);
            return true;
        case CM_TABSTOPCHANGED:
            CMTabStopChanged(Message);
            return true;
        case CM_DIALOGKEY:
        case CM_DIALOGCHAR:
        case CM_FOCUSCHANGED:
            Broadcast(Message);
            return true;
        default:
            return false;
    }
}

void TWinControl::DefaultHandler(TMessage& Message) {
    // The framework's own ranges (and other private messages such as 0xA100)
    // mean nothing to a system procedure: unknown ones are answered 0.
    if (!handle_ || (Message.Msg >= WM_APP && Message.Msg < 0xC000)) {
        Message.Result = 0;
        return;
    }
    if (defWndProc_ == DefWindowProcW)
        Message.Result = DefWindowProcW(handle_, Message.Msg, Message.WParam, Message.LParam);
    else
        Message.Result = CallWindowProcW(defWndProc_, handle_, Message.Msg, Message.WParam, Message.LParam);
}

}  // namespace fw
