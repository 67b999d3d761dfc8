// The byte layouts of the ID3v1 record and of ID3v2 headers and frames, kept
// apart from the containers so that they can be checked on plain buffers.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/rtl/Strings.h"

namespace acs::id3 {

constexpr uint32_t kV1Size = 128;

// The fields of an ID3v1 record as the containers hold them.
struct V1Fields {
    fw::AnsiString Title, Artist, Album, Comment;
    int Year = 0;
    int Track = 0;  // 0 in the plain form; the ID3v1.1 form carries 1..255
    int Genre = 0;  // 0..255 as stored
};

// True when the record starts with "TAG".
bool IsV1Record(const uint8_t* record);
// Reads a record that IsV1Record accepted.
V1Fields ParseV1(const uint8_t* record);
// Builds a zero-filled record; texts are cut to their fields, the year to four digits.
void BuildV1(const V1Fields& fields, uint8_t* record);

constexpr uint32_t kV2HeaderSize = 10;

struct V2Header {
    int Version = 0;
    int Revision = 0;
    int Flags = 0;
    uint32_t TagSize = 0;  // the whole tag: header, frames, padding and footer
};

// The header test of the readers: "ID3", a known version with no unknown
// flags, and a size of four 7-bit groups.
bool ParseV2Header(const uint8_t* bytes, V2Header& header);

uint32_t SyncsafeDecode(const uint8_t* bytes);
void SyncsafeEncode(uint32_t value, uint8_t* bytes);
uint32_t BigEndian(const uint8_t* bytes, int count);

// A frame's decoded value: 8-bit text, UTF-16 text, or nothing usable.
struct FrameText {
    enum Kind { None, Ansi, Wide } kind = None;
    fw::AnsiString ansi;
    fw::String wide;
};

// Decodes a text frame (encoding byte, text) or, when isLink, a user URL frame
// (encoding byte, description, 8-bit URL). Encodings other than ISO-8859-1 /
// ANSI (0), UTF-16 with byte-order mark (1) and UTF-8 (3) give None.
FrameText DecodeFrame(const uint8_t* data, uint32_t size, bool isLink);

// One frame of a version 2.4 tag: the syncsafe size that version requires.
// A user URL frame gets its empty description. Empty when the data cannot be
// described by 28 bits.
std::vector<uint8_t> BuildV24Frame(const char* id, uint8_t encoding, const std::string& text, bool isLink);

// Header, frames and zero padding: the tag is a multiple of 16 bytes long,
// with 1 to 16 bytes of padding. Empty when the frames are too long for a tag.
std::vector<uint8_t> BuildV24Tag(const std::vector<uint8_t>& frames);

}  // namespace acs::id3
