// The skin manager: the component an application places on a form to get a
// skinned user interface. It owns the loaded skin (the tables), its settings
// and subordinate objects, decides when a skin is broadcast to the
// application's windows, installs the thread's window-creation hook, watches
// the application window's messages and answers colour questions.
//
// The first manager created becomes DefaultManager, the manager of every
// skinned control that names none; freeing it leaves no default manager.
//
// Loading: setting SkinName (and Active, CommonSections, HueOffset, ...)
// loads the skin through ReloadSkin / ReloadPackedSkin. While the owning
// form is still being read (csLoading/csReading) nothing is broadcast; Loaded
// sends the new skin once. A load that fails clears the skin-changing state
// and frees what it made; at run time the error propagates to the code that
// set the property, while the form is being read it goes to the
// application's error handler so that a bad stored skin cannot end the
// program (the manager then switches itself off, as when no skin is found,
// and Loaded broadcasts nothing).
//
// The skin comes from a packed file "<SkinDirectory>\<SkinName>.asz", else
// a folder "<SkinDirectory>\<SkinName>\" with Options.dat, else a stored
// skin (the first one when none has the name, and SkinName follows it); with
// none of them the manager switches itself off (sSkinSources.cpp). The
// loaders then run in a fixed order: images (sSkinImages.cpp), patterns,
// general data (sSkinOptions.cpp), the well-known indexes. A stored skin
// without packed bytes (the older form) is read from its collections.
#pragma once

#include <memory>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/rtl/Component.h"
#include "framework/rtl/StringList.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Messages.h"
#include "skin/engine/acSkinPack.h"
#include "skin/engine/sManagerSettings.h"
#include "skin/engine/sMaskData.h"
#include "skin/engine/sStoredSkins.h"
#include "skin/engine/sStyleSimply.h"

namespace fw {
class TBitmap;
class TMemIniFile;
class TMenuItem;
}  // namespace fw

namespace skin {

class TsSkinableMenusBase;
class TacMenuSupport;

enum TacSkinningRule { srStdForms, srStdDialogs, srThirdParty };
using TacSkinningRules = fw::Set<TacSkinningRule>;
enum TacSkinTypes { stUnpacked, stPacked, stAllSkins };
enum TacSkinPlaces { spInternal, spExternal, spAllPlaces };
using TacSkinInfo = fw::String;
using fw::saIgnore, fw::saRestore, fw::saMinimize, fw::saMaximize;
using fw::TShowAction;

using TacGetExtraLineData = fw::Method<void(fw::TMenuItem* FirstItem, fw::String& SkinSection, fw::String& Caption,
                                            fw::TBitmap*& Glyph, bool& LineVisible)>;

// Messages the skinned menus post to the application window.
constexpr UINT msgMenuItemBorder = 0xBCB3;  // LParam = the command of the item being drawn
constexpr UINT msgMenuWndBorder = 0xBCB4;   // LParam = the menu window

class TsSkinManager;
// The manager of every skinned control that names none (first one created).
extern TsSkinManager* DefaultManager;
// Set by the manager while it broadcasts a new skin; controls do not mark
// their background changed meanwhile.
extern bool RestrictDrawing;

class TsSkinManager : public fw::TComponent {
public:
    explicit TsSkinManager(fw::TComponent* AOwner);
    ~TsSkinManager() override;
    fw::String ClassName() const override { return L"TsSkinManager"; }
    void AfterConstruction() override;
    void Loaded() override;
    // ThirdParty, whose lists a form resource sets by name.
    const fw::TPropTable* PublishedProperties() const override;

