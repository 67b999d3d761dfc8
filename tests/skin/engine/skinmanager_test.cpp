// The skin manager under Wine: what test forms receive when a skin is loaded,
// removed and repainted, the default-manager switch, the application-window
// hook, the hot-control messages and the colour getters.
#include "skin/engine/sSkinManager.h"

#include <gtest/gtest.h>

#include "ManagerFixture.h"
#include "framework/rtl/Exception.h"
#include "framework/windows/CommonDialogs.h"
#include "framework/windows/DialogSeam.h"
#include "skin/engine/FileUtils.h"
#include "skin/engine/sLibraryStartUp.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sVclUtils.h"

using namespace skin;
using namespace enginetest;
using fw::String;

namespace {

const String kNoSkinsDir = L"C:\\NoSkinsHere";

// A manager on a form read "from its resource": properties set while loading.
TsSkinManager* LoadedManager(TRecordingForm* owner, const String& storedAsz) {
    fw::BeginLoading(owner);
    TsSkinManager* sm = NewManager(owner);
    sm->SetSkinDirectory(kNoSkinsDir);
    AddStored(sm, L"Stored (internal)", storedAsz);
    sm->SetSkinName(L"Stored (internal)");
    fw::EndLoading(owner);
    return sm;
}

// Another form, then a main form whose manager has loaded T1 as its stored skin.
struct SkinnedScene {
    Cleanup keep;
    TRecordingForm* form = keep.Keep(NewForm());
    TRecordingForm* main = keep.Keep(NewForm());
    TsSkinManager* sm = LoadedManager(main, L"test\\T1.asz");
    SkinnedScene() { form->Clear(); }
};

TEST(SkinManager, LoadsWhileReadingAndBroadcastsOnceWhenLoaded) {
    Cleanup keep;
    TRecordingForm* other = keep.Keep(NewForm());
    TRecordingForm* main = keep.Keep(NewForm());
    fw::BeginLoading(main);
    TsSkinManager* sm = NewManager(main);
    sm->SetSkinDirectory(kNoSkinsDir);
    AddStored(sm, L"Stored (internal)", L"test\\T1.asz");
    sm->SetSkinName(L"Stored (internal)");
    // Loaded already, but nothing is broadcast while the form is read.
    EXPECT_GE(sm->GetSkinIndex(L"BUTTON"), 0);
    EXPECT_TRUE(other->Got.empty());
    EXPECT_TRUE(main->Got.empty());
    EXPECT_EQ(HookCallback, nullptr);
    fw::EndLoading(main);

    EXPECT_EQ(DefaultManager, sm);
    for (TRecordingForm* f : {main, other}) {
        ASSERT_EQ(f->Got, std::vector<WORD>{smcNewSkin}) << "no lock, no repaint at start-up";
        EXPECT_EQ(f->Params[0], LPARAM(sm));
    }
    EXPECT_TRUE(sm->SkinData->Active);
    EXPECT_NE(HookCallback, nullptr);
    EXPECT_TRUE(sm->GlobalHookInstalled);
    EXPECT_NE(acSupportedList, nullptr);
    EXPECT_EQ(sm->MenuSupport()->IcoLineSkin, L"ICOLINE");
    EXPECT_FALSE(fw::UseLatestCommonDialogs) << "classic dialogs while standard dialogs are skinned";

    // Freeing the manager removes the skin from the forms still open and unhooks.
    other->Clear();
    sm->Free();
    EXPECT_EQ(other->Got, std::vector<WORD>{smcRemoveSkin});
    EXPECT_EQ(HookCallback, nullptr);
    EXPECT_EQ(acSupportedList, nullptr);
    EXPECT_EQ(DefaultManager, nullptr);
}

TEST(SkinManager, StoredSkinNamedWronglyFallsBackToTheFirst) {
    Cleanup keep;
    TRecordingForm* main = keep.Keep(NewForm());
    fw::BeginLoading(main);
    TsSkinManager* sm = NewManager(main);
    sm->SetSkinDirectory(kNoSkinsDir);
    AddStored(sm, L"First", L"default\\Stillwater.asz");
    AddStored(sm, L"Second", L"test\\T1.asz");
    sm->SetSkinName(L"first");  // names are compared with case
    fw::EndLoading(main);
    EXPECT_EQ(sm->SkinName(), L"First");
    EXPECT_TRUE(sm->SkinIsPacked);
    EXPECT_EQ(sm->sc, nullptr) << "the loader's objects are freed after loading";
}

TEST(SkinManager, FolderAndPackedFileComeBeforeTheStoredSkin) {
    Cleanup keep;
    TRecordingForm* main = keep.Keep(NewForm());
    TsSkinManager* sm = LoadedManager(main, L"default\\Stillwater.asz");
    sm->SetSkinDirectory(kvbskins::SkinsPath(L"test"));
    // T1.asz beside the folder T1: the packed file wins unless UnPackedFirst.
    for (bool unpackedFirst : {false, true}) {
        UnPackedFirst = unpackedFirst;
        sm->SetSkinName(L"T1");
        EXPECT_EQ(sm->SkinIsPacked, !unpackedFirst);
        EXPECT_EQ(sm->SkinName(), L"T1");
        EXPECT_EQ(sm->GetGlobalColor(), TColor(15790320));
    }
    UnPackedFirst = false;
}

TEST(SkinManager, ActiveOffRemovesTheSkinAndOnBringsItBack) {
    Cleanup keep;
    TRecordingForm* form = keep.Keep(NewForm());
    TRecordingForm* main = keep.Keep(NewForm());
    TsSkinManager* sm = LoadedManager(main, L"test\\T1.asz");
    ASSERT_GE(sm->ConstData.IndexGLobalInfo, 0);
    form->Clear();

    sm->SetActive(false);
    EXPECT_EQ(form->Got, std::vector<WORD>{smcRemoveSkin});
    EXPECT_TRUE(sm->gd.empty());
    EXPECT_TRUE(sm->ma.empty());
    EXPECT_EQ(sm->ConstData.IndexGLobalInfo, -1);
    EXPECT_FALSE(sm->SkinData->Active);
    EXPECT_EQ(HookCallback, nullptr);
    EXPECT_TRUE(fw::UseLatestCommonDialogs);
    form->Clear();
    sm->SetActive(false);  // unchanged: nothing
    EXPECT_TRUE(form->Got.empty());

    sm->SetActive(true);
    EXPECT_EQ(form->Got, (std::vector<WORD>{smcNewSkin, smcStopFading, smcRefresh}));
    EXPECT_GE(sm->ConstData.IndexGLobalInfo, 0);
    EXPECT_NE(HookCallback, nullptr);
}

TEST(SkinManager, NoBroadcastBetweenBeginAndEndUpdate) {
    SkinnedScene scene;
    TRecordingForm* form = scene.form;
    TsSkinManager* sm = scene.sm;
    sm->BeginUpdate();
    sm->SetSkinName(L"Stored (internal)");
    EXPECT_TRUE(form->Got.empty());
    sm->EndUpdate(false);
    EXPECT_EQ(form->Got, (std::vector<WORD>{smcNewSkin, smcStopFading, smcRefresh}));
}

TEST(SkinManager, UpdateSkinSectionNamesTheSectionInCapitals) {
    Cleanup keep;
    TRecordingForm* form = keep.Keep(NewForm());
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    sm->UpdateSkinSection(L"Button");
    EXPECT_EQ(GlobalSectionName, L"BUTTON");
    EXPECT_EQ(form->Got, std::vector<WORD>{smcUpdateSection});
    EXPECT_EQ(form->Params[0], 0);
}

TEST(SkinManager, TheFirstManagerIsDefaultUntilAnotherIsMadeDefault) {
    Cleanup keep;
    TRecordingForm* form = keep.Keep(NewForm());
    TRecordingForm* main = keep.Keep(NewForm());
    TsSkinManager* first = LoadedManager(main, L"test\\T1.asz");
    TsSkinManager* second = keep.Keep(NewManager(nullptr));
    EXPECT_TRUE(first->IsDefault());
    EXPECT_FALSE(second->IsDefault());
    second->SetIsDefault(false);  // asking to stop being default changes nothing
    EXPECT_EQ(DefaultManager, first);

    AddStored(second, L"Second", L"default\\Stillwater.asz");
    second->SetSkinDirectory(kNoSkinsDir);
    second->SetSkinName(L"Second");
    form->Clear();
    HHOOK hook = HookCallback;
    ASSERT_NE(hook, nullptr);
    second->SetIsDefault(true);
    EXPECT_EQ(DefaultManager, second);
    EXPECT_EQ(HookCallback, hook) << "the new default takes the hook over instead of adding one";
    EXPECT_TRUE(second->GlobalHookInstalled);
    EXPECT_FALSE(first->IsDefault());
    ASSERT_FALSE(form->Got.empty());
    EXPECT_EQ(form->Got.front(), smcNewSkin);
    EXPECT_EQ(form->Params.front(), LPARAM(second));

    // Freeing the default manager leaves none; the other does not take over.
    keep.owned.pop_back();
    second->Free();
    EXPECT_EQ(DefaultManager, nullptr);
    EXPECT_EQ(HookCallback, nullptr);
    EXPECT_FALSE(first->IsDefault());
    EXPECT_FALSE(first->GlobalHookInstalled);
}

// The application window keeps calling the hook of the first manager; freeing
// that manager after another became default must take the hook away with it.
TEST(SkinManager, AFormerDefaultManagerLeavesTheApplicationWindowWhenFreed) {
    Cleanup keep;
    TRecordingForm* form = keep.Keep(NewForm());
    TsSkinManager* first = NewManager(nullptr);
    TsSkinManager* second = keep.Keep(NewManager(nullptr));
    second->SetActive(false);
    second->SetIsDefault(true);
    first->Free();
    form->Clear();
    // A freed manager still hooked would be called here.
    SendMessageW(fw::Application->Handle(), fw::CM_ACTIVATE, 0, 0);
    EXPECT_TRUE(form->Got.empty()) << "the second manager never hooked the application window";
    EXPECT_EQ(DefaultManager, second);
}

TEST(SkinManager, ANewManagerAfterTheDefaultIsFreedBecomesDefault) {
    TsSkinManager* a = NewManager(nullptr);
    EXPECT_EQ(DefaultManager, a);
    TsSkinManager* b = NewManager(nullptr);
    a->Free();
    EXPECT_EQ(DefaultManager, nullptr);
    TsSkinManager* c = NewManager(nullptr);
    EXPECT_EQ(DefaultManager, c);
    b->Free();
    EXPECT_EQ(DefaultManager, c);
    c->Free();
}

TEST(SkinManager, DefaultsOfANewManager) {
    TsSkinManager* sm = NewManager(nullptr);
    EXPECT_TRUE(sm->Active());
    EXPECT_EQ(sm->SkinDirectory(), L"c:\\Skins");
    EXPECT_TRUE(sm->SkinName().empty());
    EXPECT_TRUE(sm->SkinnedPopups());
    EXPECT_EQ(sm->SkinningRules(), (TacSkinningRules{srStdForms, srStdDialogs, srThirdParty}));
    EXPECT_EQ(sm->HueOffset(), 0);
    EXPECT_EQ(sm->Saturation(), 0);
    EXPECT_FALSE(sm->ExtendedBorders());
    EXPECT_EQ(sm->InternalSkins()->Count(), 0);
    EXPECT_EQ(sm->InternalSkins()->GetOwner(), sm);
    EXPECT_EQ(sm->ShowState, saIgnore);
    EXPECT_FALSE(sm->SkinData->Active);
    EXPECT_EQ(sm->ThirdLists.size(), size_t(acThirdPartyTypesCount));
    EXPECT_EQ(sm->ThirdLists[tpButton]->Text(), L"TButton\r\n");
    EXPECT_EQ(sm->ThirdParty()->GetString(tpButton), L"TButton");
    EXPECT_EQ(sm->ThirdParty()->GetString(tpEdit), L" ");
    sm->Free();
}

TEST(SkinManager, ApplicationWindowHookTable) {
    Cleanup keep;
    TRecordingForm* form = keep.Keep(NewForm());
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    struct Case {
        UINT msg;
        WPARAM wparam;
        bool handled;
        TShowAction state;
    } cases[] = {
        {WM_SYSCOMMAND, SC_MINIMIZE, false, saMinimize},
        {WM_SYSCOMMAND, SC_RESTORE, false, saRestore},
        {WM_SYSCOMMAND, SC_MINIMIZE | 2, false, saIgnore},  // flag bits: not exactly minimise
        {WM_SYSCOMMAND, SC_MAXIMIZE, false, saIgnore},
        {WM_THEMECHANGED, 0, true, saIgnore},
        {msgMenuItemBorder, 0, true, saIgnore},
        {msgMenuWndBorder, 0, true, saIgnore},
        {WM_TIMER, 0, false, saIgnore},
    };
    for (const Case& c : cases) {
        sm->ShowState = saMaximize;
        fw::TMessage m;
        m.Msg = c.msg;
        m.WParam = c.wparam;
        EXPECT_EQ(sm->MainWindowHook(m), c.handled) << std::hex << c.msg;
        EXPECT_EQ(sm->ShowState, c.msg == WM_SYSCOMMAND ? c.state : saMaximize) << std::hex << c.msg;
    }

    // Through the real application window: activation repaints the forms.
    SendMessageW(fw::Application->Handle(), fw::CM_ACTIVATE, 0, 0);
    EXPECT_EQ(form->Count(smcRepaint), 1);

    // Without skinned popups nothing is handled and nothing is repainted.
    sm->SetSkinnedPopups(false);
    form->Clear();
    for (const Case& c : cases) {
        fw::TMessage m;
        m.Msg = c.msg;
        m.WParam = c.wparam;
        sm->ShowState = saMaximize;
        EXPECT_FALSE(sm->MainWindowHook(m));
        EXPECT_EQ(sm->ShowState, saMaximize);
    }
    SendMessageW(fw::Application->Handle(), fw::CM_ACTIVATE, 0, 0);
    EXPECT_TRUE(form->Got.empty());
    // Turning them on again asks the skinned menus to hook the menus.
    const int before = sm->SkinableMenus()->UpdateCount;
    sm->SetSkinnedPopups(true);
    EXPECT_EQ(sm->SkinableMenus()->UpdateCount, before + 1);
}

TEST(SkinManager, HotControlLeavesBeforeTheNewOneEnters) {
    Cleanup keep;
    TRecordingForm* a = keep.Keep(NewForm());
    TRecordingForm* b = keep.Keep(NewForm());
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    sm->SetActiveControl(a->Handle());
    EXPECT_EQ(a->Got, std::vector<WORD>{smcActiveControlEnter});
    EXPECT_EQ(a->Params.back(), LPARAM(sm));
    a->Clear();
    sm->SetActiveControl(a->Handle());  // the same window: nothing
    EXPECT_TRUE(a->Got.empty());
    sm->SetActiveControl(b->Handle());
    EXPECT_EQ(a->Got, std::vector<WORD>{smcActiveControlLeave});
    EXPECT_EQ(b->Got, std::vector<WORD>{smcActiveControlEnter});
    sm->SetActiveControl(nullptr);
    EXPECT_EQ(b->Got, (std::vector<WORD>{smcActiveControlEnter, smcActiveControlLeave}));
    EXPECT_EQ(sm->ActiveControl(), nullptr);
}

TEST(SkinManager, ColourGetters) {
    TsSkinManager* sm = NewManager(nullptr);
    const TColor fuchsia = 0xFF00FF;
    // Without a skin: the system's colours or "no colour".
    EXPECT_EQ(sm->GetGlobalColor(), fw::ColorToRGB(fw::clBtnFace));
    EXPECT_EQ(sm->GetGlobalFontColor(), fuchsia);
    EXPECT_EQ(sm->GetActiveEditColor(), fw::ColorToRGB(fw::clWindow));
    EXPECT_EQ(sm->GetActiveEditFontColor(), fuchsia);
    EXPECT_EQ(sm->GetHighLightColor(), fw::clHighlight);
    EXPECT_EQ(sm->GetHighLightFontColor(), fw::clHighlightText);

    TsGeneralData global;
    global.ClassName = L"GLOBALINFO";
    global.Color = 0x102030;
    global.HotColor = 0x405060;
    global.FontColor[0] = 0x708090;
    TsGeneralData edit;
    edit.ClassName = L"EDIT";
    edit.HotFontColor[0] = 0x0A0B0C;
    sm->gd = {edit, global};
    sm->ConstData.IndexGLobalInfo = 1;
    EXPECT_EQ(sm->GetGlobalColor(), TColor(0x102030));
    EXPECT_EQ(sm->GetGlobalFontColor(), TColor(0x708090));
    EXPECT_EQ(sm->GetActiveEditColor(), TColor(0x405060));
    EXPECT_EQ(sm->GetActiveEditFontColor(), TColor(0x0A0B0C));
    sm->ConstData.IndexGLobalInfo = 2;  // out of range: as without GLOBALINFO
    EXPECT_EQ(sm->GetGlobalColor(), fw::ColorToRGB(fw::clBtnFace));

    struct Case {
        TColor hot, hotFont, highlight, highlightFont;
    } cases[] = {
        {0x00AA00, 0x0000BB, 0x00AA00, 0x0000BB},
        {0x00AA00, 0, 0x00AA00, fw::clHighlightText},  // black text: the system's
        {0x00AA00, TColor(-1), 0x00AA00, fw::clHighlightText},
        {0x00AA00, 0xFFFFFF, 0x00AA00, fw::clHighlightText},
        {0xFFFFFF, 0x0000BB, fw::clHighlight, fw::clHighlightText},
        {fuchsia, 0x0000BB, fw::clHighlight, fw::clHighlightText},
        {TColor(-1), 0x0000BB, fw::clHighlight, fw::clHighlightText},
    };
    for (const Case& c : cases) {
        TsGeneralData item;
        item.ClassName = L"MENUITEM";
        item.HotColor = c.hot;
        item.HotFontColor[0] = c.hotFont;
        sm->gd = {item};
        EXPECT_EQ(sm->GetHighLightColor(), c.highlight) << std::hex << c.hot << " " << c.hotFont;
        EXPECT_EQ(sm->GetHighLightFontColor(), c.highlightFont) << std::hex << c.hot << " " << c.hotFont;
    }
    sm->gd.clear();
    sm->Free();
}

TEST(SkinManager, ChangedSettingsReloadAndRepaintWithoutANewSkinMessage) {
    SkinnedScene scene;
    TRecordingForm* form = scene.form;
    TsSkinManager* sm = scene.sm;
    sm->SetHueOffset(20);
    sm->SetHueOffset(20);
    sm->SetSaturation(-10);
    EXPECT_EQ(form->Got, (std::vector<WORD>{smcStopFading, smcRefresh, smcStopFading, smcRefresh}));
    EXPECT_FALSE(aSkinChanging);
    EXPECT_GE(sm->GetSkinIndex(L"GLOBALINFO"), 0);
}

TEST(SkinManager, CommonSectionsLoseTheirBlanksAndReload) {
    SkinnedScene scene;
    TRecordingForm* form = scene.form;
    TsSkinManager* sm = scene.sm;
    fw::TStringList lines;
    lines.SetText(L"[EXTRA]\r\nCOLOR = 1\r\n; keep me as I am\r\n\r\n");
    sm->SetCommonSections(&lines);
    EXPECT_EQ(sm->CommonSections()->Text(), L"[EXTRA]\r\nCOLOR=1\r\n; keep me as I am\r\n\r\n");
    EXPECT_EQ(form->Count(smcNewSkin), 1);
}

// A load that fails leaves no skin-changing state and no half-loaded skin;
// the stored skin's bytes are only lent, so they survive every failure.
TEST(SkinManager, FailedLoadAtRunTimeReachesTheCaller) {
    Cleanup keep;
    TRecordingForm* main = keep.Keep(NewForm());
    TsSkinManager* sm = LoadedManager(main, L"test\\T1.asz");
    TsStoredSkin* bad = AddStored(sm, L"Bad", L"test\\T1.asz");
    bad->PackedData->SetSize(bad->PackedData->Size() / 2);  // cut in the middle of an entry
    const int64_t size = bad->PackedData->Size();
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_THROW(sm->SetSkinName(L"Bad"), fw::Exception);
        EXPECT_FALSE(aSkinChanging);
        EXPECT_EQ(sm->sc, nullptr);
        EXPECT_EQ(sm->SkinData->SkinFile, nullptr);
        EXPECT_TRUE(sm->gd.empty());
        EXPECT_EQ(sm->ConstData.IndexGLobalInfo, -1);
        EXPECT_EQ(bad->PackedData->Size(), size);
    }
    // Nothing was left broken: a good skin still loads.
    sm->SetSkinName(L"Stored (internal)");
    EXPECT_GE(sm->ConstData.IndexGLobalInfo, 0);
    EXPECT_TRUE(sm->SkinData->Active);
}

