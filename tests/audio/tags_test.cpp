// The tag containers: the value store, the ID3v1 record and the ID3v2 tag,
// checked on files built byte by byte here.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "audio/ApeV2Tags.h"
#include "audio/AuTags.h"
#include "audio/Id3v1Tags.h"
#include "audio/Id3v2Tags.h"
#include "framework/rtl/StringList.h"
#include "tests/audio/TempFile.h"

using namespace acs;

namespace {

// Exposes registration, which only the kinds of tag do.
class OpenTags : public TAuTags {
public:
    using TAuTags::RegisterId;
};

std::vector<uint8_t> Field(const std::string& text, size_t size) {
    std::vector<uint8_t> f(size, 0);
    std::memcpy(f.data(), text.data(), std::min(size, text.size()));
    return f;
}

// An ID3v1 record: comment is the 30 raw bytes 97..126.
std::vector<uint8_t> V1Record(const std::string& title, const std::string& artist, const std::string& album,
                              const std::string& year, const std::vector<uint8_t>& comment30, int genre) {
    std::vector<uint8_t> r;
    Append(r, "TAG");
    for (auto& part : {Field(title, 30), Field(artist, 30), Field(album, 30), Field(year, 4)})
        r.insert(r.end(), part.begin(), part.end());
    r.insert(r.end(), comment30.begin(), comment30.end());
    r.push_back(static_cast<uint8_t>(genre));
    return r;
}

std::vector<uint8_t> Audio(size_t n) {
    std::vector<uint8_t> a(n);
    for (size_t i = 0; i < n; ++i) a[i] = static_cast<uint8_t>(0xA0 + i % 7);
    return a;
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ID3v2 building blocks.
std::vector<uint8_t> V2Header(int version, int flags, uint32_t size) {
    return {'I',
            'D',
            '3',
            static_cast<uint8_t>(version),
            0,
            static_cast<uint8_t>(flags),
            static_cast<uint8_t>((size >> 21) & 0x7F),
            static_cast<uint8_t>((size >> 14) & 0x7F),
            static_cast<uint8_t>((size >> 7) & 0x7F),
            static_cast<uint8_t>(size & 0x7F)};
}

std::vector<uint8_t> Frame22(const char* id, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> f(id, id + 3);
    uint32_t n = static_cast<uint32_t>(data.size());
    Append(f, {int(n >> 16 & 0xFF), int(n >> 8 & 0xFF), int(n & 0xFF)});
    return Concat(f, data);
}

std::vector<uint8_t> Frame23(const char* id, const std::vector<uint8_t>& data, uint32_t size) {
    std::vector<uint8_t> f(id, id + 4);
    Append(f, {int(size >> 24), int(size >> 16 & 0xFF), int(size >> 8 & 0xFF), int(size & 0xFF), 0, 0});
    return Concat(f, data);
}
std::vector<uint8_t> Frame23(const char* id, const std::vector<uint8_t>& data) {
    return Frame23(id, data, static_cast<uint32_t>(data.size()));
}

std::vector<uint8_t> Frame24(const char* id, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> f(id, id + 4);
    uint32_t n = static_cast<uint32_t>(data.size());
    Append(f, {int(n >> 21 & 0x7F), int(n >> 14 & 0x7F), int(n >> 7 & 0x7F), int(n & 0x7F), 0, 0});
    return Concat(f, data);
}

std::vector<uint8_t> Cut(std::vector<uint8_t> v, size_t n) {
    v.resize(v.size() - n);
    return v;
}

std::vector<uint8_t> Text(int encoding, const std::string& bytes) {
    std::vector<uint8_t> d(1 + bytes.size());
    d[0] = static_cast<uint8_t>(encoding);
    std::copy(bytes.begin(), bytes.end(), d.begin() + 1);
    return d;
}

std::vector<uint8_t> Tag(int version, const std::vector<uint8_t>& frames, size_t padding, int flags = 0) {
    return Concat(Concat(V2Header(version, flags, static_cast<uint32_t>(frames.size() + padding)), frames),
                  std::vector<uint8_t>(padding, 0));
}

}  // namespace

// ---- the value store ------------------------------------------------------

TEST(AuTags, UnregisteredIdsHoldNothing) {
    OpenTags tags;
    EXPECT_TRUE(tags.Empty());
    EXPECT_TRUE(tags.IdValue(L"nope").IsNull());
    tags.SetIdValue(L"nope", fw::Variant(L"x"));
    EXPECT_TRUE(tags.Empty());
    EXPECT_FALSE(tags.Changed());
    EXPECT_EQ(tags.IdCount(), 0);
    EXPECT_FALSE(tags.RegisterId(L"", fw::Null()));
}

TEST(AuTags, SettingTheStoredValueChangesNothing) {
    TId3v1Tags tags;
    tags.SetGenreId(12);  // the initial value
    tags.SetIdValue(L"title", fw::Null());
    EXPECT_TRUE(tags.Empty());
    EXPECT_FALSE(tags.Changed());
    tags.SetTitle("a");
    EXPECT_FALSE(tags.Empty());
    EXPECT_TRUE(tags.Changed());
}

TEST(AuTags, IdsAreSortedIgnoringCaseAndRegisteredOnce) {
    OpenTags tags;
    EXPECT_TRUE(tags.RegisterId(L"beta", fw::Variant(2)));
    EXPECT_TRUE(tags.RegisterId(L"Alpha", fw::Null()));
    EXPECT_TRUE(tags.RegisterId(L"BETA", fw::Variant(3)));  // already there: unchanged
    EXPECT_EQ(tags.IdCount(), 2);
    EXPECT_EQ(tags.IdAt(0), L"Alpha");
    EXPECT_EQ(tags.IdAt(1), L"beta");
    EXPECT_EQ(tags.IdAt(2), L"");
    EXPECT_EQ(tags.IdAt(-1), L"");
    EXPECT_EQ(tags.IntegerOf(L"BeTa"), 2);
}

TEST(AuTags, ConversionsOfEachKind) {
    OpenTags tags;
    tags.RegisterId(L"v", fw::Null());
    struct Case {
        fw::Variant value;
        int integer;
        fw::AnsiString ansi;
        fw::String wide;
    };
    const Case cases[] = {
        {fw::Null(), 0, "", L""},
        {fw::Variant(int32_t(42)), 42, "42", L"42"},
        {fw::Variant(uint8_t(7)), 7, "7", L"7"},
        {fw::Variant(fw::AnsiString("123")), 123, "123", L"123"},
        {fw::Variant::OleStr(L"abc"), 0, "abc", L"abc"},
        {fw::Variant(fw::String(L"-5")), -5, "-5", L"-5"},
        {fw::Variant::OleStr(L"노래"), 0, fw::ToAnsi(L"노래"), L"노래"},
    };
    for (const Case& c : cases) {
        tags.SetIdValue(L"v", c.value);
        EXPECT_EQ(tags.IntegerOf(L"v"), c.integer);
        EXPECT_EQ(tags.AnsiTextOf(L"v"), c.ansi);
        EXPECT_EQ(tags.WideTextOf(L"v"), c.wide);
    }
    EXPECT_EQ(tags.IntegerOf(L"missing"), 0);
    EXPECT_EQ(tags.AnsiTextOf(L"missing"), "");
}

TEST(AuTags, ClearEmptiesAndMarksChanged) {
    TId3v1Tags tags;
    tags.SetTitle("x");
    tags.Clear();
    EXPECT_TRUE(tags.Empty());
    EXPECT_TRUE(tags.Changed());
    EXPECT_TRUE(tags.IdValue(L"title").IsNull());
    EXPECT_TRUE(tags.IdValue(L"genre").IsNull());
}

TEST(AuTags, AssignCopiesSharedIdsOnly) {
    TId3v1Tags a;
    a.SetTitle("Song");
    a.SetTrack(3);
    TId3v1Tags b;
    b.SetAlbum("old");
    b.Assign(&a);
    EXPECT_EQ(b.Title(), "Song");
    EXPECT_EQ(b.Track(), 3);
    EXPECT_EQ(b.Album(), "");

    // Ids match ignoring case: "title" fills "Title"; "Album" is cleared.
    TAPEv2Tags ape;
    ape.SetAlbum(L"T");
    ape.Assign(&a);
    EXPECT_EQ(ape.Title(), L"Song");
    EXPECT_EQ(ape.Album(), L"");
    EXPECT_EQ(ape.Track(), "3");

    b.Assign(&b);  // assigning to itself keeps the values
    EXPECT_EQ(b.Title(), "Song");
}

TEST(AuTags, AssignWithForeignClassesRaisesConversionError) {
    TId3v1Tags tags;
    fw::TStringList list;
    EXPECT_THROW(tags.Assign(&list), fw::EConvertError);
    EXPECT_THROW(list.Assign(&tags), fw::EConvertError);
}

TEST(AuTags, BaseFileHooks) {
    TempFile file;
    OpenTags tags;
    tags.RegisterId(L"v", fw::Variant(1));
    EXPECT_FALSE(TAuTags::Presents(INVALID_HANDLE_VALUE));
    EXPECT_TRUE(TAuTags::Presents(file.Handle()));
    EXPECT_FALSE(tags.ReadFromFile(INVALID_HANDLE_VALUE));
    EXPECT_EQ(tags.IntegerOf(L"v"), 1);
    EXPECT_TRUE(tags.ReadFromFile(file.Handle()));
    EXPECT_TRUE(tags.IdValue(L"v").IsNull());
    EXPECT_TRUE(tags.WriteToFile(file.Handle(), false));
    EXPECT_FALSE(tags.WriteToFile(INVALID_HANDLE_VALUE, false));
    EXPECT_TRUE(file.Bytes().empty());
}

// ---- ID3v1 ----------------------------------------------------------------

TEST(Id3v1Tags, Genres) {
    TId3v1Tags tags;
    EXPECT_EQ(tags.GenreId(), 12);
    EXPECT_EQ(tags.Genre(), "Other");
    tags.SetGenre("  rock ");
    EXPECT_EQ(tags.GenreId(), 17);
    tags.SetGenre("no such genre");
    EXPECT_EQ(tags.GenreId(), 17);
    tags.SetGenre("synthpop");
    EXPECT_EQ(tags.GenreId(), 147);
    EXPECT_EQ(tags.Genre(), "Synthpop");
    tags.SetIdValue(L"genre", fw::Variant(200));
    EXPECT_EQ(tags.GenreId(), 12);
    tags.SetIdValue(L"genre", fw::Variant(-1));
    EXPECT_EQ(tags.GenreId(), 12);
    EXPECT_STREQ(Id3v1Genres[0], "Blues");
    EXPECT_STREQ(Id3v1Genres[80], "Folk");
}

TEST(Id3v1Tags, ArtistReadsOnlyTexts) {
    TId3v1Tags tags;
    tags.SetIdValue(L"artist", fw::Variant(5));
    EXPECT_EQ(tags.Artist(), "");
    tags.SetIdValue(L"artist", fw::Variant::OleStr(L"Band"));
    EXPECT_EQ(tags.Artist(), "Band");
}

TEST(Id3v1Tags, ReadsTheTwoRecordForms) {
    std::vector<uint8_t> v11 = Field("A comment that is long enough", 30);
    v11[28] = 0;  // byte 125
    v11[29] = 7;  // byte 126
    std::vector<uint8_t> blanks = Field("Thirty characters of comment..", 30);
    blanks[28] = ' ';
    blanks[29] = ' ';
    std::vector<uint8_t> blankTrack = Field("Comment", 30);
    blankTrack[28] = ' ';
    blankTrack[29] = 9;
    struct Case {
        std::vector<uint8_t> comment;
        std::string expectComment;
        int expectTrack;
    } cases[] = {
        {v11, "A comment that is long enoug", 7},
        {blanks, "Thirty characters of comment", 0},
        {blankTrack, "Comment", 9},
        {Field("Full thirty byte comment text!", 30), "Full thirty byte comment text!", 0},
    };
    for (const Case& c : cases) {
        TempFile file(Concat(Audio(300), V1Record("  Title  ", "Artist", "Album", "1999", c.comment, 17)));
        TId3v1Tags tags;
        ASSERT_TRUE(tags.ReadFromFile(file.Handle()));
        EXPECT_EQ(tags.Title(), "Title");
        EXPECT_EQ(tags.Artist(), "Artist");
        EXPECT_EQ(tags.Album(), "Album");
        EXPECT_EQ(tags.Year(), 1999);
        EXPECT_EQ(tags.Comment(), c.expectComment);
        EXPECT_EQ(tags.Track(), c.expectTrack);
        EXPECT_EQ(tags.Genre(), "Rock");
    }
}

TEST(Id3v1Tags, OddRecords) {
    {
        // Not a number as year; genre out of the table.
        TempFile file(V1Record("t", "a", "b", "19x9", Field("", 30), 200));
        TId3v1Tags tags;
        ASSERT_TRUE(tags.ReadFromFile(file.Handle()));
        EXPECT_EQ(tags.Year(), 0);
        EXPECT_EQ(tags.GenreId(), 12);
    }
    {
        // Korean text in the ANSI code page.
        TempFile file(V1Record(fw::ToAnsi(L"봄날"), "", "", "", Field("", 30), 0));
        TId3v1Tags tags;
        ASSERT_TRUE(tags.ReadFromFile(file.Handle()));
        EXPECT_EQ(fw::FromAnsi(tags.Title()), L"봄날");
    }
    {
        TempFile file(Audio(100));  // shorter than a record
        TId3v1Tags tags;
        EXPECT_FALSE(TId3v1Tags::Presents(file.Handle()));
        EXPECT_FALSE(tags.ReadFromFile(file.Handle()));
    }
    {
        TempFile file(Audio(500));  // long enough, no "TAG"
        EXPECT_FALSE(TId3v1Tags::Presents(file.Handle()));
    }
    EXPECT_FALSE(TId3v1Tags::Presents(INVALID_HANDLE_VALUE));
}

TEST(Id3v1Tags, PresentsKeepsThePosition) {
    TempFile file(Concat(Audio(200), V1Record("t", "", "", "", Field("", 30), 0)));
    file.Seek(37);
    EXPECT_TRUE(TId3v1Tags::Presents(file.Handle()));
    EXPECT_EQ(file.Position(), 37);
}

TEST(Id3v1Tags, WritesTheRecordByteForByte) {
    TempFile file(Audio(50));
    TId3v1Tags tags;
    tags.SetTitle("A title that is much longer than thirty bytes");
    tags.SetArtist("Artist");
    tags.SetAlbum("Album");
    tags.SetYear(2010);
    tags.SetComment("Comment");
    tags.SetGenreId(5);
    ASSERT_TRUE(tags.WriteToFile(file.Handle(), true));
    std::vector<uint8_t> expect = Concat(
        Audio(50), V1Record("A title that is much longer th", "Artist", "Album", "2010", Field("Comment", 30), 5));
    EXPECT_EQ(file.Bytes(), expect);

    // With a track: the ID3v1.1 form; the new record is appended after the old one.
    tags.SetTrack(9);
    tags.SetComment("A comment of thirty bytes long");
    ASSERT_TRUE(tags.WriteToFile(file.Handle(), false));
    std::vector<uint8_t> comment = Field("A comment of thirty bytes lo", 30);
    comment[29] = 9;
    expect = Concat(expect, V1Record("A title that is much longer th", "Artist", "Album", "2010", comment, 5));
    EXPECT_EQ(file.Bytes(), expect);

    TId3v1Tags back;
    ASSERT_TRUE(back.ReadFromFile(file.Handle()));
    EXPECT_EQ(back.Track(), 9);
    EXPECT_EQ(back.Comment(), "A comment of thirty bytes lo");
    EXPECT_EQ(back.Title(), "A title that is much longer th");
    EXPECT_EQ(back.GenreId(), 5);
}

TEST(Id3v1Tags, YearDigits) {
    const std::pair<uint16_t, std::string> cases[] = {{0, "0"}, {12345, "1234"}, {999, "999"}};
    for (auto& [year, text] : cases) {
        TempFile file;
        TId3v1Tags tags;
        tags.SetYear(year);
        ASSERT_TRUE(tags.WriteToFile(file.Handle(), false));
        std::vector<uint8_t> bytes = file.Bytes();
        ASSERT_EQ(bytes.size(), 128u);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(&bytes[93]), strnlen(reinterpret_cast<char*>(&bytes[93]), 4)),
                  text);
        EXPECT_EQ(bytes[127], 12);  // the default genre
    }
    TId3v1Tags tags;
    EXPECT_FALSE(tags.WriteToFile(INVALID_HANDLE_VALUE, false));
}

