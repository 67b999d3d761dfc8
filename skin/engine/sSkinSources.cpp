// Skin sources: the skin directory, a folder skin, a packed skin file or a
// stored skin, the loaders run in their fixed order, the list of available
// skins, and the skin-wide version texts.
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Jpeg.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"
#include "skin/engine/FileUtils.h"
#include "skin/engine/SystemUtils.h"
#include "skin/engine/TextUtils.h"
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

// Images first: the general data's image indexes are looked up in them.
// SkinFile and sc live for this one load only, also when a loader fails.
void RunLoaders(TsSkinManager& sm) {
    struct Release {
        TsSkinManager& sm;
        ~Release() {
            delete sm.SkinData->SkinFile;
            sm.SkinData->SkinFile = nullptr;
            sm.sc.reset();
        }
    } release{sm};
    sm.LoadAllMasks();
    sm.LoadAllPatterns();
    sm.LoadAllGeneralData();
    sm.InitConstantIndexes();
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
    // The file may have gone since it was looked for; nothing has been
    // touched yet, so the skin loaded before stays whole.
    if (!sc) {
        aSkinChanging = false;
        throw fw::Exception(kNotPackedSkin);
    }
    SkinData->SkinFile = IniFromOptions(*sc);
    SkinData->SkinPath = GetFullSkinDirectory() + L"\\";
    RunLoaders(*this);
}

namespace {

// Adds the skins of the skin directory to names: folders holding an
// Options.dat and files ending exactly in ".asz" (named up to their first dot).
void AddExternalNames(const fw::String& dir, TacSkinTypes SkinType, fw::TStringList& names) {
    if (!acDirExists(dir)) return;
    fw::TSearchRec f;
    if (acFindFirst(NormalDir(dir) + L"*.*", fw::faAnyFile | fw::faDirectory, f) != 0) return;
    do {
        const fw::String name = f.Name;
        if (name.empty() || name[0] == L'.') continue;
        const bool folder = (f.Attr & fw::faDirectory) != 0;
        if (SkinType != stPacked && folder && fw::FileExists(NormalDir(dir) + name + L"\\Options.dat"))
            names.Add(name);
        else if (SkinType != stUnpacked && !folder && name.size() > 4 && name.compare(name.size() - 4, 4, L".asz") == 0)
            names.Add(ExtractWord(1, name, TSysCharSet(L".")));
    } while (acFindNext(f) == 0);
    acFindClose(f);
}

fw::String FinishNames(fw::TStringList& names, fw::TStrings* sl) {
    const fw::String first = names.Count() > 0 ? names[0] : fw::String();
    names.Sort();
    sl->Assign(&names);
    return first;
}

}  // namespace

fw::String TsSkinManager::GetExternalSkinNames(fw::TStrings* sl, TacSkinTypes SkinType) {
    sl->Clear();
    fw::TStringList names;
    AddExternalNames(GetFullSkinDirectory(), SkinType, names);
    return FinishNames(names, sl);
}

fw::String TsSkinManager::GetSkinNames(fw::TStrings* sl, TacSkinTypes SkinType) {
    sl->Clear();
    fw::TStringList names;
    for (int i = 0; i < InternalSkins()->Count(); ++i) names.Add(InternalSkins()->Items(i)->Name());
    AddExternalNames(GetFullSkinDirectory(), SkinType, names);
    return FinishNames(names, sl);
}

fw::String TsSkinManager::GetRandomSkin() {
    fw::TStringList names;
    GetSkinNames(&names, stAllSkins);
    if (names.Count() == 0) return fw::String();
    fw::Randomize();
    return names[fw::Random(names.Count())];
}

// A stored skin's name becomes a file name inside the chosen folder: characters
// that would name another folder, a drive or a stream are replaced, so the
// file never lands outside the folder.
static fw::String ExtractedFileName(const fw::String& SkinName) {
    fw::String name = SkinName;
    for (wchar_t& c : name)
        if (c < L' ' || wcschr(L"\\/:<>\"|*?", c)) c = L'_';
    return name + L" extracted.asz";
}

void TsSkinManager::ExtractByIndex(int Index, const fw::String& DestDir) {
    const fw::String dir = NormalDir(DestDir);
    if (!acDirExists(dir) && !acCreateDir(dir)) {
        ShowError(L"Directory " + dir + L" creation error.");
        return;
    }
    TsStoredSkin* item = InternalSkins()->Items(Index);
    if (item->PackedData->Size() > 0) item->PackedData->SaveToFile(dir + ExtractedFileName(item->Name()));
}

void TsSkinManager::ExtractInternalSkin(const fw::String& NameOfSkin, const fw::String& DestDir) {
    bool found = false;
    for (int i = 0; i < InternalSkins()->Count(); ++i) {
        if (InternalSkins()->Items(i)->Name() != NameOfSkin) continue;
        found = true;
        if (acDirExists(DestDir))
            ExtractByIndex(i, DestDir);
        else
            ShowError(L"Directory does not exists.");
    }
    if (!found) ShowError(L"Skin does not exists.");
}

fw::String TsSkinManager::GetSkinInfo() const {
    if (!SkinData->Active) return L"N/A";
    return fw::FloatToStr(SkinData->Version);  // "." whatever the system's separator
}

}  // namespace skin
