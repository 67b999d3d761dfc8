// The committed skins and the library's resources: packed copies read back
// through the container code to the folders' bytes, the default skin covers
// every element the viewer shows, the string table and the shadow templates
// load by name. A picture of the default skin's master bitmap is kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "EngineTestFiles.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Jpeg.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/Streams.h"
#include "skin/engine/PNGGraphic.h"
#include "skin/engine/acSkinPack.h"
#include "skin/engine/sConst.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace enginetest;
using kvbskins::SkinsPath;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes StreamBytes(fw::TMemoryStream* s) {
    const uint8_t* p = static_cast<const uint8_t*>(s->Memory());
    return Bytes(p, p + s->Size());
}

std::vector<const wchar_t*> AllSkins() {
    std::vector<const wchar_t*> all(std::begin(kvbskins::kTestSkins), std::end(kvbskins::kTestSkins));
    all.push_back(kvbskins::kDefaultSkin);
    return all;
}

// Folder file name -> bytes.
std::map<fw::String, Bytes> FolderFiles(const fw::String& dir) {
    std::map<fw::String, Bytes> files;
    for (const auto& n : ListDir(dir)) files[n] = ReadFileBytes(dir + L"\\" + n);
    return files;
}

std::unique_ptr<TacSkinConvertor> ReadPacked(const fw::String& asz) {
    auto sc = std::make_unique<TacSkinConvertor>();
    fw::TMemoryStream data;
    data.LoadFromFile(asz);
    ExtractPackedData(*sc, data);
    return sc;
}

int PackRank(const fw::String& name) {
    fw::String ext = name.substr(name.find_last_of(L'.'));
    std::transform(ext.begin(), ext.end(), ext.begin(), ::towlower);
    const wchar_t* order[] = {L".dat", L".bmp", L".png", L".jpg"};
    for (int i = 0; i < 4; ++i)
        if (ext == order[i]) return i;
    return 4;
}

}  // namespace

TEST(CommittedSkins, PackedCopyReadsBackToTheFolderBytes) {
    for (const wchar_t* skin : AllSkins()) {
        SCOPED_TRACE(fw::ToAnsi(skin));
        fw::String dir = SkinsPath(skin);
        auto folder = FolderFiles(dir);
        ASSERT_TRUE(folder.count(L"Options.dat"));
        auto sc = ReadPacked(dir + L".asz");

        ASSERT_TRUE(sc->Options);
        EXPECT_EQ(StreamBytes(sc->Options.get()), folder[L"Options.dat"]);
        EXPECT_EQ(sc->ImageCount, int(folder.size()) - 1);
        ASSERT_EQ(sc->Files.size(), folder.size() - 1);
        int lastRank = 1;
        for (const auto& item : sc->Files) {
            SCOPED_TRACE(fw::ToAnsi(item.FileName));
            ASSERT_TRUE(folder.count(item.FileName)) << "an entry the folder lacks";
            EXPECT_EQ(StreamBytes(item.FileStream.get()), folder[item.FileName]);
            EXPECT_GE(PackRank(item.FileName), lastRank) << "entries keep the order *.bmp, *.png, *.jpg";
            lastRank = PackRank(item.FileName);
        }
    }
}

TEST(CommittedSkins, PackedCopyUnpacksToTheFolder) {
    for (const wchar_t* skin : AllSkins()) {
        SCOPED_TRACE(fw::ToAnsi(skin));
        TempDir out;
        UnpackSkinFile(SkinsPath(skin) + L".asz", out.Path());
        auto folder = FolderFiles(SkinsPath(skin));
        auto unpacked = FolderFiles(out.Path());
        EXPECT_EQ(unpacked, folder);
    }
}

