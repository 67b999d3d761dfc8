// The encoder configuration a run of the MP3 sink sends to beInitStream.
#pragma once

#include <cstdint>

#include "audio/LameLibrary.h"

namespace acs {

class TMP3Out;

// Zero-fills Config and writes the sink's settings for an input of the
// given rate and channel count.
void FillLameConfig(const TMP3Out& Out, uint32_t SampleRate, uint32_t Channels, BE_CONFIG& Config);

}  // namespace acs