// ---- ID3v2: reading -------------------------------------------------------

TEST(Id3v2Tags, HeaderTest) {
    struct Case {
        int version, flags;
        bool passes;
    } cases[] = {
        {2, 0, true},    {2, 0x40, true}, {2, 0x20, false}, {3, 0, true},  {3, 0x10, false},
        {3, 0xE0, true}, {4, 0x10, true}, {4, 0x08, false}, {5, 0, false}, {1, 0, false},
    };
    for (const Case& c : cases) {
        TempFile file(Concat(V2Header(c.version, c.flags, 6), std::vector<uint8_t>(16, 0)));
        EXPECT_EQ(TId3v2Tags::Presents(file.Handle()), c.passes) << c.version << " " << c.flags;
        EXPECT_EQ(file.Position(), 0);
    }
    std::vector<uint8_t> badSize = V2Header(3, 0, 6);
    badSize[7] = 0x80;
    TempFile file(badSize);
    EXPECT_FALSE(TId3v2Tags::Presents(file.Handle()));
    std::vector<uint8_t> badRevision = V2Header(3, 0, 6);
    badRevision[4] = 0xFF;
    file.Write(badRevision);
    EXPECT_FALSE(TId3v2Tags::Presents(file.Handle()));
}

TEST(Id3v2Tags, ReadsVersion22) {
    std::vector<uint8_t> frames;
    frames = Concat(frames, Frame22("TT2", Text(0, "Title")));
    std::string utf16 = "\xFF\xFE";
    for (wchar_t ch : std::wstring(L"가수")) utf16 += std::string{char(ch & 0xFF), char(ch >> 8)};
    frames = Concat(frames, Frame22("TP1", Text(1, utf16)));
    frames = Concat(frames, Frame22("COM", Text(0, "engignored")));
    frames = Concat(frames, Frame22("TYE", Text(0, "2001")));
    TempFile file(Concat(Tag(2, frames, 20), Audio(40)));
    TId3v2Tags tags;
    ASSERT_TRUE(tags.ReadFromFile(file.Handle()));
    EXPECT_FALSE(tags.IsNew());
    EXPECT_EQ(tags.Title(), L"Title");
    EXPECT_EQ(tags.Artist(), L"가수");
    EXPECT_EQ(tags.Year(), "2001");
    EXPECT_EQ(tags.Comment(), L"");
    EXPECT_EQ(file.Position(), static_cast<int64_t>(10 + frames.size() + 20));

    // The four-letter ids hold nothing: a 2.4 tag of no frames is written.
    TempFile out(Audio(10));
    ASSERT_TRUE(tags.WriteToFile(out.Handle(), true));
    EXPECT_EQ(out.Bytes(), Concat(Concat(V2Header(4, 0, 6), std::vector<uint8_t>(6, 0)), Audio(10)));
}

