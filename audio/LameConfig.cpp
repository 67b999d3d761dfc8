#include "audio/LameConfig.h"

#include <cstring>

#include "audio/MP3Out.h"

namespace acs {

void FillLameConfig(const TMP3Out& Out, uint32_t SampleRate, uint32_t Channels, BE_CONFIG& Config) {
    std::memset(&Config, 0, sizeof Config);
    Config.dwConfig = BE_CONFIG_LAME;
    auto& c = Config.format.LHV1;
    c.dwStructVersion = 1;
    c.dwStructSize = sizeof Config;
    c.dwSampleRate = SampleRate;
    c.dwReSampleRate = 0;
    if (Channels == 1)
        c.nMode = BE_MP3_MODE_MONO;
    else
        // Dual channel is sent as plain stereo.
        c.nMode = Out.Mode() == mmDual ? BE_MP3_MODE_STEREO : static_cast<LONG>(Out.Mode());
    c.dwBitrate = BitRateKbps(Out.BitRate());
    c.dwMaxBitrate = BitRateKbps(Out.MaximumBitrate());
    c.bCRC = Out.CRC() ? 1 : 0;
    c.bCopyright = 0;
    c.bOriginal = Out.Original() ? 1 : 0;
    c.bWriteVBRHeader = Out.EnableVBR() ? 1 : 0;
    c.bEnableVBR = Out.EnableVBR() ? 1 : 0;
    c.nVBRQuality = Out.EnableVBR() ? static_cast<INT>(Out.VBRQuality()) : 0;
    c.dwVbrAbr_bps = BitRateKbps(Out.AverageBitrate());
    c.nVbrMethod = static_cast<VBRMETHOD>(c.dwVbrAbr_bps != 0 ? 4 : 2);
    c.bNoRes = Out.EnableBitReservoir() ? 0 : -1;
    c.bStrictIso = Out.StrictISO() ? -1 : 0;
    c.nQuality = 0;
}

}  // namespace acs
