// Popup menus under a skin: the window-creation hook gives each menu window
// one wrapper that paints its frame and the background around the items from
// the "MAINMENU" section (over Wine's own painting, which gives the window no
// frame of its own), takes the frame from the menu's cached background when
// one of the window's size exists, and is freed with the menu's caches when
// the menu closes; a submenu closing frees only its own window's wrapper.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "../FrameFixtures.h"
#include "SkinnedFormKit.h"
#include "framework/graphics/Bitmap.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"
#include "skin/engine/FormSkinningStandIns.h"
#include "skin/engine/sMessages.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"
#include "skin/windows/acMnuWnd.h"

using namespace skin;
using namespace formstest;

namespace {

constexpr COLORREF kHot = RGB(40, 90, 200);
constexpr COLORREF kCachedFrame = RGB(200, 30, 160);

// Stands in for the skinned items until they draw themselves: the measure
// marks a skinned menu as open, as theirs does, and each item shows the
// wrapper's background at its place, the hot item a plain colour.
struct ItemPainter {
    void Measure(fw::TObject*, fw::TCanvas*, int& Width, int& Height) {
        acCanHookMenu = true;
        Width = 150;
        Height = 24;
    }
    void Draw(fw::TObject* Sender, fw::TCanvas* ACanvas, fw::TRect ARect, fw::TOwnerDrawState State) {
        const HDC dc = ACanvas->Handle();
        const HWND w = WindowFromDC(dc);
        auto* mw = dynamic_cast<TacMnuWnd*>(WrapperOf(w));
        if (State.Contains(fw::odSelected) || !mw || !mw->SkinData->FCacheBmp) {
            HBRUSH b = CreateSolidBrush(kHot);
            RECT r{ARect.Left, ARect.Top, ARect.Right, ARect.Bottom};
            FillRect(dc, &r, b);
            DeleteObject(b);
        } else {
            const fw::TPoint o = MenuClientOffset(w);
            BitBlt(dc, ARect.Left, ARect.Top, ARect.Width(), ARect.Height(),
                   mw->SkinData->FCacheBmp->Canvas()->Handle(), ARect.Left + o.X, ARect.Top + o.Y, SRCCOPY);
        }
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, State.Contains(fw::odSelected) ? RGB(255, 255, 255) : RGB(20, 30, 50));
        const fw::String text = static_cast<fw::TMenuItem*>(Sender)->Caption();
        TextOutW(dc, ARect.Left + 28, ARect.Top + 4, text.c_str(), int(text.size()));
    }
} painter;

fw::TMenuItem* Item(const wchar_t* Caption) {
    fw::TMenuItem* item = fw::Create<fw::TMenuItem>(nullptr);
    item->SetCaption(Caption);
    item->OnMeasureItem = fw::TMenuMeasureItemEvent(&painter, &ItemPainter::Measure);
    item->OnAdvancedDrawItem = fw::TAdvancedMenuDrawItemEvent(&painter, &ItemPainter::Draw);
    return item;
}

// "Open", "Recent" (with two items of its own), "Close".
fw::TPopupMenu* NewMenu() {
    auto* menu = fw::Create<fw::TPopupMenu>(nullptr);
    menu->SetOwnerDraw(true);
    menu->SetMenuAnimation({fw::maNone});
    menu->Items()->Add(Item(L"Open"));
    fw::TMenuItem* recent = Item(L"Recent");
    recent->Add(Item(L"First book"));
    recent->Add(Item(L"Second book"));
    menu->Items()->Add(recent);
    menu->Items()->Add(Item(L"Close"));
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
    gSteps = std::move(Steps);
    gStep = 0;
    gTicks = 0;
    SetTimer(nullptr, 0, 120, StepTimer);
    Menu->Popup(X, Y);
    Pump(100);
}

