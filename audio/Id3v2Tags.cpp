#include "audio/Id3v2Tags.h"

#include <cstring>
#include <vector>

#include "audio/Id3Format.h"
#include "audio/TagFileIo.h"

namespace acs {

namespace {

constexpr int kIdCount = 12;
constexpr int kCommentPosition = 6;
constexpr int kLinkPosition = 11;
const char* const kOldIds[kIdCount] = {"TAL", "TP1", "TCO", "TT2", "TRK", "TYE",
                                       "COM", "TCM", "TEN", "TCR", "TLA", "WXX"};
const char* const kNewIds[kIdCount] = {"TALB", "TPE1", "TCON", "TIT2", "TRCK", "TYER",
                                       "COMM", "TCOM", "TENC", "TCOP", "TLAN", "WXXX"};

fw::String Wide(const char* id) { return fw::String(id, id + std::strlen(id)); }

bool ReadHeader(HANDLE h, id3::V2Header& header) {
    uint8_t bytes[id3::kV2HeaderSize];
    return tagio::ReadExact(h, bytes, id3::kV2HeaderSize) && id3::ParseV2Header(bytes, header);
}

// After a frame: the end of the tag, zero padding, or what looks like a frame id.
bool LooksLikeFrameBoundary(HANDLE h, int64_t at, int64_t end) {
    if (at == end) return true;
    if (at > end) return false;
    uint8_t bytes[4] = {};
    uint32_t n = static_cast<uint32_t>(end - at < 4 ? end - at : 4);
    if (!tagio::Seek(h, at) || !tagio::ReadExact(h, bytes, n)) return false;
    bool zeros = true, id = n == 4;
    for (uint32_t i = 0; i < n; ++i) {
        zeros = zeros && bytes[i] == 0;
        id = id && ((bytes[i] >= 'A' && bytes[i] <= 'Z') || (bytes[i] >= '0' && bytes[i] <= '9'));
    }
    return zeros || id;
}

}  // namespace

TId3v2Tags::TId3v2Tags() {
    for (int i = 0; i < kIdCount; ++i) {
        RegisterId(Wide(kOldIds[i]), fw::Null());
        RegisterId(Wide(kNewIds[i]), fw::Null());
    }
}

fw::String TId3v2Tags::Id(int Position) const { return Wide(FNew ? kNewIds[Position] : kOldIds[Position]); }

bool TId3v2Tags::Presents(HANDLE InFile) {
    int64_t at = tagio::Position(InFile);
    if (at < 0) return false;
    id3::V2Header header;
    bool found = ReadHeader(InFile, header);
    tagio::Seek(InFile, at);
    return found;
}

bool TId3v2Tags::ReadFromFile(HANDLE InFile) {
    if (!TAuTags::ReadFromFile(InFile)) return false;
    int64_t start = tagio::Position(InFile);
    if (start < 0) return false;
    id3::V2Header header;
    if (!ReadHeader(InFile, header)) return false;
    FNew = header.Version != 2;
    ReadFrames(InFile, start, header.Version, header.TagSize);
    tagio::Seek(InFile, start + header.TagSize);
    return true;
}

void TId3v2Tags::ReadFrames(HANDLE h, int64_t start, int version, uint32_t tagSize) {
    const int64_t end = start + tagSize;
    if (tagio::Size(h) < end) return;
    const uint32_t headerSize = version == 2 ? 6 : 10;
    const int idLength = version == 2 ? 3 : 4;
    int64_t pos = start + id3::kV2HeaderSize;
    while (pos < end) {
        uint8_t fh[10];
        if (pos + headerSize > end || !tagio::Seek(h, pos) || !tagio::ReadExact(h, fh, headerSize)) break;
        if (fh[0] < 'A' || fh[0] > 'Z') break;  // padding
        pos += headerSize;
        uint32_t size;
        if (version == 2) {
            size = id3::BigEndian(fh + 3, 3);
        } else if (version == 3) {
            size = id3::BigEndian(fh + 4, 4);
        } else {
            // Version 2.4 sizes are syncsafe; some writers put plain numbers
            // there, which shows when only the plain size lands on a frame boundary.
            uint32_t plain = id3::BigEndian(fh + 4, 4);
            bool syncsafe = (fh[4] | fh[5] | fh[6] | fh[7]) < 0x80;
            size = plain;
            if (syncsafe) {
                size = id3::SyncsafeDecode(fh + 4);
                if (size != plain && !LooksLikeFrameBoundary(h, pos + size, end) &&
                    LooksLikeFrameBoundary(h, pos + plain, end))
                    size = plain;
            }
        }
        if (size == 0) continue;
        // A frame that would pass the end of the tag is refused before any allocation.
        if (size > end - pos) break;
        std::vector<uint8_t> data(static_cast<size_t>(size) + 2, 0);
        if (!tagio::Seek(h, pos) || !tagio::ReadExact(h, data.data(), size)) break;
        pos += size;
        DecodeFrame(reinterpret_cast<const char*>(fh), idLength, data.data(), size);
    }
}

void TId3v2Tags::DecodeFrame(const char* FrameId, int IdLength, const uint8_t* Data, uint32_t Size) {
    const char* const* ids = IdLength == 3 ? kOldIds : kNewIds;
    int position = -1;
    for (int i = 0; i < kIdCount; ++i)
        if (std::strncmp(ids[i], FrameId, IdLength) == 0 && ids[i][IdLength] == 0) position = i;
    if (position < 0 || position == kCommentPosition) return;
    id3::FrameText text = id3::DecodeFrame(Data, Size, position == kLinkPosition);
    if (text.kind == id3::FrameText::Ansi)
        SetAnsi(Wide(ids[position]), text.ansi);
    else if (text.kind == id3::FrameText::Wide)
        SetWide(Wide(ids[position]), text.wide);
}

bool TId3v2Tags::WriteToFile(HANDLE OutFile, bool Unicode) {
    if (!tagio::IsValid(OutFile)) return false;
    std::vector<uint8_t> frames;
    for (int i = 0; i < kIdCount; ++i) {
        if (i == kCommentPosition) continue;
        fw::String id = Wide(kNewIds[i]);
        bool link = i == kLinkPosition;
        fw::Variant value = IdValue(id);
        bool wide = value.VarType() == fw::varOleStr || value.VarType() == fw::varUString;
        std::string text;
        uint8_t encoding = 0;
        // A URL is 8-bit text whatever the description's encoding.
        if (Unicode && wide && !link) {
            text = fw::ToUtf8(WideTextOf(id));
            encoding = 3;
        } else {
            text = AnsiTextOf(id);
        }
        if (text.empty()) continue;
        std::vector<uint8_t> frame = id3::BuildV24Frame(kNewIds[i], encoding, text, link);
        frames.insert(frames.end(), frame.begin(), frame.end());
    }
    std::vector<uint8_t> tag = id3::BuildV24Tag(frames);
    if (tag.empty()) return false;

    const int64_t oldSize = tagio::Size(OutFile);
    if (oldSize < 0) return false;
    const int64_t newSize = oldSize + static_cast<int64_t>(tag.size());
    if (!tagio::Seek(OutFile, newSize) || !SetEndOfFile(OutFile)) return false;
    auto restoreSize = [&] {
        if (tagio::Seek(OutFile, oldSize)) SetEndOfFile(OutFile);
    };
    HANDLE mapping = CreateFileMappingW(OutFile, nullptr, PAGE_READWRITE, static_cast<DWORD>(newSize >> 32),
                                        static_cast<DWORD>(newSize), nullptr);
    if (!mapping) {
        restoreSize();
        return false;
    }
    auto* view = static_cast<uint8_t*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
    if (!view) {
        CloseHandle(mapping);
        restoreSize();
        return false;
    }
    std::memmove(view + tag.size(), view, static_cast<size_t>(oldSize));
    std::memcpy(view, tag.data(), tag.size());
    FlushViewOfFile(view, 0);
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    return true;
}

}  // namespace acs