TEST(Id3v2Tags, ReadsVersion23WithPlainSizes) {
    std::string longTitle(199, 'x');
    std::vector<uint8_t> frames = Frame23("TIT2", Text(0, longTitle));  // 200 bytes of data: 0x000000C8
    ASSERT_EQ(frames[4 + 3], 0xC8);
    frames = Concat(frames, Frame23("TALB", Text(3, fw::ToUtf8(L"앨범"))));
    frames = Concat(frames, Frame23("TCON", Text(2, std::string("\0R", 2))));  // encoding 2: ignored
    frames = Concat(frames, Frame23("XXXX", Text(0, "unknown")));
    frames = Concat(frames, Frame23("TRCK", {}));                                  // empty frame: skipped
    frames = Concat(frames, Frame23("TRCK", Text(0, std::string("5\0junk", 6))));  // up to the zero
    TempFile file(Concat(Tag(3, frames, 30), Audio(40)));
    TId3v2Tags tags;
    ASSERT_TRUE(tags.ReadFromFile(file.Handle()));
    EXPECT_TRUE(tags.IsNew());
    EXPECT_EQ(tags.Title(), fw::String(199, L'x'));
    EXPECT_EQ(tags.Album(), L"앨범");
    EXPECT_EQ(tags.Genre(), L"");
    EXPECT_EQ(tags.Track(), "5");
}

