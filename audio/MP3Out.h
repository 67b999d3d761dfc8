// The MP3 file sink: encodes the 16-bit PCM of its Input with the LAME
// encoder (loaded at run time, required), appends a 128-byte ID3v1 record
// and, when TagLib's C binding is present, has TagLib write ID3v2 text
// fields into the finished file.
#pragma once

#include <cstdint>
#include <memory>

#include "audio/TaggedFileOut.h"

namespace acs {

enum TMP3BitRate {
    mbrAuto,
    mbr32,
    mbr40,
    mbr48,
    mbr56,
    mbr64,
    mbr80,
    mbr96,
    mbr112,
    mbr128,
    mbr144,
    mbr160,
    mbr192,
    mbr224,
    mbr256,
    mbr320
};
enum TMP3Mode { mmStereo, mmJointStereo, mmDual, mmMono };
enum TMP3Quality { mp3ql0, mp3ql1, mp3ql2, mp3ql3, mp3ql4, mp3ql5, mp3ql6, mp3ql7, mp3ql8, mp3ql9 };

// The rate in kbps; 0 for mbrAuto, 128 for a value outside the enumeration.
uint32_t BitRateKbps(TMP3BitRate Value);

class TMP3Out : public TAuTaggedFileOut {
public:
    explicit TMP3Out(fw::TComponent* AOwner);
    ~TMP3Out() override;
    fw::String ClassName() const override { return L"TMP3Out"; }

    TId3v1Tags* Id3v1Tags() const { return FId3v1Tags; }
    // Copies the given container's fields into the owned one.
    void SetId3v1Tags(const TId3v1Tags* Value) { FId3v1Tags->Assign(Value); }
    TId3v2Tags* Id3v2Tags() const { return FId3v2Tags; }
    void SetId3v2Tags(const TId3v2Tags* Value) { FId3v2Tags->Assign(Value); }

    TMP3BitRate BitRate() const { return FBitRate; }
    void SetBitRate(TMP3BitRate Value) { FBitRate = Value; }
    TMP3Mode Mode() const { return FMode; }
    void SetMode(TMP3Mode Value) { FMode = Value; }
    TMP3Quality VBRQuality() const { return FVBRQuality; }
    void SetVBRQuality(TMP3Quality Value) { FVBRQuality = Value; }
    // Kept only: the encoder's copyright flag is always sent clear.
    bool Copyright() const { return FCopyright; }
    void SetCopyright(bool Value) { FCopyright = Value; }
    bool Original() const { return FOriginal; }
    void SetOriginal(bool Value) { FOriginal = Value; }
    bool EnableVBR() const { return FEnableVBR; }
    void SetEnableVBR(bool Value) { FEnableVBR = Value; }
    bool CRC() const { return FCRC; }
    void SetCRC(bool Value) { FCRC = Value; }
    TMP3BitRate AverageBitrate() const { return FAverageBitrate; }
    void SetAverageBitrate(TMP3BitRate Value) { FAverageBitrate = Value; }
    TMP3BitRate MaximumBitrate() const { return FMaximumBitrate; }
    void SetMaximumBitrate(TMP3BitRate Value) { FMaximumBitrate = Value; }
    bool EnableBitReservoir() const { return FEnableBitReservoir; }
    void SetEnableBitReservoir(bool Value) { FEnableBitReservoir = Value; }
    bool StrictISO() const { return FStrictISO; }
    void SetStrictISO(bool Value) { FStrictISO = Value; }

protected:
    void BeginOutput() override;
    bool OutputStep(bool Abort) override;
    void EndOutput() override;

private:
    struct TEncoderRun;

    void FinishFile();
    void WriteTagLibFields();
    // Deletes the file stream when the sink made it.
    void CloseOwnedStream();
    void ReleaseRun();

    // The encoder stream, its configuration and the two blocks of the current run.
    std::unique_ptr<TEncoderRun> run_;
    bool ownsStream_ = false;

    TMP3BitRate FBitRate = mbr128;
    TMP3Quality FVBRQuality = mp3ql0;
    bool FCopyright = false;
    bool FOriginal = true;
    bool FEnableVBR = false;
    bool FCRC = false;
    TMP3Mode FMode = mmStereo;
    TMP3BitRate FAverageBitrate = mbrAuto;
    TMP3BitRate FMaximumBitrate = mbrAuto;
    bool FEnableBitReservoir = false;
    bool FStrictISO = false;
};

}  // namespace acs
