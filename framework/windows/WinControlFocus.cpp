// TWinControl: focus, the tab order and entering and leaving a control.
#include <algorithm>

#include "framework/windows/Controls.h"

namespace fw {

bool TWinControl::CanFocus() {
    TWinControl* form = GetParentFormControl();
    TControl* c = this;
    while (c) {
        if (!c->visible_ || !c->Enabled()) return false;
        if (c == form) return true;
        c = c->parent_;
    }
    return form == nullptr;
}

void TWinControl::SetFocus() {
    TWinControl* form = GetParentFormControl();
    if (form)
        form->FocusControl(this);
    else
        ::SetFocus(Handle());
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

bool TWinControl::SetFocusedControl(TWinControl* Control) {
    (void)Control;
    return true;
}

void TWinControl::FocusControl(TWinControl* Control) {
    if (Control && Control->CanFocus()) ::SetFocus(Control->Handle());
}

void TWinControl::InsertTab(TWinControl* Control) { tabList_.push_back(Control); }

void TWinControl::RemoveTab(TWinControl* Control) {
    auto it = std::find(tabList_.begin(), tabList_.end(), Control);
    if (it != tabList_.end()) tabList_.erase(it);
}

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
    if (!parent_) return;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    Value = std::clamp(Value, 0, int(list.size()));
    list.insert(list.begin() + Value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
    for (TWinControl* c : tabList_) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

void TWinControl::SetTabStop(bool Value) {
    if (tabStop_ == Value) return;
    tabStop_ = Value;
    UpdateTabStopStyle();
    Perform(CM_TABSTOPCHANGED);
}

void TWinControl::UpdateTabStopStyle() {
    if (!handle_) return;
    LONG style = GetWindowLongW(handle_, GWL_STYLE);
    style = tabStop_ ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
    SetWindowLongW(handle_, GWL_STYLE, style);
}

void TWinControl::CMTabStopChanged(TMessage&) {}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::WMSetFocus(TWMSetFocus& Message) { DefaultHandler(reinterpret_cast<TMessage&>(Message)); }
void TWinControl::WMKillFocus(TWMKillFocus& Message) { DefaultHandler(reinterpret_cast<TMessage&>(Message)); }

void TWinControl::SetParentBackground(bool Value) {
    if (ParentBackground() == Value) return;
    if (Value)
        controlStyle_.Include(csParentBackground);
    else
        controlStyle_.Exclude(csParentBackground);
    Invalidate();
}

}  // namespace fw