TEST(Id3v2Tags, ReadsVersion24SyncsafeSizesAndTheFooter) {
    std::string longTitle(199, 'y');
    std::vector<uint8_t> frames = Frame24("TIT2", Text(0, longTitle));
    ASSERT_EQ(frames[6], 0x01);  // 200 = 0x01 0x48 in 7-bit groups
    ASSERT_EQ(frames[7], 0x48);
    frames = Concat(frames, Frame24("TPE1", Text(0, "After")));
    std::vector<uint8_t> tag = Tag(4, frames, 10, 0x10);
    std::vector<uint8_t> footer = V2Header(4, 0x10, static_cast<uint32_t>(frames.size() + 10));
    footer[0] = '3', footer[1] = 'D', footer[2] = 'I';
    TempFile file(Concat(Concat(tag, footer), Audio(40)));
    TId3v2Tags tags;
    ASSERT_TRUE(tags.ReadFromFile(file.Handle()));
    EXPECT_EQ(tags.Title(), fw::String(199, L'y'));
    EXPECT_EQ(tags.Artist(), L"After");
    EXPECT_EQ(file.Position(), static_cast<int64_t>(tag.size() + footer.size()));
}

TEST(Id3v2Tags, ReadsVersion24PlainSizesOfOtherWriters) {
    std::string longTitle(199, 'z');
    std::vector<uint8_t> frames = Frame23("TIT2", Text(0, longTitle));  // plain 0xC8 in a 2.4 tag
    frames = Concat(frames, Frame23("TPE1", Text(0, "Next")));
    TempFile file(Tag(4, frames, 16));
    TId3v2Tags tags;
    ASSERT_TRUE(tags.ReadFromFile(file.Handle()));
    EXPECT_EQ(tags.Title(), fw::String(199, L'z'));
    EXPECT_EQ(tags.Artist(), L"Next");
}