TEST(CommittedSkins, TestSkinPicturesAreWhatTheirValuesDescribe) {
    fw::String dir = SkinsPath(L"test\\T1");
    // JPEGs on both sides of the 90000-pixel line between patterns and textures.
    for (auto [name, size] : {std::pair{L"Big.jpg", 300}, std::pair{L"Small.jpg", 100}}) {
        fw::TJPEGImage jpg;
        jpg.LoadFromFile(dir + L"\\" + name);
        EXPECT_EQ(jpg.Width(), size);
        EXPECT_EQ(jpg.Height(), size);
    }
    // The PNG glyph keeps alpha and has fully transparent white pixels.
    TPNGGraphic glyph;
    glyph.LoadFromFile(dir + L"\\Glyph.png");
    ASSERT_EQ(glyph.PixelFormat(), fw::pf32bit);
    ASSERT_EQ(glyph.Width(), 48);
    const TsRGBA corner = static_cast<const TsRGBA*>(glyph.ScanLine(0))[0];
    EXPECT_TRUE(corner.A == 0 && corner.R == 255 && corner.G == 255 && corner.B == 255);
    EXPECT_EQ(static_cast<const TsRGBA*>(glyph.ScanLine(8))[8].A, 255);

    fw::TBitmap master;
    master.LoadFromFile(dir + L"\\Master.bmp");
    ASSERT_EQ(master.PixelFormat(), fw::pf24bit);
    ASSERT_EQ(master.Width(), 256);
    ASSERT_EQ(master.Height(), 64);
    auto at = [&](int x, int y) {
        TsRGB p = static_cast<const TsRGB*>(master.ScanLine(y))[x];
        return RGB(p.R, p.G, p.B);
    };
    const COLORREF key = RGB(255, 0, 255);
    // BUTTON's keyed border, 3 states of 16 x 16: fuchsia corners, a black edge, a face per state.
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(at(16 * s, 0), key);
        EXPECT_EQ(at(16 * s + 15, 15), key);
        EXPECT_EQ(at(16 * s + 8, 0), RGB(0, 0, 0));
        EXPECT_NE(at(16 * s + 8, 8), key);
    }
    EXPECT_NE(at(8, 8), at(24, 8));
    EXPECT_NE(at(24, 8), at(40, 8));
    // COMBOBTN's masked border: the mask row under the image is white at the corners, black inside.
    EXPECT_EQ(at(48, 16), RGB(255, 255, 255));
    EXPECT_EQ(at(56, 24), RGB(0, 0, 0));
    // The title icons have grey, coloured and fuchsia pixels.
    EXPECT_EQ(at(0, 32), key);
    EXPECT_EQ(at(4, 36), RGB(128, 128, 128));
    EXPECT_NE(at(13, 32), key);
}

TEST(CommittedSkins, DefaultSkinCoversEveryElementOfTheViewer) {
    fw::String dir = SkinsPath(kvbskins::kDefaultSkin);
    auto sc = ReadPacked(dir + L".asz");
    std::vector<fw::String> entries;
    for (const auto& f : sc->Files) entries.push_back(f.FileName);
    EXPECT_EQ(entries, (std::vector<fw::String>{L"ButtonHuge.bmp", L"Master.bmp"}));

    fw::TMemIniFile ini(dir + L"\\Options.dat");
    EXPECT_EQ(ini.ReadString(L"GLOBALINFO", L"VERSION", L""), L"6.4");
    EXPECT_EQ(ini.ReadString(L"GLOBALINFO", L"MASTERBITMAP", L""), L"MASTER.BMP");
    // Section -> images it must hold itself (not through PARENTCLASS).
    const std::pair<const wchar_t*, std::vector<const wchar_t*>> kNeeded[] = {
        {L"GLOBALINFO",
         {L"BICONCLOSE",   L"BICONMAX",       L"BICONMIN",   L"BICONNORM",    L"BICONHELP",      L"BICLOSEALONE",
          L"SICONCLOSE",   L"SICONMAX",       L"SICONMIN",   L"SICONNORM",    L"SICONHELP",      L"GRIPIMAGE",
          L"BOXCHECKED",   L"BOXUNCHECKED",   L"BOXGRAYED",  L"RADIOCHECKED", L"RADIOUNCHECKED", L"RADIOGRAYED",
          L"SMALLCHECKED", L"SMALLUNCHECKED", L"SMALLGRAYED"}},
        {L"FORM", {L"BORDERSMASK"}},
        {L"FORMTITLE", {L"BORDERSMASK"}},
        {L"DIALOG", {}},
        {L"BUTTON", {L"BORDERSMASK"}},
        {L"BUTTON_HUGE", {L"BORDERSMASK"}},
        {L"EDIT", {L"BORDERSMASK"}},
        {L"COMBOBOX", {L"GLYPHMASK"}},
        {L"COMBOBTN", {L"BORDERSMASK"}},
        {L"CHECKBOX", {}},
        {L"GROUPBOX", {L"BORDERSMASK"}},
        {L"PANEL", {}},
        {L"PAGECONTROL", {L"BORDERSMASK"}},
        {L"TABTOP", {L"BORDERSMASK"}},
        {L"BAR", {}},
        {L"SPEEDBUTTON_SMALL", {L"BORDERSMASK"}},
        {L"COLHEADER", {L"BORDERSMASK"}},
        {L"SCROLLBAR1H", {L"BORDERSMASK"}},
        {L"SCROLLBAR2H", {L"BORDERSMASK"}},
        {L"SCROLLBAR1V", {L"BORDERSMASK"}},
        {L"SCROLLBAR2V", {L"BORDERSMASK"}},
        {L"SCROLLBTNLEFT", {L"BORDERSMASK", L"GLYPHMASK"}},
        {L"SCROLLBTNRIGHT", {L"BORDERSMASK", L"GLYPHMASK"}},
        {L"SCROLLBTNTOP", {L"BORDERSMASK", L"GLYPHMASK"}},
        {L"SCROLLBTNBOTTOM", {L"BORDERSMASK", L"GLYPHMASK"}},
        {L"SCROLLSLIDERH", {L"BORDERSMASK", L"GLYPHMASK"}},
        {L"SCROLLSLIDERV", {L"BORDERSMASK", L"GLYPHMASK"}},
        {L"MAINMENU", {L"BORDERSMASK"}},
        {L"MENUITEM", {}},
        {L"ICOLINE", {}},
        {L"HINT", {L"BORDERSMASK"}},
    };
    for (const auto& [section, images] : kNeeded) {
        SCOPED_TRACE(fw::ToAnsi(section));
        EXPECT_TRUE(ini.SectionExists(section));
        for (const wchar_t* key : images) EXPECT_NE(ini.ReadString(section, key, L""), L"") << fw::ToAnsi(key);
    }
    // Menu highlights fall back to system colours unless these hold.
    int hot = ini.ReadInteger(L"MENUITEM", L"HOTCOLOR", -1);
    EXPECT_TRUE(hot != -1 && hot != 0xFF00FF && hot != 0xFFFFFF);
    EXPECT_NE(ini.ReadInteger(L"MENUITEM", L"HOTFONTCOLOR", 0), 0);
    EXPECT_FALSE(ini.SectionExists(L"EXTRALINE"));  // popups show no side strip
}

