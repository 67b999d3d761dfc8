// The viewer's wrapper of the Flash player ActiveX control: the members the
// book host uses, called through IDispatch by DISPID, and the player's
// FSCommand request delivered as OnFSCommand on the GUI thread.
#pragma once

#include "framework/ole/OleControl.h"
#include "framework/rtl/Method.h"

namespace host {

using fw::String;

// {D27CDB6E-AE6D-11cf-96B8-444553540000}
inline constexpr CLSID CLSID_ShockwaveFlash = {
    0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
// {D27CDB6D-AE6D-11cf-96B8-444553540000}: the player's event dispinterface.
inline constexpr IID DIID_ShockwaveFlashEvents = {
    0xD27CDB6D, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

using TFlashFSCommandEvent = fw::Method<void(fw::TObject* Sender, const String& command, const String& args)>;

class TShockwaveFlash : public fw::TOleControl {
public:
    // Raises EOleError when the player is not registered or cannot be created.
    explicit TShockwaveFlash(fw::TComponent* AOwner);
    String ClassName() const override { return L"TShockwaveFlash"; }

    // Setting the movie loads and starts it; a path that leads nowhere shows nothing.
    String Movie();
    void SetMovie(const String& Value);
    String Scale();
    void SetScale(const String& Value);
    String FlashVars();
    void SetFlashVars(const String& Value);

    // The host ignores the outcome of both: a player that refuses changes nothing.
    void SetVariable(const String& name, const String& value);
    String CallFunction(const String& request);

    TFlashFSCommandEvent OnFSCommand;

protected:
    void InvokeEvent(DISPID Id, const DISPPARAMS& Params) override;
};

}  // namespace host