TEST(Id3v2Tags, ReadsFromTheCurrentPosition) {
    std::vector<uint8_t> tag = Tag(3, Frame23("TIT2", Text(0, "Here")), 4);
    TempFile file(Concat(Audio(33), tag));
    file.Seek(33);
    TId3v2Tags tags;
    ASSERT_TRUE(tags.ReadFromFile(file.Handle()));
    EXPECT_EQ(tags.Title(), L"Here");
    EXPECT_EQ(file.Position(), static_cast<int64_t>(33 + tag.size()));
}

TEST(Id3v2Tags, TruncatedAndOversizedFramesAreRefused) {
    std::vector<uint8_t> good = Frame23("TIT2", Text(0, "Kept"));
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
    } cases[] = {
        // A frame claiming 4 GiB - 1: must stop before allocating.
        {"huge v3", Tag(3, Concat(good, Frame23("TALB", Text(0, "abc"), 0xFFFFFFFF)), 8)},
        {"past end v3", Tag(3, Concat(good, Frame23("TALB", Text(0, "abc"), 40)), 8)},
        {"huge v2", Tag(2, Concat(Frame22("TT2", Text(0, "Kept")), {'T', 'A', 'L', 0xFF, 0xFF, 0xFF, 0, 'a'}), 4)},
        {"syncsafe max v4",
         Tag(4, Concat(Frame24("TIT2", Text(0, "Kept")), {'T', 'A', 'L', 'B', 0x7F, 0x7F, 0x7F, 0x7F, 0, 0, 0, 'a'}),
             4)},
        // The file ends before the tag does: nothing is read, no failure.
        {"file shorter than tag", Cut(Tag(3, good, 100), 50)},
        // A header that does not fit before the end.
        {"header cut", Tag(3, Concat(good, {'T', 'A', 'L'}), 0)},
    };
    for (const Case& c : cases) {
        TempFile file(c.file);
        TId3v2Tags tags;
        EXPECT_TRUE(tags.ReadFromFile(file.Handle())) << c.name;
        EXPECT_EQ(tags.Album(), L"") << c.name;
        if (std::string(c.name) != "file shorter than tag") {
            EXPECT_EQ(tags.Title(), L"Kept") << c.name;
        }
    }
}

