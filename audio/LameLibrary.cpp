#include "audio/LameLibrary.h"

#include <atomic>
#include <mutex>

namespace acs {

static_assert(sizeof(BE_CONFIG) == 331, "the encoder reads BE_CONFIG packed, 331 bytes");

namespace {

std::atomic<bool> loaded{false};
TLameEntryPoints entries;
// Several sinks may start runs on their own workers at once.
std::mutex loadLock;

template <typename T>
void Find(HMODULE dll, T& entry, const char* name) {
    entry = reinterpret_cast<T>(GetProcAddress(dll, name));
}

}  // namespace

bool LoadLAME() {
    if (loaded) return true;
    std::lock_guard<std::mutex> guard(loadLock);
    if (loaded) return true;
    HMODULE dll = LoadLibraryExW(L"lame_enc.dll", nullptr, 0);
    if (!dll) return false;
    TLameEntryPoints found;
    Find(dll, found.beInitStream, TEXT_BEINITSTREAM);
    Find(dll, found.beEncodeChunk, TEXT_BEENCODECHUNK);
    Find(dll, found.beDeinitStream, TEXT_BEDEINITSTREAM);
    Find(dll, found.beCloseStream, TEXT_BECLOSESTREAM);
    Find(dll, found.beWriteVBRHeader, TEXT_BEWRITEVBRHEADER);
    Find(dll, found.beFlushNoGap, TEXT_BEFLUSHNOGAP);
    Find(dll, found.beWriteInfoTag, TEXT_BEWRITEINFOTAG);
    // A DLL without the entries that are called would crash the first run.
    if (!found.beInitStream || !found.beEncodeChunk || !found.beDeinitStream || !found.beCloseStream ||
        !found.beWriteVBRHeader) {
        FreeLibrary(dll);
        return false;
    }
    entries = found;
    loaded = true;
    return true;
}

bool LAMELoaded() { return loaded; }

const TLameEntryPoints& Lame() { return entries; }

}  // namespace acs
