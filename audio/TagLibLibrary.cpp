#include "audio/TagLibLibrary.h"

#include <mutex>

#include <windows.h>

#include <atomic>

#include "framework/rtl/SyncObjs.h"

namespace acs {

namespace {

std::atomic<bool> loaded{false};
TTagLibEntryPoints entries;

// Made on first use, so it exists before any loader needs it whatever the start-up order.
fw::TCriticalSection& TagLibLock() {
    static fw::TCriticalSection lock;
    return lock;
}

// Every entry point the binding is known by; only some are called.
const char* const EntryNames[] = {"taglib_audioproperties_bitrate",
                                  "taglib_audioproperties_channels",
                                  "taglib_audioproperties_length",
                                  "taglib_audioproperties_samplerate",
                                  "taglib_file_audioproperties",
                                  "taglib_file_free",
                                  "taglib_file_is_valid",
                                  "taglib_file_new",
                                  "taglib_file_new_type",
                                  "taglib_file_save",
                                  "taglib_file_tag",
                                  "taglib_id3v2_set_default_text_encoding",
                                  "taglib_set_string_management_enabled",
                                  "taglib_set_strings_unicode",
                                  "taglib_tag_album",
                                  "taglib_tag_artist",
                                  "taglib_tag_comment",
                                  "taglib_tag_free_strings",
                                  "taglib_tag_genre",
                                  "taglib_tag_set_album",
                                  "taglib_tag_set_artist",
                                  "taglib_tag_set_comment",
                                  "taglib_tag_set_genre",
                                  "taglib_tag_set_title",
                                  "taglib_tag_set_track",
                                  "taglib_tag_set_year",
                                  "taglib_tag_title",
                                  "taglib_tag_track",
                                  "taglib_tag_year"};
constexpr int EntryCount = sizeof(EntryNames) / sizeof(EntryNames[0]);
FARPROC found[EntryCount];

FARPROC Entry(const char* name) {
    for (int i = 0; i < EntryCount; ++i)
        if (lstrcmpA(EntryNames[i], name) == 0) return found[i];
    return nullptr;
}

template <typename T>
bool Take(T& entry, const char* name) {
    entry = reinterpret_cast<T>(Entry(name));
    return entry != nullptr;
}

bool LoadUnderLock() {
    if (loaded) return true;
    HMODULE dll = LoadLibraryExW(L"libtag_c.dll", nullptr, 0);
    if (!dll) return false;
    for (int i = 0; i < EntryCount; ++i) found[i] = GetProcAddress(dll, EntryNames[i]);
    TTagLibEntryPoints e;
    // A DLL lacking a called entry would crash the first tagging; treat it as absent.
    bool complete = Take(e.id3v2_set_default_text_encoding, "taglib_id3v2_set_default_text_encoding") &&
                    Take(e.file_new, "taglib_file_new") && Take(e.file_tag, "taglib_file_tag") &&
                    Take(e.file_is_valid, "taglib_file_is_valid") && Take(e.tag_set_title, "taglib_tag_set_title") &&
                    Take(e.tag_set_artist, "taglib_tag_set_artist") && Take(e.tag_set_album, "taglib_tag_set_album") &&
                    Take(e.tag_set_genre, "taglib_tag_set_genre") && Take(e.tag_set_year, "taglib_tag_set_year") &&
                    Take(e.tag_set_track, "taglib_tag_set_track") && Take(e.file_save, "taglib_file_save") &&
                    Take(e.file_free, "taglib_file_free");
    if (!complete) {
        FreeLibrary(dll);
        return false;
    }
    entries = e;
    loaded = true;
    return true;
}

}  // namespace

bool LoadTagLib() {
    std::lock_guard<fw::TCriticalSection> held(TagLibLock());
    return LoadUnderLock();
}

bool TagLibLoaded() { return loaded; }

const TTagLibEntryPoints& TagLib() { return entries; }

}  // namespace acs
