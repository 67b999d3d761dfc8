// The identities the host looks the player up by, and the DISPIDs of the
// members it calls. The host talks to the control only through IDispatch.
#pragma once

#include <windows.h>

namespace player {

// {D27CDB6E-AE6D-11cf-96B8-444553540000}
constexpr CLSID CLSID_ShockwaveFlash = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
// {D27CDB6D-AE6D-11cf-96B8-444553540000}: the event dispinterface.
constexpr IID DIID_ShockwaveFlashEvents = {
    0xD27CDB6D, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

enum : DISPID {
    DISPID_Movie = 102,
    DISPID_Scale = 137,
    DISPID_SetVariable = 151,
    DISPID_GetVariable = 152,
    DISPID_FlashVars = 170,
    DISPID_CallFunction = 198,
    DISPID_FSCommand = 150,  // on the event dispinterface
};

}  // namespace player