TEST(Id3v2Tags, MutatedTagsNeverCrash) {
    std::vector<uint8_t> frames = Concat(Frame24("TIT2", Text(1, std::string("\xFF\xFEh\0i\0", 6))),
                                         Frame24("WXXX", Text(0, std::string("\0http://x", 9))));
    frames = Concat(frames, Frame24("TALB", Text(3, "album")));
    std::vector<uint8_t> base = Concat(Tag(4, frames, 12), Audio(20));
    uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    TempFile file;
    for (int round = 0; round < 400; ++round) {
        std::vector<uint8_t> bytes = base;
        int flips = 1 + next() % 6;
        for (int i = 0; i < flips; ++i) {
            size_t at = next() % bytes.size();
            bytes[at] = (next() % 3 == 0) ? 0xFF : static_cast<uint8_t>(next());
        }
        if (next() % 4 == 0) bytes.resize(next() % bytes.size());
        file.Write(bytes);
        TId3v2Tags tags;
        bool read = tags.ReadFromFile(file.Handle());
        // Past a tag whose size the header gives, never somewhere random.
        if (read) {
            EXPECT_GE(file.Position(), 10);
        }
        (void)tags.Title();
        (void)tags.Link();
    }
}

// ---- ID3v2: writing -------------------------------------------------------

