// The library's start-up: the "/acver" switch, the built-in shadow images,
// and the settings objects the manager publishes.
#include "skin/engine/sLibraryStartUp.h"

#include <gtest/gtest.h>

#include "framework/rtl/Filer.h"
#include "framework/rtl/Properties.h"
#include "framework/rtl/Streams.h"
#include "framework/windows/DialogSeam.h"
#include "skin/engine/PNGGraphic.h"
#include "skin/engine/sManagerSettings.h"
#include "skin/engine/sSkinManager.h"

using namespace skin;
using fw::String;
namespace DialogSeam = fw::DialogSeam;

namespace {

TEST(LibraryStartUp, AcVerSwitchShowsTheVersionOnce) {
    struct Case {
        std::vector<String> args;
        bool shown;
    } cases[] = {
        {{L"/acver"}, true},
        {{L"/ACVER"}, true},
        {{L"book.swf", L"/AcVer"}, true},
        {{L"/acver", L"/ACVER"}, true},  // two matches: one message
        {{L"-acver"}, false},
        {{L"/acver2"}, false},
        {{L"acver"}, false},
        {{}, false},
    };
    for (const Case& c : cases) {
        DialogSeam::Scope seam;
        EXPECT_EQ(CheckAcVerSwitch(c.args), c.shown);
        const auto& log = DialogSeam::Log();
        ASSERT_EQ(log.size(), c.shown ? 1u : 0u);
        if (c.shown) {
            EXPECT_EQ(log[0].kind, DialogSeam::Kind::MessageDialog);
            EXPECT_EQ(log[0].Text, L"Skin components v6.64");
        }
    }
}

TEST(LibraryStartUp, ShadowImagesComeFromTheResources) {
    ASSERT_NE(acShdaImage, nullptr);
    ASSERT_NE(acShdiImage, nullptr);
    EXPECT_EQ(acShdaImage->Width(), 32);
    EXPECT_EQ(acShdaImage->Height(), 32);
    EXPECT_EQ(acShdiImage->Width(), 31);
    EXPECT_EQ(acShdiImage->Height(), 31);
    // A missing one gives no image instead of failing the start-up.
    EXPECT_EQ(LoadShadowImage(L"acNOSUCHSHADOW"), nullptr);
    EXPECT_TRUE(IsNT);
    EXPECT_EQ(OSVersionInfo.dwPlatformId, DWORD(VER_PLATFORM_WIN32_NT));
}

TEST(ManagerSettings, AnimationDefaults) {
    TsSkinManager* sm = new TsSkinManager(nullptr);
    sm->AfterConstruction();
    TacAnimEffects* a = sm->AnimEffects();
    EXPECT_EQ(a->Manager, sm);
    EXPECT_EQ(a->Buttons.Manager, sm);
    EXPECT_EQ(a->Buttons.Events, (TacBtnEvents{beMouseEnter, beMouseLeave, beMouseDown, beMouseUp}));
    EXPECT_EQ(a->SkinChanging.Time, 100);
    EXPECT_EQ(a->SkinChanging.Mode, atFading);
    EXPECT_TRUE(a->SkinChanging.Active);
    for (const TacFormAnimation* f : std::initializer_list<const TacFormAnimation*>{
             &a->DialogShow, &a->FormShow, &a->FormHide, &a->DialogHide, &a->PageChange}) {
        EXPECT_EQ(f->Time, 0) << f->ClassName();
        EXPECT_EQ(f->Mode, atAero) << f->ClassName();
        EXPECT_TRUE(f->Active) << f->ClassName();
    }
    sm->Free();
}

TEST(ManagerSettings, ThirdPartyListsByIndex) {
    ThirdPartyList list;
    list.SetString(tpPanel, L"TPanel\r\nTMyPanel");
    EXPECT_EQ(list.GetString(tpPanel), L"TPanel\r\nTMyPanel");
    list.SetString(18, L"x");  // outside 0..17: nothing
    list.SetString(-1, L"x");
    EXPECT_EQ(list.GetString(18), L"");
    EXPECT_EQ(list.GetString(-1), L"");
    EXPECT_STREQ(acThirdCaptions[tpwwEdit], L"wwEdit");
    EXPECT_STREQ(acThirdNames[tpButton], L"TButton");
}

TEST(ManagerSettings, ManagerCopiesTheListsBothWays) {
    TsSkinManager* sm = new TsSkinManager(nullptr);
    sm->AfterConstruction();
    sm->ThirdParty()->SetString(tpEdit, L"TMyEdit");
    sm->LoadThirdNames(false);  // only empty texts take the defaults
    EXPECT_EQ(sm->ThirdLists[tpEdit]->Text(), L"TMyEdit\r\n");
    sm->ThirdLists[tpGrid]->SetText(L"TStringGrid");
    sm->UpdateThirdNames();
    EXPECT_EQ(sm->ThirdParty()->GetString(tpGrid), L"TStringGrid\r\n");
    sm->LoadThirdNames(true);
    EXPECT_EQ(sm->ThirdParty()->GetString(tpEdit), L" ");
    EXPECT_EQ(sm->ThirdParty()->GetString(tpGrid), L" ");
    sm->Free();
}

// The lists are published under their names, through the manager's
// ThirdParty, the way a form resource sets them while it is read; the manager
// takes them into its class lists when loading ends.
TEST(ManagerSettings, ThirdPartyListsArePublishedByName) {
    const struct {
        TacThirdPartyTypes kind;
        const wchar_t* name;
    } names[] = {{tpEdit, L"ThirdEdits"},
                 {tpButton, L"ThirdButtons"},
                 {tpBitBtn, L"ThirdBitBtns"},
                 {tpCheckBox, L"ThirdCheckBoxes"},
                 {tpComboBox, L"ThirdComboBoxes"},
                 {tpGrid, L"ThirdGrids"},
                 {tpGroupBox, L"ThirdGroupBoxes"},
                 {tpListView, L"ThirdListViews"},
                 {tpPanel, L"ThirdPanels"},
                 {tpTreeView, L"ThirdTreeViews"},
                 {tpwwEdit, L"ThirdWWEdits"},
                 {tpGridEh, L"ThirdGridEh"},
                 {tpVirtualTree, L"ThirdVirtualTrees"},
                 {tpPageControl, L"ThirdPageControl"},
                 {tpTabControl, L"ThirdTabControl"},
                 {tpToolBar, L"ThirdToolBar"},
                 {tpStatusBar, L"ThirdStatusBar"},
                 {tpSpeedButton, L"ThirdSpeedButton"}};
    fw::TComponent* form = fw::Create<fw::TComponent>(nullptr);
    fw::BeginLoading(form);
    TsSkinManager* sm = fw::Create<TsSkinManager>(form);
    fw::TObject* third = fw::GetObjectProp(sm, L"ThirdParty");
    ASSERT_EQ(third, sm->ThirdParty());
    for (const auto& n : names) {
        SCOPED_TRACE(n.name);
        EXPECT_EQ(fw::GetStrProp(third, n.name), acThirdNames[n.kind]);
        fw::SetStrProp(third, n.name, String(L"TMy") + acThirdCaptions[n.kind]);
        EXPECT_EQ(sm->ThirdParty()->GetString(n.kind), String(L"TMy") + acThirdCaptions[n.kind]);
    }
    fw::EndLoading(form);
    EXPECT_EQ(sm->ThirdLists[tpGrid]->Text(), L"TMyGrid\r\n");
    EXPECT_EQ(sm->ThirdLists[tpSpeedButton]->Text(), L"TMySpeedButton\r\n");

    // Streamed under the same names; an empty list is left out.
    sm->ThirdParty()->SetString(tpPanel, L"");
    fw::TMemoryStream stream;
    fw::TWriter(&stream).WriteProperties(sm->ThirdParty());
    stream.SetPosition(0);
    ThirdPartyList copy;
    copy.SetString(tpPanel, L"TKeptPanel");
    fw::TReader(&stream).ReadProperties(&copy);
    for (const auto& n : names)
        if (n.kind != tpPanel) EXPECT_EQ(copy.GetString(n.kind), sm->ThirdParty()->GetString(n.kind)) << n.name;
    EXPECT_EQ(copy.GetString(tpPanel), L"TKeptPanel");
    form->Free();
}

}  // namespace
