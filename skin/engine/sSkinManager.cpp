#include "skin/engine/sSkinManager.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Jpeg.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/Properties.h"
#include "framework/windows/Application.h"
#include "framework/windows/CommonDialogs.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Screen.h"
#include "skin/engine/FileUtils.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sFormRegistry.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sLibraryStartUp.h"
#include "skin/engine/sMessageSend.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sPaintHooks.h"

namespace skin {

TsSkinManager* DefaultManager = nullptr;
bool RestrictDrawing = false;
bool NonAutoUpdate = false;
bool UnPackedFirst = false;

bool LayeredWindowsAvailable() {
    static const bool available = GetProcAddress(GetModuleHandleW(L"user32.dll"), "UpdateLayeredWindow") != nullptr;
    return available;
}

namespace {

const wchar_t* const kDefaultSkinDirectory = L"c:\\Skins";

fw::TMessage AlphaMessage(WORD Cmd, LPARAM LParam) {
    fw::TMessage m;
    m.Msg = SM_ALPHACMD;
    m.WParam = WPARAM(Cmd) << 16;
    m.LParam = LParam;
    return m;
}

}  // namespace

// ---- life cycle ------------------------------------------------------------------

TsSkinManager::TsSkinManager(fw::TComponent* AOwner) : fw::TComponent(AOwner) {
    FExtendedBorders = false;
    ShowState = saIgnore;
    if (!DefaultManager) FIsDefault = true;
    for (int i = 0; i < acThirdPartyTypesCount; ++i) ThirdLists.push_back(std::make_unique<fw::TStringList>());
    SkinData = new TsSkinData;
    SkinData->Active = false;
    FBuiltInSkins = std::make_unique<TsStoredSkins>(this);
    FSkinnedPopups = true;
    FMenuSupport = std::make_unique<TacMenuSupport>();
    FAnimEffects.Manager = this;
    FAnimEffects.Buttons.Manager = this;
    GlobalHookInstalled = false;
    FSkinningRules = {srStdForms, srStdDialogs, srThirdParty};
    if (!DefaultManager) {
        DefaultManager = this;
        if (IsNT) {
            fw::Application->HookMainWindow(fw::TWindowHook(this, &TsSkinManager::MainWindowHook));
            hookedMainWindow_ = true;
        }
    }
    FActive = true;
    FSkinableMenus = acMakeSkinableMenus ? acMakeSkinableMenus(this) : new TsSkinableMenusBase(this);
    FSkinableMenus->AfterConstruction();
}

void TsSkinManager::AfterConstruction() {
    fw::TComponent::AfterConstruction();
    LoadThirdNames(false);
    if (FSkinDirectory.empty()) FSkinDirectory = kDefaultSkinDirectory;
}

void TsSkinManager::Loaded() {
    fw::TComponent::Loaded();
    if (FSkinDirectory.empty()) FSkinDirectory = kDefaultSkinDirectory;
    if (FMenuSupport->IcoLineSkin.empty()) FMenuSupport->IcoLineSkin = L"ICOLINE";
    LoadThirdNames(false);
    if (FActive && !FSkinName.empty()) SendNewSkin(false);
    UpdateCommonDlgs();
}

TsSkinManager::~TsSkinManager() {
    SetActive(false);
    FExtendedBorders = false;
    delete ShdaTemplate;
    ShdaTemplate = nullptr;
    delete ShdiTemplate;
    ShdiTemplate = nullptr;
    FreeJpegs();
    FreeBitmaps();
    sc.reset();
    // Unhooked also when another manager has become default since: the
    // application window must never call into a freed manager.
    if (hookedMainWindow_ && fw::Application.Exists())
        fw::Application->UnhookMainWindow(fw::TWindowHook(this, &TsSkinManager::MainWindowHook));
    if (DefaultManager == this) DefaultManager = nullptr;
    UpdateThirdNames();
    delete SkinData;
    SkinData = nullptr;
    // The skinned menus are an owned component; the base destructor frees it.
}

void TsSkinManager::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
    fw::TComponent::Notification(AComponent, Operation);
}

bool TsSkinManager::IsLoading() const {
    return ComponentState().Contains(fw::csLoading) || ComponentState().Contains(fw::csReading);
}

const fw::TPropTable* TsSkinManager::PublishedProperties() const {
    static const fw::TPropTable table(
        fw::TComponent::PublishedProperties(),
        {fw::ObjectProperty<TsSkinManager, ThirdPartyList>(
            L"ThirdParty", [](const TsSkinManager& m) { return const_cast<TsSkinManager&>(m).ThirdParty(); })});
    return &table;
}

