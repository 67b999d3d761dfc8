// The 128-byte ID3v1 record the MP3 sink appends to each of its files.
#pragma once

#include <array>
#include <cstdint>

#include "audio/Id3v1Tags.h"

namespace acs {

using TId3v1Record = std::array<uint8_t, 128>;

// "TAG", title, artist, album (30 bytes each at most), the year when it has
// four digits, the comment (30 bytes at most) and genre 255, none. Texts
// are cut at a character boundary of the ANSI code page.
TId3v1Record MakeId3v1Record(const TId3v1Tags& Tags);

}  // namespace acs
