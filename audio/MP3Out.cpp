#include "audio/MP3Out.h"

#include <exception>
#include <vector>

#include "audio/AuException.h"
#include "audio/AuFileStream.h"
#include "audio/AuInput.h"
#include "audio/LameConfig.h"
#include "audio/LameLibrary.h"
#include "audio/Mp3Id3v1Record.h"
#include "audio/TagLibLibrary.h"
#include "framework/rtl/SysUtils.h"

namespace acs {

struct TMP3Out::TEncoderRun {
    BE_CONFIG Config{};
    HBE_STREAM Stream = nullptr;
    std::vector<short> Buffer;
    uint32_t BufferSize = 0;  // bytes
    std::vector<BYTE> mp3buf;
};

namespace {

// The path in the ANSI code page; a name the code page cannot spell goes by
// its short name, which it can, so that the encoder and TagLib can open it.
fw::AnsiString AnsiPath(const fw::String& name) {
    fw::AnsiString ansi = fw::ToAnsi(name);
    if (fw::FromAnsi(ansi) == name) return ansi;
    DWORD size = GetShortPathNameW(name.c_str(), nullptr, 0);
    if (size == 0) return ansi;
    std::vector<wchar_t> shortName(size);
    if (GetShortPathNameW(name.c_str(), shortName.data(), size) == 0) return ansi;
    return fw::ToAnsi(shortName.data());
}

void WriteAll(fw::TStream* stream, const void* data, uint32_t count) {
    if (count == 0) return;
    if (stream->Write(data, static_cast<int>(count)) < static_cast<int>(count))
        throw EAuException(L"Error writing down mp3 file");
}

// A year or track text as TagLib's unsigned number; false when it is none.
bool TagNumber(const fw::AnsiString& text, unsigned& value) {
    int32_t n = 0;
    if (text.empty() || !fw::TryStrToInt(fw::FromAnsi(text), n) || n < 0) return false;
    value = static_cast<unsigned>(n);
    return true;
}

}  // namespace

uint32_t BitRateKbps(TMP3BitRate Value) {
    static const uint32_t kbps[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 192, 224, 256, 320};
    int i = static_cast<int>(Value);
    return i >= 0 && i < static_cast<int>(sizeof kbps / sizeof kbps[0]) ? kbps[i] : 128;
}

TMP3Out::TMP3Out(fw::TComponent* AOwner) : TAuTaggedFileOut(AOwner) {
    LoadLAME();
    LoadTagLib();
}

TMP3Out::~TMP3Out() {
    // The run's finishing step uses the members below: the worker goes idle first.
    try {
        Stop(false);
    } catch (...) {
    }
    ReleaseRun();
}

void TMP3Out::CloseOwnedStream() {
    if (!ownsStream_) return;
    delete FStream;
    FStream = nullptr;
    ownsStream_ = false;
}

void TMP3Out::ReleaseRun() {
    CloseOwnedStream();
    run_.reset();
}

void TMP3Out::BeginOutput() {
    bool inputOpened = false;
    try {
        if (!LoadLAME()) throw EAuException(L"lame_enc.dll library could not be loaded.");
        if (!FInput) throw EAuException(L"Input is not assigned");
        if (!FStreamAssigned) {
            if (FWideFileName.empty()) throw EAuException(L"File name is not assigned.");
            FStream = new TAuFileStream(FWideFileName, static_cast<uint16_t>(FShareMode | 0xFF00), FAccessMask);
            ownsStream_ = true;
        }
        inputOpened = true;
        FInput->Init();
        run_ = std::make_unique<TEncoderRun>();
        FillLameConfig(*this, FInput->SampleRate(), FInput->Channels(), run_->Config);
        DWORD samples = 0, outSize = 0;
        BE_ERR error = Lame().beInitStream(&run_->Config, &samples, &outSize, &run_->Stream);
        if (error != BE_ERR_SUCCESSFUL) {
            run_->Stream = nullptr;
            throw EAuException(L"LAME Error: " + fw::IntToStr(static_cast<uint32_t>(error)));
        }
        // Channels x samples per chunk bytes: for mono half a chunk, which the encoder accepts.
        run_->BufferSize = FInput->Channels() * samples;
        run_->Buffer.assign((run_->BufferSize + 1) / 2, 0);
        run_->mp3buf.assign(outSize, 0);
    } catch (...) {
        fw::String text = ExceptionText(std::current_exception());
        if (run_ && run_->Stream) Lame().beCloseStream(run_->Stream);
        ReleaseRun();
        // With Busy clear the completion step does nothing: no EndOutput after this.
        Busy = false;
        if (inputOpened) {
            try {
                FInput->Flush();
            } catch (...) {
                // The first failure is the one reported.
            }
        }
        throw EAuException(text);
    }
}

bool TMP3Out::OutputStep(bool Abort) {
    if (!CanOutput || !run_) return true;
    if (Abort) return false;
    bool eof = false;
    uint32_t n = FInput->FillBuffer(run_->Buffer.data(), run_->BufferSize, eof);
    if (n == 0) return false;
    DWORD out = 0;
    Lame().beEncodeChunk(run_->Stream, n / 2, run_->Buffer.data(), run_->mp3buf.data(), &out);
    WriteAll(FStream, run_->mp3buf.data(), out);
    return !eof;
}

void TMP3Out::EndOutput() {
    std::exception_ptr failure;
    try {
        FinishFile();
    } catch (...) {
        failure = std::current_exception();
    }
    if (!failure) {
        try {
            WriteTagLibFields();
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (FInput) {
        try {
            FInput->Flush();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) {
        // The worker swallows what its completion step raises: keep the text
        // where the caller looks for it.
        fw::String text = ExceptionText(failure);
        ReportException(text);
        throw EAuException(text);
    }
}

void TMP3Out::FinishFile() {
    if (!run_) return;
    std::exception_ptr failure;
    try {
        DWORD out = 0;
        Lame().beDeinitStream(run_->Stream, run_->mp3buf.data(), &out);
        WriteAll(FStream, run_->mp3buf.data(), out);
        TId3v1Record record = MakeId3v1Record(*FId3v1Tags);
        WriteAll(FStream, record.data(), static_cast<uint32_t>(record.size()));
    } catch (...) {
        failure = std::current_exception();
    }
    // The file, the encoder stream and the blocks go whatever happened above.
    CloseOwnedStream();
    Lame().beCloseStream(run_->Stream);
    if (run_->Config.format.LHV1.bEnableVBR && !FFileName.empty()) Lame().beWriteVBRHeader(AnsiPath(FFileName).c_str());
    run_.reset();
    if (failure) std::rethrow_exception(failure);
}

void TMP3Out::WriteTagLibFields() {
    if (FFileName.empty() || !TagLibLoaded()) return;
    unsigned year = 0, track = 0;
    bool hasYear = TagNumber(FId3v2Tags->Year(), year), hasTrack = TagNumber(FId3v2Tags->Track(), track);
    // With nothing to write, TagLib would only find its tags empty and strip
    // them, taking the ID3v1 record written above with them.
    if (FId3v2Tags->Title().empty() && FId3v2Tags->Artist().empty() && FId3v2Tags->Album().empty() &&
        FId3v2Tags->Genre().empty() && !hasYear && !hasTrack)
        return;
    const TTagLibEntryPoints& tl = TagLib();
    tl.id3v2_set_default_text_encoding(TagLibId3v2Utf16);
    void* file = tl.file_new(AnsiPath(FWideFileName).c_str());
    if (!file) throw EAuException(L"Failed to write tags");
    try {
        void* tag = tl.file_tag(file);
        if (!tl.file_is_valid(file) || !tag) throw EAuException(L"Failed to write tags");
        // Empty texts are set too.
        tl.tag_set_title(tag, fw::ToUtf8(FId3v2Tags->Title()).c_str());
        tl.tag_set_artist(tag, fw::ToUtf8(FId3v2Tags->Artist()).c_str());
        tl.tag_set_album(tag, fw::ToUtf8(FId3v2Tags->Album()).c_str());
        tl.tag_set_genre(tag, fw::ToUtf8(FId3v2Tags->Genre()).c_str());
        if (hasYear) tl.tag_set_year(tag, year);
        if (hasTrack) tl.tag_set_track(tag, track);
        if (!tl.file_save(file)) throw EAuException(L"Failed to save tags");
    } catch (...) {
        tl.file_free(file);
        throw;
    }
    tl.file_free(file);
}

}  // namespace acs
