// The recorder control on a real MP3 output (the LAME encoder beside the
// tests) fed by a tone: numbered files in the temporary folder, complete
// when reported, a second start that changes nothing, and failed recordings
// answered with the empty path.
#include "host/KVBViewerControl.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "audio/MP3Out.h"
#include "framework/rtl/SysUtils.h"
#include "tests/audio/Mp3TestKit.h"

using namespace host;
using fw::AnsiString;
using fw::FromAnsi;
using fw::String;

namespace {

String TempFolder() {
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathA(MAX_PATH, buffer);
    return FromAnsi(AnsiString(buffer, n));
}

// A file nobody holds open: the worker has closed it.
bool OpensExclusively(const String& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    CloseHandle(f);
    return true;
}

// The main window's output, on a tone of ten minutes (far longer than a test).
struct Rig {
    ToneSource tone{44100, 1, 600LL * 44100};
    acs::TMP3Out* out = new acs::TMP3Out(nullptr);
    KVBViewerControl recorder{out};
    std::vector<String> made;

    Rig() {
        out->SetMode(acs::mmMono);
        out->SetBitRate(acs::mbrAuto);
        out->SetInput(&tone);
    }
    ~Rig() {
        out->Free();
        for (const String& f : made) DeleteFileW(f.c_str());
    }
    String Expected(int number) {
        String path = RecordingFileName(TempFolder(), number);
        made.push_back(path);
        return path;
    }
};

}  // namespace

TEST(RecorderNaming, NumberedFilesInTheGivenFolder) {
    EXPECT_EQ(L"C:\\users\\me\\Temp\\micrec1.mp3", RecordingFileName(L"C:\\users\\me\\Temp\\", 1));
    EXPECT_EQ(L"C:\\T\\micrec12.mp3", RecordingFileName(L"C:\\T\\", 12));
}

TEST(Recorder, TwoRecordingsGoToTheNextNumbersAndAreCompleteWhenReported) {
    Rig rig;
    int first = KVBViewerControl::NextRecordingNumber();
    for (int i = 0; i < 2; ++i) {
        String expected = rig.Expected(first + i);
        DeleteFileW(expected.c_str());
        rig.recorder.StartRecording();
        EXPECT_EQ(expected, rig.recorder.LastFile());
        EXPECT_EQ(first + i + 1, KVBViewerControl::NextRecordingNumber());
        EXPECT_TRUE(rig.out->IsBusy());
        Sleep(150);

        String reported = rig.recorder.FinishRecording();
        // Complete at the moment it is reported: closed, frames, the ID3v1 record last.
        EXPECT_EQ(expected, reported);
        EXPECT_FALSE(rig.out->IsBusy());
        EXPECT_TRUE(OpensExclusively(reported));
        std::vector<uint8_t> bytes = FileBytes(reported);
        Mp3Layout mp3 = ParseMp3(bytes);
        EXPECT_TRUE(mp3.valid);
        EXPECT_TRUE(mp3.id3v1);
        EXPECT_GT(mp3.frames, 0);
        EXPECT_TRUE(IsCompleteRecording(reported));
    }
    // A second stop reports the same finished file again.
    EXPECT_EQ(rig.recorder.LastFile(), rig.recorder.FinishRecording());
}

TEST(Recorder, AStartWhileRecordingChangesNothing) {
    Rig rig;
    String expected = rig.Expected(KVBViewerControl::NextRecordingNumber());
    rig.recorder.StartRecording();
    int next = KVBViewerControl::NextRecordingNumber();
    rig.recorder.StartRecording();  // refused before any state changes
    EXPECT_EQ(next, KVBViewerControl::NextRecordingNumber());
    EXPECT_EQ(expected, rig.recorder.LastFile());
    EXPECT_TRUE(rig.out->IsBusy());
    Sleep(100);
    EXPECT_EQ(expected, rig.recorder.FinishRecording());
    EXPECT_TRUE(IsCompleteRecording(expected));
    EXPECT_FALSE(fw::FileExists(RecordingFileName(TempFolder(), next)));
}

TEST(Recorder, AStopWithoutAStartReportsNothing) {
    Rig rig;
    EXPECT_EQ(L"", rig.recorder.FinishRecording());
    EXPECT_EQ(L"", rig.recorder.LastFile());
}

TEST(Recorder, AFailedRecordingDeletesItsEmptyFileAndReportsNothing) {
    Rig rig;
    rig.tone.failOpen = true;  // the device is gone: the output leaves an empty file
    String expected = rig.Expected(KVBViewerControl::NextRecordingNumber());
    rig.recorder.StartRecording();
    EXPECT_EQ(expected, rig.recorder.LastFile());
    for (int i = 0; i < 200 && rig.out->IsBusy(); ++i) Sleep(10);
    EXPECT_EQ(L"", rig.recorder.FinishRecording());
    EXPECT_NE(L"", rig.out->ExceptionMessage());
    EXPECT_FALSE(fw::FileExists(expected));

    // The next recording works again, under the next number.
    rig.tone.failOpen = false;
    String next = rig.Expected(KVBViewerControl::NextRecordingNumber());
    rig.recorder.StartRecording();
    Sleep(100);
    EXPECT_EQ(next, rig.recorder.FinishRecording());
}

TEST(Recorder, CompletenessNeedsTheRecordAfterSomeAudio) {
    String folder = TempFolder();
    struct Case {
        const char* bytes;
        size_t size;
        bool complete;
    };
    std::string tagOnly = "TAG" + std::string(125, '\0');
    std::string audioAndTag = std::string(400, '\xFF') + tagOnly;
    std::string audioOnly(600, '\xFF');
    const Case cases[] = {
        {"", 0, false},
        {tagOnly.data(), tagOnly.size(), false},
        {audioOnly.data(), audioOnly.size(), false},
        {audioAndTag.data(), audioAndTag.size(), true},
    };
    String path = folder + L"kvb-complete-test.mp3";
    for (const Case& c : cases) {
        HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(f, c.bytes, static_cast<DWORD>(c.size), &written, nullptr);
        CloseHandle(f);
        EXPECT_EQ(c.complete, IsCompleteRecording(path)) << c.size;
    }
    DeleteFileW(path.c_str());
    EXPECT_FALSE(IsCompleteRecording(path));
}