// Pixels of the window's 3-pixel frame that differ from Image's.
int FrameMismatches(HWND w, fw::TBitmap* Image) {
    auto shot = Shot(w);
    int bad = 0;
    for (int y = 0; y < shot->Height(); ++y)
        for (int x = 0; x < shot->Width(); ++x) {
            const bool frame = x < kMenuFrameWidth || y < kMenuFrameWidth || x >= shot->Width() - kMenuFrameWidth ||
                               y >= shot->Height() - kMenuFrameWidth;
            if (frame && GetPixel(shot->Canvas()->Handle(), x, y) != GetPixel(Image->Canvas()->Handle(), x, y)) ++bad;
        }
    return bad;
}

TacMnuWnd* MenuWrapper(HWND w) { return dynamic_cast<TacMnuWnd*>(WrapperOf(w)); }

}  // namespace

TEST(SkinnedPopupMenus, EachMenuWindowIsFramedFromTheSkinAndFreedWithTheMenu) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Menu owner");
    form->SetBounds(80, 80, 360, 260);
    form->Show();
    Pump(80);
    ASSERT_NE(nullptr, ProviderOf(form.get()));
    std::unique_ptr<fw::TPopupMenu, FormFree> menu(NewMenu());
    const int x = 120, y = 130;

    HWND top = nullptr, sub = nullptr;
    TacMnuWnd* topWrapper = nullptr;
    bool shotTaken = false;
    RunMenu(menu.get(), x, y,
            {
                [&] {
                    const std::vector<HWND> open = MenuWindows();
                    if (open.size() != 1) return false;
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
                    // The frame comes from the section's image (no menu
                    // background is cached): Wine's raised edge is gone.
                    EXPECT_EQ(0, FrameMismatches(top, topWrapper->SkinData->FCacheBmp));
                    // An item shows the background at its place.
                    fw::TBitmap* cache = topWrapper->SkinData->FCacheBmp;
                    auto shot = Shot(top, L"popup-menu-skinned");
                    shotTaken = true;
                    const int cy = shot->Height() - 8;
                    EXPECT_EQ(GetPixel(cache->Canvas()->Handle(), 6, cy), GetPixel(shot->Canvas()->Handle(), 6, cy));
                    // The region query: unset until the frame code records it,
                    // and cleared by the next background erase.
                    EXPECT_EQ(0, SendMessageW(top, SM_ALPHACMD, MAKEWPARAM(0, smcMenuRgnQuery), 0));
                    SendMessageW(top, SM_ALPHACMD, MAKEWPARAM(0, smcMenuRgnSetting), 0);
                    EXPECT_EQ(1, SendMessageW(top, SM_ALPHACMD, MAKEWPARAM(0, smcMenuRgnQuery), 0));
                    HDC dc = GetDC(top);
                    SendMessageW(top, WM_ERASEBKGND, WPARAM(dc), 0);
                    ReleaseDC(top, dc);
                    EXPECT_EQ(0, SendMessageW(top, SM_ALPHACMD, MAKEWPARAM(0, smcMenuRgnQuery), 0));
                    return true;
                },
                [&] {
                    // A cached background of the window's size gives the frame.
                    RECT wr;
                    GetWindowRect(top, &wr);
                    auto* bmp = new fw::TBitmap(wr.right - wr.left, wr.bottom - wr.top, fw::pf24bit);
                    RECT all{0, 0, bmp->Width(), bmp->Height()};
                    HBRUSH b = CreateSolidBrush(kCachedFrame);
                    FillRect(bmp->Canvas()->Handle(), &all, b);
                    DeleteObject(b);
                    MenuInfoArray.push_back(TacMenuInfo{top, bmp});
                    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
                    EXPECT_EQ(0, FrameMismatches(top, bmp));
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
                    if (IsWindow(sub) && IsWindowVisible(sub)) return false;
                    // The submenu's wrapper let go of its window; the parent's
                    // stays attached and both are kept until the last closes.
                    EXPECT_EQ(2u, MnuArray.size());
                    EXPECT_EQ(topWrapper, MenuWrapper(top));
                    EXPECT_FALSE(topWrapper->Destroyed);
                    EXPECT_FALSE(IsWindow(sub));
                    EXPECT_TRUE(MenuWrapper(sub) == nullptr || MenuWrapper(sub)->Destroyed);
                    EXPECT_TRUE(MenuInfoArray.empty()) << "the backgrounds go with a closed menu window";
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
