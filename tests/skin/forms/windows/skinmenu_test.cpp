// The skin-selection items of a skinned form's window menu: with the
// provider's MakeSkinMenu switch on, the menu dropped from the caption starts
// with "Available skins", a submenu of the skins the manager can load (the
// current one checked), built again at every drop; choosing one loads it.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "../FrameFixtures.h"
#include "SkinnedFormKit.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSysMenu.h"

using namespace skin;
using namespace formstest;

namespace {

std::vector<HWND> MenuWindows() {
    std::vector<HWND> found;
    for (HWND w = FindWindowW(L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() && IsWindowVisible(w)) found.push_back(w);
    return found;
}

int Hilited(HMENU Menu) {
    for (int i = 0; i < GetMenuItemCount(Menu); ++i)
        if (GetMenuState(Menu, UINT(i), MF_BYPOSITION) & MF_HILITE) return i;
    return -1;
}

// Inside the menu loop: into the skin submenu, down to the item captioned
// Wanted, chosen (or only looked at when Wanted is null).
struct SkinMenuDriver {
    TsSkinProvider* Provider = nullptr;
    const wchar_t* Wanted = nullptr;
    int Ticks = 0;
    bool FirstIsSubmenu = false;
    bool SubmenuOpened = false;
    bool Chosen = false;
} drive;

void CALLBACK DriveSkinMenu(HWND, UINT, UINT_PTR id, DWORD) {
    SkinMenuDriver& d = drive;
    auto stop = [&] {
        KillTimer(nullptr, id);
        EndMenu();
    };
    if (++d.Ticks > 100) return stop();
    const std::vector<HWND> open = MenuWindows();
    TsSystemMenu* m = d.Provider->SystemMenu;
    if (open.empty() || !m || d.Ticks < 4) return;
    const HMENU top = m->Handle();
    d.FirstIsSubmenu = GetSubMenu(top, 0) != nullptr;
    if (!d.Wanted || !d.FirstIsSubmenu) return stop();
    fw::TMenuItem* skins = m->Items()->Items(0);
    if (open.size() == 1) {
        // The skin item lit, then opened.
        PostMessageW(open[0], WM_KEYDOWN, Hilited(top) == 0 ? VK_RIGHT : VK_DOWN, 0);
        return;
    }
    d.SubmenuOpened = true;
    const HMENU sub = skins->Handle();
    int want = -1;
    for (int i = 0; i < skins->Count(); ++i)
        if (skins->Items(i)->Caption() == d.Wanted) want = i;
    if (want < 0) return stop();
    if (Hilited(sub) == want) {
        d.Chosen = true;
        KillTimer(nullptr, id);
        PostMessageW(open[0], WM_KEYDOWN, VK_RETURN, 0);
    } else {
        PostMessageW(open[0], WM_KEYDOWN, VK_DOWN, 0);
    }
}

void DropFromCaption(TsSkinProvider* sp, const wchar_t* Wanted) {
    const HWND h = sp->Form->Handle();
    RECT wr;
    GetWindowRect(h, &wr);
    const LPARAM at = MAKELPARAM(wr.left + sp->OffsetX() + 60, wr.top + sp->OffsetY() / 2);
    drive = SkinMenuDriver();
    drive.Provider = sp;
    drive.Wanted = Wanted;
    const UINT_PTR timer = SetTimer(nullptr, 0, 60, DriveSkinMenu);
    SendMessageW(h, WM_NCRBUTTONDOWN, HTCAPTION, at);
    SendMessageW(h, WM_NCRBUTTONUP, HTCAPTION, at);
    KillTimer(nullptr, timer);
    Pump(300);
}

int SkinItemsCount(TsSystemMenu* m) {
    int n = 0;
    for (int i = 0; i < m->Items()->Count(); ++i)
        if (m->Items()->Items(i)->Name() == L"SkinSelectItem") ++n;
    return n;
}

}  // namespace

TEST(SkinnedSystemMenu, MakeSkinMenuPutsTheSkinsFirstAndLoadsTheOneChosen) {
    InstallFormSkinning();
    LoadedSkin skin(L"test", L"T1");
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Skin menu probe");
    form->SetBounds(120, 90, 360, 240);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(150);
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    ASSERT_TRUE(sp->Skinned());

    // Off (the default): the window menu as copied, no skin items.
    DropFromCaption(sp, nullptr);
    ASSERT_NE(nullptr, sp->SystemMenu);
    EXPECT_FALSE(drive.FirstIsSubmenu);
    EXPECT_EQ(0, SkinItemsCount(sp->SystemMenu));

    // On: the skins come first, a line after them; twice dropped, still one list.
    sp->SetMakeSkinMenu(true);
    DropFromCaption(sp, nullptr);
    DropFromCaption(sp, nullptr);
    EXPECT_TRUE(drive.FirstIsSubmenu);
    fw::TMenuItem* root = sp->SystemMenu->Items();
    ASSERT_GT(root->Count(), 2);
    EXPECT_EQ(1, SkinItemsCount(sp->SystemMenu));
    EXPECT_EQ(L"SkinSelectItem", root->Items(0)->Name());
    EXPECT_EQ(L"Available skins", root->Items(0)->Caption());
    EXPECT_TRUE(root->Items(1)->IsLine());
    EXPECT_FALSE(root->Items(2)->IsLine());
    fw::TMenuItem* skins = root->Items(0);
    bool t1Checked = false, hasPaint = false;
    for (int i = 0; i < skins->Count(); ++i) {
        EXPECT_TRUE(skins->Items(i)->RadioItem());
        EXPECT_EQ(skins->Items(i)->Caption() == L"T1", skins->Items(i)->Checked()) << i;
        t1Checked |= skins->Items(i)->Caption() == L"T1" && skins->Items(i)->Checked();
        hasPaint |= skins->Items(i)->Caption() == L"TPaint";
    }
    EXPECT_TRUE(t1Checked);
    ASSERT_TRUE(hasPaint);

    // Chosen through the open submenu: the manager loads that skin.
    DropFromCaption(sp, L"TPaint");
    EXPECT_TRUE(drive.SubmenuOpened);
    EXPECT_TRUE(drive.Chosen);
    EXPECT_EQ(L"TPaint", skin.sm->SkinName());
}
