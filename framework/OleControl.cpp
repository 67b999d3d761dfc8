#include "framework/OleControl.h"

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

TRect TOleControl::hostedBounds() {
    TRect r = ClientRect();
    return r;
}

void TOleControl::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
}

void TOleControl::CreateWnd() {
    TWinControl::CreateWnd();
    ensureState();
    TRect r = hostedBounds();
    site_->Activate(WindowHandle(), RECT{r.Left, r.Top, r.Right, r.Bottom});
}

void TOleControl::DestroyWnd() {
    site_->Deactivate();
    TWinControl::DestroyWnd();
}

void TOleControl::WndProc(TMessage& Message) {
    TWinControl::WndProc(Message);
    if (Message.Msg == WM_SIZE && site_->Active()) {
        TRect r = hostedBounds();
        site_->SetBounds(RECT{r.Left, r.Top, r.Right, r.Bottom});
    }
}

}  // namespace fw
