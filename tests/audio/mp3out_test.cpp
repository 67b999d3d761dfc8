// The MP3 sink with the real encoder and tag library: the configuration it
// sends, the ID3v1 record it appends, encoded tones that parse back into
// frames of the right length, TagLib's fields, and its failures. The cases
// that need a library to be missing run in a copy of this program in a
// folder without it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "audio/AuException.h"
#include "audio/LameConfig.h"
#include "audio/LameLibrary.h"
#include "audio/MP3Out.h"
#include "audio/Mp3Id3v1Record.h"
#include "audio/TagLibLibrary.h"
#include "framework/rtl/Strings.h"
#include "framework/rtl/SysUtils.h"
#include "tests/audio/Mp3TestKit.h"

using namespace acs;

namespace {

// A path in the temporary folder, removed with the object.
class ScratchPath {
public:
    explicit ScratchPath(const std::wstring& name) {
        static int counter = 0;
        wchar_t dir[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        path_ = std::wstring(dir) + L"mp3out-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter) + L"-" + name;
    }
    ~ScratchPath() { DeleteFileW(path_.c_str()); }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

// The host's settings of its one sink.
void ConfigureLikeViewer(TMP3Out& out) {
    out.SetShareMode(0);
    out.SetBitRate(mbrAuto);
    out.SetMode(mmMono);
    out.SetEnableBitReservoir(false);
    out.SetStrictISO(false);
    out.SetVBRQuality(mp3ql0);
    out.SetEnableVBR(false);
    out.SetAverageBitrate(mbrAuto);
    out.SetMaximumBitrate(mbrAuto);
}

std::vector<uint8_t> Bytes(const BE_CONFIG& c) {
    const auto* p = reinterpret_cast<const uint8_t*>(&c);
    return std::vector<uint8_t>(p, p + sizeof c);
}

uint32_t Dword(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

// Runs the sink on its worker and waits for the run to complete.
void RunToEnd(TMP3Out& out) {
    RunWaiter waiter(out);
    out.Run();
    ASSERT_TRUE(waiter.Wait());
    for (int i = 0; i < 500 && out.IsBusy(); ++i) Sleep(10);
    ASSERT_FALSE(out.IsBusy());
}

std::vector<uint8_t> Tail(const std::vector<uint8_t>& b, size_t n) {
    return b.size() < n ? b : std::vector<uint8_t>(b.end() - n, b.end());
}

// A stream that takes nothing: every write comes up short.
class FullDisk : public fw::TStream {
public:
    int Read(void*, int) override { return 0; }
    int Write(const void*, int) override { return 0; }
    int64_t Seek(int64_t, fw::TSeekOrigin) override { return 0; }
};

// ---- runs in a copy of this program in a folder without some libraries ----

const wchar_t* ChildMark() {
    static wchar_t mark[MAX_PATH];
    return GetEnvironmentVariableW(L"KVB_MP3_CHILD_MARK", mark, MAX_PATH) ? mark : nullptr;
}

void MarkChildPassed() {
    HANDLE h = CreateFileW(ChildMark(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
}

// Runs Test in a copy of this program alone in a scratch folder, beside the
// given DLLs (paths relative to this program's folder, copied under their
// own file names). True when it ran and passed there.
bool RunAloneWith(const std::wstring& test, const std::vector<std::wstring>& dlls) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring here = fw::ExtractFilePath(self);
    ScratchPath folder(L"alone");
    const std::wstring dir = folder.Path() + L"\\";
    CreateDirectoryW(dir.c_str(), nullptr);
    std::vector<std::wstring> files = {dir + L"audio_tests.exe", dir + L"passed.mark", dir + L"journal.txt"};
    bool ready = CopyFileW(self, files[0].c_str(), FALSE);
    for (const auto& dll : dlls) {
        files.push_back(dir + fw::ExtractFileName(dll));
        ready = ready && CopyFileW((here + dll).c_str(), files.back().c_str(), FALSE);
    }
    bool passed = false;
    if (ready) {
        SetEnvironmentVariableW(L"KVB_MP3_CHILD_MARK", files[1].c_str());
        std::wstring command = L"\"" + files[0] + L"\" --gtest_filter=" + test;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (CreateProcessW(files[0].c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                           &pi)) {
            DWORD code = 1;
            if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
            passed = code == 0 && fw::FileExists(files[1]);
        }
        SetEnvironmentVariableW(L"KVB_MP3_CHILD_MARK", nullptr);
    }
    for (const auto& f : files) DeleteFileW(f.c_str());
    RemoveDirectoryW(dir.c_str());
    return passed;
}

// ---- the journal of the stand-in encoder ----

std::string JournalPath() {
    char dir[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, dir);
    return std::string(dir) + "\\journal.txt";
}

void Journal(const std::string& line) {
    FILE* f = std::fopen(JournalPath().c_str(), "ab");
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
}

std::vector<std::string> JournalLines() {
    std::vector<std::string> lines;
    FILE* f = std::fopen(JournalPath().c_str(), "rb");
    if (!f) return lines;
    char line[1024];
    while (std::fgets(line, sizeof line, f)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        lines.push_back(text);
    }
    std::fclose(f);
    return lines;
}

std::string Hex(const BE_CONFIG& config) {
    std::string hex;
    char two[3];
    for (uint8_t b : Bytes(config)) {
        std::snprintf(two, sizeof two, "%02x", b);
        hex += two;
    }
    return hex;
}

// A tone source whose opening and closing go into the journal.
class JournalSource : public ToneSource {
public:
    using ToneSource::ToneSource;

protected:
    void OpenInput() override {
        Journal("source opened");
        ToneSource::OpenInput();
    }
    void CloseInput() override {
        Journal("source closed");
        ToneSource::CloseInput();
    }
};

}  // namespace

// ---------------------------------------------------------------------------
// The encoder configuration

TEST(MP3OutConfig, ViewerSettingsGiveTheseBytes) {
    TMP3Out out(nullptr);
    ConfigureLikeViewer(out);
    BE_CONFIG config;
    std::memset(&config, 0xCC, sizeof config);  // every byte must be written
    FillLameConfig(out, 44100, 1, config);

    std::vector<uint8_t> expected(331, 0);
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) expected[at + i] = uint8_t(v >> (8 * i));
    };
    put(0, 256);          // dwConfig: the LAME layout
    put(4, 1);            // dwStructVersion
    put(8, 331);          // dwStructSize
    put(12, 44100);       // dwSampleRate
    put(20, 3);           // nMode: mono
    put(60, 1);           // bOriginal
    put(80, 2);           // nVbrMethod: no average rate
    put(84, 0xFFFFFFFF);  // bNoRes: reservoir off
    EXPECT_EQ(Bytes(config), expected);
}

TEST(MP3OutConfig, ModeRateAndFlagRows) {
    struct Row {
        const char* what;
        uint32_t channels;
        void (*set)(TMP3Out&);
        size_t offset;
        uint32_t value;
    };
    const Row rows[] = {
        {"mono input whatever the mode", 1, [](TMP3Out& o) { o.SetMode(mmJointStereo); }, 20, 3},
        {"dual sent as stereo", 2, [](TMP3Out& o) { o.SetMode(mmDual); }, 20, 0},
        {"joint stereo", 2, [](TMP3Out& o) { o.SetMode(mmJointStereo); }, 20, 1},
        {"mono mode, stereo input", 2, [](TMP3Out& o) { o.SetMode(mmMono); }, 20, 3},
        {"stereo default", 2, [](TMP3Out&) {}, 20, 0},
        {"auto bit rate", 1, [](TMP3Out& o) { o.SetBitRate(mbrAuto); }, 24, 0},
        {"default bit rate", 1, [](TMP3Out&) {}, 24, 128},
        {"lowest bit rate", 1, [](TMP3Out& o) { o.SetBitRate(mbr32); }, 24, 32},
        {"highest bit rate", 1, [](TMP3Out& o) { o.SetBitRate(mbr320); }, 24, 320},
        {"rate outside the list", 1, [](TMP3Out& o) { o.SetBitRate(static_cast<TMP3BitRate>(40)); }, 24, 128},
        {"maximum rate", 1, [](TMP3Out& o) { o.SetMaximumBitrate(mbr256); }, 28, 256},
        {"average rate in kbps", 1, [](TMP3Out& o) { o.SetAverageBitrate(mbr128); }, 76, 128},
        {"average rate picks ABR", 1, [](TMP3Out& o) { o.SetAverageBitrate(mbr128); }, 80, 4},
        {"no average rate", 1, [](TMP3Out& o) { o.SetAverageBitrate(mbrAuto); }, 80, 2},
        {"CRC", 1, [](TMP3Out& o) { o.SetCRC(true); }, 52, 1},
        {"copyright never sent", 1, [](TMP3Out& o) { o.SetCopyright(true); }, 56, 0},
        {"not original", 1, [](TMP3Out& o) { o.SetOriginal(false); }, 60, 0},
        {"VBR header", 1, [](TMP3Out& o) { o.SetEnableVBR(true); }, 64, 1},
        {"VBR", 1, [](TMP3Out& o) { o.SetEnableVBR(true); }, 68, 1},
        {"VBR quality", 1,
         [](TMP3Out& o) {
             o.SetEnableVBR(true);
             o.SetVBRQuality(mp3ql7);
         },
         72, 7},
        {"quality ignored without VBR", 1, [](TMP3Out& o) { o.SetVBRQuality(mp3ql7); }, 72, 0},
        {"reservoir on", 1, [](TMP3Out& o) { o.SetEnableBitReservoir(true); }, 84, 0},
        {"reservoir off", 1, [](TMP3Out&) {}, 84, 0xFFFFFFFF},
        {"strict ISO", 1, [](TMP3Out& o) { o.SetStrictISO(true); }, 88, 0xFFFFFFFF},
        {"sample rate", 1, [](TMP3Out&) {}, 12, 22050},
    };
    for (const Row& row : rows) {
        TMP3Out out(nullptr);
        row.set(out);
        BE_CONFIG config;
        FillLameConfig(out, row.offset == 12 ? 22050 : 44100, row.channels, config);
        EXPECT_EQ(Dword(Bytes(config), row.offset), row.value) << row.what;
    }
}

TEST(MP3OutConfig, DefaultsAndKbps) {
    TMP3Out out(nullptr);
    EXPECT_EQ(out.BitRate(), mbr128);
    EXPECT_EQ(out.Mode(), mmStereo);
    EXPECT_TRUE(out.Original());
    EXPECT_FALSE(out.EnableVBR());
    EXPECT_EQ(out.ClassName(), L"TMP3Out");
    const uint32_t kbps[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 192, 224, 256, 320};
    for (int i = 0; i <= mbr320; ++i) EXPECT_EQ(BitRateKbps(static_cast<TMP3BitRate>(i)), kbps[i]) << i;
    EXPECT_EQ(BitRateKbps(static_cast<TMP3BitRate>(-1)), 128u);
}

// ---------------------------------------------------------------------------
// The ID3v1 record

TEST(MP3OutId3v1, FieldsAreCutAt30BytesAndGenreIsNone) {
    TId3v1Tags tags;
    tags.SetTitle("0123456789abcdefghijABCDEFGHIJ-cut-off!");  // 39 characters
    tags.SetArtist("Artist");
    tags.SetAlbum("Album");
    tags.SetComment("a comment that runs past thirty bytes");
    tags.SetTrack(7);
    tags.SetGenreId(17);
    TId3v1Record r = MakeId3v1Record(tags);

    EXPECT_EQ(std::string(r.begin(), r.begin() + 3), "TAG");
    EXPECT_EQ(std::string(r.begin() + 3, r.begin() + 33), "0123456789abcdefghijABCDEFGHIJ");
    EXPECT_EQ(std::string(r.begin() + 33, r.begin() + 39), "Artist");
    EXPECT_EQ(std::vector<uint8_t>(r.begin() + 39, r.begin() + 63), std::vector<uint8_t>(24, 0));
    EXPECT_EQ(std::string(r.begin() + 63, r.begin() + 68), "Album");
    EXPECT_EQ(std::string(r.begin() + 97, r.begin() + 127), "a comment that runs past thirt");
    // Track and genre are not written; the genre byte says "none", not "Blues".
    EXPECT_EQ(r[127], 255);
}

TEST(MP3OutId3v1, YearIsWrittenOnlyWithFourDigits) {
    const struct {
        uint16_t year;
        const char* bytes;
    } rows[] = {{0, "\0\0\0\0"}, {999, "\0\0\0\0"}, {2010, "2010"},
                {1000, "1000"},  {9999, "9999"},    {12345, "\0\0\0\0"}};
    for (const auto& row : rows) {
        TId3v1Tags tags;
        tags.SetYear(row.year);
        TId3v1Record r = MakeId3v1Record(tags);
        EXPECT_EQ(std::string(r.begin() + 93, r.begin() + 97), std::string(row.bytes, 4)) << row.year;
    }
}

TEST(MP3OutId3v1, EmptyContainerGivesTagAndZeros) {
    TId3v1Tags tags;
    TId3v1Record r = MakeId3v1Record(tags);
    TId3v1Record expected{};
    std::memcpy(expected.data(), "TAG", 3);
    expected[127] = 255;
    EXPECT_EQ(r, expected);
}

TEST(MP3OutId3v1, DoubleByteTextIsNeverCutInHalf) {
    ASSERT_EQ(GetACP(), 949u) << "the test prefix runs the Korean code page";
    TId3v1Tags tags;
    // "a" and fifteen two-byte syllables: 31 bytes; the last syllable does not fit.
    tags.SetTitle(fw::ToAnsi(L"a가나다라마바사아자차카타파하가"));
    TId3v1Record r = MakeId3v1Record(tags);
    fw::AnsiString expected = fw::ToAnsi(L"a가나다라마바사아자차카타파하");
    ASSERT_EQ(expected.size(), 29u);
    EXPECT_EQ(std::string(r.begin() + 3, r.begin() + 32), expected);
    EXPECT_EQ(r[32], 0);
}

// ---------------------------------------------------------------------------
// Encoding through lame_enc.dll

TEST(MP3OutEncoding, TwoSecondToneParsesBackIntoFramesOfTheRightLength) {
    ASSERT_TRUE(LoadLAME());
    struct Row {
        const char* what;
        uint32_t channels;
        void (*set)(TMP3Out&);
        int channelMode;
        int kbps;  // of every frame; 0 when left to the encoder
        const wchar_t* file = L"tone.mp3";
    };
    const Row rows[] = {
        {"the viewer's settings", 1, ConfigureLikeViewer, 3, 0},
        {"joint stereo at 128 kbps", 2,
         [](TMP3Out& o) {
             o.SetMode(mmJointStereo);
             o.SetBitRate(mbr128);
         },
         1, 128},
        {"stereo at 320 kbps with the reservoir", 2,
         [](TMP3Out& o) {
             o.SetBitRate(mbr320);
             o.SetEnableBitReservoir(true);
         },
         0, 320},
        // The VBR header is written into the closed file, here by a name the
        // ANSI code page cannot spell.
        {"VBR", 1,
         [](TMP3Out& o) {
             o.SetEnableVBR(true);
             o.SetVBRQuality(mp3ql2);
         },
         3, 0, L"\u0e01-vbr.mp3"},
    };
    for (const Row& row : rows) {
        ScratchPath file(row.file);
        ToneSource tone(44100, row.channels, 2 * 44100);
        TMP3Out out(nullptr);
        row.set(out);
        out.SetInput(&tone);
        out.SetFileName(file.Path());
        RunToEnd(out);
        EXPECT_EQ(out.ExceptionMessage(), L"") << row.what;
        EXPECT_EQ(tone.opens, 1) << row.what;
        EXPECT_EQ(tone.closes, 1) << row.what;

        std::vector<uint8_t> bytes = FileBytes(file.Path());
        Mp3Layout mp3 = ParseMp3(bytes);
        EXPECT_TRUE(mp3.valid) << row.what;
        // No ID3v2 fields to write: the sink's own record closes the file.
        EXPECT_EQ(mp3.id3v2Size, 0u) << row.what;
        TId3v1Record record = MakeId3v1Record(*out.Id3v1Tags());
        EXPECT_EQ(Tail(bytes, 128), std::vector<uint8_t>(record.begin(), record.end())) << row.what;
        EXPECT_EQ(mp3.sampleRate, 44100) << row.what;
        EXPECT_EQ(mp3.samplesPerFrame, 1152) << row.what;
        EXPECT_EQ(mp3.channelMode, row.channelMode) << row.what;
        // 88200 samples, plus the encoder's delay and the padding of the last frame.
        EXPECT_GE(mp3.frames * 1152, 88200) << row.what;
        EXPECT_LE(mp3.frames * 1152, 88200 + 3 * 1152) << row.what;
        EXPECT_GE(mp3.Seconds(), 2.0) << row.what;
        EXPECT_LT(mp3.Seconds(), 2.1) << row.what;
        if (row.kbps) {
            for (int kbps : mp3.bitrates) ASSERT_EQ(kbps, row.kbps) << row.what;
        }
        // Only a VBR run has the header frame that counts the others.
        if (out.EnableVBR())
            EXPECT_EQ(mp3.headerFrames, mp3.frames) << row.what;
        else
            EXPECT_EQ(mp3.headerFrames, -1) << row.what;
        tone.closes = 0;
        out.SetInput(nullptr);
    }
}

TEST(MP3OutEncoding, AnEmptyRecordingStillGetsTheFinalBytesAndTheRecord) {
    ScratchPath file(L"empty.mp3");
    ToneSource nothing(44100, 1, 0);
    TMP3Out out(nullptr);
    ConfigureLikeViewer(out);
    out.SetInput(&nothing);
    out.SetFileName(file.Path());
    RunToEnd(out);
    EXPECT_EQ(out.ExceptionMessage(), L"");
    std::vector<uint8_t> bytes = FileBytes(file.Path());
    Mp3Layout mp3 = ParseMp3(bytes);
    EXPECT_TRUE(mp3.valid);
    EXPECT_TRUE(mp3.id3v1);
    EXPECT_GE(bytes.size(), 128u);
    EXPECT_EQ(nothing.closes, 1);
}

TEST(MP3OutEncoding, AStoppedRecordingEndsItsFile) {
    ScratchPath file(L"stopped.mp3");
    ToneSource endless(44100, 1, 3600LL * 44100);
    TMP3Out out(nullptr);
    ConfigureLikeViewer(out);
    out.SetInput(&endless);
    out.SetFileName(file.Path());
    RunWaiter waiter(out);
    out.Run();
    Sleep(200);
    out.Stop(false);
    ASSERT_TRUE(waiter.Wait());
    EXPECT_FALSE(out.IsBusy());
    EXPECT_EQ(out.ExceptionMessage(), L"");
    Mp3Layout mp3 = ParseMp3(FileBytes(file.Path()));
    EXPECT_TRUE(mp3.valid);
    EXPECT_TRUE(mp3.id3v1);
    EXPECT_GT(mp3.frames, 0);
    EXPECT_EQ(endless.closes, 1);
}

// ---------------------------------------------------------------------------
// TagLib's fields

TEST(MP3OutTagLib, FieldsAreWrittenWhenTheLibraryIsThere) {
    ASSERT_EQ(GetACP(), 949u);
    HMODULE dll = LoadLibraryW(L"libtag_c.dll");
    ASSERT_NE(dll, nullptr);
    auto fileNew = reinterpret_cast<void* (*)(const char*)>(GetProcAddress(dll, "taglib_file_new"));
    auto fileTag = reinterpret_cast<void* (*)(const void*)>(GetProcAddress(dll, "taglib_file_tag"));
    auto fileFree = reinterpret_cast<void (*)(void*)>(GetProcAddress(dll, "taglib_file_free"));
    auto freeStrings = reinterpret_cast<void (*)()>(GetProcAddress(dll, "taglib_tag_free_strings"));
    auto text = [&](const char* name, void* tag) {
        auto get = reinterpret_cast<char* (*)(const void*)>(GetProcAddress(dll, name));
        return fw::FromUtf8(get(tag));
    };
    auto number = [&](const char* name, void* tag) {
        return reinterpret_cast<unsigned (*)(const void*)>(GetProcAddress(dll, name))(tag);
    };

    const struct {
        const wchar_t* file;
        const char* year;
        unsigned yearRead;
    } rows[] = {
        {L"녹음.mp3", "2010", 2010},
        // A name the ANSI code page cannot spell; a year that is no number is skipped.
        {L"\u0e01\u0e02-take.mp3", "20x0", 0},
    };
    for (const auto& row : rows) {
        ScratchPath file(row.file);
        ToneSource tone(44100, 1, 44100 / 2);
        TMP3Out out(nullptr);
        ASSERT_TRUE(TagLibLoaded());
        ConfigureLikeViewer(out);
        out.Id3v2Tags()->SetTitle(L"첫 녹음 \u0e01");
        out.Id3v2Tags()->SetArtist(L"Artist");
        out.Id3v2Tags()->SetAlbum(L"앨범");
        out.Id3v2Tags()->SetGenre(L"Speech");
        out.Id3v2Tags()->SetYear(row.year);
        out.Id3v2Tags()->SetTrack("7");
        out.Id3v1Tags()->SetTitle("v1 title");
        out.SetInput(&tone);
        out.SetFileName(file.Path());
        RunToEnd(out);
        EXPECT_EQ(out.ExceptionMessage(), L"") << row.year;

        std::vector<uint8_t> bytes = FileBytes(file.Path());
        Mp3Layout mp3 = ParseMp3(bytes);
        EXPECT_GT(mp3.id3v2Size, 10u) << row.year;
        EXPECT_TRUE(mp3.valid) << row.year;
        EXPECT_TRUE(mp3.id3v1) << row.year;
        EXPECT_GT(mp3.frames, 15) << row.year;

        wchar_t shortName[MAX_PATH];
        ASSERT_NE(GetShortPathNameW(file.Path().c_str(), shortName, MAX_PATH), 0u);
        void* f = fileNew(fw::ToAnsi(shortName).c_str());
        ASSERT_NE(f, nullptr);
        void* tag = fileTag(f);
        EXPECT_EQ(text("taglib_tag_title", tag), L"첫 녹음 \u0e01") << row.year;
        EXPECT_EQ(text("taglib_tag_artist", tag), L"Artist") << row.year;
        EXPECT_EQ(text("taglib_tag_album", tag), L"앨범") << row.year;
        EXPECT_EQ(text("taglib_tag_genre", tag), L"Speech") << row.year;
        EXPECT_EQ(number("taglib_tag_year", tag), row.yearRead) << row.year;
        EXPECT_EQ(number("taglib_tag_track", tag), 7u) << row.year;
        freeStrings();
        fileFree(f);
    }
}

TEST(MP3OutTagLib, NoFieldsAndNoFailureWithoutTheLibrary) {
    EXPECT_TRUE(RunAloneWith(L"MP3OutAlone.WithoutTagLib", {L"lame_enc.dll"}));
}

TEST(MP3OutAlone, WithoutTagLib) {
    if (!ChildMark()) GTEST_SKIP() << "runs in a folder without libtag_c.dll";
    ScratchPath file(L"untagged.mp3");
    ToneSource tone(44100, 1, 44100);
    TMP3Out out(nullptr);
    ASSERT_TRUE(LAMELoaded());
    ASSERT_FALSE(TagLibLoaded());
    ConfigureLikeViewer(out);
    out.Id3v2Tags()->SetTitle(L"not written");
    out.Id3v1Tags()->SetTitle("0123456789abcdefghijABCDEFGHIJKLMNOPQRST");
    out.Id3v1Tags()->SetYear(2010);
    out.SetInput(&tone);
    out.SetFileName(file.Path());
    RunToEnd(out);
    EXPECT_EQ(out.ExceptionMessage(), L"");

    std::vector<uint8_t> bytes = FileBytes(file.Path());
    Mp3Layout mp3 = ParseMp3(bytes);
    EXPECT_EQ(mp3.id3v2Size, 0u);
    EXPECT_TRUE(mp3.valid);
    TId3v1Record record = MakeId3v1Record(*out.Id3v1Tags());
    EXPECT_EQ(Tail(bytes, 128), std::vector<uint8_t>(record.begin(), record.end()));
    EXPECT_EQ(std::string(record.begin() + 3, record.begin() + 33), "0123456789abcdefghijABCDEFGHIJ");
    EXPECT_EQ(record[127], 255);
    if (!HasFailure()) MarkChildPassed();
}

// ---------------------------------------------------------------------------
// Failures

TEST(MP3OutFailures, NoEncoderIsReported) { EXPECT_TRUE(RunAloneWith(L"MP3OutAlone.WithoutLame", {})); }

TEST(MP3OutAlone, WithoutLame) {
    if (!ChildMark()) GTEST_SKIP() << "runs in a folder without lame_enc.dll";
    ScratchPath file(L"nolame.mp3");
    ToneSource tone;
    TMP3Out out(nullptr);
    EXPECT_FALSE(LAMELoaded());
    out.SetInput(&tone);
    out.SetFileName(file.Path());
    RunToEnd(out);
    EXPECT_EQ(out.ExceptionMessage(), L"lame_enc.dll library could not be loaded.");
    EXPECT_FALSE(fw::FileExists(file.Path()));
    EXPECT_EQ(tone.opens, 0);
    EXPECT_EQ(out.Status(), tosIdle);
    if (!HasFailure()) MarkChildPassed();
}

TEST(MP3OutFailures, FailuresBeforeEncodingLeaveTheSinkIdle) {
    ScratchPath missingDir(L"no-such-folder");
    const std::wstring unreachable = missingDir.Path() + L"\\rec.mp3";
    ScratchPath file(L"failed.mp3");
    struct Row {
        const char* what;
        std::wstring name;
        void (*set)(TMP3Out&, ToneSource&);
        std::wstring message;
        bool fileLeft;  // an empty file stays behind
        int opens;      // of the source
        int closes;     // a source whose opening was tried is closed again
    };
    const Row rows[] = {
        {"no file name", L"", [](TMP3Out&, ToneSource&) {}, L"File name is not assigned.", false, 0, 0},
        {"file cannot be created", unreachable, [](TMP3Out&, ToneSource&) {}, fw::SysErrorMessage(ERROR_PATH_NOT_FOUND),
         false, 0, 0},
        {"source cannot be opened", file.Path(), [](TMP3Out&, ToneSource& s) { s.failOpen = true; },
         L"The device is gone", true, 0, 1},
        // A mode the encoder does not know makes beInitStream fail.
        {"encoder refuses the configuration", file.Path(),
         [](TMP3Out& o, ToneSource&) { o.SetMode(static_cast<TMP3Mode>(7)); }, L"LAME Error: 2", true, 1, 1},
    };
    for (const Row& row : rows) {
        DeleteFileW(file.Path().c_str());
        ToneSource tone(44100, 2);
        TMP3Out out(nullptr);
        row.set(out, tone);
        out.SetInput(&tone);
        out.SetFileName(row.name);
        RunToEnd(out);
        EXPECT_EQ(out.ExceptionMessage(), row.message) << row.what;
        EXPECT_EQ(out.Status(), tosIdle) << row.what;
        EXPECT_EQ(tone.opens, row.opens) << row.what;
        EXPECT_EQ(tone.closes, row.closes) << row.what;
        if (!row.name.empty()) {
            EXPECT_EQ(fw::FileExists(row.name), row.fileLeft) << row.what;
        }
        if (row.fileLeft) {
            EXPECT_EQ(FileBytes(row.name).size(), 0u) << row.what;
            // The file is not held open: it can be removed at once.
            EXPECT_TRUE(DeleteFileW(row.name.c_str())) << row.what;
        }
        out.SetInput(nullptr);
    }
}

TEST(MP3OutFailures, AShortWriteEndsTheRunAndLeavesTheStreamToItsOwner) {
    FullDisk disk;
    ToneSource tone(44100, 1);
    TMP3Out out(nullptr);
    out.SetStream(&disk);
    out.SetInput(&tone);
    RunToEnd(out);
    EXPECT_EQ(out.ExceptionMessage(), L"Error writing down mp3 file");
    EXPECT_EQ(tone.closes, 1);
    EXPECT_EQ(out.Stream(), &disk);
    // The sink runs again afterwards.
    RunToEnd(out);
    EXPECT_EQ(out.ExceptionMessage(), L"Error writing down mp3 file");
    out.SetInput(nullptr);
}

TEST(MP3OutFailures, TagLibRefusingTheFileLeavesAudioAndRecordComplete) {
    // TagLib knows no file kind by this extension and gives no file object.
    ScratchPath file(L"recording.rec");
    ToneSource tone(44100, 1, 44100 / 2);
    TMP3Out out(nullptr);
    ASSERT_TRUE(TagLibLoaded());
    ConfigureLikeViewer(out);
    out.Id3v2Tags()->SetTitle(L"title");
    out.SetInput(&tone);
    out.SetFileName(file.Path());
    RunToEnd(out);
    EXPECT_EQ(out.ExceptionMessage(), L"Failed to write tags");
    EXPECT_EQ(tone.closes, 1);
    std::vector<uint8_t> bytes = FileBytes(file.Path());
    Mp3Layout mp3 = ParseMp3(bytes);
    EXPECT_TRUE(mp3.valid);
    EXPECT_EQ(mp3.id3v2Size, 0u);
    TId3v1Record record = MakeId3v1Record(*out.Id3v1Tags());
    EXPECT_EQ(Tail(bytes, 128), std::vector<uint8_t>(record.begin(), record.end()));
    out.SetInput(nullptr);
}

TEST(MP3OutFailures, ABlockingRunRaisesTheSameTexts) {
    ToneSource tone;
    TMP3Out out(nullptr);
    out.SetInput(&tone);
    try {
        out.BlockingRun();
        ADD_FAILURE() << "no exception";
    } catch (const EAuException& e) {
        EXPECT_EQ(e.Message, L"File name is not assigned.");
    }
    EXPECT_FALSE(out.IsBusy());
    out.SetInput(nullptr);
}

// ---------------------------------------------------------------------------
// The order of the encoder calls, through a journaling stand-in of the DLL

TEST(MP3OutCallOrder, EncoderCallsFileAndSourceInOrder) {
    EXPECT_TRUE(RunAloneWith(L"MP3OutAlone.WithStandInEncoder", {L"standin\\lame_enc.dll"}))
        << "needs the lame_standin target built into bin\\standin";
}

TEST(MP3OutAlone, WithStandInEncoder) {
    if (!ChildMark()) GTEST_SKIP() << "runs in a folder with the stand-in lame_enc.dll";
    SetEnvironmentVariableA("KVB_LAME_JOURNAL", JournalPath().c_str());
    ScratchPath file(L"order.mp3");
    JournalSource tone(44100, 1, 1200);  // 2400 bytes: two blocks of 1152 and one of 96
    TMP3Out out(nullptr);
    ASSERT_TRUE(LAMELoaded());
    ConfigureLikeViewer(out);
    out.SetEnableVBR(true);
    out.Id3v1Tags()->SetTitle("order");
    out.SetInput(&tone);
    out.SetFileName(file.Path());
    BE_CONFIG config;
    FillLameConfig(out, 44100, 1, config);

    RunToEnd(out);
    EXPECT_EQ(out.ExceptionMessage(), L"");
    const std::vector<std::string> expected = {"source opened",
                                               "beInitStream " + Hex(config),
                                               "beEncodeChunk stream 576",
                                               "beEncodeChunk stream 576",
                                               "beEncodeChunk stream 48",
                                               "beDeinitStream stream",
                                               "beCloseStream stream",
                                               "beWriteVBRHeader closed TAG",
                                               "source closed"};
    EXPECT_EQ(JournalLines(), expected);
    std::vector<uint8_t> bytes = FileBytes(file.Path());
    TId3v1Record record = MakeId3v1Record(*out.Id3v1Tags());
    const std::string encoded = "CHNKCHNKCHNKLAST";  // three chunks and the final bytes
    std::vector<uint8_t> fileExpected(encoded.begin(), encoded.end());
    fileExpected.insert(fileExpected.end(), record.begin(), record.end());
    EXPECT_EQ(bytes, fileExpected);

    // An encoder error: no stream to close, the source closed again, an empty file.
    DeleteFileA(JournalPath().c_str());
    SetEnvironmentVariableA("KVB_LAME_INIT_ERROR", "5");
    RunToEnd(out);
    SetEnvironmentVariableA("KVB_LAME_INIT_ERROR", nullptr);
    EXPECT_EQ(out.ExceptionMessage(), L"LAME Error: 5");
    const std::vector<std::string> failed = {"source opened", "beInitStream " + Hex(config), "source closed"};
    EXPECT_EQ(JournalLines(), failed);
    EXPECT_EQ(FileBytes(file.Path()).size(), 0u);
    EXPECT_TRUE(fw::FileExists(file.Path()));
    out.SetInput(nullptr);
    if (!HasFailure()) MarkChildPassed();
}