TEST(SkinManager, FailedLoadWhileTheFormIsReadGoesToTheErrorDialog) {
    fw::DialogSeam::Scope seam;
    Cleanup keep;
    TRecordingForm* main = keep.Keep(NewForm());
    fw::BeginLoading(main);
    TsSkinManager* sm = NewManager(main);
    sm->SetSkinDirectory(kNoSkinsDir);
    TsStoredSkin* bad = AddStored(sm, L"Bad", L"");
    const char junk[] = "ASzf\x01\x00\x00\x00not a packed skin";
    bad->PackedData->WriteBuffer(junk, int(sizeof junk));
    EXPECT_NO_THROW(sm->SetSkinName(L"Bad"));
    fw::EndLoading(main);
    ASSERT_EQ(fw::DialogSeam::Log().size(), 1u);
    EXPECT_EQ(fw::DialogSeam::Log()[0].kind, fw::DialogSeam::Kind::ErrorDialog);
    EXPECT_FALSE(aSkinChanging);
    EXPECT_EQ(sm->sc, nullptr);
    EXPECT_TRUE(sm->gd.empty());
    EXPECT_EQ(bad->PackedData->Size(), int64_t(sizeof junk));
    // Nobody but the user got the error: the manager switched itself off, so
    // the end of reading broadcast nothing and installed no hook.
    EXPECT_FALSE(sm->Active());
    EXPECT_FALSE(sm->SkinData->Active);
    EXPECT_TRUE(main->Got.empty());
    EXPECT_EQ(HookCallback, nullptr);
    EXPECT_FALSE(sm->GlobalHookInstalled);
    EXPECT_TRUE(fw::UseLatestCommonDialogs) << "no skinned dialogs without a skin";
    EXPECT_EQ(sm->SkinName(), L"Bad");
    // Switched on again with a good skin, it loads and broadcasts that one.
    AddStored(sm, L"Good", L"test\\T1.asz");
    sm->SetSkinName(L"Good");
    EXPECT_TRUE(sm->gd.empty()) << "an inactive manager only takes the name";
    sm->SetActive(true);
    EXPECT_GE(sm->ConstData.IndexGLobalInfo, 0);
    EXPECT_TRUE(sm->SkinData->Active);
    EXPECT_EQ(main->Count(smcNewSkin), 1);
    EXPECT_NE(HookCallback, nullptr);
}