    // ---- published properties
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    bool AllowGlowing() const;  // stored value, layered windows available, not x64woAero
    void SetAllowGlowing(bool Value) { FAllowGlowing = Value; }
    TacAnimEffects* AnimEffects() { return &FAnimEffects; }
    fw::TStringList* CommonSections() { return &FCommonSections; }
    void SetCommonSections(const fw::TStrings* Value);
    bool ExtendedBorders() const;  // stored value and layered windows available
    void SetExtendedBorders(bool Value);
    int HueOffset() const { return FHueOffset; }
    void SetHueOffset(int Value);
    TsStoredSkins* InternalSkins() { return FBuiltInSkins.get(); }
    void SetBuiltInSkins(const TsStoredSkins* Value) { FBuiltInSkins->Assign(Value); }
    bool IsDefault() const { return DefaultManager == this; }
    void SetIsDefault(bool Value);
    TacMenuSupport* MenuSupport() { return FMenuSupport.get(); }
    int Saturation() const { return FSaturation; }
    void SetSaturation(int Value);
    const fw::String& SkinDirectory() const { return FSkinDirectory; }
    void SetSkinDirectory(const fw::String& Value);
    const fw::String& SkinName() const { return FSkinName; }
    void SetSkinName(const fw::String& Value);
    bool SkinnedPopups() const { return FSkinnedPopups; }
    void SetSkinnedPopups(bool Value);
    TacSkinningRules SkinningRules() const { return FSkinningRules; }
    void SetFSkinningRules(TacSkinningRules Value);
    ThirdPartyList* ThirdParty() { return &FThirdParty; }
    fw::TNotifyEvent OnAfterChange, OnBeforeChange;
    TacGetExtraLineData OnGetMenuExtraLineData;

    // ---- public
    int GroupIndex = 0;
    TsSkinableMenusBase* SkinableMenus() const { return FSkinableMenus; }
    // A manager made before the form skinning was put to use swaps its inert
    // menus for the library's (acMakeSkinableMenus), so the order of the two
    // does not decide whether menus are skinned.
    void AdoptSkinableMenus();
    HWND ActiveControl() const { return FActiveControl; }
    // Tells the previous hot window smcActiveControlLeave, then the new one
    // smcActiveControlEnter (LParam = this manager).
    void SetActiveControl(HWND Wnd);

    // ---- skin changes and broadcasts
    void SendNewSkin(bool Repaint = true);
    void SendRemoveSkin();
    void RepaintForms();
    void UpdateSkin();
    void UpdateSkinSection(const fw::String& SectionName);
    void BeginUpdate();
    void EndUpdate(bool Repaint = false);
    void UpdateCommonDlgs();
    void LoadThirdNames(bool Overwrite);
    void UpdateThirdNames();

    // ---- hooks
    void InstallHook();
    void UnInstallHook();
    bool GlobalHookInstalled = false;
    // The hook on the application window; true: handled.
    bool MainWindowHook(fw::TMessage& Message);
    TShowAction ShowState = saIgnore;

    // ---- colours
    TColor GetGlobalColor() const;
    TColor GetGlobalFontColor() const;
    TColor GetActiveEditColor() const;
    TColor GetActiveEditFontColor() const;
    TColor GetHighLightColor() const;
    TColor GetHighLightFontColor() const;

    // ---- the loaded skin
    TsSkinData* SkinData;
    TsMaskArray ma;
    TsPatternArray pa;
    TsGeneralDataArray gd;
    TConstantSkinData ConstData;
    fw::TBitmap* MasterBitmap = nullptr;
    bool SkinIsPacked = false;
    fw::TBitmap* ShdaTemplate = nullptr;
    fw::TBitmap* ShdiTemplate = nullptr;
    RECT FormShadowSize{};
    std::vector<std::unique_ptr<fw::TStringList>> ThirdLists;

    // Writes the section values of stored skin Index into sf (not saved).
    void SaveToIni(int Index, fw::TMemIniFile* sf);

