// ID3v2 text frames at the start of a file: versions 2.2, 2.3 and 2.4 are
// read, version 2.4 is written.
#pragma once

#include "audio/AuTags.h"

namespace acs {

class TId3v2Tags : public TAuTags {
public:
    TId3v2Tags();
    fw::String ClassName() const override { return L"TId3v2Tags"; }

    // True when an ID3v2 header starts at the current position, which is kept.
    static bool Presents(HANDLE InFile);
    // Reads the tag at the current position and leaves the position just past it.
    bool ReadFromFile(HANDLE InFile) override;
    // Puts a version 2.4 tag of the four-letter ids' values in front of the
    // file's contents. The handle needs read and write access.
    bool WriteToFile(HANDLE OutFile, bool Unicode) override;

    // True: the four-letter ids of versions 2.3/2.4; false: the three-letter ids of 2.2.
    bool IsNew() const { return FNew; }

    fw::String Album() const { return WideTextOf(Id(0)); }
    void SetAlbum(const fw::String& V) { SetWide(Id(0), V); }
    fw::String Artist() const { return WideTextOf(Id(1)); }
    void SetArtist(const fw::String& V) { SetWide(Id(1), V); }
    fw::String Genre() const { return WideTextOf(Id(2)); }
    void SetGenre(const fw::String& V) { SetWide(Id(2), V); }
    fw::String Title() const { return WideTextOf(Id(3)); }
    void SetTitle(const fw::String& V) { SetWide(Id(3), V); }
    fw::AnsiString Track() const { return AnsiTextOf(Id(4)); }
    void SetTrack(const fw::AnsiString& V) { SetAnsi(Id(4), V); }
    fw::AnsiString Year() const { return AnsiTextOf(Id(5)); }
    void SetYear(const fw::AnsiString& V) { SetAnsi(Id(5), V); }
    fw::String Comment() const { return WideTextOf(Id(6)); }
    void SetComment(const fw::String& V) { SetWide(Id(6), V); }
    fw::String Composer() const { return WideTextOf(Id(7)); }
    void SetComposer(const fw::String& V) { SetWide(Id(7), V); }
    fw::String Encoder() const { return WideTextOf(Id(8)); }
    void SetEncoder(const fw::String& V) { SetWide(Id(8), V); }
    fw::String Copyright() const { return WideTextOf(Id(9)); }
    void SetCopyright(const fw::String& V) { SetWide(Id(9), V); }
    fw::String Language() const { return WideTextOf(Id(10)); }
    void SetLanguage(const fw::String& V) { SetWide(Id(10), V); }
    fw::String Link() const { return WideTextOf(Id(11)); }
    void SetLink(const fw::String& V) { SetWide(Id(11), V); }

protected:
    bool FNew = true;

private:
    // The id at a property's position in the current id set.
    fw::String Id(int Position) const;
    void ReadFrames(HANDLE InFile, int64_t Start, int Version, uint32_t TagSize);
    void DecodeFrame(const char* FrameId, int IdLength, const uint8_t* Data, uint32_t Size);
};

}  // namespace acs