TEST(CommittedSkins, DefaultMasterBitmapPicture) {
    fw::TBitmap master;
    master.LoadFromFile(SkinsPath(kvbskins::kDefaultSkin) + L"\\Master.bmp");
    ASSERT_EQ(master.PixelFormat(), fw::pf24bit);
    ASSERT_EQ(master.Width(), 256);
    // Unused room and keyed pixels are fuchsia; the artwork is not.
    auto pixel = [](fw::TBitmap& b, int x, int y) { return static_cast<const TsRGB*>(b.ScanLine(y))[x]; };
    auto isKey = [](TsRGB p) { return p.R == 255 && p.G == 0 && p.B == 255; };
    int keyed = 0, art = 0;
    for (int y = 0; y < master.Height(); ++y)
        for (int x = 0; x < master.Width(); ++x) (isKey(pixel(master, x, y)) ? keyed : art)++;
    EXPECT_GT(keyed, 0);
    EXPECT_GT(art, master.Width() * master.Height() / 2);

    // Three times as large, for a person to look at.
    const int k = 3;
    fw::TBitmap shot(master.Width() * k, master.Height() * k, fw::pf24bit);
    shot.Canvas()->CopyRect(fw::TRect(0, 0, shot.Width(), shot.Height()), master.Canvas(),
                            fw::TRect(0, 0, master.Width(), master.Height()));
    const TsRGB big = pixel(shot, k * 10 + 1, k * 10 + 1), small = pixel(master, 10, 10);
    EXPECT_TRUE(big.R == small.R && big.G == small.G && big.B == small.B);
    CreateDirectoryW(L"..\\screenshots", nullptr);
    shot.SaveToFile(L"..\\screenshots\\default-skin-master.bmp");
}

