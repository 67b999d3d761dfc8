// STAND-IN for skin loading (sources, options, images and look-ups): picks
// the source as the real loader will (folder, packed file, stored skin) and
// reads only each section's name, parent and colours into gd, which is what
// the manager's own code and its tests need. Replaced when loading lands.
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Jpeg.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"
#include "skin/engine/FileUtils.h"
#include "skin/engine/sSkinManager.h"

namespace skin {

namespace {

// SkinFile := a nameless INI holding the lines of the container's Options.dat.
fw::TMemIniFile* IniFromOptions(TacSkinConvertor& sc) {
    if (!sc.Options) throw fw::Exception(kNotPackedSkin);
    sc.Options->SetPosition(0);
    fw::TStringList lines;
    lines.LoadFromStream(sc.Options.get());
    auto* ini = new fw::TMemIniFile;
    ini->SetStrings(&lines);
    return ini;
}

// The section table, colours only.
void LoadAllGeneralData(TsSkinManager& sm) {
    sm.gd.clear();
    fw::TMemIniFile* ini = sm.SkinData->SkinFile;
    if (!ini) return;
    fw::TStringList sections;
    ini->ReadSections(&sections);
    for (int i = 0; i < sections.Count(); ++i) {
        TsGeneralData d;
        d.ClassName = sections[i];
        d.ParentClass = ini->ReadString(d.ClassName, L"PARENTCLASS", L"");
        d.Color = TColor(ini->ReadInteger(d.ClassName, L"COLOR", 0xFFFFFF));
        d.HotColor = TColor(ini->ReadInteger(d.ClassName, L"HOTCOLOR", 0xFFFFFF));
        d.FontColor[0] = TColor(ini->ReadInteger(d.ClassName, L"FONTCOLOR", 0));
        d.HotFontColor[0] = TColor(ini->ReadInteger(d.ClassName, L"HOTFONTCOLOR", 0));
        sm.gd.push_back(d);
    }
}

void RunLoaders(TsSkinManager& sm) {
    LoadAllGeneralData(sm);
    sm.InitConstantIndexes();
    delete sm.SkinData->SkinFile;
    sm.SkinData->SkinFile = nullptr;
    sm.sc.reset();
}

}  // namespace

fw::String TsSkinManager::GetFullSkinDirectory() const {
    fw::String s = SkinDirectory();
    if (s.rfind(L"..", 0) == 0) {
        fw::String parent = NormalDir(GetAppPath());
        parent.pop_back();
        while (!parent.empty() && parent.back() != L'\\' && parent.back() != L'/') parent.pop_back();
        return parent + s.substr(3);
    }
    if (s.rfind(L".\\", 0) == 0 || s.rfind(L"./", 0) == 0) return NormalDir(GetAppPath()) + s.substr(2);
    if (s.find(L':') == fw::String::npos && s.find(L"\\\\") == fw::String::npos) return NormalDir(GetAppPath()) + s;
    return s;
}

void TsSkinManager::ReloadSkin() {
    if (!Active()) return;
    aSkinChanging = true;
    delete SkinData->SkinFile;
    SkinData->SkinFile = nullptr;
    const fw::String folder = GetFullSkinDirectory() + L"\\" + SkinName() + L"\\";
    if (fw::FileExists(folder + L"Options.dat")) {
        SkinIsPacked = false;
        SkinData->SkinFile = new fw::TMemIniFile(folder + L"Options.dat");
        SkinData->SkinPath = folder;
    } else {
        SkinData->SkinPath.clear();
        TsStoredSkins* stored = InternalSkins();
        int index = stored->IndexOf(SkinName());
        if (index < 0) {
            if (stored->Count() == 0) {
                FActive = false;
                return;
            }
            index = 0;
            FSkinName = stored->Items(0)->Name();
        }
        TsStoredSkin* item = stored->Items(index);
        if (item->PackedData->Size() > 0) {
            sc.reset();
            SkinIsPacked = true;
            sc = std::make_unique<TacSkinConvertor>();
            // The item's stream is only lent: whatever the extraction does,
            // the convertor never owns it.
            ExtractPackedData(*sc, *item->PackedData);
            SkinData->SkinFile = IniFromOptions(*sc);
        } else {
            SkinIsPacked = false;
        }
    }
    RunLoaders(*this);
}

void TsSkinManager::ReloadPackedSkin() {
    if (!Active()) return;
    aSkinChanging = true;
    delete SkinData->SkinFile;
    SkinData->SkinFile = nullptr;
    sc.reset();
    LoadSkinFromFile(NormalDir(SkinDirectory()) + SkinName() + L".asz", sc, true);
    // The file may have gone since it was looked for.
    if (!sc) throw fw::Exception(kNotPackedSkin);
    SkinData->SkinFile = IniFromOptions(*sc);
    SkinData->SkinPath = GetFullSkinDirectory() + L"\\";
    RunLoaders(*this);
}

void TsSkinManager::InitConstantIndexes() {
    ConstData = TConstantSkinData();
    ConstData.IndexGLobalInfo = int16_t(GetSkinIndex(L"GLOBALINFO"));
}

void TsSkinManager::FreeBitmaps() {
    for (TsMaskData& m : ma) delete m.Bmp;
    ma.clear();
    delete MasterBitmap;
    MasterBitmap = nullptr;
}

void TsSkinManager::FreeJpegs() {
    for (TsPatternData& p : pa) delete p.Img;
    pa.clear();
}

void TsSkinManager::CheckShadows() {}

}  // namespace skin
