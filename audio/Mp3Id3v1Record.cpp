#include "audio/Mp3Id3v1Record.h"

#include <windows.h>

#include <cstring>

namespace acs {

namespace {

// At most 30 bytes, never half of a double-byte character.
void PutText(uint8_t* at, const fw::AnsiString& text) {
    const size_t limit = 30;
    size_t taken = 0;
    while (taken < text.size()) {
        size_t step = IsDBCSLeadByte(static_cast<BYTE>(text[taken])) && taken + 1 < text.size() ? 2 : 1;
        if (taken + step > limit) break;
        taken += step;
    }
    std::memcpy(at, text.data(), taken);
}

}  // namespace

TId3v1Record MakeId3v1Record(const TId3v1Tags& Tags) {
    TId3v1Record r{};
    std::memcpy(r.data(), "TAG", 3);
    PutText(r.data() + 3, Tags.Title());
    PutText(r.data() + 33, Tags.Artist());
    PutText(r.data() + 63, Tags.Album());
    unsigned year = Tags.Year();
    if (year >= 1000 && year <= 9999)
        for (int i = 3; i >= 0; --i, year /= 10) r[93 + i] = static_cast<uint8_t>('0' + year % 10);
    PutText(r.data() + 97, Tags.Comment());
    // No genre; 0 would claim "Blues" for every recording.
    r[127] = 255;
    return r;
}

}  // namespace acs
