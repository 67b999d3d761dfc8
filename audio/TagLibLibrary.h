// TagLib's C binding, loaded at run time from "libtag_c.dll" when present,
// once per process. Paths are ANSI texts, tag texts UTF-8.
#pragma once

namespace acs {

struct TTagLibEntryPoints {
    void (*id3v2_set_default_text_encoding)(int) = nullptr;
    void* (*file_new)(const char*) = nullptr;
    void* (*file_tag)(const void*) = nullptr;
    int (*file_is_valid)(const void*) = nullptr;
    void (*tag_set_title)(void*, const char*) = nullptr;
    void (*tag_set_artist)(void*, const char*) = nullptr;
    void (*tag_set_album)(void*, const char*) = nullptr;
    void (*tag_set_genre)(void*, const char*) = nullptr;
    void (*tag_set_year)(void*, unsigned) = nullptr;
    void (*tag_set_track)(void*, unsigned) = nullptr;
    int (*file_save)(void*) = nullptr;
    void (*file_free)(void*) = nullptr;
};

// The UTF-16 text encoding of ID3v2 frames, for id3v2_set_default_text_encoding.
constexpr int TagLibId3v2Utf16 = 1;

// Loads the DLL under the tag-library lock when it is not loaded yet; a
// failed load is tried again at the next call. True when it is usable.
bool LoadTagLib();
bool TagLibLoaded();
// Valid once LoadTagLib has returned true; stays valid for the process.
const TTagLibEntryPoints& TagLib();

}  // namespace acs
