// A framework popup menu opened for real, its items drawn from the skin.
#include <gtest/gtest.h>

#include <memory>

#include "../FrameFixtures.h"
#include "SkinnedFormKit.h"
#include "framework/windows/Menus.h"
#include "skin/engine/sMessages.h"
#include "skin/forms/sSkinMenus.h"

using namespace skin;
using namespace formstest;
using formstest::LoadedSkin;

namespace {

struct Opened {
    HWND wnd = nullptr;
    int step = 0;
    size_t cached = 0;
    bool regionSet = false;
    COLORREF itemPixel = 0;
    std::unique_ptr<fw::TBitmap> shot;
} opened;

HWND FindMenuWindow() {
    for (HWND w = FindWindowW(L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == GetCurrentProcessId() && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

void CALLBACK WatchMenu(HWND, UINT, UINT_PTR id, DWORD) {
    ++opened.step;
    HWND w = FindMenuWindow();
    if (w && opened.step >= 6 && !opened.shot) {
        opened.wnd = w;
        opened.cached = MenuInfoArray.size();
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        opened.regionSet = GetWindowRgn(w, rgn) != ERROR;
        DeleteObject(rgn);
        opened.shot = Shot(w, L"skinned-popup-menu");
    }
    if (opened.shot || opened.step > 60) {
        KillTimer(nullptr, id);
        EndMenu();
    }
}

}  // namespace

TEST(SkinnedPopupMenu, OpensWithSkinnedItemsAndFrameAndDropsItsCacheWhenClosed) {
    InstallFormSkinning();
    LoadedSkin skin(L"default", L"Stillwater");
    auto* menus = dynamic_cast<TsSkinableMenus*>(skin.sm->SkinableMenus());
    ASSERT_NE(menus, nullptr);
    skin.sm->MenuSupport()->IcoLineSkin = L"ICOLINE";
    std::unique_ptr<fw::TPopupMenu> popup(new fw::TPopupMenu(nullptr));
    const wchar_t* captions[] = {L"-Document-", L"&Open", L"&Save", L"-", L"Print preview", L"Close"};
    for (const wchar_t* c : captions) {
        auto* it = new fw::TMenuItem(popup.get());
        it->SetCaption(c);
        popup->Items()->Add(it);
    }
    popup->Items()->Items(2)->SetShortCut(fw::scCtrl | 'S');
    popup->Items()->Items(1)->SetDefault(true);
    popup->Items()->Items(4)->SetChecked(true);
    popup->Items()->Items(5)->SetEnabled(false);
    menus->HookPopupMenu(popup.get(), true);
    ASSERT_TRUE(popup->OwnerDraw());

    ClearCache();
    UINT_PTR timer = SetTimer(nullptr, 0, 50, WatchMenu);
    popup->Popup(200, 150);
    KillTimer(nullptr, timer);
    Pump(100);

    ASSERT_TRUE(opened.shot) << "the menu window was never found";
    EXPECT_EQ(opened.cached, 1u) << "one background for the opened menu";
    EXPECT_TRUE(opened.regionSet) << "the menu window got the frame's region";
    EXPECT_TRUE(MenuInfoArray.empty()) << "closing the menu dropped the cached backgrounds";
    // The window shows the skin's item colour in the middle of the items, not the system's menu colour.
    HDC dc = opened.shot->Canvas()->Handle();
    const COLORREF middle = GetPixel(dc, opened.shot->Width() - 10, opened.shot->Height() / 2);
    EXPECT_NE(middle, GetSysColor(COLOR_MENU));
    EXPECT_NEAR(int(GetGValue(middle)), int(GetGValue(COLORREF(16645114))), 12);
}