    // ---- lookups (sSkinLookups.*): indexes into gd, ma and pa, -1 when none
    int GetSkinIndex(const fw::String& SkinSection) const;
    int GetMaskIndex(int SkinIndex, const fw::String& SkinSection, const fw::String& mask) const;
    int GetMaskIndex(const fw::String& SkinSection, const fw::String& mask) const;  // no parent fallback
    int GetTextureIndex(int SkinIndex, const fw::String& SkinSection, const fw::String& PropName) const;
    int GetPatternIndex(int SkinIndex, const fw::String& SkinSection, const fw::String& pattern) const;
    bool IsValidSkinIndex(int SkinIndex) const;
    bool IsValidImgIndex(int ImageIndex) const;
    // Clears sl; with an active skin, adds every section name in table order.
    void GetSkinSections(fw::TStrings* sl) const;

    // ---- loading (sSkinSources.cpp, sSkinImages.cpp, sSkinOptions.cpp)
    // SkinDirectory made absolute against the executable's folder.
    fw::String GetFullSkinDirectory() const;
    void ReloadSkin();
    void ReloadPackedSkin();
    void LoadAllMasks();
    void LoadAllPatterns();
    void LoadAllGeneralData();
    void InitConstantIndexes();
    void InitMaskIndexes();
    void FreeBitmaps();
    void FreeJpegs();
    void CheckShadows();
    // Shows the version message for a skin newer than the library.
    void CheckVersion();
    // Names of the stored skins, then of the skin directory's skins (sorted);
    // the result is the first name found.
    fw::String GetSkinNames(fw::TStrings* sl, TacSkinTypes SkinType);
    fw::String GetExternalSkinNames(fw::TStrings* sl, TacSkinTypes SkinType);
    // A name from GetSkinNames(stAllSkins), seeded afresh on each call; empty
    // when there is none.
    fw::String GetRandomSkin();
    // Writes the packed bytes of stored skin Index to
    // "<DestDir>\<Name> extracted.asz", making DestDir (one level) when
    // missing. Nothing is written for a skin without packed bytes; a folder
    // that cannot be made is reported in the error box.
    void ExtractByIndex(int Index, const fw::String& DestDir);
    // ExtractByIndex for every stored skin named exactly NameOfSkin; DestDir
    // must exist. Errors are reported in the error box.
    void ExtractInternalSkin(const fw::String& NameOfSkin, const fw::String& DestDir);
    // The library version, "6.64".
    fw::String GetVersion() const { return L"6.64"; }
    // The loaded skin's VERSION written with "."; "N/A" without a skin.
    fw::String GetSkinInfo() const;
    // The packed skin being read (owned; freed after every load).
    std::unique_ptr<TacSkinConvertor> sc;

protected:
    void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

private:
    bool IsLoading() const;
    // Runs a reload with aSkinChanging set; on an error clears it and
    // frees the half-loaded skin before the error goes on (see the top).
    template <typename F>
    bool GuardedLoad(F&& load);
    void DropHalfLoadedSkin();
    void ReloadWithNewSetting(bool ExtendedBordersChange);

    fw::String FSkinName;
    fw::String FSkinDirectory;
    bool FActive = false;
    std::unique_ptr<TsStoredSkins> FBuiltInSkins;
    TsSkinableMenusBase* FSkinableMenus = nullptr;  // owned as a component
    bool FSkinnedPopups = true;
    fw::TStringList FCommonSections;
    bool FIsDefault = false;
    std::unique_ptr<TacMenuSupport> FMenuSupport;
    TacAnimEffects FAnimEffects;
    HWND FActiveControl = nullptr;
    TacSkinningRules FSkinningRules;
    ThirdPartyList FThirdParty;
    bool FAllowGlowing = true;
    bool FExtendedBorders = false;
    int FHueOffset = 0;
    int FSaturation = 0;
    bool hookedMainWindow_ = false;
};
// Load skins without broadcasting them (BeginUpdate / EndUpdate).
extern bool NonAutoUpdate;
// Prefer a skin folder over a packed file of the same name.
extern bool UnPackedFirst;

// Layered windows can be used (UpdateLayeredWindow exists).
bool LayeredWindowsAvailable();

}  // namespace skin
