// The 128-byte ID3v1 (and ID3v1.1) record at the end of an MP3 file.
#pragma once

#include <cstdint>

#include "audio/AuTags.h"

namespace acs {

// 0..147, the genre names' numbers.
using TId3v1TagsGenreId = uint8_t;

constexpr int Id3v1GenreCount = 148;
// The genre names, numbers 0..147.
extern const char* const Id3v1Genres[Id3v1GenreCount];

class TId3v1Tags : public TAuTags {
public:
    TId3v1Tags();
    fw::String ClassName() const override { return L"TId3v1Tags"; }

    // True when the file ends with an ID3v1 record; the position is kept.
    static bool Presents(HANDLE InFile);
    bool ReadFromFile(HANDLE InFile) override;
    // Appends a record at the end of the file (an existing one is not replaced).
    bool WriteToFile(HANDLE OutFile, bool Unicode) override;

    fw::AnsiString Title() const { return AnsiTextOf(L"title"); }
    void SetTitle(const fw::AnsiString& Value) { SetAnsi(L"title", Value); }
    fw::AnsiString Artist() const;
    void SetArtist(const fw::AnsiString& Value) { SetAnsi(L"artist", Value); }
    fw::AnsiString Album() const { return AnsiTextOf(L"album"); }
    void SetAlbum(const fw::AnsiString& Value) { SetAnsi(L"album", Value); }
    uint16_t Year() const { return static_cast<uint16_t>(IntegerOf(L"year")); }
    void SetYear(uint16_t Value) { SetInteger(L"year", Value); }
    fw::AnsiString Comment() const { return AnsiTextOf(L"comment"); }
    void SetComment(const fw::AnsiString& Value) { SetAnsi(L"comment", Value); }
    uint8_t Track() const { return static_cast<uint8_t>(IntegerOf(L"track")); }
    void SetTrack(uint8_t Value) { SetInteger(L"track", Value); }
    // The name of GenreId. Setting it looks the trimmed text up among the
    // names, ignoring case; a text that names no genre changes nothing.
    fw::AnsiString Genre() const;
    void SetGenre(const fw::AnsiString& Value);
    // 12 ("Other") for a stored value outside 0..147.
    TId3v1TagsGenreId GenreId() const;
    void SetGenreId(TId3v1TagsGenreId Value) { SetInteger(L"genre", Value); }
};

}  // namespace acs
