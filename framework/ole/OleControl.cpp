#include "framework/ole/OleControl.h"

namespace fw {

TOleControl::TOleControl(TComponent* AOwner, const CLSID& Clsid, const IID& EventInterface) : TWinControl(AOwner) {
    site_ = std::make_unique<OleControlSite>(Clsid, EventInterface,
                                             [this](DISPID id, const DISPPARAMS& params) { InvokeEvent(id, params); });
}

TOleControl::~TOleControl() {
    // The hosted control's window is a child of ours: let it go first.
    if (site_) site_->Deactivate();
}

void TOleControl::LoadState(const std::vector<BYTE>& State) {
    site_->InitState(State);
    stateGiven_ = true;
}

void TOleControl::ensureState() {
    if (stateGiven_) return;
    stateGiven_ = true;
    site_->InitState({});
}

void TOleControl::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
}

void TOleControl::CreateWnd() {
    TWinControl::CreateWnd();
    ensureState();
    site_->Activate(WindowHandle(), ClientRect());
}

void TOleControl::DestroyWnd() {
    site_->Deactivate();
    TWinControl::DestroyWnd();
}

void TOleControl::WndProc(TMessage& Message) {
    TWinControl::WndProc(Message);
    if (Message.Msg == WM_SIZE && site_->Active()) site_->SetBounds(ClientRect());
}

}  // namespace fw
