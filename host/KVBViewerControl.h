// The recorder control: the movie's recordings from the microphone, each in a
// new numbered MP3 file ("micrec1.mp3", "micrec2.mp3"...) of the temporary
// folder, made by the main window's MP3 output. The main window and every
// pop-up share the one control.
//
// The movie is told a recording's path only once the file is complete (the
// output's worker has flushed the encoder, written the ID3v1 record and
// closed the file), so it never reads a partial or locked file. A recording
// that left no audio is deleted and answered with the empty path, as a stop
// without a start is.
#pragma once

#include "framework/rtl/Strings.h"

namespace acs {
class TMP3Out;
}

namespace host {

using fw::String;
using fw::UnicodeString;

class TShockwaveFlash;

// The movie's function that receives a finished recording's path.
inline constexpr wchar_t kRecordCompleteFunction[] = L"onRecordComplete";

// "<folder>micrec<number>.mp3"; the folder ends with "\".
String RecordingFileName(const String& tempFolder, int number);

// True when the file holds a finished recording: more than the 128-byte ID3v1
// record that closes it, and that record in place.
bool IsCompleteRecording(const String& path);

class KVBViewerControl {
public:
    // output: the main window's MP3 output, which stays the window's.
    explicit KVBViewerControl(acs::TMP3Out* output);
    ~KVBViewerControl();
    KVBViewerControl(const KVBViewerControl&) = delete;
    KVBViewerControl& operator=(const KVBViewerControl&) = delete;

    // Starts a recording into the next numbered file. While one is running it
    // does nothing: no number is taken and no name is given. Errors of the
    // output's start (no input) are raised to the caller.
    void StartRecording();
    // Stops the recording and waits until its file is complete. Returns the
    // path to report: the last recording's, or empty when there was none or
    // it left no audio (its empty file is then deleted).
    String FinishRecording();
    // FinishRecording, then "onRecordComplete" with that path in the movie
    // that asked to stop.
    void StopRecording(TShockwaveFlash& movie);

    // The path of the last recording started; empty at first.
    const UnicodeString& LastFile() const { return FLastFile; }
    // The number the next recording takes (process-wide, from 1).
    static int NextRecordingNumber();

private:
    acs::TMP3Out* output_;
    UnicodeString FLastFile;
};

}  // namespace host
