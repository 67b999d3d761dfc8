// APEv2 field names held in memory; no file is read or written.
#pragma once

#include "audio/AuTags.h"

namespace acs {

class TAPEv2Tags : public TAuTags {
public:
    TAPEv2Tags();
    fw::String ClassName() const override { return L"TAPEv2Tags"; }

#define ACS_APE_WIDE(Name, Id)                         \
    fw::String Name() const { return WideTextOf(Id); } \
    void Set##Name(const fw::String& Value) { SetWide(Id, Value); }
#define ACS_APE_ANSI(Name, Id)                             \
    fw::AnsiString Name() const { return AnsiTextOf(Id); } \
    void Set##Name(const fw::AnsiString& Value) { SetAnsi(Id, Value); }

    ACS_APE_WIDE(Artist, L"Artist")
    ACS_APE_WIDE(Composer, L"Composer")
    ACS_APE_WIDE(Album, L"Album")
    ACS_APE_WIDE(DebutAlbum, L"Debut album")
    ACS_APE_WIDE(Publisher, L"Publisher")
    ACS_APE_WIDE(Conductor, L"Conductor")
    ACS_APE_WIDE(Copyright, L"Copyright")
    ACS_APE_ANSI(ISBN, L"ISBN")
    ACS_APE_ANSI(ISRC, L"ISRC")
    ACS_APE_ANSI(BarCode, L"EAN/UPC")
    ACS_APE_ANSI(LabelCode, L"LC")
    ACS_APE_ANSI(Catalog, L"Catalog")
    ACS_APE_WIDE(Language, L"Language")
    ACS_APE_WIDE(Genre, L"Genre")
    fw::AnsiString Year() const { return fw::ToAnsi(WideTextOf(L"Year")); }
    void SetYear(const fw::AnsiString& Value) { SetAnsi(L"Year", Value); }
    ACS_APE_ANSI(RecordDate, L"Record Date")
    ACS_APE_WIDE(RecordLocation, L"Record Location")
    ACS_APE_WIDE(File_, L"File")
    ACS_APE_WIDE(Related, L"Related")
    ACS_APE_WIDE(Abstract, L"Abstract")
    ACS_APE_WIDE(Bibliography, L"Bibliography")
    ACS_APE_ANSI(Track, L"Track")
    ACS_APE_WIDE(Title, L"Title")
    ACS_APE_WIDE(SubTitle, L"Subtitle")
    ACS_APE_WIDE(Comment, L"Comment")

#undef ACS_APE_WIDE
#undef ACS_APE_ANSI
};

}  // namespace acs
