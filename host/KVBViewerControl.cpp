#include "host/KVBViewerControl.h"

#include <windows.h>

#include "audio/MP3Out.h"
#include "framework/rtl/Streams.h"
#include "framework/rtl/SysUtils.h"
#include "host/InvokeRequest.h"
#include "host/ShockwaveFlash.h"

namespace host {

using namespace fw;

namespace {

// One counter for the whole run: every recording of a run gets a new name.
int RecordingCounter = 1;

constexpr int64_t kId3v1Size = 128;

String TempFolder() {
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathA(MAX_PATH, buffer);
    return n > 0 && n <= MAX_PATH ? FromAnsi(AnsiString(buffer, n)) : String();
}

}  // namespace

String RecordingFileName(const String& tempFolder, int number) {
    return tempFolder + L"micrec" + IntToStr(number) + L".mp3";
}

bool IsCompleteRecording(const String& path) {
    try {
        TFileStream f(path, fmOpenRead | fmShareDenyWrite);
        int64_t size = f.Size();
        if (size <= kId3v1Size) return false;
        f.SetPosition(size - kId3v1Size);
        char tag[3] = {};
        return f.Read(tag, 3) == 3 && tag[0] == 'T' && tag[1] == 'A' && tag[2] == 'G';
    } catch (const EStreamError&) {
        return false;  // missing, or still held by the encoder
    }
}

KVBViewerControl::KVBViewerControl(acs::TMP3Out* output) : output_(output) {}

KVBViewerControl::~KVBViewerControl() = default;

int KVBViewerControl::NextRecordingNumber() { return RecordingCounter; }

void KVBViewerControl::StartRecording() {
    // A second start would only be refused by the busy output, after taking a
    // number and naming a file that is never recorded.
    if (!output_ || output_->IsBusy()) return;
    String path = RecordingFileName(TempFolder(), RecordingCounter);
    OutputDebugStringW(path.c_str());
    FLastFile = path;
    ++RecordingCounter;
    output_->SetFileName(path);
    output_->Run();
}

String KVBViewerControl::FinishRecording() {
    // Synchronous: the worker has closed the file when Stop returns.
    if (output_ && output_->IsBusy()) output_->Stop(false);
    if (FLastFile.empty()) return String();
    if (IsCompleteRecording(FLastFile)) return FLastFile;
    // A failed run (no device, no encoder) leaves an empty file, or none.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExW(FLastFile.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeHigh == 0 &&
        data.nFileSizeLow <= kId3v1Size)
        DeleteFileW(FLastFile.c_str());
    return String();
}

void KVBViewerControl::StopRecording(TShockwaveFlash& movie) {
    String path = FinishRecording();
    movie.CallFunction(InvokeRequest(kRecordCompleteFunction, {path}));
}

}  // namespace host