TEST(Id3v2Tags, WritesInFrontOfTheFileByteForByte) {
    TId3v2Tags tags;
    tags.SetTitle(L"Song");
    tags.SetTrack("7");
    tags.SetComment(L"not written");
    TempFile file(Audio(5000));
    ASSERT_TRUE(tags.WriteToFile(file.Handle(), false));
    // TIT2 (10 + 5) + TRCK (10 + 2) = 27 bytes of frames; 27 + 10 = 37 -> 11 bytes of padding.
    std::vector<uint8_t> frames = Concat(Frame24("TIT2", Text(0, "Song")), Frame24("TRCK", Text(0, "7")));
    ASSERT_EQ(frames.size(), 27u);
    std::vector<uint8_t> expect = Concat(Tag(4, frames, 11), Audio(5000));
    EXPECT_EQ(file.Bytes(), expect);
    EXPECT_EQ((10 + 27 + 11) % 16, 0);

    file.Seek(0);
    TId3v2Tags back;
    ASSERT_TRUE(back.ReadFromFile(file.Handle()));
    EXPECT_EQ(back.Title(), L"Song");
    EXPECT_EQ(back.Track(), "7");
    EXPECT_EQ(back.Comment(), L"");
}

TEST(Id3v2Tags, Padding) {
    // A title of 11 characters makes 22 bytes of frames, which get 16 bytes of padding; 23 get 15.
    struct Case {
        size_t titleLength;
        size_t framesSize;
        size_t tagSize;
    } cases[] = {{11, 22, 48}, {12, 23, 48}, {0, 0, 16}};
    for (const Case& c : cases) {
        TId3v2Tags tags;
        if (c.titleLength) tags.SetTitle(fw::String(c.titleLength, L'a'));
        TempFile file;
        ASSERT_TRUE(tags.WriteToFile(file.Handle(), false));
        std::vector<uint8_t> bytes = file.Bytes();
        EXPECT_EQ(bytes.size(), c.tagSize) << c.framesSize;
        std::vector<uint8_t> frames =
            c.titleLength ? Frame24("TIT2", Text(0, std::string(c.titleLength, 'a'))) : std::vector<uint8_t>();
        EXPECT_EQ(frames.size(), c.framesSize);
        EXPECT_EQ(bytes, Tag(4, frames, c.tagSize - 10 - c.framesSize));
    }
}

