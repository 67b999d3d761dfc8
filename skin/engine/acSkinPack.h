// The packed skin container ("ASzf"): a skin folder's files, each stored as
// one zlib stream, back to back. Packed skin files (.asz) and the skins stored
// in a form use it. Reading checks every length and count against the data,
// since containers come from files anyone can hand us.
#pragma once

#include <memory>
#include <vector>

#include "framework/rtl/Object.h"
#include "framework/rtl/Streams.h"

namespace skin {

// One image entry of a container.
struct TacImageItem {
    fw::String FileName;
    bool IsBitmap = false;  // the name's extension is ".BMP", any case
    std::unique_ptr<fw::TMemoryStream> FileStream;
};
using TacImageItems = std::vector<TacImageItem>;

// A container read into memory: the INI text and the image entries.
class TacSkinConvertor : public fw::TPersistent {
public:
    TacSkinConvertor() = default;
    ~TacSkinConvertor() override { Clear(); }
    fw::String ClassName() const override { return L"TacSkinConvertor"; }

    // Frees the items (last to first), Options and PackedData.
    void Clear();

    int ImageCount = 0;  // entries other than Options.dat
    TacImageItems Files;
    std::unique_ptr<fw::TMemoryStream> Options;
    // Container bytes owned by the convertor. A stream that belongs to someone
    // else is never put here: it is read with ExtractPackedData(sc, stream).
    std::unique_ptr<fw::TMemoryStream> PackedData;
};

// Limits a container must keep to; anything else is refused as not a packed skin.
constexpr int kMaxEntryNameLength = 260;
constexpr int kMaxEntrySize = 64 * 1024 * 1024;

// The container's own error text.
extern const wchar_t* const kNotPackedSkin;  // "Loaded data is not packed skin file"

// When FileName exists: sc is cleared (or created; the caller owns it), its
// PackedData loaded with the file and extracted; FreePackedData drops the
// bytes afterwards. A missing file leaves sc as it was.
void LoadSkinFromFile(const fw::String& FileName, std::unique_ptr<TacSkinConvertor>& sc, bool FreePackedData);

// Reads sc.PackedData into ImageCount, Files and Options. Raises Exception
// kNotPackedSkin for a bad signature, count, name or size and for a container
// without Options.dat; EZDecompressionError for corrupt zlib data or an entry
// that does not end where its size says; EReadError for one that ends early.
void ExtractPackedData(TacSkinConvertor& sc);
// The same over a stream that stays the caller's (a stored skin's data): the
// convertor never holds it, so nothing frees it twice whatever happens.
void ExtractPackedData(TacSkinConvertor& sc, fw::TStream& data);

// Packs the *.dat, *.bmp, *.png and *.jpg files of SrcDir (in that order)
// into FileName. No file is written when the folder holds none of them.
void PackDir(const fw::String& SrcDir, const fw::String& FileName);

// Writes the entries of a container file into DestDir (created when
// missing). The whole container is read and checked before anything is
// written; an entry name with a path, a drive or ".." is refused. A file
// that is not a container gives a warning box and writes nothing.
void UnpackSkinFile(const fw::String& FileName, const fw::String& DestDir);

}  // namespace skin
