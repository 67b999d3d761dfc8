#include "skin/engine/acSkinPack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "EngineTestFiles.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/DialogSeam.h"
#include "framework/windows/Dialogs.h"
#include "skin/engine/ZLibEx.h"

using namespace skin;
using namespace enginetest;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes StreamBytes(fw::TMemoryStream* s) {
    const uint8_t* p = static_cast<const uint8_t*>(s->Memory());
    return Bytes(p, p + s->Size());
}

// Builds containers byte by byte, so that tests can lie in any field.
struct ContainerBuilder {
    Bytes out;
    ContainerBuilder& Raw(const void* p, size_t n) {
        const uint8_t* b = static_cast<const uint8_t*>(p);
        out.insert(out.end(), b, b + n);
        return *this;
    }
    ContainerBuilder& Int(int32_t v) { return Raw(&v, 4); }
    ContainerBuilder& Header(int32_t count) { return Raw("ASzf", 4).Int(count); }
    ContainerBuilder& Zlib(const Bytes& data) {
        Bytes z(compressBound(uLong(data.size())));
        uLongf len = uLongf(z.size());
        compress(z.data(), &len, data.data(), uLong(data.size()));
        return Raw(z.data(), len);
    }
    // An honest entry.
    ContainerBuilder& Entry(const std::string& name, const Bytes& data) {
        return Int(int32_t(name.size())).Raw(name.data(), name.size()).Int(int32_t(data.size())).Zlib(data);
    }
};

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

std::unique_ptr<TacSkinConvertor> Read(const Bytes& container) {
    auto sc = std::make_unique<TacSkinConvertor>();
    sc->PackedData = std::make_unique<fw::TMemoryStream>();
    if (!container.empty()) sc->PackedData->WriteBuffer(container.data(), int(container.size()));
    ExtractPackedData(*sc);
    return sc;
}

const Bytes kOptions = Text("[GLOBALINFO]\r\nVERSION=6.4\r\n");

}  // namespace

TEST(PackedSkin, FolderPackedReadAndUnpackedByteForByte) {
    TempDir src, dst;
    std::mt19937 rng(11);
    Bytes big(300000);
    for (auto& b : big) b = uint8_t(rng() % 7);  // compressible, more than one 128 KiB block
    std::vector<std::pair<fw::String, Bytes>> files = {{L"Options.dat", kOptions},
                                                       {L"a.png", Text("png bytes")},
                                                       {L"b.bmp", big},
                                                       {L"c.jpg", {}},  // empty files are valid entries
                                                       {L"readme.txt", Text("not packed")}};
    for (auto& [n, b] : files) WriteFileBytes(src / n, b);
    CreateDirectoryW((src / L"sub.bmp").c_str(), nullptr);  // folders are skipped

    TempDir out;
    fw::String asz = out / L"skin.asz";
    PackDir(src.Path(), asz);
    Bytes container = ReadFileBytes(asz);
    ASSERT_GT(container.size(), 8u);
    EXPECT_EQ(std::memcmp(container.data(), "ASzf", 4), 0);

    std::unique_ptr<TacSkinConvertor> sc;
    LoadSkinFromFile(asz, sc, true);
    ASSERT_TRUE(sc);
    EXPECT_FALSE(sc->PackedData);
    EXPECT_EQ(sc->ImageCount, 3);
    ASSERT_EQ(sc->Files.size(), 3u);
    // *.dat first, then *.bmp, *.png, *.jpg.
    EXPECT_EQ(sc->Files[0].FileName, L"b.bmp");
    EXPECT_EQ(sc->Files[1].FileName, L"a.png");
    EXPECT_EQ(sc->Files[2].FileName, L"c.jpg");
    EXPECT_TRUE(sc->Files[0].IsBitmap);
    EXPECT_FALSE(sc->Files[1].IsBitmap);
    EXPECT_EQ(StreamBytes(sc->Options.get()), kOptions);
    EXPECT_EQ(sc->Options->Position(), sc->Options->Size());  // left at the end
    EXPECT_EQ(StreamBytes(sc->Files[0].FileStream.get()), big);
    EXPECT_EQ(sc->Files[2].FileStream->Size(), 0);

    UnpackSkinFile(asz, dst.Path());
    auto names = ListDir(dst.Path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<fw::String>{L"Options.dat", L"a.png", L"b.bmp", L"c.jpg"}));
    for (auto& [n, b] : files)
        if (n != L"readme.txt") {
            EXPECT_EQ(ReadFileBytes(dst / n), b) << fw::ToAnsi(n);
        }
}

