// Menus made after a skinned form was first painted: the provider skins them
// at the next activation, non-client activation, context-menu request or
// skin refresh, and a refresh or new skin measures the menu bar anew; a
// refresh of an MDI parent with a maximised child paints the child again.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "../FrameFixtures.h"
#include "MDIKit.h"
#include "MenuBarKit.h"
#include "SkinnedFormKit.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"

using namespace skin;
using namespace formstest;

namespace {

bool Skinned(TsSkinableMenus* Menus, fw::TMenuItem* Item) {
    return Item->OnAdvancedDrawItem == fw::TAdvancedMenuDrawItemEvent(Menus, &TsSkinableMenus::sAdvancedDrawItem);
}

// A shown form whose menu bar holds one item, "&File".
std::unique_ptr<fw::TForm, FormFree> ShownFormWithMenu(const wchar_t* Caption) {
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(Caption);
    form->SetBounds(140, 100, 360, 240);
    auto* menu = new fw::TMainMenu(form.get());
    menu->Items()->Add(Item(form.get(), L"&File"));
    form->SetMenu(menu);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(200);
    return form;
}

}  // namespace

TEST(SkinnedFormMenus, MenusMadeAfterTheFirstPaintAreSkinnedAtTheNextActivationOrRequest) {
    InstallFormSkinning();
    LoadedSkin skin(L"default", L"Stillwater");
    TsSkinManager* m = skin.sm.get();
    auto form = ShownFormWithMenu(L"Late menus");
    fw::TMenuItem* file = form->Menu()->Items()->Items(0);
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(sp, nullptr);
    ASSERT_TRUE(sp->Skinned());
    auto* menus = dynamic_cast<TsSkinableMenus*>(m->SkinableMenus());
    ASSERT_NE(menus, nullptr);

    const struct {
        const char* what;
        UINT msg;
        WPARAM wp;
    } rows[] = {
        {"activation", WM_ACTIVATE, WA_ACTIVE},
        {"non-client activation", WM_NCACTIVATE, TRUE},
        {"context menu", WM_CONTEXTMENU, 0},
        {"skin refresh", SM_ALPHACMD, MAKEWPARAM(0, smcRefresh)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        // A new popup menu of the form and a new item under the bar.
        auto* popup = new fw::TPopupMenu(form.get());
        popup->SetAutoPopup(false);  // no menu loop in the test
        fw::TMenuItem* inPopup = Item(form.get(), L"&Copy");
        popup->Items()->Add(inPopup);
        fw::TMenuItem* inBar = Item(form.get(), L"&Close");
        file->Add(inBar);
        form->SetPopupMenu(popup);
        ASSERT_FALSE(Skinned(menus, inPopup));
        ASSERT_FALSE(Skinned(menus, inBar));

        SendMessageW(h, row.msg, row.wp, row.msg == SM_ALPHACMD ? LPARAM(m) : MAKELPARAM(200, 200));
        EXPECT_TRUE(Skinned(menus, inPopup));
        EXPECT_TRUE(popup->OwnerDraw());
        if (row.msg != WM_CONTEXTMENU) {
            EXPECT_TRUE(Skinned(menus, inBar));
        }
        form->SetPopupMenu(nullptr);
        popup->Free();
    }
}

TEST(SkinnedFormMenus, ARefreshOrNewSkinMeasuresTheBarAgain) {
    InstallFormSkinning();
    LoadedSkin skin(L"default", L"Stillwater");
    TsSkinManager* m = skin.sm.get();
    auto form = ShownFormWithMenu(L"Bar rows");
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(sp, nullptr);
    ASSERT_EQ(sp->LinesCount(), 1);
    for (WORD sub : {WORD(smcRefresh), WORD(smcNewSkin)}) {
        SCOPED_TRACE(sub == smcRefresh ? "refresh" : "new skin");
        sp->FLinesCount = 3;  // a count the bar no longer has
        SendMessageW(form->Handle(), SM_ALPHACMD, MAKEWPARAM(0, sub), LPARAM(m));
        Pump(60);
        EXPECT_EQ(sp->LinesCount(), 1);
    }
}

TEST(SkinnedFormMenus, ARefreshOfAnMDIParentPaintsItsMaximisedChildAgain) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    auto form = ShownMDIParent();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(sp, nullptr);
    FreeOnClose closer;
    fw::TForm* child = NewMDIChild(L"Child", &closer, fw::TRect(10, 10, 210, 150));
    SendMessageW(form->ClientHandle(), WM_MDIMAXIMIZE, WPARAM(child->Handle()), 0);
    Pump(150);
    ASSERT_TRUE(ChildMaximized(form.get()));

    ValidateRect(child->Handle(), nullptr);
    SendMessageW(form->Handle(), SM_ALPHACMD, MAKEWPARAM(0, smcRefresh), LPARAM(skin.sm.get()));
    RECT r{};
    EXPECT_TRUE(GetUpdateRect(child->Handle(), &r, FALSE)) << "the child waits to be painted again";
    Pump(60);
    CloseChildren(form.get());
}
