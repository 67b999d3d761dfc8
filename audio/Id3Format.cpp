#include "audio/Id3Format.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace acs::id3 {

namespace {

// The text of a fixed field: up to its first zero byte, without the blanks
// and control characters at either end. Multi-byte trail bytes are never
// below 0x21, so trimming bytes never splits a character.
fw::AnsiString FieldText(const uint8_t* p, size_t n) {
    size_t end = 0;
    while (end < n && p[end] != 0) ++end;
    size_t begin = 0;
    while (begin < end && p[begin] <= ' ') ++begin;
    while (end > begin && p[end - 1] <= ' ') --end;
    return fw::AnsiString(reinterpret_cast<const char*>(p + begin), end - begin);
}

void PutField(const std::string& text, uint8_t* p, size_t n) { std::memcpy(p, text.data(), std::min(n, text.size())); }

// Optional sign and decimal digits, nothing else; 0 otherwise.
int DecimalOrZero(const std::string& s) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i == s.size()) return 0;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return 0;
        v = v * 10 + (s[i] - '0');
        if (v > 0x7FFFFFFF) return 0;
    }
    return static_cast<int>(negative ? -v : v);
}

}  // namespace

bool IsV1Record(const uint8_t* record) { return std::memcmp(record, "TAG", 3) == 0; }

V1Fields ParseV1(const uint8_t* record) {
    V1Fields f;
    f.Title = FieldText(record + 3, 30);
    f.Artist = FieldText(record + 33, 30);
    f.Album = FieldText(record + 63, 30);
    f.Year = DecimalOrZero(FieldText(record + 93, 4));
    // ID3v1.1: a zero (or, from some writers, a blank) before a track byte.
    bool v11 = (record[125] == 0 && record[126] != 0) || (record[125] == 0x20 && record[126] != 0x20);
    if (v11) {
        f.Comment = FieldText(record + 97, 28);
        f.Track = record[126];
    } else {
        f.Comment = FieldText(record + 97, 30);
        f.Track = 0;
    }
    f.Genre = record[127];
    return f;
}

void BuildV1(const V1Fields& f, uint8_t* record) {
    std::memset(record, 0, kV1Size);
    std::memcpy(record, "TAG", 3);
    PutField(f.Title, record + 3, 30);
    PutField(f.Artist, record + 33, 30);
    PutField(f.Album, record + 63, 30);
    PutField(std::to_string(f.Year), record + 93, 4);
    if (f.Track != 0) {
        PutField(f.Comment, record + 97, 28);
        record[125] = 0;
        record[126] = static_cast<uint8_t>(f.Track);
    } else {
        PutField(f.Comment, record + 97, 30);
    }
    record[127] = static_cast<uint8_t>(f.Genre);
}

uint32_t SyncsafeDecode(const uint8_t* b) {
    return (uint32_t(b[0] & 0x7F) << 21) | (uint32_t(b[1] & 0x7F) << 14) | (uint32_t(b[2] & 0x7F) << 7) |
           uint32_t(b[3] & 0x7F);
}

void SyncsafeEncode(uint32_t v, uint8_t* b) {
    b[0] = (v >> 21) & 0x7F;
    b[1] = (v >> 14) & 0x7F;
    b[2] = (v >> 7) & 0x7F;
    b[3] = v & 0x7F;
}

uint32_t BigEndian(const uint8_t* b, int count) {
    uint32_t v = 0;
    for (int i = 0; i < count; ++i) v = (v << 8) | b[i];
    return v;
}

bool ParseV2Header(const uint8_t* b, V2Header& h) {
    if (std::memcmp(b, "ID3", 3) != 0 || b[4] >= 0xFF) return false;
    int version = b[3], flags = b[5];
    bool known = (version == 2 && (flags & 0x3F) == 0) || (version == 3 && (flags & 0x1F) == 0) ||
                 (version == 4 && (flags & 0x0F) == 0);
    if (!known) return false;
    for (int i = 6; i < 10; ++i)
        if (b[i] >= 0x80) return false;
    h.Version = version;
    h.Revision = b[4];
    h.Flags = flags;
    h.TagSize = SyncsafeDecode(b + 6) + kV2HeaderSize + ((flags & 0x10) ? kV2HeaderSize : 0);
    return true;
}

FrameText DecodeFrame(const uint8_t* data, uint32_t size, bool isLink) {
    FrameText out;
    if (size == 0) return out;
    uint8_t encoding = data[0];
    if (encoding != 0 && encoding != 1 && encoding != 3) return out;
    uint32_t p = 1;
    auto zeroByteFrom = [&](uint32_t from) {
        while (from < size && data[from] != 0) ++from;
        return from;
    };
    if (isLink) {
        // Skip the description, ended by a zero of its encoding's width.
        if (encoding == 1) {
            while (p + 1 < size && (data[p] != 0 || data[p + 1] != 0)) p += 2;
            p += 2;
        } else {
            p = zeroByteFrom(p) + 1;
        }
        if (p > size) p = size;
        uint32_t end = zeroByteFrom(p);
        out.kind = FrameText::Ansi;
        out.ansi.assign(reinterpret_cast<const char*>(data + p), end - p);
        return out;
    }
    if (encoding == 1) {
        if (p + 1 < size && data[p] == 0xFF && data[p + 1] == 0xFE) p += 2;
        out.kind = FrameText::Wide;
        // A trailing odd byte is not part of any character.
        for (; p + 1 < size; p += 2) {
            wchar_t unit = static_cast<wchar_t>(data[p] | (data[p + 1] << 8));
            if (unit == 0) break;
            out.wide.push_back(unit);
        }
        return out;
    }
    uint32_t end = zeroByteFrom(p);
    std::string bytes(reinterpret_cast<const char*>(data + p), end - p);
    if (encoding == 0) {
        out.kind = FrameText::Ansi;
        out.ansi = std::move(bytes);
    } else {
        out.kind = FrameText::Wide;
        out.wide = fw::FromUtf8(bytes);
    }
    return out;
}

std::vector<uint8_t> BuildV24Frame(const char* id, uint8_t encoding, const std::string& text, bool isLink) {
    size_t dataSize = 1 + (isLink ? 1 : 0) + text.size();
    if (dataSize >= (1u << 28)) return {};
    std::vector<uint8_t> frame(10 + dataSize, 0);
    std::memcpy(frame.data(), id, 4);
    SyncsafeEncode(static_cast<uint32_t>(dataSize), frame.data() + 4);
    frame[10] = encoding;
    // After the encoding byte a user URL frame has a description; ours is empty.
    size_t at = isLink ? 12 : 11;
    std::memcpy(frame.data() + at, text.data(), text.size());
    return frame;
}

std::vector<uint8_t> BuildV24Tag(const std::vector<uint8_t>& frames) {
    size_t padding = 16 - ((frames.size() + kV2HeaderSize) % 16);
    size_t body = frames.size() + padding;
    if (body >= (1u << 28)) return {};
    std::vector<uint8_t> tag(kV2HeaderSize + body, 0);
    std::memcpy(tag.data(), "ID3", 3);
    tag[3] = 4;
    SyncsafeEncode(static_cast<uint32_t>(body), tag.data() + 6);
    std::memcpy(tag.data() + kV2HeaderSize, frames.data(), frames.size());
    return tag;
}

}  // namespace acs::id3