TEST(SkinManager, NoStoredSkinAndNoFileLeavesTheManagerInactive) {
    Cleanup keep;
    TRecordingForm* form = keep.Keep(NewForm());
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    sm->SetSkinDirectory(kNoSkinsDir);
    sm->SetSkinName(L"Nothing");
    EXPECT_FALSE(sm->Active());
    EXPECT_EQ(form->Got, std::vector<WORD>{smcRemoveSkin});
}

TEST(SkinManager, FullSkinDirectory) {
    TsSkinManager* sm = NewManager(nullptr);
    const String app = NormalDir(GetAppPath());
    String parent = app.substr(0, app.size() - 1);
    parent = parent.substr(0, parent.find_last_of(L"\\/") + 1);
    struct Case {
        String dir, full;
    } cases[] = {
        {L"C:\\Skins", L"C:\\Skins"},  {L"\\\\server\\skins", L"\\\\server\\skins"},
        {L".\\Skins", app + L"Skins"}, {L"./Skins", app + L"Skins"},
        {L"Skins", app + L"Skins"},    {L"..\\Skins", parent + L"Skins"},
    };
    for (const Case& c : cases) {
        sm->SetSkinDirectory(c.dir);
        EXPECT_EQ(sm->GetFullSkinDirectory(), c.full) << c.dir;
        EXPECT_EQ(sm->SkinData->SkinPath, c.full) << c.dir;
    }
    sm->Free();
}

}  // namespace
