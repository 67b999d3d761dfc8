// TWinControl: the child controls, their order and the one at a point.
#include <algorithm>

#include "framework/windows/Controls.h"

namespace fw {

TControl* TWinControl::Controls(int Index) const {
    if (Index < 0 || Index >= ControlCount())
        throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    if (size_t(Index) < controls_.size()) return controls_[size_t(Index)];
    return winControls_[size_t(Index) - controls_.size()];
}

bool TWinControl::ContainsControl(TControl* Control) const {
    for (TControl* c = Control; c; c = c->parent_)
        if (c == static_cast<const TControl*>(this)) return true;
    return false;
}

void TWinControl::InsertControl(TControl* AControl) {
    Perform(CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(AControl), 1);
    auto* w = dynamic_cast<TWinControl*>(AControl);
    if (w) {
        winControls_.push_back(w);
        InsertTab(w);
    } else {
        controls_.push_back(AControl);
    }
    AControl->parent_ = this;
    AControl->UpdateAnchorRules();
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
    AControl->Perform(CM_PARENTCOLORCHANGED);
    AControl->Perform(CM_PARENTFONTCHANGED);
    if (w) {
        w->UpdateControlState();
    } else {
        AControl->Invalidate();
    }
    AlignControl(AControl);
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
    bool quiet = ComponentState().Contains(csDestroying);
    if (!quiet) Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
    if (!quiet) Perform(CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(AControl), 0);
    auto wi = std::find_if(winControls_.begin(), winControls_.end(),
                           [&](TWinControl* w) { return static_cast<TControl*>(w) == AControl; });
    if (wi != winControls_.end()) {
        TWinControl* w = *wi;
        if (w->handle_ && !w->ComponentState().Contains(csDestroying)) w->DestroyHandle();
        winControls_.erase(std::find(winControls_.begin(), winControls_.end(), w));
        RemoveTab(w);
    } else {
        auto ci = std::find(controls_.begin(), controls_.end(), AControl);
        if (ci == controls_.end()) return;
        if (!quiet && handle_ && AControl->visible_) AControl->InvalidateControl(true, false);
        controls_.erase(ci);
    }
    if (GetCaptureControl() == AControl) SetCaptureControl(nullptr);
    AControl->parent_ = nullptr;
    if (!quiet) {
        Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
        Realign();
    }
}

void TWinControl::SetChildOrder(TComponent* Child, int Order) {
    auto* control = dynamic_cast<TControl*>(Child);
    if (!control || control->parent_ != this) return;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        auto it = std::find(winControls_.begin(), winControls_.end(), w);
        if (it == winControls_.end()) return;
        winControls_.erase(it);
        int at = std::clamp(Order - int(controls_.size()), 0, int(winControls_.size()));
        winControls_.insert(winControls_.begin() + at, w);
        w->PlaceWindowInChildOrder();
    } else {
        auto it = std::find(controls_.begin(), controls_.end(), control);
        if (it == controls_.end()) return;
        controls_.erase(it);
        int at = std::clamp(Order, 0, int(controls_.size()));
        controls_.insert(controls_.begin() + at, control);
        control->Invalidate();
    }
}

void TWinControl::MoveChild(TControl* Control, bool Top) {
    auto* w = dynamic_cast<TWinControl*>(Control);
    if (w) {
        auto it = std::find(winControls_.begin(), winControls_.end(), w);
        if (it == winControls_.end()) return;
        winControls_.erase(it);
        if (Top)
            winControls_.push_back(w);
        else
            winControls_.insert(winControls_.begin(), w);
        if (w->handle_)
            SetWindowPos(w->handle_, Top ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    } else {
        auto it = std::find(controls_.begin(), controls_.end(), Control);
        if (it == controls_.end()) return;
        controls_.erase(it);
        if (Top)
            controls_.push_back(Control);
        else
            controls_.insert(controls_.begin(), Control);
        Control->Invalidate();
    }
}

void TWinControl::Broadcast(TMessage& Message) {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->windowProc_)
            c->windowProc_(Message);
        else
            c->WndProc(Message);
        if (Message.Result != 0) return;
    }
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) {
    auto hit = [&](TControl* c) {
        if (!c->visible_ || !(c->Enabled() || AllowDisabled)) return false;
        if (!c->BoundsRect().Contains(Pos)) return false;
        return c->Perform(CM_HITTEST, 0, MAKELPARAM(Pos.X - c->left_, Pos.Y - c->top_)) != 0;
    };
    if (AllowWinControls)
        for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it)
            if (hit(*it)) return *it;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if (hit(*it)) return *it;
    return nullptr;
}

}  // namespace fw
