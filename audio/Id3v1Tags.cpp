#include "audio/Id3v1Tags.h"

#include "audio/Id3Format.h"
#include "audio/TagFileIo.h"
#include "framework/rtl/SysUtils.h"

namespace acs {

const char* const Id3v1Genres[Id3v1GenreCount] = {"Blues",
                                                  "Classic Rock",
                                                  "Country",
                                                  "Dance",
                                                  "Disco",
                                                  "Funk",
                                                  "Grunge",
                                                  "Hip-Hop",
                                                  "Jazz",
                                                  "Metal",
                                                  "New Age",
                                                  "Oldies",
                                                  "Other",
                                                  "Pop",
                                                  "R&B",
                                                  "Rap",
                                                  "Reggae",
                                                  "Rock",
                                                  "Techno",
                                                  "Industrial",
                                                  "Alternative",
                                                  "Ska",
                                                  "Death metal",
                                                  "Pranks",
                                                  "Soundtrack",
                                                  "Euro-Techno",
                                                  "Ambient",
                                                  "Trip-Hop",
                                                  "Vocal",
                                                  "Jazz+Funk",
                                                  "Fusion",
                                                  "Trance",
                                                  "Classical",
                                                  "Instrumental",
                                                  "Acid",
                                                  "House",
                                                  "Game",
                                                  "Sound Clip",
                                                  "Gospel",
                                                  "Noise",
                                                  "Alt. Rock",
                                                  "Bass",
                                                  "Soul",
                                                  "Punk",
                                                  "Space",
                                                  "Meditative",
                                                  "Instrumental pop",
                                                  "Instrumental rock",
                                                  "Ethnic",
                                                  "Gothic",
                                                  "Darkwave",
                                                  "Techno-Industrial",
                                                  "Electronic",
                                                  "Pop-Folk",
                                                  "Eurodance",
                                                  "Dream",
                                                  "Southern Rock",
                                                  "Comedy",
                                                  "Cult",
                                                  "Gangsta",
                                                  "Top 40",
                                                  "Christian Rap",
                                                  "Pop/Funk",
                                                  "Jungle",
                                                  "Native American",
                                                  "Cabaret",
                                                  "New Wave",
                                                  "Psychedelic",
                                                  "Rave",
                                                  "Showtunes",
                                                  "Trailer",
                                                  "Lo-Fi",
                                                  "Tribal",
                                                  "Acid Punk",
                                                  "Acid Jazz",
                                                  "Polka",
                                                  "Retro",
                                                  "Musical",
                                                  "Rock & Roll",
                                                  "Hard Rock",
                                                  "Folk",
                                                  "Folk-Rock",
                                                  "National Folk",
                                                  "Swing",
                                                  "Fast Fusion",
                                                  "Bebob",
                                                  "Latin",
                                                  "Revival",
                                                  "Celtic",
                                                  "Bluegrass",
                                                  "Avantgarde",
                                                  "Gothic Rock",
                                                  "Progressive Rock",
                                                  "Psychedelic Rock",
                                                  "Symphonic Rock",
                                                  "Slow Rock",
                                                  "Big Band",
                                                  "Chorus",
                                                  "Easy Listening",
                                                  "Acoustic",
                                                  "Humour",
                                                  "Speech",
                                                  "Chanson",
                                                  "Opera",
                                                  "Chamber music",
                                                  "Sonata",
                                                  "Symphony",
                                                  "Booty Bass",
                                                  "Primus",
                                                  "Porn Groove",
                                                  "Satire",
                                                  "Slow Jam",
                                                  "Club",
                                                  "Tango",
                                                  "Samba",
                                                  "Folklore",
                                                  "Ballad",
                                                  "Power Ballad",
                                                  "Rhythmic soul",
                                                  "Freestyle",
                                                  "Duet",
                                                  "Punk Rock",
                                                  "Drum Solo",
                                                  "A Cappella",
                                                  "Euro-House",
                                                  "Dance Hall",
                                                  "Goa",
                                                  "Drum & Bass",
                                                  "Club-House",
                                                  "Hardcore",
                                                  "Terror",
                                                  "Indie",
                                                  "BritPop",
                                                  "Negerpunk",
                                                  "Polsk Punk",
                                                  "Beat",
                                                  "Christian Gangsta Rap",
                                                  "Heavy Metal",
                                                  "Black Metal",
                                                  "Crossover",
                                                  "Contemporary Christian",
                                                  "Christian Rock",
                                                  "Merengue",
                                                  "Salsa",
                                                  "Thrash Metal",
                                                  "Anime",
                                                  "JPop",
                                                  "Synthpop"};

namespace {

constexpr int kDefaultGenre = 12;

// The record test: the last 128 bytes read whole and start with "TAG".
bool ReadRecord(HANDLE h, uint8_t* record) {
    return tagio::Seek(h, -static_cast<int64_t>(id3::kV1Size), FILE_END) && tagio::ReadExact(h, record, id3::kV1Size) &&
           id3::IsV1Record(record);
}

}  // namespace

TId3v1Tags::TId3v1Tags() {
    RegisterId(L"artist", fw::Null());
    RegisterId(L"album", fw::Null());
    RegisterId(L"genre", fw::Variant(static_cast<int32_t>(kDefaultGenre)));
    RegisterId(L"year", fw::Null());
    RegisterId(L"track", fw::Null());
    RegisterId(L"title", fw::Null());
    RegisterId(L"comment", fw::Null());
}

fw::AnsiString TId3v1Tags::Artist() const {
    fw::Variant v = IdValue(L"artist");
    return v.IsStr() ? AnsiTextOf(L"artist") : fw::AnsiString();
}

TId3v1TagsGenreId TId3v1Tags::GenreId() const {
    int id = IntegerOf(L"genre");
    return static_cast<TId3v1TagsGenreId>(id < 0 || id >= Id3v1GenreCount ? kDefaultGenre : id);
}

fw::AnsiString TId3v1Tags::Genre() const { return Id3v1Genres[GenreId()]; }

void TId3v1Tags::SetGenre(const fw::AnsiString& Value) {
    fw::String name = fw::Trim(fw::FromAnsi(Value));
    for (int i = 0; i < Id3v1GenreCount; ++i) {
        if (fw::SameText(name, fw::FromAnsi(Id3v1Genres[i]))) {
            SetGenreId(static_cast<TId3v1TagsGenreId>(i));
            return;
        }
    }
}

bool TId3v1Tags::Presents(HANDLE InFile) {
    int64_t at = tagio::Position(InFile);
    if (at < 0) return false;
    uint8_t record[id3::kV1Size];
    bool found = ReadRecord(InFile, record);
    tagio::Seek(InFile, at);
    return found;
}

bool TId3v1Tags::ReadFromFile(HANDLE InFile) {
    if (!TAuTags::ReadFromFile(InFile)) return false;
    uint8_t record[id3::kV1Size];
    if (!ReadRecord(InFile, record)) return false;
    id3::V1Fields f = id3::ParseV1(record);
    SetTitle(f.Title);
    SetArtist(f.Artist);
    SetAlbum(f.Album);
    SetInteger(L"year", f.Year);
    SetComment(f.Comment);
    SetInteger(L"track", f.Track);
    SetInteger(L"genre", f.Genre);
    return true;
}

bool TId3v1Tags::WriteToFile(HANDLE OutFile, bool /*Unicode*/) {
    if (!tagio::IsValid(OutFile) || !tagio::Seek(OutFile, 0, FILE_END)) return false;
    id3::V1Fields f;
    f.Title = Title();
    f.Artist = Artist();
    f.Album = Album();
    f.Year = Year();
    f.Comment = Comment();
    f.Track = Track();
    f.Genre = GenreId();
    uint8_t record[id3::kV1Size];
    id3::BuildV1(f, record);
    return tagio::WriteExact(OutFile, record, id3::kV1Size);
}

}  // namespace acs