TEST(Id3v2Tags, LongFramesGetSyncsafeSizes) {
    TId3v2Tags tags;
    tags.SetTitle(fw::String(199, L'q'));  // 200 bytes of data
    TempFile file(Audio(3));
    ASSERT_TRUE(tags.WriteToFile(file.Handle(), false));
    std::vector<uint8_t> bytes = file.Bytes();
    ASSERT_GE(bytes.size(), 20u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 14, bytes.begin() + 18), (std::vector<uint8_t>{0, 0, 0x01, 0x48}));
    file.Seek(0);
    TId3v2Tags back;
    ASSERT_TRUE(back.ReadFromFile(file.Handle()));
    EXPECT_EQ(back.Title(), fw::String(199, L'q'));
}

TEST(Id3v2Tags, UnicodeTextAndTheLinkFrame) {
    TId3v2Tags tags;
    tags.SetArtist(L"가수");
    tags.SetYear("2010");
    tags.SetLink(L"http://example.com/a");
    TempFile file(Audio(64));
    ASSERT_TRUE(tags.WriteToFile(file.Handle(), true));
    std::vector<uint8_t> frames = Frame24("TPE1", Text(3, fw::ToUtf8(L"가수")));
    frames = Concat(frames, Frame24("TYER", Text(0, "2010")));
    frames = Concat(frames, Frame24("WXXX", Text(0, std::string("\0http://example.com/a", 21))));
    size_t padding = 16 - (frames.size() + 10) % 16;
    EXPECT_EQ(file.Bytes(), Concat(Tag(4, frames, padding), Audio(64)));

    file.Seek(0);
    TId3v2Tags back;
    ASSERT_TRUE(back.ReadFromFile(file.Handle()));
    EXPECT_EQ(back.Artist(), L"가수");
    EXPECT_EQ(back.Year(), "2010");
    EXPECT_EQ(back.Link(), L"http://example.com/a");

    // Without Unicode the text goes through the ANSI code page.
    TempFile ansi;
    ASSERT_TRUE(tags.WriteToFile(ansi.Handle(), false));
    ansi.Seek(0);
    TId3v2Tags fromAnsi;
    ASSERT_TRUE(fromAnsi.ReadFromFile(ansi.Handle()));
    EXPECT_EQ(fromAnsi.Artist(), L"가수");
}

TEST(Id3v2Tags, WriteNeedsAHandleItCanMap) {
    TId3v2Tags tags;
    tags.SetTitle(L"x");
    EXPECT_FALSE(tags.WriteToFile(INVALID_HANDLE_VALUE, false));
    TempFile file(Audio(100));
    HANDLE readOnly = CreateFileW(file.Path().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    file.Close();
    ASSERT_NE(readOnly, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(tags.WriteToFile(readOnly, false));
    CloseHandle(readOnly);
    EXPECT_EQ(file.Bytes(), Audio(100));  // untouched
}

// ---- APEv2 ----------------------------------------------------------------

TEST(APEv2Tags, FieldNames) {
    TAPEv2Tags tags;
    EXPECT_EQ(tags.IdCount(), 25);
    tags.SetBarCode("1234567890123");
    tags.SetDebutAlbum(L"첫 앨범");
    tags.SetYear("1987");
    tags.SetFile_(L"a.mp3");
    EXPECT_EQ(tags.IdValue(L"EAN/UPC").VarType(), fw::varString);
    EXPECT_EQ(tags.AnsiTextOf(L"ean/upc"), "1234567890123");
    EXPECT_EQ(tags.WideTextOf(L"Debut album"), L"첫 앨범");
    EXPECT_EQ(tags.Year(), "1987");
    EXPECT_EQ(tags.File_(), L"a.mp3");
    TempFile file(Audio(10));
    EXPECT_TRUE(tags.ReadFromFile(file.Handle()));  // reads nothing, clears
    EXPECT_EQ(tags.Year(), "");
}