TEST(PackedSkin, EmptyFolderWritesNoFileAndMissingFileLeavesConvertor) {
    TempDir src, out;
    WriteFileBytes(src / L"readme.txt", Text("x"));
    PackDir(src.Path(), out / L"none.asz");
    EXPECT_FALSE(fw::FileExists(out / L"none.asz"));

    std::unique_ptr<TacSkinConvertor> sc;
    LoadSkinFromFile(out / L"none.asz", sc, true);
    EXPECT_FALSE(sc);
}

TEST(PackedSkin, NamesTravelAsAnsiText) {
    TempDir src, dst, out;
    const fw::String korean = L"\uC2A4\uD0A8.bmp";  // in the ANSI code page (949) as 4 + 4 bytes
    WriteFileBytes(src / L"Options.dat", kOptions);
    WriteFileBytes(src / korean, Text("bitmap"));
    PackDir(src.Path(), out / L"k.asz");
    Bytes c = ReadFileBytes(out / L"k.asz");
    const Bytes ansi = Text(fw::ToAnsi(korean));
    EXPECT_EQ(ansi.size(), 8u);
    EXPECT_NE(std::search(c.begin(), c.end(), ansi.begin(), ansi.end()), c.end());
    std::unique_ptr<TacSkinConvertor> sc;
    LoadSkinFromFile(out / L"k.asz", sc, true);
    ASSERT_EQ(sc->Files.size(), 1u);
    EXPECT_EQ(sc->Files[0].FileName, korean);
    UnpackSkinFile(out / L"k.asz", dst.Path());
    EXPECT_EQ(ReadFileBytes(dst / korean), Text("bitmap"));
}

TEST(PackedSkin, ContainerFromIndependentPackerReadsBack) {
    std::unique_ptr<TacSkinConvertor> sc;
    LoadSkinFromFile(DataPath(L"independent.asz"), sc, false);
    ASSERT_TRUE(sc);
    EXPECT_EQ(sc->ImageCount, 3);
    EXPECT_EQ(StreamBytes(sc->Options.get()), ReadFileBytes(DataPath(L"pack_src\\Options.dat")));
    ASSERT_EQ(sc->Files.size(), 3u);
    const wchar_t* order[] = {L"Master.bmp", L"Glyph.Png", L"Empty.jpg"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sc->Files[i].FileName, order[i]);
        EXPECT_EQ(StreamBytes(sc->Files[i].FileStream.get()),
                  ReadFileBytes(DataPath(fw::String(L"pack_src\\") + order[i])));
    }
    EXPECT_TRUE(sc->Files[0].IsBitmap);
    EXPECT_FALSE(sc->Files[1].IsBitmap);  // Glyph.Png
}

TEST(PackedSkin, NamesAreMatchedIgnoringCase) {
    auto sc = Read(ContainerBuilder()
                       .Header(3)
                       .Entry("x.BMP", Text("b"))
                       .Entry("options.DAT", kOptions)
                       .Entry("y.bmp", Text("c"))
                       .out);
    EXPECT_EQ(StreamBytes(sc->Options.get()), kOptions);
    ASSERT_EQ(sc->Files.size(), 2u);
    EXPECT_TRUE(sc->Files[0].IsBitmap);
    EXPECT_TRUE(sc->Files[1].IsBitmap);
}