void TsSkinManager::LoadThirdNames(bool Overwrite) {
    for (int i = 0; i < acThirdPartyTypesCount; ++i) {
        if (Overwrite || FThirdParty.GetString(i).empty()) FThirdParty.SetString(i, acThirdNames[size_t(i)]);
        ThirdLists[size_t(i)]->SetText(FThirdParty.GetString(i));
    }
}

void TsSkinManager::UpdateThirdNames() {
    for (int i = 0; i < acThirdPartyTypesCount && i < int(ThirdLists.size()); ++i)
        FThirdParty.SetString(i, ThirdLists[size_t(i)]->Text());
}

// ---- activation and broadcast ----------------------------------------------------

void TsSkinManager::SetActive(bool Value) {
    if (FActive == Value) return;
    FActive = Value;
    if (Value) {
        SetSkinName(FSkinName);
        return;
    }
    if (!ComponentState().Contains(fw::csLoading)) SendRemoveSkin();
    InitConstantIndexes();
    UpdateCommonDlgs();
}

void TsSkinManager::SendNewSkin(bool Repaint) {
    if (IsLoading()) return;
    if (acClearGlows) acClearGlows();
    if (Repaint) LockForms(this);
    FSkinableMenus->SkinBorderWidth = -1;
    SkinData->Active = false;
    RestrictDrawing = true;
    InitConstantIndexes();
    fw::TMessage m = AlphaMessage(smcNewSkin, LPARAM(this));
    AppBroadCastS(m);
    RestrictDrawing = false;
    SkinData->Active = true;
    if (DefaultManager == this && !GlobalHookInstalled) InstallHook();
    if (Repaint) RepaintForms();
}

void TsSkinManager::SendRemoveSkin() {
    aSkinRemoving = true;
    if (acClearGlows) acClearGlows();
    UnInstallHook();
    SkinData->Active = false;
    fw::TMessage m = AlphaMessage(smcRemoveSkin, LPARAM(this));
    AppBroadCastS(m);
    FreeBitmaps();
    FreeJpegs();
    gd.clear();
    aSkinRemoving = false;
}

