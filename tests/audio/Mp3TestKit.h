// Shared by the MP3 sink's tests and its benchmark: a tone source, a waiter
// for the end of a run and a parser of MPEG audio frame headers.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "audio/AuInput.h"
#include "audio/AuOutput.h"
#include "framework/rtl/Exception.h"
#include "tests/audio/FileBytes.h"

// A 440 Hz tone of Frames sample frames, 16-bit, delivered in blocks of at most 4096 bytes.
class ToneSource : public acs::TAuInput {
public:
    explicit ToneSource(uint32_t rate = 44100, uint32_t channels = 1, int64_t frames = 88200)
        : acs::TAuInput(nullptr), rate_(rate), channels_(channels), frames_(frames) {}
    ~ToneSource() override { DetachSinks(); }

    bool failOpen = false;
    int opens = 0, closes = 0;

protected:
    uint32_t GetBPS() override { return 16; }
    uint32_t GetCh() override { return channels_; }
    uint32_t GetSR() override { return rate_; }
    void OpenInput() override {
        if (failOpen) throw fw::Exception(L"The device is gone");
        ++opens;
        Busy = true;
        FPosition = 0;
        FSize = frames_ * channels_ * 2;
        done_ = 0;
    }
    void CloseInput() override {
        ++closes;
        Busy = false;
    }
    void ReadInput(void*& Buffer, uint32_t& Bytes) override {
        int64_t frameBytes = channels_ * 2;
        int64_t frames =
            std::min<int64_t>({frames_ - done_, Bytes / frameBytes, static_cast<int64_t>(sizeof block_) / frameBytes});
        if (frames <= 0) {
            Buffer = nullptr;
            Bytes = 0;
            return;
        }
        short* out = block_;
        for (int64_t f = 0; f < frames; ++f, ++done_) {
            short v = static_cast<short>(12000 * std::sin(2 * 3.14159265358979 * 440 * done_ / rate_));
            for (uint32_t c = 0; c < channels_; ++c) *out++ = v;
        }
        Buffer = block_;
        Bytes = static_cast<uint32_t>(frames * frameBytes);
        FPosition += Bytes;
    }

private:
    uint32_t rate_, channels_;
    int64_t frames_, done_ = 0;
    short block_[2048];
};

// Signalled by the sink's worker once a run has completed.
class RunWaiter {
public:
    explicit RunWaiter(acs::TAuOutput& sink) : event_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
        sink.OnSyncDone = acs::TOutputDoneEvent(this, &RunWaiter::Done);
    }
    ~RunWaiter() { CloseHandle(event_); }
    bool Wait(DWORD ms = 20000) { return WaitForSingleObject(event_, ms) == WAIT_OBJECT_0; }

private:
    void Done(fw::TComponent*) { SetEvent(event_); }
    HANDLE event_;
};

// The MPEG audio frames of an MP3 file, between an optional ID3v2 tag in
// front and an optional ID3v1 record at the end.
struct Mp3Layout {
    bool valid = false;    // every byte between the tags belongs to a frame
    size_t id3v2Size = 0;  // bytes of the ID3v2 tag in front
    bool id3v1 = false;    // ends with a "TAG" record
    int frames = 0;        // audio frames (an Info/Xing frame not counted)
    int samplesPerFrame = 0;
    int sampleRate = 0;
    int channelMode = -1;       // of the first frame: 0 stereo, 1 joint, 2 dual, 3 mono
    int headerFrames = -1;      // the frame count an Info/Xing frame gives
    std::vector<int> bitrates;  // kbps of each audio frame
    double Seconds() const { return sampleRate ? double(frames) * samplesPerFrame / sampleRate : 0; }
};

inline Mp3Layout ParseMp3(const std::vector<uint8_t>& b) {
    static const int rates1[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, -1};
    static const int rates2[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, -1};
    static const int freqs[3][3] = {{11025, 12000, 8000}, {22050, 24000, 16000}, {44100, 48000, 32000}};
    Mp3Layout m;
    size_t pos = 0, end = b.size();
    if (end >= 10 && b[0] == 'I' && b[1] == 'D' && b[2] == '3') {
        m.id3v2Size = 10 + ((b[6] & 0x7F) << 21 | (b[7] & 0x7F) << 14 | (b[8] & 0x7F) << 7 | (b[9] & 0x7F));
        if (b[5] & 0x10) m.id3v2Size += 10;
        pos = m.id3v2Size;
    }
    if (end >= 128 + pos && b[end - 128] == 'T' && b[end - 127] == 'A' && b[end - 126] == 'G') {
        m.id3v1 = true;
        end -= 128;
    }
    // TagLib pads its tag; padding is zero bytes before the first frame.
    while (pos < end && b[pos] == 0) ++pos;
    bool first = true;
    while (pos + 4 <= end) {
        uint32_t h = uint32_t(b[pos]) << 24 | b[pos + 1] << 16 | b[pos + 2] << 8 | b[pos + 3];
        if ((h >> 21) != 0x7FF) return m;
        int version = (h >> 19) & 3;  // 0 MPEG2.5, 2 MPEG2, 3 MPEG1
        int layer = (h >> 17) & 3;    // 1 layer III
        int rateIndex = (h >> 12) & 15, freqIndex = (h >> 10) & 3, padding = (h >> 9) & 1;
        if (version == 1 || layer != 1 || freqIndex == 3 || rateIndex == 0 || rateIndex == 15) return m;
        int kbps = version == 3 ? rates1[rateIndex] : rates2[rateIndex];
        int freq = freqs[version == 0 ? 0 : version == 2 ? 1 : 2][freqIndex];
        int samples = version == 3 ? 1152 : 576;
        size_t length = size_t(samples / 8 * kbps * 1000 / freq + padding);
        if (pos + length > end) return m;
        bool info = false;
        if (first) {
            std::string body(b.begin() + pos, b.begin() + pos + length);
            size_t tag = body.find("Xing");
            if (tag == std::string::npos) tag = body.find("Info");
            info = tag != std::string::npos;
            if (info && tag + 12 <= body.size() && (body[tag + 7] & 1))
                m.headerFrames = uint8_t(body[tag + 8]) << 24 | uint8_t(body[tag + 9]) << 16 |
                                 uint8_t(body[tag + 10]) << 8 | uint8_t(body[tag + 11]);
            m.sampleRate = freq;
            m.samplesPerFrame = samples;
            m.channelMode = (h >> 6) & 3;
            first = false;
        }
        if (!info) {
            ++m.frames;
            m.bitrates.push_back(kbps);
        }
        pos += length;
    }
    m.valid = pos == end;
    return m;
}