TEST(PackedSkin, CorruptContainersAreRefusedAndWriteNothing) {
    const Bytes img = Text("image bytes, image bytes, image bytes");
    const std::string notPacked = fw::ToAnsi(kNotPackedSkin);
    Bytes good = ContainerBuilder().Header(2).Entry("Options.dat", kOptions).Entry("a.bmp", img).out;
    Bytes truncated(good.begin(), good.end() - 10);
    Bytes lastByteCut(good.begin(), good.end() - 1);  // the Adler-32 trailer is incomplete
    // The entry inflates to more than it claims: the next entry would be read from inside it.
    Bytes overLong = ContainerBuilder()
                         .Header(2)
                         .Int(11)
                         .Raw("Options.dat", 11)
                         .Int(int32_t(kOptions.size() - 5))
                         .Zlib(kOptions)
                         .Entry("a.bmp", img)
                         .out;
    Bytes shortEntry = ContainerBuilder()
                           .Header(1)
                           .Int(11)
                           .Raw("Options.dat", 11)
                           .Int(int32_t(kOptions.size() + 5))
                           .Zlib(kOptions)
                           .out;
    Bytes badZlib = good;
    badZlib[8 + 4 + 11 + 4 + 3] ^= 0xFF;

    struct Case {
        const char* what;
        Bytes data;
        const char* message;  // nullptr: any error of the listed kind
        enum { Container, Zlib, Read, Any } kind;
    } cases[] = {
        {"empty data", {}, notPacked.c_str(), Case::Container},
        {"bad magic", ContainerBuilder().Raw("ASzF", 4).Int(1).Entry("Options.dat", kOptions).out, notPacked.c_str(),
         Case::Container},
        {"no count", ContainerBuilder().Raw("ASzf", 4).out, notPacked.c_str(), Case::Container},
        {"zero count", ContainerBuilder().Header(0).out, notPacked.c_str(), Case::Container},
        {"negative count", ContainerBuilder().Header(-5).Entry("Options.dat", kOptions).out, notPacked.c_str(),
         Case::Container},
        {"huge count", ContainerBuilder().Header(0x7FFFFFFF).Entry("Options.dat", kOptions).out, notPacked.c_str(),
         Case::Container},
        {"zero name length", ContainerBuilder().Header(1).Int(0).Int(1).Zlib(Text("x")).out, notPacked.c_str(),
         Case::Container},
        {"negative name length", ContainerBuilder().Header(1).Int(-11).Raw("Options.dat", 11).out, notPacked.c_str(),
         Case::Container},
        {"name beyond the data", ContainerBuilder().Header(1).Int(1000).Raw("Options.dat", 11).out, notPacked.c_str(),
         Case::Container},
        {"over-long name",
         ContainerBuilder().Header(1).Int(300).Raw(std::string(300, 'n').data(), 300).Int(1).Zlib(Text("x")).out,
         notPacked.c_str(), Case::Container},
        {"negative size", ContainerBuilder().Header(1).Int(11).Raw("Options.dat", 11).Int(-1).Zlib(kOptions).out,
         notPacked.c_str(), Case::Container},
        {"huge size", ContainerBuilder().Header(1).Int(11).Raw("Options.dat", 11).Int(0x7FFFFFF0).Zlib(kOptions).out,
         notPacked.c_str(), Case::Container},
        {"size beyond any expansion",
         ContainerBuilder().Header(1).Int(11).Raw("Options.dat", 11).Int(30000000).Zlib(kOptions).out,
         notPacked.c_str(), Case::Container},
        {"no Options.dat", ContainerBuilder().Header(1).Entry("a.bmp", img).out, notPacked.c_str(), Case::Container},
        {"parent-folder name",
         ContainerBuilder().Header(2).Entry("Options.dat", kOptions).Entry("..\\evil.bmp", img).out, notPacked.c_str(),
         Case::Container},
        {"drive name", ContainerBuilder().Header(2).Entry("Options.dat", kOptions).Entry("C:evil.bmp", img).out,
         notPacked.c_str(), Case::Container},
        {"slash name", ContainerBuilder().Header(2).Entry("Options.dat", kOptions).Entry("sub/evil.bmp", img).out,
         notPacked.c_str(), Case::Container},
        {"truncated entry", truncated, nullptr, Case::Read},
        {"trailer cut", lastByteCut, "data error", Case::Zlib},
        {"entry longer than its size", overLong, "data error", Case::Zlib},
        {"entry shorter than its size", shortEntry, "Stream read error", Case::Read},
        {"corrupt zlib data", badZlib, nullptr, Case::Any},  // data error or a short entry
    };

    fw::DialogSeam::Scope seam;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            Read(c.data);
            ADD_FAILURE() << "accepted";
        } catch (const EZDecompressionError& e) {
            EXPECT_TRUE(c.kind == Case::Zlib || c.kind == Case::Any) << fw::ToAnsi(e.Message);
            if (c.message) {
                EXPECT_EQ(fw::ToAnsi(e.Message), c.message);
            }
        } catch (const fw::EReadError& e) {
            EXPECT_TRUE(c.kind == Case::Read || c.kind == Case::Any) << fw::ToAnsi(e.Message);
            if (c.message) {
                EXPECT_EQ(fw::ToAnsi(e.Message), c.message);
            }
        } catch (const fw::Exception& e) {
            EXPECT_EQ(c.kind, Case::Container) << fw::ToAnsi(e.Message);
            if (c.message) {
                EXPECT_EQ(fw::ToAnsi(e.Message), c.message);
            }
        }

        // Unpacking the same bytes writes nothing, neither in the target nor beside it.
        TempDir root;
        fw::String file = root / L"x.asz";
        WriteFileBytes(file, c.data);
        fw::String target = root / L"out";
        bool raised = false;
        try {
            UnpackSkinFile(file, target);
        } catch (const fw::Exception&) {
            raised = true;
        }
        if (c.data.size() >= 4 && std::memcmp(c.data.data(), "ASzf", 4) == 0) {
            EXPECT_TRUE(raised);
        }
        EXPECT_EQ(ListDir(root.Path()), std::vector<fw::String>{L"x.asz"});
    }
}

