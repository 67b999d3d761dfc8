// The LAME encoder's Blade entry points, loaded at run time from
// "lame_enc.dll" once per process. Its BE_CONFIG record is declared packed
// (331 bytes) by the header that comes with the DLL.
#pragma once

#include <windows.h>

#include <BladeMP3EncDLL.h>

namespace acs {

struct TLameEntryPoints {
    BEINITSTREAM beInitStream = nullptr;
    BEENCODECHUNK beEncodeChunk = nullptr;
    BEDEINITSTREAM beDeinitStream = nullptr;
    BECLOSESTREAM beCloseStream = nullptr;
    BEWRITEVBRHEADER beWriteVBRHeader = nullptr;
    // Looked up with the rest, never called.
    FARPROC beFlushNoGap = nullptr;
    FARPROC beWriteInfoTag = nullptr;
};

// Loads the DLL when it is not loaded yet; a failed load is tried again at
// the next call. True when the encoder is usable.
bool LoadLAME();
bool LAMELoaded();
// Valid once LoadLAME has returned true; stays valid for the process.
const TLameEntryPoints& Lame();

}  // namespace acs
