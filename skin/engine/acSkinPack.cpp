#include "skin/engine/acSkinPack.h"

#include <cstring>
#include <functional>

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Dialogs.h"
#include "skin/engine/FileUtils.h"
#include "skin/engine/ZLibEx.h"

namespace skin {

const wchar_t* const kNotPackedSkin = L"Loaded data is not packed skin file";

namespace {

const char kSignature[4] = {'A', 'S', 'z', 'f'};
const wchar_t* const kOptionsName = L"Options.dat";
// zlib cannot expand data by more than about 1032:1; a size beyond that
// against the bytes left is a lie, refused before anything is allocated.
constexpr int64_t kMaxExpansion = 1100;

[[noreturn]] void NotPacked() { throw fw::Exception(kNotPackedSkin); }

int32_t ReadInt32(fw::TStream& s) {
    uint8_t b[4];
    if (s.Read(b, 4) != 4) NotPacked();
    return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

void WriteInt32(fw::TStream& s, int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
    s.WriteBuffer(b, 4);
}

// A plain file name: no folder, drive or parent step, nothing unprintable.
bool SafeEntryName(const fw::AnsiString& raw, const fw::String& name) {
    for (char c : raw)
        if (static_cast<unsigned char>(c) < 0x20) return false;
    if (name.empty()) return false;
    if (name.find_first_of(L"\\/:") != fw::String::npos) return false;
    if (name.find(L"..") != fw::String::npos) return false;
    return true;
}

bool IsOptionsName(const fw::String& name) { return fw::SameText(name, kOptionsName); }

// Reads every entry of the container in `data`, in container order.
void ReadEntries(fw::TStream& data,
                 const std::function<void(const fw::String&, std::unique_ptr<fw::TMemoryStream>)>& take) {
    data.SetPosition(0);
    const int64_t size = data.Size();
    char magic[4];
    if (data.Read(magic, 4) != 4 || std::memcmp(magic, kSignature, 4) != 0) NotPacked();
    const int32_t count = ReadInt32(data);
    if (count < 1) NotPacked();
    for (int32_t i = 0; i < count; ++i) {
        const int32_t nameLength = ReadInt32(data);
        if (nameLength < 1 || nameLength > kMaxEntryNameLength || nameLength > size - data.Position()) NotPacked();
        fw::AnsiString raw(static_cast<size_t>(nameLength), '\0');
        data.ReadBuffer(raw.data(), nameLength);
        const fw::String name = fw::FromAnsi(raw);
        if (!SafeEntryName(raw, name)) NotPacked();
        const int32_t unpacked = ReadInt32(data);
        if (unpacked < 0 || unpacked > kMaxEntrySize || unpacked > (size - data.Position()) * kMaxExpansion)
            NotPacked();

        auto target = std::make_unique<fw::TMemoryStream>();
        {
            TZDecompressionStream z(&data);
            if (unpacked > 0) {
                target->SetSize(unpacked);
                z.ReadBuffer(target->Memory(), unpacked);
            }
            // The entry must end exactly here: the next entry starts right after
            // this zlib stream, and only its end puts the container there.
            uint8_t extra;
            if (z.Read(&extra, 1) != 0 || !z.StreamEnded())
                throw EZDecompressionError(static_cast<int>(Z_DATA_ERROR), fw::String());
        }
        target->Seek(0, fw::soEnd);
        take(name, std::move(target));
    }
}

}  // namespace

void TacSkinConvertor::Clear() {
    Files.clear();
    Options.reset();
    PackedData.reset();
}

void ExtractPackedData(TacSkinConvertor& sc, fw::TStream& data) {
    ReadEntries(data, [&sc](const fw::String& name, std::unique_ptr<fw::TMemoryStream> stream) {
        if (IsOptionsName(name)) {
            sc.Options = std::move(stream);
        } else {
            TacImageItem item;
            item.FileName = name;
            item.IsBitmap = fw::UpperCase(fw::ExtractFileExt(name)) == L".BMP";
            item.FileStream = std::move(stream);
            sc.Files.push_back(std::move(item));
        }
    });
    sc.ImageCount = static_cast<int>(sc.Files.size());
    // Every reader of a skin takes its INI text from Options.
    if (!sc.Options) NotPacked();
}

void ExtractPackedData(TacSkinConvertor& sc) {
    if (!sc.PackedData) NotPacked();
    ExtractPackedData(sc, *sc.PackedData);
}

void LoadSkinFromFile(const fw::String& FileName, std::unique_ptr<TacSkinConvertor>& sc, bool FreePackedData) {
    if (!fw::FileExists(FileName)) return;
    if (sc)
        sc->Clear();
    else
        sc = std::make_unique<TacSkinConvertor>();
    sc->PackedData = std::make_unique<fw::TMemoryStream>();
    sc->PackedData->LoadFromFile(FileName);
    ExtractPackedData(*sc);
    if (FreePackedData) sc->PackedData.reset();
}

void PackDir(const fw::String& SrcDir, const fw::String& FileName) {
    const fw::String dir = NormalDir(SrcDir);
    std::vector<fw::String> names;
    for (const wchar_t* mask : {L"*.dat", L"*.bmp", L"*.png", L"*.jpg"}) {
        fw::TSearchRec f;
        if (acFindFirst(dir + mask, fw::faAnyFile, f) == 0) {
            do {
                if (!f.Name.empty() && f.Name[0] != L'.' && (f.Attr & fw::faDirectory) == 0) names.push_back(f.Name);
            } while (acFindNext(f) == 0);
        }
        acFindClose(f);
    }
    if (names.empty()) return;

    // Built in memory and written at once, so a failure leaves no half container.
    fw::TMemoryStream out;
    out.WriteBuffer(kSignature, 4);
    WriteInt32(out, static_cast<int32_t>(names.size()));
    for (const fw::String& name : names) {
        fw::TFileStream src(dir + name, fw::fmOpenRead | fw::fmShareDenyWrite);
        const fw::AnsiString raw = fw::ToAnsi(name);
        const int64_t size = src.Size();
        if (size > kMaxEntrySize) throw fw::EWriteError(L"File \"" + name + L"\" is too large for a packed skin");
        WriteInt32(out, static_cast<int32_t>(raw.size()));
        out.WriteBuffer(raw.data(), static_cast<int>(raw.size()));
        WriteInt32(out, static_cast<int32_t>(size));
        fw::TMemoryStream packed;
        {
            TZCompressionStream z(&packed, zcDefault);
            if (size > 0) z.CopyFrom(&src, 0);
            z.Finish();
        }
        out.WriteBuffer(packed.Memory(), static_cast<int>(packed.Size()));
    }
    out.SaveToFile(FileName);
}

void UnpackSkinFile(const fw::String& FileName, const fw::String& DestDir) {
    const fw::String dir = NormalDir(DestDir);
    fw::TMemoryStream data;
    data.LoadFromFile(FileName);
    char magic[4] = {};
    if (data.Read(magic, 4) != 4 || std::memcmp(magic, kSignature, 4) != 0) {
        fw::MessageDlg(FileName + L" is not packed skin file", fw::mtWarning, fw::TMsgDlgButtons{fw::mbOK});
        return;
    }
    // Everything is read and checked first: a bad container writes nothing.
    std::vector<std::pair<fw::String, std::unique_ptr<fw::TMemoryStream>>> entries;
    bool hasOptions = false;
    ReadEntries(data, [&](const fw::String& name, std::unique_ptr<fw::TMemoryStream> stream) {
        hasOptions = hasOptions || IsOptionsName(name);
        entries.emplace_back(name, std::move(stream));
    });
    if (!hasOptions) NotPacked();

    if (!acDirExists(dir)) acCreateDir(dir);
    for (auto& [name, stream] : entries) {
        const fw::String target = dir + name;
        if (fw::FileExists(target)) fw::DeleteFile(target);
        fw::TFileStream file(target, fw::fmCreate);
        if (stream->Size() > 0) file.WriteBuffer(stream->Memory(), static_cast<int>(stream->Size()));
    }
}

}  // namespace skin
