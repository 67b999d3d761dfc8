// TWinControl: showing and hiding the window, and the property changes that
// reach the window or the children.
#include "framework/windows/Controls.h"

namespace fw {

void TWinControl::UpdateShowing() {
    bool show = visible_ && !controlState_.Contains(csReadingState);
    if (show) {
        if (!handle_) CreateHandle();
        for (size_t i = 0; i < winControls_.size(); ++i) winControls_[i]->UpdateShowing();
    }
    if (handle_ && showing_ != show) {
        showing_ = show;
        try {
            Perform(CM_SHOWINGCHANGED);
        } catch (...) {
            showing_ = !show;
            throw;
        }
    }
    if (!show)
        for (size_t i = 0; i < winControls_.size(); ++i) winControls_[i]->UpdateShowing();
}

void TWinControl::UpdateControlState() {
    TWinControl* c = this;
    while (c->parent_) {
        c = c->parent_;
        if (!c->showing_) return;
    }
    if (c->parentWindow_ || c->ShowsWithoutParent()) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
    SetWindowPos(
        handle_, nullptr, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (showing_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage& Message) {
    TControl::CMVisibleChanged(Message);
    UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
    if (handle_) EnableWindow(handle_, enabled_);
    TControl::CMEnabledChanged(Message);
}

void TWinControl::CMFontChanged(TMessage& Message) {
    if (handle_) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), 0);
    TMessage m;
    m.Msg = CM_PARENTFONTCHANGED;
    Broadcast(m);
    TControl::CMFontChanged(Message);
}

void TWinControl::CMColorChanged(TMessage& Message) {
    brush_.SetColor(color_);
    TMessage m;
    m.Msg = CM_PARENTCOLORCHANGED;
    Broadcast(m);
    TControl::CMColorChanged(Message);
}

}  // namespace fw
