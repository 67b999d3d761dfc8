// A windowed control that hosts an in-process ActiveX control in place: the
// control's window fills this control's client area and follows its size.
// Subclasses give the hosted control's members their names and handle its
// events (see host/ShockwaveFlash.h).
#pragma once

#include <memory>
#include <vector>

#include "framework/ole/OleControlSite.h"
#include "framework/windows/Controls.h"

namespace fw {

class TOleControl : public TWinControl {
public:
    // Creates the ActiveX control at once: raises EOleError with the system's
    // text when it cannot be created (not registered, failing to load).
    TOleControl(TComponent* AOwner, const CLSID& Clsid, const IID& EventInterface);
    ~TOleControl() override;
    String ClassName() const override { return L"TOleControl"; }

    // Hands the control its saved state (unread) before its window exists;
    // without it the control starts afresh (InitNew) when the window is made.
    void LoadState(const std::vector<BYTE>& State);

    OleControlSite& Site() { return *site_; }

protected:
    // An event of the hosted control, on the GUI thread. Exceptions are
    // contained by the site's barrier.
    virtual void InvokeEvent(DISPID Id, const DISPPARAMS& Params) {
        (void)Id;
        (void)Params;
    }

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& Message) override;

private:
    void ensureState();

    std::unique_ptr<OleControlSite> site_;
    bool stateGiven_ = false;
};

}  // namespace fw