void TsSkinManager::RepaintForms() {
    fw::TMessage stop = AlphaMessage(smcStopFading, LPARAM(this));
    AppBroadCastS(stop);
    const bool loading = ComponentState().Contains(fw::csLoading);
    if (!loading) LockForms(this);
    fw::TMessage refresh = AlphaMessage(smcRefresh, LPARAM(this));
    AppBroadCastS(refresh);
    if (!loading) UnLockForms(this, true);
    if (auto* magnifier = dynamic_cast<fw::TWinControl*>(acMagnForm))
        if (magnifier->HandleAllocated())
            SendMessageW(magnifier->WindowHandle(), refresh.Msg, refresh.WParam, refresh.LParam);
    if (acSupportedList) {
        for (int i = 0; i < acSupportedList->Count(); ++i) {
            auto* entry = static_cast<TacProvider*>(acSupportedList->Items(i));
            if (entry && entry->ListSW && IsWindowVisible(entry->ListSW->DialogHandle()))
                RedrawWindow(entry->ListSW->DialogHandle(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
    }
}

void TsSkinManager::UpdateSkin() {
    if (FActive) SendNewSkin(true);
}

void TsSkinManager::UpdateSkinSection(const fw::String& SectionName) {
    GlobalSectionName = fw::UpperCase(SectionName);
    fw::TMessage m = AlphaMessage(smcUpdateSection, 0);
    AppBroadCastS(m);
}

void TsSkinManager::BeginUpdate() { NonAutoUpdate = true; }

void TsSkinManager::EndUpdate(bool Repaint) {
    NonAutoUpdate = false;
    UpdateSkin();
    if (Repaint) RepaintForms();
}

void TsSkinManager::SetIsDefault(bool Value) {
    if (Value || !DefaultManager) {
        FIsDefault = true;
        // The window-creation hook goes with the default role.
        if (DefaultManager && DefaultManager != this) {
            GlobalHookInstalled = GlobalHookInstalled || DefaultManager->GlobalHookInstalled;
            DefaultManager->GlobalHookInstalled = false;
        }
        DefaultManager = this;
        if (FActive) {
            SendNewSkin(true);
            RepaintForms();
        } else {
            SendRemoveSkin();
        }
    } else {
        FIsDefault = DefaultManager == this;
    }
}

void TsSkinManager::UpdateCommonDlgs() {
    if (DefaultManager != this) return;
    fw::UseLatestCommonDialogs = !(FSkinningRules.Contains(srStdDialogs) && FActive);
}

void TsSkinManager::SetFSkinningRules(TacSkinningRules Value) {
    FSkinningRules = Value;
    UpdateCommonDlgs();
}

void TsSkinManager::SetSkinnedPopups(bool Value) {
    if (FSkinnedPopups == Value) return;
    FSkinnedPopups = Value;
    if (Value && FSkinableMenus && DefaultManager == this) FSkinableMenus->UpdateMenus();
}

void TsSkinManager::AdoptSkinableMenus() {
    if (!acMakeSkinableMenus || (FSkinableMenus && FSkinableMenus->ClassName() != L"TsSkinableMenusBase")) return;
    TsSkinableMenusBase* inert = FSkinableMenus;
    FSkinableMenus = acMakeSkinableMenus(this);
    FSkinableMenus->AfterConstruction();
    if (inert) inert->Free();
    if (DefaultManager == this) FSkinableMenus->UpdateMenus();
}

void TsSkinManager::SetCommonSections(const fw::TStrings* Value) {
    FCommonSections.Assign(Value);
    for (int i = 0; i < FCommonSections.Count(); ++i) {
        const fw::String line = FCommonSections[i];
        if (!line.empty() && line[0] != L';') FCommonSections.SetStrings(i, DelChars(line, L' '));
    }
    SetSkinName(FSkinName);
}

void TsSkinManager::SetSkinDirectory(const fw::String& Value) {
    if (FSkinDirectory == Value) return;
    FSkinDirectory = Value;
    SkinData->SkinPath = GetFullSkinDirectory();
}

void TsSkinManager::SetHueOffset(int Value) {
    if (FHueOffset == Value) return;
    FHueOffset = Value;
    ReloadWithNewSetting(false);
}

void TsSkinManager::SetSaturation(int Value) {
    if (FSaturation == Value) return;
    FSaturation = Value;
    ReloadWithNewSetting(false);
}

void TsSkinManager::SetExtendedBorders(bool Value) {
    if (FExtendedBorders == Value) return;
    FExtendedBorders = Value;
    ReloadWithNewSetting(true);
}

bool TsSkinManager::AllowGlowing() const { return FAllowGlowing && LayeredWindowsAvailable() && !x64woAero; }

bool TsSkinManager::ExtendedBorders() const { return FExtendedBorders && LayeredWindowsAvailable(); }

// ---- loading ---------------------------------------------------------------------

void TsSkinManager::DropHalfLoadedSkin() {
    aSkinChanging = false;
    sc.reset();
    delete SkinData->SkinFile;
    SkinData->SkinFile = nullptr;
    SkinData->Active = false;
    FreeBitmaps();
    FreeJpegs();
    gd.clear();
    InitConstantIndexes();
}

template <typename F>
bool TsSkinManager::GuardedLoad(F&& load) {
    aSkinChanging = true;
    try {
        load();
        sc.reset();
        return true;
    } catch (const fw::Exception& e) {
        DropHalfLoadedSkin();
        if (!IsLoading()) throw;
        // The form is still being read: a bad skin must not end the program.
        // Nobody gets the error but the user, so the manager switches itself
        // off as when no skin is found: Loaded then broadcasts nothing and
        // installs no hook.
        FActive = false;
        fw::Application->HandleException(this, e);
        return false;
    } catch (...) {
        DropHalfLoadedSkin();
        throw;
    }
}

void TsSkinManager::SetSkinName(const fw::String& Value) {
    FSkinName = Value;
    if (!FActive) {
        UpdateCommonDlgs();
        return;
    }
    if (OnBeforeChange) OnBeforeChange(this);
    aSkinChanging = true;
    SkinData->Active = false;
    const fw::String dir = NormalDir(FSkinDirectory);
    SkinIsPacked = false;
    if (!(UnPackedFirst && acDirExists(dir + Value))) SkinIsPacked = fw::FileExists(dir + Value + L".asz");
    const bool loaded = GuardedLoad([this] {
        if (SkinIsPacked)
            ReloadPackedSkin();
        else
            ReloadSkin();
    });
    if (!loaded) return;
    if (!FActive)
        SendRemoveSkin();
    else if (!NonAutoUpdate)
        SendNewSkin(true);
    aSkinChanging = false;
    if (OnAfterChange) OnAfterChange(this);
    UpdateCommonDlgs();
}

void TsSkinManager::ReloadWithNewSetting(bool ExtendedBordersChange) {
    if (!SkinData->Active) return;
    aSkinChanging = true;
    SkinIsPacked = fw::FileExists(NormalDir(FSkinDirectory) + FSkinName + L".asz");
    const bool loaded = GuardedLoad([&] {
        if (ExtendedBordersChange) CheckShadows();
        if (SkinIsPacked)
            ReloadPackedSkin();
        else
            ReloadSkin();
    });
    aSkinChanging = false;
    if (loaded && !IsLoading()) RepaintForms();
}

void TsSkinManager::SaveToIni(int Index, fw::TMemIniFile* sf) {
    SaveStoredSkinToIni(*FBuiltInSkins->Items(Index), *sf);
}

// ---- hooks -----------------------------------------------------------------------

void TsSkinManager::InstallHook() {
    if (DefaultManager != this || GlobalHookInstalled) return;
    GlobalHookInstalled = true;
    if (!acSupportedList) acSupportedList = new fw::TList;
    // A hook left by a manager that was default before is taken over, not doubled.
    if (!HookCallback) HookCallback = SetWindowsHookExW(WH_CBT, SkinHookCBT, nullptr, GetCurrentThreadId());
}

void TsSkinManager::UnInstallHook() {
    if (DefaultManager != this || !GlobalHookInstalled) return;
    ClearMnuArray();
    if (HookCallback) UnhookWindowsHookEx(HookCallback);
    if (acSupportedList) {
        for (int i = 0; i < acSupportedList->Count(); ++i) delete static_cast<TacProvider*>(acSupportedList->Items(i));
        delete acSupportedList;
        acSupportedList = nullptr;
    }
    GlobalHookInstalled = false;
    HookCallback = nullptr;
}

void TsSkinManager::SetActiveControl(HWND Wnd) {
    if (Wnd == FActiveControl) return;
    HWND previous = FActiveControl;
    FActiveControl = Wnd;
    if (previous) SendAMessage(previous, smcActiveControlLeave, LPARAM(this));
    if (Wnd) SendAMessage(Wnd, smcActiveControlEnter, LPARAM(this));
}

bool TsSkinManager::MainWindowHook(fw::TMessage& Message) {
    if (!FSkinnedPopups) return false;
    switch (Message.Msg) {
        case WM_SYSCOMMAND:
            ShowState = Message.WParam == SC_MINIMIZE  ? saMinimize
                        : Message.WParam == SC_RESTORE ? saRestore
                                                       : saIgnore;
            return false;
        case WM_THEMECHANGED:
            return true;
        case fw::CM_ACTIVATE: {
            fw::TScreen* screen = fw::Screen;
            for (int i = screen->FormCount() - 1; i >= 0; --i)
                if (i < screen->FormCount()) SendAMessage(screen->Forms(i), smcRepaint, 0);
            return false;
        }
        case msgMenuItemBorder:
        case msgMenuWndBorder: {
            HWND wnd = Message.Msg == msgMenuWndBorder ? HWND(Message.LParam) : nullptr;
            if (wnd && FSkinableMenus) {
                if (fw::TBitmap* bmp = FSkinableMenus->CachedMenuBitmap(wnd)) FSkinableMenus->DrawWndBorder(wnd, bmp);
            } else if (FSkinableMenus && Message.Msg == msgMenuItemBorder) {
                FSkinableMenus->ItemBorder(Message.LParam);
            }
            return true;
        }
        default:
            return false;
    }
}

// ---- colours ---------------------------------------------------------------------

namespace {

bool IsRealColor(TColor c) { return c != TColor(-1) && c != 0xFF00FF && c != 0xFFFFFF; }

}  // namespace

TColor TsSkinManager::GetGlobalColor() const {
    const int i = ConstData.IndexGLobalInfo;
    if (i >= 0 && i < int(gd.size())) return fw::ColorToRGB(gd[size_t(i)].Color);
    return fw::ColorToRGB(fw::clBtnFace);
}

TColor TsSkinManager::GetGlobalFontColor() const {
    const int i = ConstData.IndexGLobalInfo;
    if (i >= 0 && i < int(gd.size())) return fw::ColorToRGB(gd[size_t(i)].FontColor[0]);
    return 0xFF00FF;
}

TColor TsSkinManager::GetActiveEditColor() const {
    const int i = ConstData.IndexGLobalInfo;
    if (i >= 0 && i < int(gd.size())) return fw::ColorToRGB(gd[size_t(i)].HotColor);
    return fw::ColorToRGB(fw::clWindow);
}

TColor TsSkinManager::GetActiveEditFontColor() const {
    const int i = GetSkinIndex(L"EDIT");
    if (i >= 0) return fw::ColorToRGB(gd[size_t(i)].HotFontColor[0]);
    return 0xFF00FF;
}

TColor TsSkinManager::GetHighLightColor() const {
    const int i = GetSkinIndex(L"MENUITEM");
    if (i >= 0 && IsRealColor(gd[size_t(i)].HotColor)) return fw::ColorToRGB(gd[size_t(i)].HotColor);
    return fw::clHighlight;
}

TColor TsSkinManager::GetHighLightFontColor() const {
    const int i = GetSkinIndex(L"MENUITEM");
    if (i >= 0) {
        const TsGeneralData& d = gd[size_t(i)];
        if (IsRealColor(d.HotFontColor[0]) && d.HotFontColor[0] != 0 && IsRealColor(d.HotColor))
            return fw::ColorToRGB(d.HotFontColor[0]);
    }
    return fw::clHighlightText;
}

}  // namespace skin
