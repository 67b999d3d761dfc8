// Popup menus under a skin, opened for real. The items measure and draw
// themselves from the skin over one background per open menu; the
// window-creation hook gives each menu window one wrapper (its only
// subclass) that paints its frame and the background around the items from
// the "MAINMENU" section (over Wine's own painting, which gives the window no
// frame of its own), takes the frame from the menu's cached background when
// one of the window's size exists, answers the region flag the menu code
// asks for, and is freed with the menu's caches when the menu closes; a
// submenu closing frees only its own window's wrapper.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "../FrameFixtures.h"
#include "SkinnedFormKit.h"
#include "framework/graphics/Bitmap.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sMessages.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"
#include "skin/windows/acMnuWnd.h"

using namespace skin;
using namespace formstest;
using formstest::LoadedSkin;

namespace {

constexpr COLORREF kCachedFrame = RGB(200, 30, 160);

struct Opened {
    HWND wnd = nullptr;
    int step = 0;
    size_t cached = 0;
    bool regionSet = false;
    bool wrapped = false;
    bool ownHandler = false;
    COLORREF itemPixel = 0;
    int innerEdge = -1;
    std::unique_ptr<fw::TBitmap> shot;
} opened;

// Pixels of the band just inside the right frame, over the rows of the
// menu's plain items at Positions, where the window differs from the menu's
// background: no text reaches there, so a plain item (disabled ones blended
// with the background too) must show the background of its own place.
int InnerEdgeMismatches(HWND Wnd, fw::TBitmap& Shot, fw::TBitmap* Bg, std::initializer_list<UINT> Positions) {
    if (!Bg || Bg->Width() != Shot.Width() || Bg->Height() != Shot.Height()) return -1;
    const HMENU menu = HMENU(SendMessageW(Wnd, MN_GETHMENU, 0, 0));
    RECT wr;
    GetWindowRect(Wnd, &wr);
    int bad = 0;
    for (UINT pos : Positions) {
        RECT r{};
        if (!GetMenuItemRect(nullptr, menu, pos, &r)) return -2;
        for (int y = r.top - wr.top; y < r.bottom - wr.top; ++y)
            for (int x = Shot.Width() - 2 * kMenuFrameWidth; x < Shot.Width() - kMenuFrameWidth; ++x)
                if (GetPixel(Shot.Canvas()->Handle(), x, y) != GetPixel(Bg->Canvas()->Handle(), x, y)) ++bad;
    }
    return bad;
}

HWND FindMenuWindow() {
    for (HWND w = FindWindowW(L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == GetCurrentProcessId() && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

TacMnuWnd* MenuWrapper(HWND w) { return dynamic_cast<TacMnuWnd*>(WrapperOf(w)); }

void CALLBACK WatchMenu(HWND, UINT, UINT_PTR id, DWORD) {
    ++opened.step;
    HWND w = FindMenuWindow();
    if (w && opened.step >= 6 && !opened.shot) {
        opened.wnd = w;
        opened.cached = MenuInfoArray.size();
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        opened.regionSet = GetWindowRgn(w, rgn) != ERROR;
        DeleteObject(rgn);
        TacMnuWnd* mw = MenuWrapper(w);
        opened.wrapped = mw && SendMessageW(w, SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0) == 1;
        opened.ownHandler = mw && mw->RunsOwnHandler();
        opened.shot = Shot(w, L"skinned-popup-menu");
        // Open, Save, Print preview and the disabled Close.
        if (!MenuInfoArray.empty())
            opened.innerEdge = InnerEdgeMismatches(w, *opened.shot, MenuInfoArray[0].Bmp, {1, 2, 4, 5});
    }
    if (opened.shot || opened.step > 60) {
        KillTimer(nullptr, id);
        EndMenu();
    }
}

fw::TMenuItem* Item(const wchar_t* Caption) {
    fw::TMenuItem* item = fw::Create<fw::TMenuItem>(nullptr);
    item->SetCaption(Caption);
    return item;
}

// "Open", "Recent" (with two items of its own), "Close", skinned.
fw::TPopupMenu* NewMenu(TsSkinableMenus* Menus) {
    auto* menu = fw::Create<fw::TPopupMenu>(nullptr);
    menu->SetMenuAnimation({fw::maNone});
    menu->Items()->Add(Item(L"Open"));
    fw::TMenuItem* recent = Item(L"Recent");
    recent->Add(Item(L"First book"));
    recent->Add(Item(L"Second book"));
    menu->Items()->Add(recent);
    menu->Items()->Add(Item(L"Close"));
    Menus->HookPopupMenu(menu, true);
    return menu;
}

// The visible menu windows of this thread, top-level first.
std::vector<HWND> MenuWindows() {
    std::vector<HWND> found;
    for (HWND w = FindWindowW(L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() && IsWindowVisible(w)) found.push_back(w);
    return found;
}

// Steps run one per timer tick inside the menu's loop; a step answering
// false is tried again. The loop is ended when the steps are done or stall.
std::vector<std::function<bool()>> gSteps;
size_t gStep = 0;
int gTicks = 0;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR Id, DWORD) {
    if (++gTicks > 80 || gStep >= gSteps.size()) {
        KillTimer(nullptr, Id);
        EndMenu();
        return;
    }
    if (gSteps[gStep]()) ++gStep;
}

void RunMenu(fw::TPopupMenu* Menu, int X, int Y, std::vector<std::function<bool()>> Steps) {
    // The menu loop follows the real cursor: one left over the menu's place
    // by an earlier test would choose items and open or close submenus
    // between the keys the steps send.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    gSteps = std::move(Steps);
    gStep = 0;
    gTicks = 0;
    SetTimer(nullptr, 0, 120, StepTimer);
    Menu->Popup(X, Y);
    Pump(100);
}

// Pixels of the window's 3-pixel frame (inside its region) that differ from Image's.
int FrameMismatches(HWND w, fw::TBitmap* Image) {
    if (!Image) return -1;
    auto shot = Shot(w);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool haveRgn = GetWindowRgn(w, rgn) != ERROR;
    int bad = 0;
    for (int y = 0; y < shot->Height(); ++y)
        for (int x = 0; x < shot->Width(); ++x) {
            const bool frame = x < kMenuFrameWidth || y < kMenuFrameWidth || x >= shot->Width() - kMenuFrameWidth ||
                               y >= shot->Height() - kMenuFrameWidth;
            if (!frame || (haveRgn && !PtInRegion(rgn, x, y))) continue;
            if (GetPixel(shot->Canvas()->Handle(), x, y) != GetPixel(Image->Canvas()->Handle(), x, y)) ++bad;
        }
    DeleteObject(rgn);
    return bad;
}

// The menu's cached background when it has the window's size.
fw::TBitmap* SizedMenuBitmap(TsSkinableMenus* Menus, HWND w) {
    fw::TBitmap* bmp = Menus->CachedMenuBitmap(w);
    RECT wr;
    GetWindowRect(w, &wr);
    return bmp && bmp->Width() == wr.right - wr.left && bmp->Height() == wr.bottom - wr.top ? bmp : nullptr;
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
    // Away from the menu: an item under the cursor would be drawn selected.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    UINT_PTR timer = SetTimer(nullptr, 0, 50, WatchMenu);
    popup->Popup(200, 150);
    KillTimer(nullptr, timer);
    Pump(100);

    ASSERT_TRUE(opened.shot) << "the menu window was never found";
    EXPECT_EQ(opened.cached, 1u) << "one background for the opened menu";
    EXPECT_TRUE(opened.regionSet) << "the menu window got the frame's region";
    // The frame's region came through the hook's wrapper, which still runs
    // on top: the window was not subclassed a second time.
    EXPECT_TRUE(opened.wrapped);
    EXPECT_TRUE(opened.ownHandler);
    EXPECT_EQ(0, opened.innerEdge) << "item backgrounds taken from another place of the menu's background";
    EXPECT_TRUE(MenuInfoArray.empty()) << "closing the menu dropped the cached backgrounds";
    EXPECT_TRUE(MnuArray.empty()) << "closing the menu freed its window's wrapper";
    // The window shows the skin's item colour in the middle of the items, not the system's menu colour.
    HDC dc = opened.shot->Canvas()->Handle();
    const COLORREF middle = GetPixel(dc, opened.shot->Width() - 10, opened.shot->Height() / 2);
    EXPECT_NE(middle, GetSysColor(COLOR_MENU));
    EXPECT_NEAR(int(GetGValue(middle)), int(GetGValue(COLORREF(16645114))), 12);
}

TEST(SkinnedPopupMenus, EachMenuWindowIsFramedFromTheSkinAndFreedWithTheMenu) {
    InstallFormSkinning();
    LoadedSkin skin(L"default", L"Stillwater");
    auto* menus = dynamic_cast<TsSkinableMenus*>(skin.sm->SkinableMenus());
    ASSERT_NE(menus, nullptr);
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Menu owner");
    form->SetBounds(80, 80, 360, 260);
    form->Show();
    Pump(80);
    ASSERT_NE(nullptr, ProviderOf(form.get()));
    std::unique_ptr<fw::TPopupMenu, FormFree> menu(NewMenu(menus));
    ASSERT_TRUE(menu->OwnerDraw());
    const int x = 120, y = 130;

    HWND top = nullptr, sub = nullptr;
    TacMnuWnd* topWrapper = nullptr;
    bool shotTaken = false;
    RunMenu(menu.get(), x, y,
            {
                [&] {
                    // Open, and its items drawn (they build the background).
                    const std::vector<HWND> open = MenuWindows();
                    if (open.size() != 1 || !SizedMenuBitmap(menus, open[0])) return false;
                    top = open[0];
                    return true;
                },
                [&] {
                    // Wine's menu window has no frame of its own: the client
                    // is the whole window.
                    RECT wr, cr;
                    GetWindowRect(top, &wr);
                    GetClientRect(top, &cr);
                    EXPECT_EQ(fw::TPoint(0, 0), MenuClientOffset(top));
                    EXPECT_EQ(wr.right - wr.left, cr.right);
                    EXPECT_EQ(wr.bottom - wr.top, cr.bottom);

                    topWrapper = MenuWrapper(top);
                    EXPECT_NE(nullptr, topWrapper);
                    EXPECT_EQ(1, SendMessageW(top, SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0));
                    EXPECT_EQ(1u, MnuArray.size());
                    if (!topWrapper) return true;
                    EXPECT_TRUE(acCanHookMenu);
                    // The items built the menu's background and gave the
                    // window its region through the wrapper, which stays
                    // the window's only subclass.
                    fw::TBitmap* bg = SizedMenuBitmap(menus, top);
                    EXPECT_NE(nullptr, bg);
                    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
                    EXPECT_NE(ERROR, GetWindowRgn(top, rgn));
                    DeleteObject(rgn);
                    EXPECT_TRUE(topWrapper->RunsOwnHandler());
                    // The frame is the background's: Wine's raised edge is gone.
                    EXPECT_EQ(0, FrameMismatches(top, bg));
                    // Below the last item the background shows.
                    auto shot = Shot(top, L"popup-menu-skinned");
                    shotTaken = true;
                    const int cy = shot->Height() - 5;
                    if (bg) {
                        EXPECT_EQ(GetPixel(bg->Canvas()->Handle(), 6, cy), GetPixel(shot->Canvas()->Handle(), 6, cy));
                    }
                    // Without a menu background the frame comes from the
                    // section's image.
                    menus->ClearCache();
                    SendMessageW(top, WM_NCPAINT, 1, 0);
                    EXPECT_EQ(0, FrameMismatches(top, topWrapper->SkinData->FCacheBmp));
                    // The region query: unset after a background erase, set
                    // when the frame code records it, cleared by the next erase.
                    HDC dc = GetDC(top);
                    SendMessageW(top, WM_ERASEBKGND, WPARAM(dc), 0);
                    EXPECT_EQ(0, SendMessageW(top, SM_ALPHACMD, MAKEWPARAM(0, smcMenuRgnQuery), 0));
                    SendMessageW(top, SM_ALPHACMD, MAKEWPARAM(0, smcMenuRgnSetting), 0);
                    EXPECT_EQ(1, SendMessageW(top, SM_ALPHACMD, MAKEWPARAM(0, smcMenuRgnQuery), 0));
                    SendMessageW(top, WM_ERASEBKGND, WPARAM(dc), 0);
                    ReleaseDC(top, dc);
                    EXPECT_EQ(0, SendMessageW(top, SM_ALPHACMD, MAKEWPARAM(0, smcMenuRgnQuery), 0));
                    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
                    return true;
                },
                [&] {
                    // A cached background of the window's size gives the frame.
                    fw::TBitmap* bmp = SizedMenuBitmap(menus, top);
                    EXPECT_NE(nullptr, bmp) << "the redrawn items built the background again";
                    if (bmp) {
                        RECT all{0, 0, bmp->Width(), bmp->Height()};
                        HBRUSH b = CreateSolidBrush(kCachedFrame);
                        FillRect(bmp->Canvas()->Handle(), &all, b);
                        DeleteObject(b);
                        RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
                        EXPECT_EQ(0, FrameMismatches(top, bmp));
                    }
                    // Into the submenu: "Recent" chosen, then opened.
                    PostMessageW(top, WM_KEYDOWN, VK_DOWN, 0);
                    PostMessageW(top, WM_KEYDOWN, VK_DOWN, 0);
                    PostMessageW(top, WM_KEYDOWN, VK_RIGHT, 0);
                    return true;
                },
                [&] {
                    const std::vector<HWND> open = MenuWindows();
                    if (open.size() != 2) return false;
                    sub = open[0] == top ? open[1] : open[0];
                    EXPECT_EQ(2u, MnuArray.size());
                    EXPECT_NE(nullptr, MenuWrapper(sub));
                    EXPECT_NE(topWrapper, MenuWrapper(sub));
                    PostMessageW(sub, WM_KEYDOWN, VK_LEFT, 0);
                    return true;
                },
                [&] {
                    if (IsWindow(sub) && IsWindowVisible(sub)) {
                        // A key the busy menu loop dropped is given again.
                        if (gTicks % 8 == 0) PostMessageW(sub, WM_KEYDOWN, VK_LEFT, 0);
                        return false;
                    }
                    // The submenu's wrapper let go of its window; the parent's
                    // stays attached and both are kept until the last closes.
                    EXPECT_EQ(2u, MnuArray.size());
                    EXPECT_EQ(topWrapper, MenuWrapper(top));
                    EXPECT_FALSE(topWrapper->Destroyed);
                    EXPECT_FALSE(IsWindow(sub));
                    EXPECT_TRUE(MenuWrapper(sub) == nullptr || MenuWrapper(sub)->Destroyed);
                    // The backgrounds went with the closed menu window; the
                    // parent's items, redrawn, built theirs again.
                    for (const TacMenuInfo& mi : MenuInfoArray) EXPECT_NE(sub, mi.Wnd);
                    if (fw::TBitmap* again = menus->CachedMenuBitmap(top)) {
                        EXPECT_NE(kCachedFrame,
                                  GetPixel(again->Canvas()->Handle(), again->Width() / 2, again->Height() / 2))
                            << "the backgrounds go with a closed menu window";
                    }
                    EXPECT_FALSE(acCanHookMenu);
                    PostMessageW(top, WM_KEYDOWN, VK_ESCAPE, 0);
                    return true;
                },
            });
    EXPECT_EQ(gSteps.size(), gStep) << "the menu loop stalled";
    EXPECT_TRUE(shotTaken);
    EXPECT_FALSE(IsWindow(top) && IsWindowVisible(top));
    // Closed: every wrapper freed, with the cached backgrounds.
    EXPECT_TRUE(MnuArray.empty());
    EXPECT_TRUE(MenuInfoArray.empty());
    EXPECT_FALSE(acCanHookMenu);

    // Without skinned popups the hook leaves menu windows alone.
    skin.sm->SetSkinnedPopups(false);
    bool plain = false;
    RunMenu(menu.get(), x, y, {[&] {
                const std::vector<HWND> open = MenuWindows();
                if (open.empty()) return false;
                plain = MnuArray.empty() && !MenuWrapper(open[0]);
                PostMessageW(open[0], WM_KEYDOWN, VK_ESCAPE, 0);
                return true;
            }});
    EXPECT_TRUE(plain);
    acCanHookMenu = false;
}