TEST(LibraryResources, StringTableHoldsTheEnglishCaptions) {
    const std::pair<UINT, const wchar_t*> kTable[] = {
        {58992, L"OK"},
        {58991, L"Cancel"},
        {58990, L"&Help"},
        {58981, L"Restore"},
        {58980, L"Move"},
        {58979, L"Size"},
        {58978, L"Minimize"},
        {58977, L"Maximize"},
        {58976, L"Close"},
        {58970, L"File open"},
        {58964, L"Available skins"},
        {58963, L"(internal)"},
        {58962, L"Error setting %s.Count"},
        {58961, L"Listbox (%s) style must be virtual in order to set Count"},
        {58960, L"Add to custom colors set"},
        {58959, L"Define colors"},
        {58958, L"Main palette :"},
        {58957, L"Additional colors :"},
        {58956, L"Color"},
        {58955, L"Red :"},
        {58954, L"Green :"},
        {58953, L"Blue :"},
        {58952, L"Decimal - "},
        {58951, L"Hex - "},
        {58950, L"TsFrameAdapter adapter must be placed on the handled frame"},
        {58949, L"Hint Designer Form"},
        {58948, L"Preserved settings :"},
        {58947, L"Style :"},
        {58946, L"Bevel width"},
        {58945, L"Blur"},
        {58944, L"Arrow length"},
        {58943, L"Horiz. margin"},
        {58942, L"Vert. margin"},
        {58941, L"Corners radius"},
        {58940, L"Max width"},
        {58939, L"Pause hide (ms)"},
        {58938, L"Percent"},
        {58937, L"Offset"},
        {58936, L"Transparency"},
        {58935, L"No picture available"},
        {58934, L"Font"},
        {58933, L"Texture"},
        {58932, L"Load from file"},
        {58931, L"Save to file as..."},
        {58930, L"Color"},
        {58929, L"Top border"},
        {58928, L"Bottom border"},
        {58927, L"Shadow"},
        {58926, L"Background"},
        {58925, L"Gradient"},
        {58924, L"Preview of the future hint window"},
        {58911, L"Select directory"},
        {58910, L"Create"},
    };
    for (const auto& [id, text] : kTable) {
        wchar_t buf[128] = {};
        int n = LoadStringW(acResourceInstance(), id, buf, 128);
        EXPECT_EQ(fw::String(buf, std::max(n, 0)), text) << id;
    }
    // The captions the library uses come from the table.
    EXPECT_EQ(acs_CloseStr, L"Close");
    EXPECT_EQ(acs_ColorDlgDecimal, L"Decimal - ");
    EXPECT_EQ(acs_FrameAdapterError1, L"TsFrameAdapter adapter must be placed on the handled frame");
    EXPECT_EQ(acs_Create, L"Create");
    // Ids between the used ones carry nothing.
    wchar_t buf[16];
    EXPECT_EQ(LoadStringW(acResourceInstance(), 58971, buf, 16), 0);
}

TEST(LibraryResources, ShadowTemplatesAreSoftDarkFrames) {
    // Shadow sides of the templates: left 11, top 7, right 11, bottom 11.
    for (auto [name, size] : {std::pair{L"acSHDA", 32}, std::pair{L"acSHDI", 31}}) {
        SCOPED_TRACE(fw::ToAnsi(name));
        ASSERT_NE(FindResourceW(acResourceInstance(), name, RT_RCDATA), nullptr);
        fw::TResourceStream rs(acResourceInstance(), name);
        TPNGGraphic png;
        png.LoadFromStream(&rs);
        ASSERT_EQ(png.Width(), size);
        ASSERT_EQ(png.Height(), size);
        ASSERT_EQ(png.PixelFormat(), fw::pf32bit);
        auto at = [&](int x, int y) { return static_cast<const TsRGBA*>(png.ScanLine(y))[x]; };

        const TsRGBA inner = at(size / 2, size / 2);
        EXPECT_GT(inner.A, 50);
        EXPECT_LT(inner.R + inner.G + inner.B, 3 * 40) << "dark";
        EXPECT_EQ(at(0, 0).A, 0);
        EXPECT_EQ(at(size - 1, size - 1).A, 0);
        // From the window's edge outwards the alpha falls, without steps back.
        const int mid = size / 2;
        for (int x = 11; x > 0; --x) EXPECT_LE(at(x - 1, mid).A, at(x, mid).A) << "left, x " << x;
        for (int y = 7; y > 0; --y) EXPECT_LE(at(mid, y - 1).A, at(mid, y).A) << "top, y " << y;
        for (int y = size - 11; y < size - 1; ++y) EXPECT_LE(at(mid, y + 1).A, at(mid, y).A) << "bottom, y " << y;
        EXPECT_LT(at(0, mid).A, inner.A / 8) << "soft: almost nothing at the outer edge";
        EXPECT_GT(at(8, mid).A, at(2, mid).A) << "soft: a falloff, not a step";
    }
    // The active window's shadow is the stronger one.
    fw::TResourceStream a(acResourceInstance(), L"acSHDA"), i(acResourceInstance(), L"acSHDI");
    TPNGGraphic pa, pi;
    pa.LoadFromStream(&a);
    pi.LoadFromStream(&i);
    EXPECT_GT(static_cast<const TsRGBA*>(pa.ScanLine(16))[16].A, static_cast<const TsRGBA*>(pi.ScanLine(15))[15].A);
}