TEST(PackedSkin, NotAContainerGivesTheWarningBox) {
    fw::DialogSeam::Scope seam;
    TempDir root;
    fw::String file = root / L"plain.asz";
    WriteFileBytes(file, Text("PK\3\4 not a skin"));
    UnpackSkinFile(file, root / L"out");
    ASSERT_EQ(fw::DialogSeam::Log().size(), 1u);
    EXPECT_EQ(fw::DialogSeam::Log()[0].Text, file + L" is not packed skin file");
    EXPECT_EQ(fw::DialogSeam::Log()[0].DlgType, int(fw::mtWarning));
    EXPECT_EQ(ListDir(root.Path()), std::vector<fw::String>{L"plain.asz"});
}

TEST(PackedSkin, LentStreamStaysTheCallersWhenExtractionFails) {
    fw::TMemoryStream lent;
    Bytes bad = ContainerBuilder().Header(1).Entry("a.bmp", Text("x")).out;  // no Options.dat
    lent.WriteBuffer(bad.data(), int(bad.size()));
    {
        TacSkinConvertor sc;
        EXPECT_THROW(ExtractPackedData(sc, lent), fw::Exception);
        EXPECT_FALSE(sc.PackedData);
        sc.Clear();
    }
    // Still ours and intact after the convertor is gone.
    EXPECT_EQ(lent.Size(), int64_t(bad.size()));
    Bytes good = ContainerBuilder().Header(1).Entry("OPTIONS.DAT", kOptions).out;
    lent.Clear();
    lent.WriteBuffer(good.data(), int(good.size()));
    TacSkinConvertor sc;
    ExtractPackedData(sc, lent);
    EXPECT_EQ(StreamBytes(sc.Options.get()), kOptions);
    EXPECT_EQ(sc.ImageCount, 0);
}

TEST(PackedSkin, MutatedContainersNeverCrash) {
    Bytes img(3000);
    for (size_t i = 0; i < img.size(); ++i) img[i] = uint8_t(i * 7 % 251);
    const Bytes seed =
        ContainerBuilder().Header(3).Entry("Options.dat", kOptions).Entry("a.bmp", img).Entry("b.png", {}).out;
    std::mt19937 rng(20261210);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes m = seed;
        int edits = 1 + int(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            size_t at = rng() % m.size();
            switch (rng() % 4) {
                case 0:
                    m[at] ^= uint8_t(1u << (rng() % 8));
                    break;
                case 1:
                    m[at] = uint8_t(rng());
                    break;
                case 2:
                    m.resize(std::max<size_t>(1, at));
                    break;
                case 3:
                    m.insert(m.begin() + long(at), uint8_t(rng()));
                    break;
            }
        }
        try {
            auto sc = Read(m);
            ASSERT_TRUE(sc->Options);
            ++accepted;
        } catch (const fw::Exception&) {
        }
    }
    // Some mutations land in places that do not matter (unused trailing bytes).
    EXPECT_LT(accepted, 3000);
}
