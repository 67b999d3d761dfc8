#include "host/ShockwaveFlash.h"

namespace host {

namespace {

// The player's published DISPIDs.
enum : DISPID {
    DISPID_Movie = 102,
    DISPID_Scale = 137,
    DISPID_SetVariable = 151,
    DISPID_FlashVars = 170,
    DISPID_CallFunction = 198,
    DISPID_FSCommand = 150,
};

String bstrArg(const DISPPARAMS& params, UINT index) {
    // Arguments arrive last-first.
    const VARIANT& v = params.rgvarg[params.cArgs - 1 - index];
    if (v.vt == VT_BSTR && v.bstrVal) return String(v.bstrVal, SysStringLen(v.bstrVal));
    VARIANT copy;
    VariantInit(&copy);
    String text;
    if (SUCCEEDED(VariantChangeType(&copy, const_cast<VARIANT*>(&v), 0, VT_BSTR)) && copy.bstrVal)
        text.assign(copy.bstrVal, SysStringLen(copy.bstrVal));
    VariantClear(&copy);
    return text;
}

}  // namespace

TShockwaveFlash::TShockwaveFlash(fw::TComponent* AOwner)
    : fw::TOleControl(AOwner, CLSID_ShockwaveFlash, DIID_ShockwaveFlashEvents) {}

String TShockwaveFlash::Movie() { return Site().GetString(DISPID_Movie); }
void TShockwaveFlash::SetMovie(const String& Value) { Site().PutString(DISPID_Movie, Value); }
String TShockwaveFlash::Scale() { return Site().GetString(DISPID_Scale); }
void TShockwaveFlash::SetScale(const String& Value) { Site().PutString(DISPID_Scale, Value); }
String TShockwaveFlash::FlashVars() { return Site().GetString(DISPID_FlashVars); }
void TShockwaveFlash::SetFlashVars(const String& Value) { Site().PutString(DISPID_FlashVars, Value); }

void TShockwaveFlash::SetVariable(const String& name, const String& value) {
    Site().CallMethod(DISPID_SetVariable, {name, value});
}

String TShockwaveFlash::CallFunction(const String& request) {
    String answer;
    Site().CallMethod(DISPID_CallFunction, {request}, &answer);
    return answer;
}

void TShockwaveFlash::InvokeEvent(DISPID Id, const DISPPARAMS& Params) {
    if (Id != DISPID_FSCommand || Params.cArgs < 2 || !OnFSCommand) return;
    OnFSCommand(this, bstrArg(Params, 0), bstrArg(Params, 1));
}

}  // namespace host
