// Form skinning is in use in every program that links the library, before
// anything of it is called: the window-creation hook skins what it meets and
// a manager gets the library's skinned menus. Nothing in this program calls
// InstallFormSkinning.
#include <gtest/gtest.h>

#include <memory>

#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sSkinManager.h"

using namespace skin;

TEST(FormSkinningStartUp, TheHooksAreSetBeforeTheProgramCallsAnything) {
    EXPECT_NE(acHookHandler, nullptr) << "the window-creation hook would skin nothing";
    EXPECT_NE(acMakeProvider, nullptr) << "forms would get no run-time provider";
    EXPECT_NE(acMakeSkinableMenus, nullptr) << "menus would stay unskinned";
}

TEST(FormSkinningStartUp, AManagerMadeFirstHasTheSkinnedMenus) {
    TsSkinManager m(nullptr);
    ASSERT_NE(m.SkinableMenus(), nullptr);
    EXPECT_EQ(m.SkinableMenus()->ClassName(), L"TsSkinableMenus");
}
